// What the browser tests share: the page's files served on the loopback address, Debian's
// Chromium driven headless, orbisk-render for the reference pictures and a PNG decoder.
import { execFileSync } from 'node:child_process';
import { createReadStream, existsSync, mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';
import { PNG } from 'pngjs';

export const site = process.env.ORBISK_WEB_SITE;
export const renderer = process.env.ORBISK_RENDER;
export const repo = process.env.ORBISK_REPO;
export const chromium = process.env.ORBISK_CHROMIUM || '/usr/bin/chromium';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.png': 'image/png', '.webmanifest': 'application/manifest+json' };

// Serves the site folder (or another copy of the site) on 127.0.0.1 at a free port; resolves
// with {url, close}. close also ends the connections the browser keeps open: the network is gone.
export function serve(folder = site) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(folder, path.endsWith('/') ? path + 'index.html' : path);
    if (!file.startsWith(folder) || !existsSync(file) || !statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' });
    createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    close: () => new Promise((done) => {
      server.close(done);
      server.closeAllConnections();
    }),
  })));
}

export function launch() {
  return puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'],
  });
}

// A fresh page at url (a fresh start of the program), ready for use.
export async function openPage(browser, url) {
  const page = await browser.newPage();
  page.on('pageerror', (error) => { page.lastError = error; });
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  return page;
}

// The canvas once every run is over: {width, height, rgba: Buffer}.
export async function pagePixels(page) {
  await page.evaluate(() => window.orbiskPage.whenIdle());
  const { width, height, rgba } = await page.evaluate(() => window.orbiskPage.pixels());
  return { width, height, rgba: Buffer.from(rgba, 'base64') };
}

// Opens a file on the page as the file picker does and waits for its picture.
export async function openOnPage(page, name, bytes) {
  await page.evaluate((n, b64) => window.orbiskPage.open(n, Uint8Array.from(atob(b64), (c) =>
    c.charCodeAt(0))), name, Buffer.from(bytes).toString('base64'));
  return pagePixels(page);
}

export function decodePng(bytes) {
  const png = PNG.sync.read(bytes);
  // Every Orbisk picture is opaque: compare red, green and blue with alpha 255.
  const rgba = Buffer.from(png.data);
  for (let i = 3; i < rgba.length; i += 4) rgba[i] = 255;
  return { width: png.width, height: png.height, rgba };
}

export const tempFolder = () => mkdtempSync(join(tmpdir(), 'orbisk-web-'));
export const removeFolder = (folder) => rmSync(folder, { recursive: true, force: true });

// orbisk-render's picture of a file: the decoded PNG.
export function rendered(input, folder, args = []) {
  const out = join(folder, `reference-${Math.random().toString(36).slice(2)}.png`);
  execFileSync(renderer, [...args, '-o', out, '--', input], { stdio: ['ignore', 'ignore', 'pipe'] });
  return decodePng(readFileSync(out));
}

// Where two pictures first differ, or null when they are the same pixel for pixel.
export function firstDifference(a, b) {
  if (a.width !== b.width || a.height !== b.height)
    return `sizes ${a.width} x ${a.height} and ${b.width} x ${b.height}`;
  for (let i = 0; i < a.rgba.length; i += 4) {
    if (a.rgba.readUInt32BE(i) !== b.rgba.readUInt32BE(i)) {
      const pixel = i / 4;
      return `pixel (${pixel % a.width}, ${Math.floor(pixel / a.width)}): ` +
        `${a.rgba.readUInt32BE(i).toString(16)} against ${b.rgba.readUInt32BE(i).toString(16)}`;
    }
  }
  return null;
}
