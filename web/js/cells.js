// The cells of the gallery and of the variations: each shows the part of the canvas its picture
// was drawn on, scaled to fill the cell, as the desktop's cells do, drawn by a pool of workers.

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

// The workers that choose and draw the cells of one dialog, one per core up to the number of
// cells. Each filling is a generation: stop() ends every worker at once and drops what they were
// drawing, and whatever was still awaited for an older generation is ignored by its caller.
export class CellWorkers {
  constructor(cells) {
    this.cells = cells;  // the most workers worth having
    this.workers = [];
    this.generation = 0;
  }

  stop() {
    for (const worker of this.workers) worker.terminate();
    this.workers = [];
    this.generation += 1;
  }

  // Fresh workers for a new filling; returns its generation.
  start() {
    this.stop();
    const count = Math.max(1, Math.min(this.cells, navigator.hardwareConcurrency || 1));
    this.workers = Array.from({ length: count },
      () => new Worker(new URL('./render-worker.js', import.meta.url), { type: 'module' }));
    return this.generation;
  }

  isCurrent(generation) {
    return generation === this.generation;
  }

  // Asks a worker (the first by default) for one order and resolves with its answer.
  order(message, worker = this.workers[0]) {
    return new Promise((resolve) => {
      const listener = ({ data }) => {
        if (data.id !== message.id || data.type !== 'done') return;
        worker.removeEventListener('message', listener);
        resolve(data);
      };
      worker.addEventListener('message', listener);
      worker.postMessage(message);
    });
  }

  // Draws every cell in full, each worker taking the next cell left when it finishes one, and
  // hands each finished picture to shown(cell, done). Resolves whether generation is still the
  // current one at the end.
  async drawAll(cells, idPrefix, generation, shown) {
    let nextCell = 0;
    const work = async (worker) => {
      while (nextCell < cells.length && this.isCurrent(generation)) {
        const cell = cells[nextCell++];
        const done = await this.order(
          { type: 'draw', id: `${idPrefix}-${cell.order}`, picture: cell.picture,
            showProgress: false }, worker);
        if (!this.isCurrent(generation)) return;
        shown(cell, done);
      }
    };
    await Promise.all(this.workers.map(work));
    return this.isCurrent(generation);
  }
}
