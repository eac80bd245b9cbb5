// The random gallery: twelve candidates of one numbered sequence, chosen by the core as the
// desktop's gallery chooses them, drawn in full on one worker per core and shown as they finish,
// each in its own cell in the order of the sequence. The twelve cells stay from first opening
// on, so the keyboard focus stays on a cell and a cell never moves once shown. A click on a cell
// hands its picture to onPick.
import { paintDrawnPart } from './cell-picture.js';
import { freshSeed } from './core.js';

const CELLS = 12;

export class Gallery {
  // dialog: the gallery's <dialog>; onPick(picture) draws a cell's picture large.
  constructor(dialog, onPick) {
    this.dialog = dialog;
    this.onPick = onPick;
    this.grid = dialog.querySelector('#gallery-cells');
    this.message = dialog.querySelector('#gallery-message');
    this.workers = [];
    this.cells = [];
    this.slots = Array.from({ length: CELLS }, (_, i) => this.makeSlot(i));
    this.more = dialog.querySelector('#gallery-more');
    this.more.addEventListener('click', () => {
      // More is disabled while the next candidates are chosen: the focus goes to a cell.
      this.slots[0].button.focus();
      this.fill(this.next);
    });
    dialog.querySelector('#gallery-close').addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => this.stopAll());
    this.grid.addEventListener('keydown', (event) => this.arrowKeys(event));
  }

  // Opens the gallery on top of picture (the values and carried-over working values of the page).
  open(picture) {
    this.start = picture;
    this.seed = freshSeed();
    if (!this.dialog.open) this.dialog.showModal();
    this.slots[0].button.focus();
    this.fill(0);
  }

  // Ends every worker at once: what they were drawing is dropped.
  stopAll() {
    for (const worker of this.workers) worker.terminate();
    this.workers = [];
    this.generation = (this.generation || 0) + 1;
  }

  makeWorkers() {
    const count = Math.max(1, Math.min(CELLS, navigator.hardwareConcurrency || 1));
    this.workers = Array.from({ length: count },
      () => new Worker(new URL('./render-worker.js', import.meta.url), { type: 'module' }));
  }

  // Asks worker for one order and resolves with its answer.
  order(worker, message) {
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

  // Chooses and draws twelve candidates from number first of the sequence on.
  async fill(first) {
    this.stopAll();
    this.makeWorkers();
    this.more.disabled = true;  // until the sequence's next number is known
    const generation = this.generation;
    this.message.textContent = 'Choosing candidates…';
    for (const slot of this.slots) this.clearSlot(slot);
    this.cells = [];
    this.dialog.dataset.filled = '0';
    const chosen = await this.order(this.workers[0], {
      type: 'gallery', id: 'choose', picture: this.start, seed: this.seed, first, wanted: CELLS });
    if (generation !== this.generation) return;
    if (!chosen.ok) {
      this.message.textContent = chosen.message;
      return;
    }
    const { cells, looked } = JSON.parse(chosen.text);
    this.next = first + looked;
    this.more.disabled = false;
    this.cells = cells.map((cell, order) => this.takeSlot(cell, order));
    this.message.textContent = '';
    // Each worker takes the next cell left when it finishes one.
    let nextCell = 0;
    const work = async (worker) => {
      while (nextCell < this.cells.length && generation === this.generation) {
        const cell = this.cells[nextCell++];
        const done = await this.order(worker, {
          type: 'draw', id: `cell-${cell.order}`, picture: cell.picture, showProgress: false });
        if (generation !== this.generation) return;
        this.showCell(cell, done);
      }
    };
    await Promise.all(this.workers.map(work));
    if (generation !== this.generation) return;
    this.message.textContent = `${this.cells.length} pictures`;
    this.dialog.dataset.filled = String(this.cells.filter((c) => c.drawn).length);
  }

  // One of the twelve cells: a button with a canvas, showing the candidate it holds.
  makeSlot(index) {
    const button = document.createElement('button');
    button.type = 'button';
    const canvas = document.createElement('canvas');
    button.append(canvas);
    this.grid.append(button);
    const slot = { index, button, canvas, cell: null };
    button.addEventListener('click', () => {
      if (!slot.cell || !slot.cell.drawn) return;
      this.dialog.close();
      this.onPick(slot.cell.picture);
    });
    this.clearSlot(slot);
    return slot;
  }

  clearSlot(slot) {
    slot.cell = null;
    slot.canvas.width = 1;
    slot.canvas.height = 1;
    slot.button.setAttribute('aria-label', `Picture ${slot.index + 1}, choosing`);
  }

  // The cell of the candidate at order in the sequence, still to be drawn.
  takeSlot(cell, order) {
    const slot = this.slots[order];
    const entry = { ...cell, order, button: slot.button, canvas: slot.canvas, drawn: false };
    slot.cell = entry;
    slot.button.setAttribute('aria-label', `Picture ${order + 1}, drawing`);
    return entry;
  }

  // Shows the part of the canvas the cell's picture was drawn on, scaled to fill the cell.
  showCell(cell, done) {
    if (!paintDrawnPart(cell, done)) return;
    cell.button.setAttribute('aria-label', `Picture ${cell.order + 1}: draw it large`);
  }

  // Arrow keys move the focus from cell to cell, as in the desktop's gallery.
  arrowKeys(event) {
    const buttons = [...this.grid.children];
    const at = buttons.indexOf(document.activeElement);
    if (at < 0) return;
    const across = getComputedStyle(this.grid).gridTemplateColumns.split(' ').length;
    const step = { ArrowLeft: -1, ArrowRight: 1, ArrowUp: -across, ArrowDown: across }[event.key];
    if (step === undefined) return;
    event.preventDefault();
    buttons[Math.min(buttons.length - 1, Math.max(0, at + step))].focus();
  }
}
