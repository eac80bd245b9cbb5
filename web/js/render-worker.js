// A worker that draws pictures with its own instance of the core, so the page never waits on a
// run. Messages in: {type: 'draw', id, picture}, {type: 'stop', id}, {type: 'gallery' or
// 'explore', id, picture, seed, first, wanted}, {type: 'values', id, picture}: values changed
// during the run, which the columns drawn after it take up. Messages out: {type: 'progress' |
// 'done', id, ...}.
import * as core from './core.js';

// How long a worker computes columns before it shows them and hears its messages again.
const SLICE_MS = 40;

let current = null;  // {id, stopped, values} of the run under way
let early = null;    // {id, picture}: values changed for a run not begun yet

// Lets the worker's message queue run (a Stop may be waiting) before the next slice.
const breathe = () => new Promise((resolve) => {
  const channel = new MessageChannel();
  channel.port1.onmessage = () => resolve();
  channel.port2.postMessage(null);
});

function post(message, pixels) {
  self.postMessage({ ...message, ...pixels }, pixels ? [pixels.rgba.buffer] : []);
}

async function draw({ id, picture, showProgress = true }) {
  const run = { id, stopped: false, values: early && early.id === id ? early.picture : null };
  early = null;
  current = run;
  const started = core.renderBegin(picture);
  if (!started.ok) {
    post({ type: 'done', id, complete: false, message: started.message });
    current = null;
    return;
  }
  let columns = 1;
  for (;;) {
    if (run.values) {
      core.renderTakeValues(run.values);
      run.values = null;
    }
    const sliceStart = performance.now();
    let more = true;
    // Columns differ in cost; the count grows or shrinks to fill the slice.
    while (more && performance.now() - sliceStart < SLICE_MS) {
      const before = performance.now();
      more = core.renderStep(columns);
      const took = performance.now() - before;
      if (took < SLICE_MS / 4) columns *= 2;
      else if (took > SLICE_MS && columns > 1) columns >>= 1;
    }
    if (!more) break;
    if (showProgress) post({ type: 'progress', id, progress: core.renderProgress() }, core.renderPixels());
    await breathe();
    if (run.stopped) {
      post({ type: 'done', id, complete: false, exact: false, following: core.renderFollowing() },
           core.renderPixels());
      current = null;
      return;
    }
  }
  current = null;
  post({ type: 'done', id, complete: true, exact: core.renderExact(),
         following: core.renderFollowing(), content: core.renderContent() }, core.renderPixels());
}

// Work is done one order at a time: a new order stops the run under way, which ends (and says
// so) before the new one begins.
let queue = core.loadCore();

self.onmessage = ({ data }) => {
  if (data.type === 'stop') {
    if (current && current.id === data.id) current.stopped = true;
    return;
  }
  if (data.type === 'values') {
    if (current && current.id === data.id) current.values = data.picture;
    else early = data;
    return;
  }
  if (current) current.stopped = true;
  queue = queue.then(() => {
    if (data.type === 'draw') return draw(data);
    const answer = data.type === 'explore'
      ? core.explore(data.picture, data.other, data.step, data.seed, data.wanted)
      : core.gallery(data.picture, data.seed, data.first, data.wanted);
    self.postMessage({ type: 'done', id: data.id, ...answer });
  });
};
