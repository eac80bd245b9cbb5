// Explore: twelve variations of the page's picture (or twelve children of it and a picture from a
// file), made by the core as the desktop's Explore window makes them, drawn in full on one worker
// per core. A click on a cell draws its picture large and offers twelve variations around it;
// Back returns to the picture it came from.
import { paintDrawnPart } from './cell-picture.js';
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
    this.workers = [];
    this.line = [];  // the pictures picked, the one the dialog opened on first
    this.step.addEventListener('change', () => {
      if (!this.other) this.fill();
    });
    this.back.addEventListener('click', () => this.goBack());
    dialog.querySelector('#explore-more').addEventListener('click', () => this.fill());
    dialog.querySelector('#explore-close').addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => this.stopAll());
  }

  // Variations of picture; children of it and other (a record text named otherName) when given.
  open(picture, other = null, otherName = '') {
    this.line = [picture];
    this.other = other;
    this.otherName = otherName;
    if (!this.dialog.open) this.dialog.showModal();
    this.fill();
  }

  stopAll() {
    for (const worker of this.workers) worker.terminate();
    this.workers = [];
    this.generation = (this.generation || 0) + 1;
  }

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
    this.stopAll();
    const count = Math.max(1, Math.min(CELLS, navigator.hardwareConcurrency || 1));
    this.workers = Array.from({ length: count },
      () => new Worker(new URL('./render-worker.js', import.meta.url), { type: 'module' }));
    const generation = this.generation;
    this.back.disabled = this.line.length < 2;
    this.step.disabled = Boolean(this.other);
    this.dialog.dataset.filled = '0';
    this.message.textContent = this.other ? `Choosing children with ${this.otherName}…`
      : 'Choosing variations…';
    this.grid.replaceChildren();
    const chosen = await this.order(this.workers[0], {
      type: 'explore', id: 'choose', picture: this.line[this.line.length - 1],
      other: this.other || '', step: Number(this.step.value), seed: freshSeed(), wanted: CELLS });
    if (generation !== this.generation) return;
    if (!chosen.ok) {
      this.message.textContent = chosen.message;
      return;
    }
    const cells = JSON.parse(chosen.text).cells.map((cell, order) => this.makeCell(cell, order));
    this.message.textContent = '';
    let nextCell = 0;
    const work = async (worker) => {
      while (nextCell < cells.length && generation === this.generation) {
        const cell = cells[nextCell++];
        const done = await this.order(worker, {
          type: 'draw', id: `explore-${cell.order}`, picture: cell.picture, showProgress: false });
        if (generation !== this.generation) return;
        this.showCell(cell, done);
      }
    };
    await Promise.all(this.workers.map(work));
    if (generation !== this.generation) return;
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
