// The page in a real browser: its pictures are orbisk-render's pixel for pixel, its PNGs carry
// the record orbisk-render redraws, links and Back bring pictures back, bad input changes nothing.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync, readdirSync, existsSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import {
  decodePng, firstDifference, launch, openOnPage, openPage, pagePixels, removeFolder, rendered,
  renderer, repo, serve, tempFolder,
} from './harness.mjs';

// The golden traces' pictures (tools/trace/GoldenPictures.cpp) as data-file lines, with their
// detail: every shape family, both directions and Detail Low.
const goldenRecords = [
  ['point16-inward', '40,3,9,1,3,4,9,6,26,5,13,7,1001,1001,-120,300,48,1001,5,16,0,0,20,0,40,1,1,1,25,25,0,0', 'high'],
  ['bar4-outward', '30,2,6,2,5,3,2,5,8,3,7,6,1001,1001,40,40,48,1001,3,4,0,0,0,0,0,1,3,3,-20,40,50,-30', 'high'],
  ['stroke29', '36,1,12,2,2,8,6,3,11,2,4,13,1001,1001,40,40,48,1001,1,29,1,0,0,0,0,1,1,1,25,25,0,0', 'high'],
  ['tiled32-low', '30,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,32,0,0,0,0,0,1,1,1,25,25,0,0', 'low'],
  ['bar5-low-inward', '40,4,3,1,11,10,11,7,20,9,15,20,1001,1001,10,-70,100,1001,12,5,0,0,0,0,0,1,5,1,10,30,0,0', 'low'],
];

// The start-up data file in every frame (field 26) at both details.
function startUpCases() {
  const fields = readFileSync(join(repo, 'tests/golden/startup.dat'), 'latin1').trim().split(',');
  const cases = [];
  for (const frame of [1, 2, 3]) {
    for (const detail of ['high', 'low']) {
      fields[25] = String(frame);
      cases.push([`startup frame ${frame}`, fields.join(','), detail]);
    }
  }
  return cases;
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

// A fresh page with the detail chosen in the panel, then the data file opened.
async function pageOf(record, detail) {
  const page = await openPage(browser, server.url);
  if (detail === 'low') await page.select('#field-detailstep', '4');
  const pixels = await openOnPage(page, 'picture.dat', Buffer.from(record + '\r\n'));
  return { page, pixels };
}

describe('pictures equal orbisk-render\'s', () => {
  const strip = readdirSync(join(repo ?? '.', 'data/screenshots/strip'))
    .filter((name) => name.endsWith('.dat'))
    .map((name) => [name, readFileSync(join(repo, 'data/screenshots/strip', name), 'latin1').trim(), 'high']);
  for (const [name, record, detail] of [...startUpCases(), ...goldenRecords, ...strip]) {
    test(`${name} at Detail ${detail}`, async () => {
      const file = join(folder, 'case.dat');
      writeFileSync(file, record + '\r\n');
      const reference = rendered(file, folder, ['--detail', detail]);
      const { page, pixels } = await pageOf(record, detail);
      assert.equal(firstDifference(pixels, reference), null);
      assert.equal(page.lastError, undefined);
      await page.close();
    });
  }
});

describe('files', () => {
  test('a saved PNG carries the record orbisk-render redraws pixel for pixel', async () => {
    const { page } = await pageOf(goldenRecords[1][1], 'high');
    // A second CREATE starts from the working values the first run left: they travel too.
    await page.click('#draw');
    const shown = await pagePixels(page);
    const downloads = join(folder, 'downloads');
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    await page.click('#save-picture');
    // Named after the time it was drawn: the second run did not come from the file.
    const savedName = () => (existsSync(downloads) ? readdirSync(downloads) : [])
      .find((name) => /^orbisk-[-\d]+\.png$/.test(name));
    for (let i = 0; i < 100 && !savedName(); i++) await new Promise((r) => setTimeout(r, 100));
    const saved = join(downloads, savedName());
    const png = readFileSync(saved);
    assert.equal(firstDifference(decodePng(png), shown), null);
    assert.equal(firstDifference(rendered(saved, folder), shown), null);
    // And the page opens it again to the same picture.
    const again = await openPage(browser, server.url);
    assert.equal(firstDifference(await openOnPage(again, 'orbisk.png', png), shown), null);
    await Promise.all([page.close(), again.close()]);
  });

  test('orbisk-render\'s PNG, its record compressed, opens to the same picture', async () => {
    const file = join(folder, 'golden.dat');
    writeFileSync(file, goldenRecords[3][1] + '\r\n');
    const out = join(folder, 'rendered.png');
    execFileSync(renderer, ['--detail', 'low', '-o', out, file], { stdio: 'ignore' });
    const page = await openPage(browser, server.url);
    const pixels = await openOnPage(page, 'rendered.png', readFileSync(out));
    assert.equal(firstDifference(pixels, decodePng(readFileSync(out))), null);
    await page.close();
  });

  test('a damaged, foreign or cut-off file gets a message and changes nothing', async () => {
    const page = await openPage(browser, server.url);
    const png = readFileSync(join(repo, 'data/screenshots/pictures.png'));
    const badChecksum = Buffer.from(png);
    badChecksum[40] ^= 0xff;
    for (const [name, bytes, words] of [
      ['short.dat', Buffer.from('110,1,6\r\n'), 'is not an Orbisk data file'],
      ['empty.dat', Buffer.alloc(0), 'is not an Orbisk data file'],
      ['photo.png', png, 'carries no Orbisk record'],
      ['broken.png', badChecksum, 'damaged or incomplete'],
      ['cut.png', png.subarray(0, 100), 'damaged or incomplete'],
    ]) {
      const before = await page.evaluate(() => window.orbiskPage.nextPicture());
      await openOnPage(page, name, bytes);
      assert.match(await page.evaluate(() => window.orbiskPage.message()), new RegExp(words), name);
      assert.equal(await page.evaluate(() => window.orbiskPage.nextPicture()), before, name);
      assert.equal(await page.evaluate(() => window.orbiskPage.drawnPicture()), null, name);
    }
    await page.close();
  });
});

describe('links', () => {
  test('a link draws the same picture, and Back and Forward walk the pictures drawn', async () => {
    const { page, pixels: first } = await pageOf(goldenRecords[0][1], 'high');
    // The second picture starts from the working values the first left: the link carries them.
    const second = await openOnPage(page, 'second.dat', Buffer.from(goldenRecords[2][1]));
    assert.notEqual(firstDifference(first, second), null);
    assert.match(await page.evaluate(() => location.hash), /state\./);
    const link = await page.evaluate(() => location.href);
    const other = await openPage(browser, link);
    assert.equal(firstDifference(await pagePixels(other), second), null);
    await page.goBack();
    await new Promise((r) => setTimeout(r, 100));
    assert.equal(firstDifference(await pagePixels(page), first), null);
    await page.goForward();
    await new Promise((r) => setTimeout(r, 100));
    assert.equal(firstDifference(await pagePixels(page), second), null);
    await Promise.all([page.close(), other.close()]);
  });

  test('a malformed fragment is refused with a message and draws nothing', async () => {
    const record = goldenRecords[0][1];
    for (const fragment of ['%E0%A4%A', 'r=1,2,3', 'nonsense', `r=${record}&r=${record}`,
      `r=${record}&state.N1=5`, `r=${record}&d=2`, `r=${record}&program=9`, 'x'.repeat(5000),
      `r=${record}&b=-1`, `r=${record}&d`]) {
      const page = await openPage(browser, `${server.url}#${fragment}`);
      assert.match(await page.evaluate(() => window.orbiskPage.message()), /link/, fragment);
      assert.equal(await page.evaluate(() => window.orbiskPage.drawnPicture()), null, fragment);
      await page.close();
    }
  });
});

describe('keyboard', () => {
  test('Tab reaches every command and value, Enter draws and Escape stops', async () => {
    const page = await openPage(browser, server.url);
    const reached = new Set();
    for (let i = 0; i < 120; i++) {
      await page.keyboard.press('Tab');
      reached.add(await page.evaluate(() => document.activeElement.id || document.activeElement.name));
    }
    // Back and Forward are disabled until there is a picture to go back to.
    for (const id of ['draw', 'random', 'gallery-open', 'open', 'save-data', 'link', 'field-hsbgalaxy', 'field-hsbsize', 'field-hsbxray', 'field-hsbimage',
      'field-framesize', 'field-detailstep', 'field-inverse', 'field-background'])
      assert.ok(reached.has(id), id);
    await page.focus('#field-hsbsize');
    await page.keyboard.down('Control');
    await page.keyboard.press('a');
    await page.keyboard.up('Control');
    await page.keyboard.type('5');
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => window.orbiskPage.message()),
      'Size must be from 10 to 1000.');
    assert.equal(await page.$eval('#field-hsbsize', (box) => box.value), '110');
    // A picture of some seconds, stopped at once: it stays incomplete, and no PNG claims it.
    await page.focus('#field-hsbsize');
    await page.keyboard.down('Control');
    await page.keyboard.press('a');
    await page.keyboard.up('Control');
    await page.keyboard.type('1000');
    await page.focus('#draw');
    await page.keyboard.press('Enter');
    await page.keyboard.press('Escape');
    await page.evaluate(() => window.orbiskPage.whenIdle());
    assert.notEqual(await page.evaluate(() => window.orbiskPage.drawnPicture()), null);
    assert.equal(await page.evaluate(() => window.orbiskPage.complete()), false);
    assert.equal(await page.$eval('#save-picture', (button) => button.disabled), true);
    await page.close();
  });
});

describe('gallery', () => {
  test('the gallery fills twelve cells, and a click draws a cell large', async () => {
    const page = await openPage(browser, server.url);
    await page.click('#gallery-open');
    await page.waitForFunction(() => document.getElementById('gallery').dataset.filled === '12',
      { timeout: 120000 });
    await page.click('#gallery-cells button');
    await page.evaluate(() => window.orbiskPage.whenIdle());
    assert.equal(await page.evaluate(() => window.orbiskPage.complete()), true);
    await page.close();
  });
});
