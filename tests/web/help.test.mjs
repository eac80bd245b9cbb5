// Hints and tips and About on the page: the program's own texts, opened by their buttons (Hints
// by F1 too), closed by Escape or their buttons; and every control of the page within reach on
// a phone 390 px wide and on a 1920 px screen.
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

const shown = (page, id) => page.$eval(`#${id}`, (dialog) => dialog.open);
const focused = (page) => page.evaluate(() => document.activeElement.id);
// The texts of a window, top to bottom, as the user reads them.
const textsOf = (page, id) => page.$eval(`#${id}`, (dialog) =>
  [...dialog.querySelectorAll('h2, p:not(.help-buttons), div.hints-text, strong, span, button')]
    .map((part) => part.textContent));

const hintsTexts = [
  'Orbisk - Hints and tips',
  'Orbisk is meant to be a userfriendly program.But maybe these hints and tips can be a help....',
  '   1. HOW TO : Click on \'create\' (menu) to make a picture.The identity of a picture is ' +
    'defined by the combination of a galaxy,solar system,world,lab,level,effect,fuctions ' +
    '(v1a,v1b), variables (v2,v3,v4),category and type. You can change all these options when ' +
    'you click \'origin\' (menu). Each number represents another formula. There are BILLIONS of ' +
    'possible combinations!   2. GETTING STARTED : open a dat-file,click \'create\' and change ' +
    'the origin-values to make a different picture. You can also make a random combination but ' +
    'it will take some more time to create an interesting picture. When you choose \'quick ' +
    'search\' (options-detail-low) only 25% of the pixels will be generated. A fast way to look ' +
    'for a picture.   3. SHAPE : Tip:center your picture by using the Up/Down- and ' +
    'Left/Right-buttons.   4. COLOURS : Tip:when using inverse colours increase the ' +
    'blue/red/green-values. Although you can change the backgroundcolour in any color you ' +
    'like,black usually gives the best results. The darkness of a grey picture can be changed ' +
    'with the red-value.     5. DATA : Tip:Save the pictures as thumbnails if you don\'t want ' +
    'to use to much diskspace. Tip:When you save its data you can always recreate and edit the ' +
    'picture later!   6. EXTRA : Tip :When you choose \'preferences-clear-use clearbutton\' you ' +
    'can see how the picture changes when you\'re editing it. You can also make a collage of ' +
    'different pictures.   7.RANDOM : click RANDOM a your computer will make a random ' +
    'combination of a galaxy,solar system,world,lab,level,effect,category,type,V1A and V1B.',
  'Questions and ideas are welcome:\nwrite to the Orbisk developers.',
  'Close',
];
const aboutTexts = [
  'About Orbisk...', 'Orbisk', 'Version 4.2', 'Made by the Orbisk developers.',
  'Questions and ideas are welcome:\nwrite to the Orbisk developers.',
  'Orbisk may be copied and given away freely. To order a printed manual, write to the Orbisk ' +
    'developers.',
  'OK',
];

describe('Hints and About', () => {
  const cases = [
    // [window, how it opens, what it shows]
    ['hints', (page) => page.click('#hints-open'), hintsTexts],
    ['hints', (page) => page.keyboard.press('F1'), hintsTexts],
    ['about', (page) => page.click('#about-open'), aboutTexts],
  ];
  for (const [id, open, texts] of cases) {
    test(`${id} opened ${open.toString().includes('F1') ? 'by F1' : 'by its button'}`,
      async () => {
        const page = await openPage(browser, server.url);
        await page.focus(`#${id}-open`);
        // Twice over: the text is there once at every opening.
        for (const close of ['Escape', 'button']) {
          await open(page);
          assert.equal(await shown(page, id), true);
          assert.deepEqual(await textsOf(page, id), texts);
          assert.equal(await focused(page), `${id}-close`);
          if (close === 'Escape') await page.keyboard.press('Escape');
          else await page.click(`#${id}-close`);
          assert.equal(await shown(page, id), false);
          assert.equal(await focused(page), `${id}-open`, 'the focus goes back');
        }
        assert.equal(page.lastError, undefined);
        await page.close();
      });
  }

  test('Escape in a window closes the window and leaves the run going', async () => {
    const page = await openPage(browser, server.url);
    await page.click('#draw');
    await page.click('#hints-open');
    await page.keyboard.press('Escape');
    assert.equal(await shown(page, 'hints'), false);
    await page.evaluate(() => window.orbiskPage.whenIdle());
    assert.equal(await page.evaluate(() => window.orbiskPage.complete()), true);
    await page.close();
  });
});

describe('every control within reach', () => {
  for (const [width, height] of [[390, 844], [1920, 1080]]) {
    test(`at ${width} px`, async () => {
      const page = await openPage(browser, server.url);
      await page.setViewport({ width, height });
      for (const id of ['hints', 'about']) {
        await page.click(`#${id}-open`);
        assert.equal(await shown(page, id), true, id);
      }
      // Nothing wider than the screen, and every control, the windows' included, inside it
      // from left to right, reachable by scrolling the page or its window and covered by
      // nothing.
      const outside = await page.evaluate(() => {
        const wide = document.documentElement.scrollWidth;
        const controls = [...document.querySelectorAll('button, input, select, [tabindex="0"]')]
          .filter((control) => !control.hidden && control.type !== 'file' &&
            control.closest('dialog:not([open])') === null);
        const out = controls.filter((control) => {
          control.scrollIntoView({ block: 'nearest', inline: 'nearest' });
          const box = control.getBoundingClientRect();
          // Scrolled into view, an edge may lie a fraction of a pixel outside.
          const hit = document.elementFromPoint((box.left + box.right) / 2,
            (box.top + box.bottom) / 2);
          return box.width === 0 || box.left < -1 || box.right > innerWidth + 1 || box.top < -1 ||
            box.bottom > innerHeight + 1 || !control.contains(hit);
        }).map((control) => control.id || control.outerHTML.slice(0, 80));
        return { wide, out, count: controls.length };
      });
      assert.equal(outside.wide, width);
      assert.deepEqual(outside.out, []);
      assert.ok(outside.count > 40, `${outside.count} controls`);
      await page.close();
    });
  }
});
