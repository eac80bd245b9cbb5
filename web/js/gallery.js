// The random gallery: twelve candidates of one numbered sequence, chosen by the core as the
// desktop's gallery chooses them, drawn in full on one worker per core and shown as they finish,
// each in its own cell in the order of the sequence. The twelve cells stay from first opening
// on, so the keyboard focus stays on a cell and a cell never moves once shown. A click on a cell
// hands its picture to onPick.
import { CellWorkers, paintDrawnPart } from './cells.js';
import { freshSeed } from './core.js';

const CELLS = 12;

export class Gallery {
  // dialog: the gallery's <dialog>; onPick(picture) draws a cell's picture large.
  constructor(dialog, onPick) {
    this.dialog = dialog;
    this.onPick = onPick;
    this.grid = dialog.querySelector('#gallery-cells');
    this.message = dialog.querySelector('#gallery-message');
    this.workers = new CellWorkers(CELLS);
    this.cells = [];
    this.slots = Array.from({ length: CELLS }, (_, i) => this.makeSlot(i));
    this.more = dialog.querySelector('#gallery-more');
    this.more.addEventListener('click', () => {
      // More is disabled while the next candidates are chosen: the focus goes to a cell.
      this.slots[0].button.focus();
      this.fill(this.next);
    });
    dialog.querySelector('#gallery-close').addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => this.workers.stop());
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

  // Chooses and draws twelve candidates from number first of the sequence on.
  async fill(first) {
    const generation = this.workers.start();
    this.more.disabled = true;  // until the sequence's next number is known
    this.message.textContent = 'Choosing candidates…';
    for (const slot of this.slots) this.clearSlot(slot);
    this.cells = [];
    this.dialog.dataset.filled = '0';
    const chosen = await this.workers.order({
      type: 'gallery', id: 'choose', picture: this.start, seed: this.seed, first, wanted: CELLS });
    if (!this.workers.isCurrent(generation)) return;
    if (!chosen.ok) {
      this.message.textContent = chosen.message;
      return;
    }
    const { cells, looked } = JSON.parse(chosen.text);
    this.next = first + looked;
    this.more.disabled = false;
    this.cells = cells.map((cell, order) => this.takeSlot(cell, order));
    this.message.textContent = '';
    const drawn = await this.workers.drawAll(this.cells, 'cell', generation,
      (cell, done) => this.showCell(cell, done));
    if (!drawn) return;
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
