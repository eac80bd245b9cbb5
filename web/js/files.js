// Files in and out: a file picked or dropped is handed to the core whole (the core's readers judge
// it), and the picture and data the user saves are downloaded.
import * as core from './core.js';

// Reads a File's bytes, no more than the core looks at (it refuses a larger file by what it sees).
export async function readForCore(file) {
  const limit = core.maxFileBytes() + 1;
  return new Uint8Array(await file.slice(0, limit).arrayBuffer());
}

// Hands bytes to the browser as a download under name.
export function download(bytes, name, type) {
  const url = URL.createObjectURL(new Blob([bytes], { type }));
  const a = document.createElement('a');
  a.href = url;
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// The canvas as an RGB PNG, as the program writes pictures, carrying picture's record; with no
// picture (the canvas is not exactly the picture of a record) it carries none.
export async function pictureFile(canvas, picture) {
  const { data } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
  try {
    return await core.rgbPng(new Uint8Array(data.buffer), canvas.width, canvas.height,
      picture || '');
  } catch (error) {
    return { ok: false, message: `The picture could not be saved: ${error.message || error}.` };
  }
}

const twoDigits = (n) => String(n).padStart(2, '0');

// The name a picture is saved under, without its extension: the name of the file it was opened
// from, else the time it was drawn ("orbisk-2026-12-08-18-42-05").
export function pictureName(fileName, time) {
  const stem = (fileName || '').replace(/\.[^.]*$/, '')
    .replace(/[\u0000-\u001f\u007f/\\:*?"<>|]/g, '_').trim().slice(0, 100);
  if (stem !== '' && !/^\.+$/.test(stem)) return stem;
  return 'orbisk-' + [time.getFullYear(), time.getMonth() + 1, time.getDate(), time.getHours(),
    time.getMinutes(), time.getSeconds()].map(twoDigits).join('-');
}

// Calls open(file) for a file dropped anywhere on the page, and shows the hint while dragging.
export function acceptDrops(hint, open) {
  let depth = 0;
  const hasFiles = (event) => event.dataTransfer && [...event.dataTransfer.types].includes('Files');
  addEventListener('dragenter', (event) => {
    if (!hasFiles(event)) return;
    depth += 1;
    hint.hidden = false;
  });
  addEventListener('dragleave', () => {
    depth = Math.max(0, depth - 1);
    if (depth === 0) hint.hidden = true;
  });
  addEventListener('dragover', (event) => {
    if (hasFiles(event)) event.preventDefault();
  });
  addEventListener('drop', (event) => {
    if (!hasFiles(event)) return;
    event.preventDefault();
    depth = 0;
    hint.hidden = true;
    const [file] = event.dataTransfer.files;
    if (file) open(file);
  });
}
