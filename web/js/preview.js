// The previews of the colours and the shape, each drawn small on a worker of its own whenever
// what it shows changes: the colour system, its additions and Inverse on one fixed picture, and
// the shape on the start-up picture as the desktop's shape editor shows it. The core says what
// each preview draws.
import * as core from './core.js';

const KINDS = [['Colours', 'colours'], ['Shape', 'shape']];

export class Preview {
  constructor(panel) {
    this.previews = KINDS.map(([group, kind]) => {
      const canvas = document.createElement('canvas');
      canvas.className = 'preview';
      canvas.id = `preview-${kind}`;
      canvas.setAttribute('role', 'img');
      canvas.setAttribute('aria-label', `Preview of the ${group.toLowerCase()}`);
      panel.groupElement(group).append(canvas);
      // A worker per preview: a new order stops its worker's run under way, never the other's.
      const worker = new Worker(new URL('./render-worker.js', import.meta.url), { type: 'module' });
      const preview = { kind, canvas, worker, shown: null, id: 0 };
      worker.onmessage = ({ data }) => this.drawn(preview, data);
      return preview;
    });
  }

  drawn(preview, data) {
    if (data.type !== 'done' || data.id !== preview.id || !data.complete || !data.rgba) return;
    const { canvas } = preview;
    canvas.width = data.width;
    canvas.height = data.height;
    canvas.getContext('2d').putImageData(
      new ImageData(new Uint8ClampedArray(data.rgba.buffer), data.width, data.height), 0, 0);
    canvas.dataset.drawn = String(preview.id);  // the order it shows, for the tests
  }

  // Draws each preview of picture unless it shows that already.
  show(picture) {
    for (const preview of this.previews) {
      const small = core.previewPicture(picture, preview.kind);
      if (!small.ok || small.text === preview.shown) continue;
      preview.shown = small.text;
      preview.id += 1;
      preview.canvas.dataset.ordered = String(preview.id);
      preview.worker.postMessage({ type: 'draw', id: preview.id, picture: small.text,
        showProgress: false });
    }
  }
}
