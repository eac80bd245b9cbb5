// The page: one picture on the canvas, drawn by a worker column by column; the panel of its
// values; Random, the gallery, files and links. The page keeps two texts from the core: the
// values the next run starts from (with the working values carried over from the last run), and
// the record that drew the canvas, which a saved picture and the link carry.
import * as core from './core.js';
import { Panel } from './panel.js';
import { Explore } from './explore.js';
import { Gallery } from './gallery.js';
import { acceptDrops, download, pictureFile, readForCore } from './files.js';
import { linkInAddress, recordPicture, addressOf } from './link.js';
import { Preview } from './preview.js';

const $ = (id) => document.getElementById(id);

const page = {
  next: '',          // the values the next run starts from
  drawn: null,       // {picture, complete}: what the canvas shows
  run: null,         // {id, picture, fromAddress} of the run under way
  runs: 0,           // runs started, for their ids
  idle: [],          // resolvers waiting for the run under way to end (the tests' hook)
};

const worker = new Worker(new URL('./render-worker.js', import.meta.url), { type: 'module' });
const canvas = $('canvas');
const context = canvas.getContext('2d', { willReadFrequently: true });

function say(text, error = false) {
  $('message').textContent = text || '';
  $('message').classList.toggle('error', error);
}

function showPixels({ width, height, rgba }) {
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  context.putImageData(new ImageData(new Uint8ClampedArray(rgba.buffer), width, height), 0, 0);
}

// The values the next run starts from, shown in the panel and the previews.
function setNext(picture) {
  page.next = picture;
  const values = core.pictureValues(picture);
  if (values.ok) panel.show(JSON.parse(values.text).values);
  preview.show(picture);
}

function setRunning(running) {
  $('stop').disabled = !running;
  $('save-picture').disabled = running || !(page.drawn && page.drawn.complete);
}

// Draws picture on a cleared canvas. fromAddress: the picture came from the address (a link,
// Back or Forward), so the history gets no new entry.
function draw(picture, fromAddress = false) {
  if (page.run) worker.postMessage({ type: 'stop', id: page.run.id });
  page.runs += 1;
  page.run = { id: page.runs, picture, fromAddress };
  page.drawn = { picture, complete: false };
  $('link').value = '';  // until the picture is complete
  say('');
  setNext(picture);
  setRunning(true);
  $('progress').value = 0;
  worker.postMessage({ type: 'draw', id: page.run.id, picture });
}

worker.onmessage = ({ data }) => {
  const run = page.run;
  if (!run || data.id !== run.id) return;  // a run already replaced by a newer one
  if (data.rgba) showPixels(data);
  if (data.type === 'progress') {
    $('progress').value = data.progress;
    return;
  }
  page.run = null;
  if (data.message) say(data.message, true);
  if (data.following) setNext(data.following);
  page.drawn.complete = data.complete;
  $('progress').value = data.complete ? 1 : $('progress').value;
  setRunning(false);
  if (data.complete) {
    const link = core.linkOf(run.picture);
    if (link.ok) {
      recordPicture(link.text, run.fromAddress);
      $('link').value = addressOf(link.text);
    }
  }
  for (const resolve of page.idle.splice(0)) resolve();
};

function stop() {
  if (page.run) worker.postMessage({ type: 'stop', id: page.run.id });
}

// A value changed in the panel: the core takes it or says why not.
function changeValue(position, value) {
  const answer = core.setValue(page.next, position, value);
  if (!answer.ok) {
    say(answer.message, true);
    return false;
  }
  say('');
  setNext(answer.text);
  return true;
}

async function openFile(file) {
  if (!file) return;
  let answer;
  try {
    answer = await core.openFile(page.next, file.name, await readForCore(file));
  } catch (error) {
    // The browser could not read it (a folder dropped, a file gone meanwhile).
    answer = { ok: false, message: `Cannot open ${file.name}: ${error.message || error}` };
  }
  if (!answer.ok) {
    say(answer.message, true);
    return;
  }
  draw(answer.text);
  say(answer.message);  // a short data file's note on the fields read as 0
}

async function savePicture() {
  if (!page.drawn || !page.drawn.complete) return;
  const answer = await pictureFile(canvas, page.drawn.picture);
  if (!answer.ok) say(answer.message, true);
  else download(answer.bytes, 'orbisk.png', 'image/png');
}

function saveData() {
  const answer = core.dataLine(page.next);
  if (!answer.ok) say(answer.message, true);
  else download(new TextEncoder().encode(answer.text), 'orbisk.dat', 'text/plain');
}

// The picture the address names, drawn; a malformed address is refused with a message.
function drawFromAddress() {
  const link = linkInAddress();
  if (link === '') return false;
  const answer = link === null ? { ok: false, message: 'This link is not a valid address.' }
    : core.pictureOfLink(link);
  if (!answer.ok) {
    say(answer.message, true);
    return true;
  }
  say('');
  draw(answer.text, true);
  return true;
}

await core.loadCore();
const panel = new Panel($('panel'), core.fields(), changeValue);
const preview = new Preview(panel);
const gallery = new Gallery($('gallery'), (picture) => draw(picture));

$('draw').addEventListener('click', () => draw(page.next));
$('stop').addEventListener('click', stop);
$('random').addEventListener('click', () => {
  const answer = core.randomPicture(page.next, core.freshSeed());
  if (answer.ok) draw(answer.text);
});
$('gallery-open').addEventListener('click', () => gallery.open(page.next));
const explore = new Explore($('explore'), (picture) => draw(picture));
$('explore-open').addEventListener('click', () => explore.open(page.next));
$('breed-open').addEventListener('click', () => $('breed-file').click());
$('breed-file').addEventListener('change', async (event) => {
  const [file] = event.target.files;
  event.target.value = '';
  if (!file) return;
  let answer;
  try {
    answer = await core.openFile(page.next, file.name, await readForCore(file));
  } catch (error) {
    answer = { ok: false, message: `Cannot open ${file.name}: ${error.message || error}` };
  }
  if (answer.ok) explore.open(page.next, answer.text, file.name);
  else say(answer.message, true);
});
$('open').addEventListener('click', () => $('open-file').click());
$('open-file').addEventListener('change', (event) => {
  openFile(event.target.files[0]);
  event.target.value = '';
});
$('save-picture').addEventListener('click', savePicture);
$('save-data').addEventListener('click', saveData);
$('back').addEventListener('click', () => history.back());
$('forward').addEventListener('click', () => history.forward());
$('panel').addEventListener('submit', (event) => event.preventDefault());
addEventListener('keydown', (event) => {
  if (event.key === 'Escape' && page.run) stop();
});
addEventListener('popstate', drawFromAddress);
acceptDrops($('drop-hint'), openFile);

// A fresh start, as the desktop program's: the start-up values, nothing drawn until CREATE; a link
// draws its picture at once.
setNext(core.startPicture());
if (!drawFromAddress()) say('Press CREATE to draw the picture of these values.');

function toBase64(bytes) {
  let text = '';
  for (let i = 0; i < bytes.length; i += 0x8000)
    text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(text);
}

// What the browser tests look at: the canvas's pixels and the page's texts, once runs are over.
window.orbiskPage = {
  whenIdle: () => (page.run ? new Promise((resolve) => page.idle.push(resolve)) : Promise.resolve()),
  drawnPicture: () => page.drawn && page.drawn.picture,
  complete: () => Boolean(page.drawn && page.drawn.complete),
  nextPicture: () => page.next,
  message: () => $('message').textContent,
  pixels: () => {
    const { data } = context.getImageData(0, 0, canvas.width, canvas.height);
    return { width: canvas.width, height: canvas.height, rgba: toBase64(data) };
  },
  draw: (picture) => draw(picture),
  open: (name, bytes) => openFile(new File([bytes], name)),
  pictureFile: async () => {
    const answer = await pictureFile(canvas, page.drawn.picture);
    return answer.ok ? toBase64(answer.bytes) : null;
  },
};
document.body.dataset.ready = 'true';
