// The page: one picture on the canvas, drawn by a worker column by column; the panel of its
// values; Random, the gallery, files, links, Hints and About. The page keeps two texts from the
// core: the values the next run starts from (with the working values carried over from the last
// run), and the record that drew the canvas, which a saved picture and the link carry.
import * as core from './core.js';
import { Panel } from './panel.js';
import { Explore } from './explore.js';
import { Gallery } from './gallery.js';
import { acceptDrops, download, pictureFile, pictureName, readForCore } from './files.js';
import { linkInAddress, recordPicture, addressOf, placeInHistory } from './link.js';
import { Preview } from './preview.js';
import { Help } from './help.js';
import { keepForOffline } from './offline.js';

const $ = (id) => document.getElementById(id);

const page = {
  next: '',          // the values the next run starts from
  drawn: null,       // {picture, complete, exact, name}: what the canvas shows
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
  if (values.ok) {
    const shown = JSON.parse(values.text);
    panel.show(shown.values, shown.offMenu);
  }
  preview.show(picture);
}

function setRunning(running) {
  $('stop').disabled = !running;
  $('save-picture').disabled = running || !(page.drawn && page.drawn.complete);
}

// Back and Forward stay within the page's own pictures.
function showHistoryPlace() {
  const { back, forward } = placeInHistory();
  $('back').disabled = !back;
  $('forward').disabled = !forward;
}

// Draws picture on a cleared canvas. fromAddress: the picture came from the address (a link,
// Back or Forward), so the history gets no new entry. fileName: the file it was opened from,
// which names the saved picture.
function draw(picture, fromAddress = false, fileName = '') {
  if (page.run) worker.postMessage({ type: 'stop', id: page.run.id });
  page.runs += 1;
  page.run = { id: page.runs, picture, fromAddress };
  page.drawn = { picture, complete: false, exact: false, name: pictureName(fileName, new Date()) };
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
  // The run's working values carry over; the panel's values stay as the user left them, changed
  // during the run or not.
  if (data.following) {
    const next = core.withWorkingValues(page.next, data.following);
    if (next.ok) setNext(next.text);
  }
  page.drawn.complete = data.complete;
  page.drawn.exact = data.complete && data.exact;
  $('progress').value = data.complete ? 1 : $('progress').value;
  setRunning(false);
  // Only a picture drawn exactly from its record has a link.
  if (page.drawn.exact) {
    const link = core.linkOf(run.picture);
    if (link.ok) {
      recordPicture(link.text, run.fromAddress);
      $('link').value = addressOf(link.text);
    }
  } else if (data.complete) {
    say('Values changed during the run reached this picture, so no record draws it again: it ' +
      'has no link, and Save picture saves it without a record.');
  }
  showHistoryPlace();
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
  // A run going on takes the values a column reads from its next column on, as on the desktop.
  if (page.run) worker.postMessage({ type: 'values', id: page.run.id, picture: page.next });
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
  draw(answer.text, false, file.name);
  // A short data file's note on the fields read as 0; menu values no entry shows.
  say(answer.message);
}

// The picture's PNG carries its record only while the canvas is exactly that record's picture.
const savedRecord = () => (page.drawn.exact ? page.drawn.picture : '');

async function savePicture() {
  if (!page.drawn || !page.drawn.complete) return;
  const drawn = page.drawn;
  const answer = await pictureFile(canvas, savedRecord());
  if (!answer.ok) say(answer.message, true);
  else download(answer.bytes, `${drawn.name}.png`, 'image/png');
}

function saveData() {
  const answer = core.dataLine(page.next);
  const name = page.drawn ? page.drawn.name : pictureName('', new Date());
  if (!answer.ok) say(answer.message, true);
  else download(new TextEncoder().encode(answer.text), `${name}.dat`, 'text/plain');
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

keepForOffline((text) => say(text));

// Without its module the page can do nothing: it says so, and its commands stay disabled.
try {
  await core.loadCore();
} catch (error) {
  const why = String(error.message || error).replace(/\.$/, '');
  say(`The page could not load its drawing module (orbisk-core), so it cannot draw: ${why}. ` +
    'Reload the page; if this comes again, the site is incomplete or this browser cannot run ' +
    'WebAssembly.', true);
  document.body.dataset.ready = 'failed';
  throw error;
}
const panel = new Panel($('panel'), core.fields(), changeValue);
const preview = new Preview(panel);
const gallery = new Gallery($('gallery'), (picture) => draw(picture));
const help = new Help(core.helpTexts());
for (const id of ['draw', 'random', 'gallery-open', 'explore-open', 'breed-open', 'open',
  'save-data', 'hints-open', 'about-open']) $(id).disabled = false;

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
$('hints-open').addEventListener('click', () => help.open('hints'));
$('about-open').addEventListener('click', () => help.open('about'));
$('back').addEventListener('click', () => history.back());
$('forward').addEventListener('click', () => history.forward());
$('panel').addEventListener('submit', (event) => event.preventDefault());
addEventListener('keydown', (event) => {
  // Escape in the gallery closes the gallery only.
  if (event.key === 'Escape' && page.run && !$('gallery').open) stop();
  // F1 is the browser's own help otherwise; the gallery, while open, holds the page's input.
  if (event.key === 'F1') {
    event.preventDefault();
    if (!$('gallery').open) help.open('hints');
  }
});
addEventListener('popstate', () => {
  drawFromAddress();
  showHistoryPlace();
});
acceptDrops($('drop-hint'), openFile);

// A fresh start, as the desktop program's: the start-up values, nothing drawn until CREATE; a link
// draws its picture at once.
setNext(core.startPicture());
if (!drawFromAddress()) say('Press CREATE to draw the picture of these values.');
showHistoryPlace();

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
    const answer = await pictureFile(canvas, savedRecord());
    return answer.ok ? toBase64(answer.bytes) : null;
  },
  exact: () => Boolean(page.drawn && page.drawn.exact),
};
document.body.dataset.ready = 'true';
