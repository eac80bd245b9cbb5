// The page installed for use offline: with its service worker in place it loads and draws with
// the network gone, its manifest makes it installable, and a new build of the site replaces the
// kept one on the next load.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import {
  firstDifference, launch, pagePixels, removeFolder, rendered, repo, serve, site, tempFolder,
} from './harness.mjs';

let browser, folder;
const servers = [];  // every server a test started, closed at the end even when a test fails
before(async () => {
  browser = await launch();
  folder = tempFolder();
});
after(async () => {
  await browser?.close();
  await Promise.all(servers.map((server) => server.close()));
  removeFolder(folder);
});

async function served(from) {
  const server = await serve(from);
  servers.push(server);
  return server;
}

// A page of its own browser profile (so no other test's worker is in place) at url, once the
// service worker controls it and keeps the site.
async function installedPage(url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  page.on('pageerror', (error) => { page.lastError = error; });
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  return { context, page };
}

const cacheNames = (page) => page.evaluate(() => caches.keys());

test('with the network gone the page loads from its own cache and draws the start-up picture',
  async () => {
    const server = await served();
    const { context, page } = await installedPage(server.url);
    const worker = await context.waitForTarget((target) => target.type() === 'service_worker');
    // Offline for the page and for its worker, and nothing answers at the address any more.
    await page.setOfflineMode(true);
    const workerSession = await worker.createCDPSession();
    await workerSession.send('Network.enable');
    await workerSession.send('Network.emulateNetworkConditions',
      { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
    await server.close();

    const fromNetwork = [];
    page.on('response', (response) => {
      if (!response.fromServiceWorker() && !response.url().startsWith('data:'))
        fromNetwork.push(response.url());
    });
    const response = await page.reload();
    assert.ok(response.fromServiceWorker(), 'the page itself came from its worker');
    await page.waitForSelector('body[data-ready="true"]');
    await page.click('#draw');
    const pixels = await pagePixels(page);
    const expected = rendered(join(repo, 'tests/golden/startup.dat'), folder);
    assert.equal(firstDifference(pixels, expected), null);
    assert.deepEqual(fromNetwork, []);
    assert.equal(page.lastError, undefined);
    await context.close();
  });

test('the manifest makes the page installable with the program\'s icons', async () => {
  const server = await served();
  const page = await browser.newPage();
  await page.goto(server.url);
  await page.waitForSelector('body[data-ready="true"]');
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  const session = await page.createCDPSession();
  const manifest = await session.send('Page.getAppManifest');
  assert.deepEqual(manifest.errors, []);
  const icons = JSON.parse(manifest.data).icons;
  for (const { src } of icons) {
    const size = src.match(/orbisk-(\d+)\.png$/)[1];
    assert.deepEqual(readFileSync(join(site, src)),
      readFileSync(join(repo, `data/icons/hicolor/${size}x${size}/apps/org.orbisk.Orbisk.png`)));
  }
  const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
  await page.close();
});

test('a new build of the site replaces the kept one on the next load, and its old cache goes',
  async () => {
    const copy = join(folder, 'site');
    cpSync(site, copy, { recursive: true });
    const server = await served(copy);
    const { context, page } = await installedPage(server.url);
    const [first] = await cacheNames(page);

    // A new build: a changed page, and the worker the build writes for it.
    const index = join(copy, 'index.html');
    writeFileSync(index, readFileSync(index, 'utf8').replace('<title>Orbisk</title>',
      '<title>Orbisk, rebuilt</title>'));
    execFileSync('cmake', [`-DSITE=${copy}`, `-DTEMPLATE=${join(repo, 'web/service-worker.js.in')}`,
      '-P', join(repo, 'web/ServiceWorker.cmake')]);

    // The load that finds the new build still shows the kept page, and says a new one is there.
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    assert.equal(await page.title(), 'Orbisk');
    await page.waitForFunction(() => /new version of Orbisk/.test(window.orbiskPage.message()));
    await page.waitForFunction(async (old) => {
      const names = await caches.keys();
      return names.length === 1 && names[0] !== old;
    }, {}, first);

    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    assert.equal(await page.title(), 'Orbisk, rebuilt');
    await context.close();
  });
