// The previews of the colour system and the shape: the values the next run starts from, drawn
// small (the Thumbnail frame at Detail Low) on a worker of their own whenever they change.
import * as core from './core.js';

// Positions of the frame and the detail in the core's field table.
const FRAME = 26;
const DETAIL = 33;
const THUMBNAIL = 2;
const LOW = 4;

export class Preview {
  constructor(panel) {
    this.canvases = ['Colours', 'Shape'].map((group) => {
      const canvas = document.createElement('canvas');
      canvas.className = 'preview';
      canvas.setAttribute('role', 'img');
      canvas.setAttribute('aria-label', `Preview of the ${group.toLowerCase()}`);
      panel.groupElement(group).append(canvas);
      return canvas;
    });
    this.worker = new Worker(new URL('./render-worker.js', import.meta.url), { type: 'module' });
    this.worker.onmessage = ({ data }) => {
      if (data.type !== 'done' || data.id !== this.id || !data.rgba) return;
      for (const canvas of this.canvases) {
        canvas.width = data.width;
        canvas.height = data.height;
        canvas.getContext('2d').putImageData(
          new ImageData(new Uint8ClampedArray(data.rgba.slice().buffer), data.width, data.height),
          0, 0);
      }
    };
    this.id = 0;
  }

  // Draws the preview of picture unless it is the one shown.
  show(picture) {
    const thumbnail = core.setValue(picture, FRAME, THUMBNAIL);
    const small = thumbnail.ok && core.setValue(thumbnail.text, DETAIL, LOW);
    if (!small || !small.ok || small.text === this.shown) return;
    this.shown = small.text;
    this.id += 1;
    this.worker.postMessage({ type: 'draw', id: this.id, picture: small.text, showProgress: false });
  }
}
