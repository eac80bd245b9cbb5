// Explore: twelve variations of the page's picture (or twelve children of it and a picture from a
// file), made by the core as the desktop's Explore window makes them, drawn in full on one worker
// per core. A click on a cell draws its picture large and offers twelve variations around it;
// Back returns to the picture it came from.
import { CellWorkers, paintDrawnPart } from './cells.js';
import { freshSeed } from './core.js';

const CELLS = 12;

export class Explore {
  // dialog: the Explore <dialog>; onPick(picture) draws a picture large.
  constructor(dialog, onPick) {
    this.dialog = dialog;
    this.onPick = onPick;
    this.grid = dialog.querySelector('#explore-cells');
    this.message = dialog.querySelector('#explore-message');
    this.step = dialog.querySelector('#explore-step');
    this.back = dialog.querySelector('#explore-back');
    this.workers = new CellWorkers(CELLS);
    this.line = [];  // the pictures picked, the one the dialog opened on first
    this.step.addEventListener('change', () => {
      if (!this.other) this.fill();
    });
    this.back.addEventListener('click', () => this.goBack());
    dialog.querySelector('#explore-more').addEventListener('click', () => this.fill());
    dialog.querySelector('#explore-close').addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => this.workers.stop());
  }

  // Variations of picture; children of it and other (a record text named otherName) when given.
  open(picture, other = null, otherName = '') {
    this.line = [picture];
    this.other = other;
    this.otherName = otherName;
    if (!this.dialog.open) this.dialog.showModal();
    this.fill();
  }

  goBack() {
    if (this.line.length < 2) return;
    this.line.pop();
    this.onPick(this.line[this.line.length - 1]);
    this.fill();
  }

  pick(cell) {
    this.line.push(cell.picture);
    this.other = null;
    this.onPick(cell.picture);
    this.fill();
  }

  async fill() {
    const generation = this.workers.start();
    this.back.disabled = this.line.length < 2;
    this.step.disabled = Boolean(this.other);
    this.dialog.dataset.filled = '0';
    this.message.textContent = this.other ? `Choosing children with ${this.otherName}…`
      : 'Choosing variations…';
    this.grid.replaceChildren();
    const chosen = await this.workers.order({
      type: 'explore', id: 'choose', picture: this.line[this.line.length - 1],
      other: this.other || '', step: Number(this.step.value), seed: freshSeed(), wanted: CELLS });
    if (!this.workers.isCurrent(generation)) return;
    if (!chosen.ok) {
      this.message.textContent = chosen.message;
      return;
    }
    const cells = JSON.parse(chosen.text).cells.map((cell, order) => this.makeCell(cell, order));
    this.message.textContent = '';
    const drawn = await this.workers.drawAll(cells, 'explore', generation,
      (cell, done) => this.showCell(cell, done));
    if (!drawn) return;
    this.message.textContent = `${cells.length} pictures`;
    this.dialog.dataset.filled = String(cells.filter((c) => c.drawn).length);
  }

  makeCell(cell, order) {
    const button = document.createElement('button');
    button.type = 'button';
    button.title = cell.change;
    button.setAttribute('aria-label', `Picture ${order + 1}, drawing`);
    const canvas = document.createElement('canvas');
    button.append(canvas);
    this.grid.append(button);
    const entry = { ...cell, order, button, canvas, drawn: false };
    button.addEventListener('click', () => {
      if (entry.drawn) this.pick(entry);
    });
    return entry;
  }

  // The part of the canvas the cell's picture was drawn on, scaled to fill the cell.
  showCell(cell, done) {
    if (!paintDrawnPart(cell, done)) return;
    cell.button.setAttribute('aria-label', `Picture ${cell.order + 1}: ${cell.change}`);
  }
}
