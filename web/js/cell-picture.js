// A cell of the gallery or of the variations shows the part of the canvas its picture was drawn
// on, scaled to fill the cell, as the desktop's cells do.

// Paints done (a worker's finished picture) into the cell's canvas; false while it is not
// complete.
export function paintDrawnPart(cell, done) {
  if (!done.complete) return false;
  const whole = new OffscreenCanvas(done.width, done.height);
  whole.getContext('2d').putImageData(
    new ImageData(new Uint8ClampedArray(done.rgba.buffer), done.width, done.height), 0, 0);
  const part = done.content.width > 0 ? done.content
    : { left: 0, top: 0, width: done.width, height: done.height };
  const box = cell.button.getBoundingClientRect();
  cell.canvas.width = Math.max(1, Math.round(box.width * devicePixelRatio));
  cell.canvas.height = Math.max(1, Math.round(box.height * devicePixelRatio));
  cell.canvas.getContext('2d').drawImage(whole, part.left, part.top, part.width, part.height,
    0, 0, cell.canvas.width, cell.canvas.height);
  cell.drawn = true;
  return true;
}
