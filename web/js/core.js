// The core module, loaded once per page or worker, and the page's way of calling it: strings go
// in as UTF-8, answers come back as JSON. Every rule about a picture lives in the core; this file
// only carries values across.
let module = null;

// Loads the module; every other function here needs it loaded. Rejects when the module's script
// or its WebAssembly cannot be had, so the page can say so.
export async function loadCore() {
  if (!module) {
    const { default: OrbiskCore } = await import('../orbisk-core.js');
    module = await OrbiskCore();
  }
  return module;
}

// Calls an exported function that answers a string, and reads that string as JSON.
function ask(name, types, args) {
  const text = module.ccall(name, 'string', types, args);
  return JSON.parse(text);
}

// A 64-bit seed for Random and the gallery, as two 32-bit halves.
export function freshSeed() {
  const halves = new Uint32Array(2);
  crypto.getRandomValues(halves);
  return [halves[0], halves[1]];
}

export const fields = () => ask('orbisk_fields', [], []);
export const helpTexts = () => ask('orbisk_help_texts', [], []);
export const startPicture = () => ask('orbisk_start_picture', [], []).text;
export const pictureValues = (picture) => ask('orbisk_picture_values', ['string'], [picture]);
export const setValue = (picture, position, value) =>
  ask('orbisk_set_value', ['string', 'number', 'number'], [picture, position, value]);
export const randomPicture = (picture, [high, low]) =>
  ask('orbisk_random', ['string', 'number', 'number'], [picture, high, low]);
export const dataLine = (picture) => ask('orbisk_data_line', ['string'], [picture]);
export const linkOf = (picture) => ask('orbisk_link', ['string'], [picture]);
export const withWorkingValues = (picture, from) =>
  ask('orbisk_with_working_values', ['string', 'string'], [picture, from]);
// kind: 'colours' or 'shape'.
export const previewPicture = (picture, kind) =>
  ask('orbisk_preview', ['string', 'number'], [picture, kind === 'shape' ? 1 : 0]);
export const gallery = (picture, [high, low], first, wanted) =>
  ask('orbisk_gallery', ['string', 'number', 'number', 'number', 'number'],
      [picture, high, low, first, wanted]);
export const explore = (picture, other, step, [high, low], wanted) =>
  ask('orbisk_explore', ['string', 'string', 'number', 'number', 'number', 'number'],
      [picture, other, step, high, low, wanted]);

// The last byte result of the core, copied out.
function takeBytes() {
  const at = module._orbisk_bytes();
  return module.HEAPU8.slice(at, at + module._orbisk_bytes_size());
}

// Bytes into the module's memory for the length of one call.
function withBytes(data, use) {
  const at = module._malloc(Math.max(1, data.length));
  try {
    module.HEAPU8.set(data, at);
    return use(at);
  } finally {
    module._free(at);
  }
}

// The picture a link text names. The text goes in whole, with its length: a NUL in it is for
// the core to judge, not an end.
export function pictureOfLink(link) {
  const bytes = new TextEncoder().encode(link);
  return withBytes(bytes, (at) =>
    ask('orbisk_link_picture', ['number', 'number'], [at, bytes.length]));
}

// Deflates bytes into a zlib stream, as a PNG's image data holds it.
async function deflate(bytes) {
  const stream = new Blob([bytes]).stream().pipeThrough(new CompressionStream('deflate'));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

// An RGB PNG of RGBA pixels, width x height, carrying picture's record unless picture is ''.
export async function rgbPng(rgba, width, height, picture) {
  withBytes(rgba, (at) => module._orbisk_png_scanlines(at, rgba.length, width, height));
  const compressed = await deflate(takeBytes());
  const answer = withBytes(compressed, (at) => ask('orbisk_rgb_png',
    ['number', 'number', 'number', 'number', 'string'],
    [width, height, at, compressed.length, picture]));
  return answer.ok ? { ok: true, bytes: takeBytes() } : answer;
}

// The largest file the page hands to the core; it sees one byte more and refuses a larger one.
export const maxFileBytes = () => module._orbisk_max_file_bytes();

// Inflates a zlib stream as far as limit bytes (the core refuses anything longer).
async function inflate(bytes, limit) {
  const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate'));
  const reader = stream.getReader();
  const parts = [];
  let size = 0;
  try {
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      parts.push(value);
      size += value.length;
      if (size > limit) break;
    }
  } finally {
    reader.cancel().catch(() => {});
  }
  const out = new Uint8Array(size);
  let at = 0;
  for (const part of parts) {
    out.set(part, at);
    at += part.length;
  }
  return out;
}

// Opens a file's bytes (name as the user's file was called) onto the picture, as "Load data"
// does: {ok, text: the picture to draw, message}.
export async function openFile(picture, name, data) {
  const folder = '/opened';
  if (!module.FS.analyzePath(folder).exists) module.FS.mkdir(folder);
  module.FS.chdir(folder);
  // The name as the user knows it, so messages name it: one name in the folder, never a folder.
  let safeName = name.replace(/[/\0]/g, '_');
  if (safeName === '' || safeName === '.' || safeName === '..') safeName = 'file';
  try {
    module.FS.writeFile(safeName, data);
  } catch {
    return { ok: false, message: `Cannot open ${safeName}: the page has no room for it.` };
  }
  try {
    let answer = ask('orbisk_open_file', ['string', 'string'], [picture, safeName]);
    if (answer.status === 'inflate') {
      let text = new Uint8Array(0);
      let failed = 0;
      try {
        text = await inflate(takeBytes(), 16385);
      } catch {
        failed = 1;
      }
      withBytes(text, (at) => module._orbisk_inflated(at, text.length, failed));
      answer = ask('orbisk_open_file', ['string', 'string'], [picture, safeName]);
    }
    return answer;
  } finally {
    module.FS.unlink(safeName);
  }
}

// Drawing, for a worker: one picture at a time.
export const renderBegin = (picture) => ask('orbisk_render_begin', ['string'], [picture]);
export const renderStep = (columns) => module._orbisk_render_step(columns) === 1;
export const renderProgress = () => module._orbisk_render_progress();
export const renderTakeValues = (picture) =>
  module.ccall('orbisk_render_take_values', null, ['string'], [picture]);
export const renderExact = () => module._orbisk_render_exact() === 1;
export const renderFollowing = () => ask('orbisk_render_following', [], []).text;
export const renderContent = () => ask('orbisk_render_content', [], []);

// The canvas as an ImageData-ready copy: {width, height, rgba}.
export function renderPixels() {
  const width = module._orbisk_render_width();
  const height = module._orbisk_render_height();
  const at = module._orbisk_render_rgba();
  return { width, height, rgba: module.HEAPU8.slice(at, at + width * height * 4) };
}
