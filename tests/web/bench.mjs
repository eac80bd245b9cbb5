// Speed of the page next to orbisk-render, measured side by side in one run (bench/web.sh):
//   1. the benchmark picture (13.5 million samples) drawn by the page's worker and by
//      orbisk-render on one core, alternately, RUNS times each (median);
//   2. while the page draws it, how long clicks and key presses wait before the page handles
//      them (the worst of all);
//   3. the gallery's twelve cells at the start-up values, from the click to the last cell.
import { execFileSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { launch, openPage, removeFolder, renderer, serve, tempFolder } from './harness.mjs';

const runs = Number(process.env.RUNS || 3);
const benchmark = '1000,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,3,3,25,25,0,0';
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const server = await serve();
const browser = await launch();
const folder = tempFolder();
const file = join(folder, 'benchmark.dat');
writeFileSync(file, benchmark + '\r\n');

// The page's seconds from opening the data file to the end of its run.
async function pageSeconds(page) {
  return page.evaluate(async (record) => {
    const start = performance.now();
    await window.orbiskPage.open('benchmark.dat', new TextEncoder().encode(record + '\r\n'));
    await window.orbiskPage.whenIdle();
    return (performance.now() - start) / 1000;
  }, benchmark);
}

const native = [], web = [];
for (let i = 0; i < runs; i++) {
  const out = execFileSync('sh', ['-c', `ORBISK_TIMINGS=1 "${renderer}" "${file}" 2>&1 >/dev/null`],
    { encoding: 'utf8' });
  native.push(Number(/([0-9.]+) s$/m.exec(out)[1]));
  const page = await openPage(browser, server.url);
  web.push(await pageSeconds(page));
  await page.close();
}
console.log(`benchmark picture: orbisk-render ${median(native).toFixed(3)} s, page ` +
  `${median(web).toFixed(3)} s (x${(median(web) / median(native)).toFixed(2)}); ` +
  `runs: ${native.map((s) => s.toFixed(3)).join(' ')} / ${web.map((s) => s.toFixed(3)).join(' ')}`);

// 2. Clicks and keys during a run: the time from the browser's event to the page's handler.
{
  const page = await openPage(browser, server.url);
  await page.evaluate(() => {
    window.waits = [];
    for (const type of ['keydown', 'click'])
      addEventListener(type, (event) => window.waits.push(performance.now() - event.timeStamp));
  });
  const done = pageSeconds(page);
  await new Promise((r) => setTimeout(r, 300));
  for (let i = 0; i < 20; i++) {
    if (i % 2) await page.keyboard.press('Shift');
    else await page.mouse.click(5, 5);
    await new Promise((r) => setTimeout(r, 50));
  }
  await done;
  const waits = await page.evaluate(() => window.waits);
  console.log(`input during a run: ${waits.length} events, longest wait ` +
    `${Math.max(...waits).toFixed(1)} ms, median ${median(waits).toFixed(1)} ms`);
  await page.close();
}

// 3. The gallery at the start-up values.
{
  const times = [];
  for (let i = 0; i < runs; i++) {
    const page = await openPage(browser, server.url);
    times.push(await page.evaluate(async () => {
      const start = performance.now();
      document.getElementById('gallery-open').click();
      const dialog = document.getElementById('gallery');
      while (dialog.dataset.filled !== '12') await new Promise((r) => setTimeout(r, 5));
      return (performance.now() - start) / 1000;
    }));
    await page.close();
  }
  const cores = await (await openPage(browser, server.url)).evaluate(() => navigator.hardwareConcurrency);
  console.log(`gallery, twelve cells at the start-up values on ${cores} workers: ` +
    `${median(times).toFixed(3)} s (runs: ${times.map((s) => s.toFixed(3)).join(' ')})`);
}

await browser.close();
await server.close();
removeFolder(folder);
