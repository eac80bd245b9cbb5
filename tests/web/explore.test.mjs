// Variations and children on the page: the core's, drawn in twelve cells; a pick draws the cell's
// picture large with its origin in its record, and Back returns to the picture it came from.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { launch, openPage, serve } from './harness.mjs';

let server, browser;
before(async () => {
  server = await serve();
  browser = await launch();
});
after(async () => {
  await browser?.close();
  await server?.close();
});

describe('explore', () => {
  test('twelve variations, a pick draws one large and Back returns', async () => {
    const page = await openPage(browser, server.url);
    await page.click('#draw');
    await page.evaluate(() => window.orbiskPage.whenIdle());
    const first = await page.evaluate(() => window.orbiskPage.drawnPicture());
    await page.click('#explore-open');
    await page.waitForFunction(() => document.getElementById('explore').dataset.filled === '12',
      { timeout: 120000 });
    await page.click('#explore-cells button');
    await page.evaluate(() => window.orbiskPage.whenIdle());
    assert.equal(await page.evaluate(() => window.orbiskPage.complete()), true);
    const picked = await page.evaluate(() => window.orbiskPage.drawnPicture());
    assert.match(picked, /\norigin variation \(more\) of /);
    assert.equal(await page.$eval('#explore-back', (button) => button.disabled), false);
    await page.waitForFunction(() => document.getElementById('explore').dataset.filled === '12',
      { timeout: 120000 });
    await page.click('#explore-back');
    await page.evaluate(() => window.orbiskPage.whenIdle());
    const back = await page.evaluate(() => window.orbiskPage.drawnPicture());
    assert.equal(back.match(/\nrecord .*\n/)[0], first.match(/\nrecord .*\n/)[0]);
    await page.close();
  });
});
