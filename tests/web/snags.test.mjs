// The page as a user meets it: values changed during a run, Back and Forward, the gallery's
// focus, long names on a phone, a link with a NUL, a module that does not load, the previews,
// menu values no entry shows, and what Save picture writes.
import assert from 'node:assert/strict';
import { mkdirSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  decodePng, firstDifference, launch, openOnPage, openPage, pagePixels, removeFolder, rendered,
  repo, serve, tempFolder,
} from './harness.mjs';

const startUp = () => readFileSync(join(repo, 'tests/golden/startup.dat'), 'latin1').trim();
// The start-up record with fields (1-based position -> value) changed.
function record(changes) {
  const fields = startUp().split(',');
  for (const [position, value] of Object.entries(changes)) fields[position - 1] = String(value);
  return fields.join(',');
}

let server, browser, folder;
before(async () => {
  server = await serve();
  browser = await launch();
  folder = tempFolder();
});
after(async () => {
  await browser?.close();
  await server?.close();
  removeFolder(folder);
});

const idle = (page) => page.evaluate(() => window.orbiskPage.whenIdle());
const value = (page, selector) => page.$eval(selector, (input) => input.value);
const disabled = (page, selector) => page.$eval(selector, (button) => button.disabled);

// Puts a value into a number box and leaves it, as a user who types it does.
async function typeInto(page, selector, text) {
  await page.$eval(selector, (box, value) => {
    box.value = value;
    box.dispatchEvent(new Event('change'));
  }, text);
  assert.equal(await page.evaluate(() => window.orbiskPage.message()).then((m) =>
    /must be/.test(m)), false, `${selector} took ${text}`);
}

// The data-file fields of a picture's record text.
const recordOf = (picture) => picture.match(/^record (.*)$/m)[1].split(',').map(Number);

// The files the page downloads go to folder; resolves with the name of the next one.
async function downloadsTo(page, name) {
  const into = join(folder, name);
  mkdirSync(into, { recursive: true });
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: into });
  return async () => {
    for (let i = 0; i < 100; i++) {
      const done = readdirSync(into).filter((f) => !f.endsWith('.crdownload'));
      if (done.length > 0) return join(into, done[0]);
      await new Promise((r) => setTimeout(r, 100));
    }
    throw new Error('nothing was downloaded');
  };
}

describe('values changed during a run', () => {
  test('stay in the panel when the run ends, and the next run draws them', async () => {
    const page = await openPage(browser, server.url);
    await typeInto(page, '#field-hsbsize', '1000');  // a run of some seconds
    await page.click('#draw');
    await typeInto(page, '#field-hsbv2', '41');
    await page.select('#field-inverse', '1');
    await typeInto(page, '#field-hsbsize', '900');
    // A number still being typed when the run ends stays too.
    await page.focus('#field-hsbv3');
    await page.$eval('#field-hsbv3', (box) => { box.value = '4'; });
    await page.evaluate(() => document.getElementById('stop').click());
    await idle(page);
    assert.equal(await value(page, '#field-hsbv3'), '4');
    await page.keyboard.press('Backspace');
    await page.keyboard.type('42');
    await page.keyboard.press('Tab');
    assert.equal(await value(page, '#field-hsbv2'), '41');
    assert.equal(await value(page, '#field-inverse'), '1');
    assert.equal(await value(page, '#field-hsbsize'), '900');
    await typeInto(page, '#field-hsbsize', '60');
    await page.click('#draw');
    await idle(page);
    const drawn = recordOf(await page.evaluate(() => window.orbiskPage.drawnPicture()));
    assert.deepEqual([drawn[0], drawn[14], drawn[15], drawn[20]], [60, 41, 42, 1]);
    await page.close();
  });

  test('a value a column reads reaches the run; its picture then claims no record', async () => {
    const page = await openPage(browser, server.url);
    await typeInto(page, '#field-hsbsize', '1000');
    await page.click('#draw');
    await typeInto(page, '#field-hsbxray', '9');
    await idle(page);
    assert.equal(await page.evaluate(() => window.orbiskPage.complete()), true);
    assert.equal(await page.evaluate(() => window.orbiskPage.exact()), false);
    assert.equal(await value(page, '#link'), '');
    assert.match(await page.evaluate(() => window.orbiskPage.message()), /has no link/);
    const png = Buffer.from(await page.evaluate(() => window.orbiskPage.pictureFile()), 'base64');
    assert.equal(png.includes('Orbisk record'), false);
    assert.equal(firstDifference(decodePng(png), await pagePixels(page)), null);
    await page.close();
  });
});

describe('Back and Forward', () => {
  test('walk only the page\'s own pictures and are disabled at their ends', async () => {
    const page = await openPage(browser, server.url);
    const ends = () => Promise.all([disabled(page, '#back'), disabled(page, '#forward')]);
    assert.deepEqual(await ends(), [true, true]);
    await page.click('#draw');
    await idle(page);
    const first = await page.evaluate(() => location.href);
    assert.deepEqual(await ends(), [true, true]);
    await openOnPage(page, 'second.dat', Buffer.from(record({ 1: 60 })));
    assert.deepEqual(await ends(), [false, true]);
    for (const [button, href, expected] of [
      ['#back', first, [true, false]], ['#forward', null, [false, true]]]) {
      await page.click(button);
      await page.waitForFunction((d) => document.querySelector('#back').disabled === d, {},
        expected[0]);
      await idle(page);
      if (href) assert.equal(await page.evaluate(() => location.href), href);
      assert.deepEqual(await ends(), expected, button);
    }
    await page.close();
  });
});

describe('gallery', () => {
  test('keeps the focus on a cell and every cell where it was first shown', async () => {
    const page = await openPage(browser, server.url);
    const focusOnCell = () => page.evaluate(() =>
      document.activeElement.parentElement === document.getElementById('gallery-cells'));
    await page.click('#gallery-open');
    assert.equal(await focusOnCell(), true, 'on opening');
    await page.waitForFunction(() => [...document.querySelectorAll('#gallery-cells button')]
      .some((b) => b.getAttribute('aria-label').endsWith('draw it large')));
    const places = () => page.evaluate(() => Object.fromEntries(
      [...document.querySelectorAll('#gallery-cells button')].map((b) => {
        const box = b.getBoundingClientRect();
        return [b.getAttribute('aria-label').split(/[,:]/)[0], [box.x, box.y]];
      })));
    const shown = await places();
    await page.waitForFunction(() => document.getElementById('gallery').dataset.filled === '12',
      { timeout: 120000 });
    assert.deepEqual(await places(), shown);
    assert.equal(await focusOnCell(), true, 'once all are drawn');
    await page.click('#gallery-more');
    assert.equal(await focusOnCell(), true, 'after More');
    await page.close();
  });
});

describe('on a phone', () => {
  test('a long file name or value text wraps instead of widening the page', async () => {
    const page = await openPage(browser, server.url);
    await page.setViewport({ width: 390, height: 844 });
    const odd = Buffer.from(record({ 1: 60, 4: 3, 26: 7 }) + '\r\n');
    for (const [name, bytes, words] of [
      ['an-unusually-long-file-name-without-any-spaces-in-it-at-all.dat', Buffer.from('1,2\r\n'),
        /is not an Orbisk/],
      [`${'x'.repeat(3000)}.dat`, Buffer.from('1,2\r\n'), /is not an Orbisk/],
      ['odd.dat', odd, /neither Inward nor Outward/],
    ]) {
      await openOnPage(page, name, bytes);
      assert.match(await page.evaluate(() => window.orbiskPage.message()), words);
      assert.equal(await page.evaluate(() => document.documentElement.scrollWidth), 390,
        name.slice(0, 20));
    }
    await page.close();
  });
});

describe('links', () => {
  test('a NUL after the record is refused, as in a PNG record', async () => {
    const page = await openPage(browser, `${server.url}#r=${startUp()}%00`);
    assert.match(await page.evaluate(() => window.orbiskPage.message()),
      /^This link does not name an Orbisk picture: it holds a NUL character\.$/);
    assert.equal(await page.evaluate(() => window.orbiskPage.drawnPicture()), null);
    await page.close();
  });
});

describe('loading', () => {
  for (const missing of ['orbisk-core.wasm', 'orbisk-core.js']) {
    test(`without ${missing} the page says it cannot draw and offers no commands`, async () => {
      const page = await browser.newPage();
      // Past the service worker an earlier test left, which keeps the module: the site as a
      // first visit finds it.
      await page.setBypassServiceWorker(true);
      await page.setRequestInterception(true);
      page.on('request', (request) => (request.url().endsWith(missing) ? request.abort()
        : request.continue()));
      await page.goto(server.url);
      await page.waitForSelector('body[data-ready="failed"]');
      assert.match(await page.$eval('#message', (m) => m.textContent), /could not load/);
      for (const id of ['draw', 'random', 'gallery-open', 'explore-open', 'breed-open', 'open',
        'save-data', 'hints-open', 'about-open'])
        assert.equal(await disabled(page, `#${id}`), true, id);
      await page.close();
    });
  }
});

describe('previews', () => {
  // The preview's canvas once it shows the last values it was given.
  async function preview(page, kind) {
    await page.waitForFunction((k) => {
      const { dataset } = document.getElementById(`preview-${k}`);
      return dataset.drawn && dataset.drawn === dataset.ordered;
    }, {}, kind);
    return page.$eval(`#preview-${kind}`, (canvas) => canvas.toDataURL());
  }
  const pixelsOf = (dataUrl) => decodePng(Buffer.from(dataUrl.split(',')[1], 'base64'));

  test('each shows its own values only; the shape\'s is the desktop\'s shape preview', async () => {
    const page = await openPage(browser, server.url);
    const colours = await preview(page, 'colours');
    const shape = await preview(page, 'shape');
    assert.notEqual(colours, shape);
    await typeInto(page, '#field-hsbimage', '20');
    assert.equal(await preview(page, 'colours'), colours);
    const shape20 = await preview(page, 'shape');
    assert.notEqual(shape20, shape);
    const file = join(folder, 'shape20.dat');
    writeFileSync(file, record({ 1: 40, 20: 20, 26: 2 }) + '\r\n');
    assert.equal(firstDifference(pixelsOf(shape20), rendered(file, folder)), null);
    await typeInto(page, '#field-hsbxray', '9');
    assert.notEqual(await preview(page, 'colours'), colours);
    assert.equal(await preview(page, 'shape'), shape20);
    await page.close();
  });
});

describe('menu values from a file', () => {
  test('a value no entry shows is shown with what it counts as', async () => {
    const page = await openPage(browser, server.url);
    await openOnPage(page, 'odd.dat', Buffer.from(record({ 1: 60, 4: 3, 26: 7, 27: 7 }) + '\r\n'));
    const message = await page.evaluate(() => window.orbiskPage.message());
    for (const [id, shown, why] of [
      ['framesize', '7', /^7: drawn as Regular, as is every frame but 2 and 3$/],
      ['direction', '3', /^3: neither Inward nor Outward/],
      ['borderlen', '7', /^X7: 7 times the columns of X1$/],
    ]) {
      const select = `#field-${id}`;
      assert.equal(await value(page, select), shown, id);
      const text = await page.$eval(select, (s) => s.selectedOptions[0].textContent);
      assert.match(text, why, id);
      assert.ok(message.includes(text), `${id} in "${message}"`);
    }
    // Choosing an entry of the menu takes the odd value's entry away.
    await page.select('#field-framesize', '2');
    assert.equal(await page.$$eval('#field-framesize option', (o) => o.length), 3);
    await page.close();
  });
});

describe('Save picture', () => {
  test('names the file after the picture and writes RGB; the page has the program\'s icon',
    async () => {
      const page = await openPage(browser, server.url);
      for (const [open, expected] of [
        [null, /^orbisk-\d{4}-\d\d-\d\d-\d\d-\d\d-\d\d\.png$/],
        ['my picture.dat', /^my picture\.png$/],
      ]) {
        if (open) await openOnPage(page, open, Buffer.from(record({ 1: 60 }) + '\r\n'));
        else {
          await page.click('#draw');
          await idle(page);
        }
        const next = await downloadsTo(page, open ? 'named' : 'timed');
        await page.click('#save-picture');
        const saved = await next();
        assert.match(saved.split('/').pop(), expected);
        const png = readFileSync(saved);
        assert.equal(png[25], 2, 'colour type RGB');
        assert.equal(firstDifference(decodePng(png), await pagePixels(page)), null);
        assert.equal(firstDifference(rendered(saved, folder), await pagePixels(page)), null);
      }
      const icon = await page.evaluate(async () => {
        const link = document.querySelector('link[rel="icon"]');
        const answer = await fetch(link.href);
        return { ok: answer.ok, bytes: [...new Uint8Array(await answer.arrayBuffer())] };
      });
      assert.equal(icon.ok, true);
      assert.deepEqual(Buffer.from(icon.bytes),
        readFileSync(join(repo, 'data/icons/hicolor/32x32/apps/org.orbisk.Orbisk.png')));
      await page.close();
    });
});
