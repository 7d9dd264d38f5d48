// quillon.html's 打印 and 退出, and its numbers in another language.
//   node print_test.mjs QUILLON_HTML CONTROLS_H
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { test } from 'node:test';
import { launchBrowser, openOffline } from './browser.mjs';

const [pageFile, controlsHeader] = process.argv.slice(2);
const controls = [...readFileSync(controlsHeader, 'utf8').matchAll(
  /\{"(\w+)",\s*(\w+),\s*"([^"]*)",\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)/g)]
  .map(([, name, kind, text, ...twips]) => ({ name, kind, text, rect: twips.map((t) => t / 15) }));

// How far a control's text may reach: its own width; for a caption, as in
// the desktop windows, on to the next control on its line that the drawing
// does not already put inside it.
function reach(control) {
  const [left, top, width, height] = control.rect;
  if (control.kind !== 'Label') return width;
  let right = 5190 / 15;
  for (const other of controls) {
    const [l, t, w, h] = other.rect;
    if (other !== control && t < top + height && t + h > top && l > left && l + w > left + width)
      right = Math.min(right, l);
  }
  return right - left;
}

async function withPage(lang, work) {
  const browser = await launchBrowser({ lang });
  try {
    const { page } = await openOffline(browser, pageFile);
    await page.waitForSelector('#Form1[data-calculates]');
    await work(page, browser);
  } finally {
    await browser.close();
  }
}

test('in German the numbers have decimal commas and the catalogue texts keep their stops', async () => {
  await withPage('de-DE', async (page) => {
    await page.click('#Command1');
    const [diameter, tolerance] = await page.$$eval('#Text13, #Text14', (boxes) => boxes.map((b) => b.value));
    assert.deepEqual([diameter, tolerance], ['25,872', '±0.05']);
    // Opened again, the page takes the separator it kept for the language.
    await page.reload();
    await page.waitForSelector('#Form1[data-calculates]');
    await page.evaluate(() => { Intl.NumberFormat = undefined; }); // asking the browser again would fail
    await page.click('#Command1');
    assert.equal(await page.$eval('#Text13', (box) => box.value), '25,872');
  });
});

test('打印 prints the window alone, on one page, every text inside its control at true size', async () => {
  await withPage('zh-CN', async (page) => {
    await page.click('#Command1');
    await page.evaluate(() => { window.printed = 0; window.print = () => { window.printed += 1; }; });
    await page.click('#Command2');
    assert.equal(await page.evaluate(() => window.printed), 1);

    const folder = mkdtempSync(join(tmpdir(), 'quillon-print-'));
    try {
      const pdf = join(folder, 'window.pdf');
      writeFileSync(pdf, await page.pdf({ format: 'A4' }));
      const shown = await page.evaluate((names) => names.map((n) => {
        const e = document.getElementById(n);
        const field = e.querySelector('input') || e;
        return field.tagName === 'INPUT' ? field.value : e.textContent;
      }), controls.map((c) => c.name));
      const layout = execFileSync('pdftotext', ['-bbox', pdf, '-'], { encoding: 'utf8' });
      assert.equal(layout.match(/<page /g).length, 1);
      const words = [...layout.matchAll(/<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</g)]
        .map(([, ...w]) => ({ box: w.slice(0, 4).map(Number), text: w[4] }));
      // The page margin is 12.7 mm, 36 pt; a CSS pixel is 0.75 pt.
      const margin = 36;
      const slack = 0.5;
      controls.forEach((control, i) => {
        const [left, top, , height] = control.rect.map((px) => px * 0.75);
        const width = reach(control) * 0.75;
        for (const text of String(shown[i]).split(/\s+/).filter(Boolean)) {
          const word = words.find((w) => w.text === text && !w.used);
          assert.ok(word, `${control.name}: "${text}" not printed`);
          word.used = true;
          // Across, the whole word; down, the middle of its line: pdftotext
          // gives a word the face's full ascent and descent, taller than a box.
          const [x0, y0, x1, y1] = word.box;
          const middle = (y0 + y1) / 2;
          assert.ok(x0 >= margin + left - slack && x1 <= margin + left + width + slack
            && middle >= margin + top && middle <= margin + top + height,
          `${control.name}: "${text}" at ${word.box} outside ${[left, top, width, height]}`);
        }
      });
      assert.deepEqual(words.filter((w) => !w.used).map((w) => w.text), []);
    } finally {
      rmSync(folder, { recursive: true, force: true });
    }
  });
});

test('退出 closes a window a script opened, and elsewhere ends the window and says so', async () => {
  await withPage('zh-CN', async (page, browser) => {
    await page.click('#Command3');
    await page.waitForSelector('#Form1', { hidden: true });
    assert.equal(await page.$eval('#ended', (p) => p.hidden), false);

    // A window the page's own script opened may be closed by it.
    await page.evaluate((url) => { window.opened = window.open(url); }, pathToFileURL(pageFile).href);
    const target = await browser.waitForTarget((t) => t.url().endsWith('quillon.html') && t.opener());
    const opened = await target.page();
    await opened.waitForSelector('#Form1[data-calculates]');
    await opened.click('#Command3');
    await page.waitForFunction(() => window.opened.closed);
  });
});
