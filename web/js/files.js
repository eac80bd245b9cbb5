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

// The canvas as the browser encodes it, with the record of the picture it shows.
export async function pictureFile(canvas, picture) {
  const blob = await new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
  if (!blob) return { ok: false, message: 'The browser could not encode the picture.' };
  return core.pngWithRecord(new Uint8Array(await blob.arrayBuffer()), picture);
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
