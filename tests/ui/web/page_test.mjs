// quillon.html worked as a user would, in headless Chromium, opened from a
// file with every network request refused.
//   node page_test.mjs QUILLON_HTML QUILLON_CLI CONTROLS_H
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { launchBrowser, openOffline } from './browser.mjs';

const [pageFile, cli, controlsHeader] = process.argv.slice(2);

// The control table as ui/controls.h writes it, read independently of the
// page's own generator.
const controls = [...readFileSync(controlsHeader, 'utf8').matchAll(
  /\{"(\w+)",\s*(\w+),\s*"([^"]*)",\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),\s*"([^"]*)"\}/g)]
  .map(([, name, kind, text, left, top, width, height, accessibleName]) => ({
    name, kind, text, accessibleName, rect: [left, top, width, height].map((twips) => twips / 15),
  }));
const boxes = controls.filter((c) => c.kind === 'TextBox' && c.name !== 'Text1').map((c) => c.name);
const warning = readFileSync(new URL('../../../ui/texts.h', import.meta.url), 'utf8')
  .match(/kToothCountOutOfRange = "([^"]*)"/)[1];

let browser;
let page;
let refused;
before(async () => {
  assert.equal(controls.length, 41);
  browser = await launchBrowser();
  ({ page, refused } = await openOffline(browser, pageFile));
  await page.waitForSelector('#Form1[data-calculates]');
});
after(() => browser && browser.close());

const readBoxes = () => page.evaluate((names) => names.map((n) => document.getElementById(n).value), boxes);
const fieldOf = (name) => (name === 'Combo1' ? '#Combo1 input' : `#${name}`);
async function typeInto(name, text) {
  await page.focus(fieldOf(name));
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyA');
  await page.keyboard.up('Control');
  await page.keyboard.type(text);
}
function nativeRun(beltType, teeth, separator = '.') {
  const json = execFileSync(cli, ['run', beltType, '--format', 'json', '--decimal-separator', separator, '--', teeth]);
  const rows = JSON.parse(json).rows;
  return boxes.map((name) => rows.find((row) => row.box === name).text);
}

test('starts as drawn: every control where the table puts it, with its text, the focus in Combo1', async () => {
  const shown = await page.evaluate((names) => {
    const form = document.getElementById('Form1').getBoundingClientRect();
    return names.map((name) => {
      const element = document.getElementById(name);
      const r = element.getBoundingClientRect();
      const field = element.querySelector('input') || element;
      return { rect: [r.left - form.left, r.top - form.top, r.width, r.height],
        text: field.tagName === 'INPUT' ? field.value : element.textContent };
    });
  }, controls.map((c) => c.name));
  controls.forEach((control, i) => {
    assert.deepEqual(shown[i], { rect: control.rect, text: control.text }, control.name);
  });
  assert.equal(await page.evaluate(() => document.activeElement.closest('[id]').id), 'Combo1');
  assert.deepEqual(refused, []);
});

test('Tab goes through the controls in the table order, labels left out', async () => {
  const order = [];
  await page.focus('#Combo1 input');
  for (const _ of controls.filter((c) => c.kind !== 'Label')) {
    order.push(await page.evaluate(() => document.activeElement.closest('[id]').id));
    await page.keyboard.press('Tab');
  }
  assert.deepEqual(order, controls.filter((c) => c.kind !== 'Label').map((c) => c.name));
});

test('every box has the accessible name of the desktop windows', async () => {
  const tree = await page.accessibility.snapshot({ interestingOnly: false });
  const named = [];
  const walk = (node) => {
    if (node.role === 'textbox' || node.role === 'combobox') named.push(node.name);
    (node.children || []).forEach(walk);
  };
  walk(tree);
  assert.deepEqual(named, controls.filter((c) => c.kind === 'TextBox' || c.kind === 'ComboBox')
    .map((c) => c.accessibleName));
});

test('计算 fills the twenty boxes as quillon-cli run does', async () => {
  // Right after start, untouched: MXL and 40.
  await page.click('#Command1');
  assert.deepEqual(await readBoxes(), nativeRun('MXL', '40'));
  const cases = [
    { pick: 'L', teeth: '20' },
    { pick: 'STPD S14M', teeth: '4 0' },
    { type: 'T5', teeth: '20' },
    { type: 'T5', teeth: '20.5' },
    { type: 'HTD8M', teeth: '４０' },
    { type: 'XXH', teeth: '&H5A' },
  ];
  for (const c of cases) {
    if (c.pick) await page.select('#Combo1 select', c.pick);
    else await typeInto('Combo1', c.type);
    await typeInto('Text1', c.teeth);
    await page.click('#Command1');
    assert.deepEqual(await readBoxes(), nativeRun(c.pick || c.type, c.teeth), JSON.stringify(c));
  }
  // A belt type is passed on exactly as typed: with a blank, it names none.
  await typeInto('Combo1', 'MXL ');
  await page.click('#Command1');
  assert.deepEqual((await readBoxes()).slice(0, 2), ['', '0']);
});

test('a tooth count beyond a double warns and changes no box', async () => {
  await page.select('#Combo1 select', 'MXL');
  for (const teeth of ['1e400', '9'.repeat(2000000)]) {
    const before = await readBoxes();
    await page.$eval('#Text1', (box, text) => { box.value = text; }, teeth);
    // The alert holds the page until it is answered.
    const shown = new Promise((resolve) => page.once('dialog', (dialog) => {
      resolve(dialog.message());
      dialog.accept();
    }));
    await page.click('#Command1');
    assert.equal(await shown, warning);
    assert.deepEqual(await readBoxes(), before, `${teeth.length} characters`);
  }
});

// 计算, then the outline once it has followed: its note is written anew.
async function calculateWithOutline() {
  await page.$eval('#outlineNote', (p) => { p.textContent = ''; });
  await page.click('#Command1');
  await page.waitForFunction(() => document.getElementById('outlineNote').textContent !== '', { timeout: 60000 });
  return page.$eval('#outlineNote', (p) => p.textContent);
}
// Shown on the page: not hidden, and not hidden by its styles either.
const isShown = (selector) => page.$eval(selector, (element) => getComputedStyle(element).display !== 'none');
const cliOutline = (...args) => spawnSync(cli, ['outline', ...args], { encoding: 'utf8' });

test('below the window: the outline, and downloads byte for byte as quillon-cli outline writes them', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'quillon-downloads-'));
  try {
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    // Files are named for the tooth count as 计算 reads it: full-width
    // digits are 20 teeth, as they are for the boxes.
    for (const { belt, teeth, read, approximate } of [{ belt: 'XL', teeth: '２０', read: '20' },
      { belt: 'HTD5M', teeth: '30', read: '30', approximate: true }]) {
      await page.select('#Combo1 select', belt);
      await typeInto('Text1', teeth);
      await calculateWithOutline();
      const extra = approximate ? ['--approximate'] : [];
      for (const format of ['dxf', 'svg']) {
        await page.click(`#outline${format === 'dxf' ? 'Dxf' : 'Svg'}`);
        const saved = join(folder, `${belt}-${read}.${format}`);
        for (let waited = 0; !existsSync(saved) && waited < 100; waited += 1) await new Promise((r) => setTimeout(r, 50));
        const written = execFileSync(cli, ['outline', belt, read, '--format', format, ...extra]);
        assert.ok(readFileSync(saved).equals(written), `${belt} ${teeth} ${format}`);
      }
      assert.equal(await page.$eval('#outlineDrawing', (img) => img.complete && img.naturalWidth > 0), true);
    }
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

// The numbers the command's English names, the page names in Chinese.
const numbersIn = (text) => text.match(/-?\d+(\.\d+)?( mm|°)?/g) || [];
const isChinese = (text) => /[\u4e00-\u9fff]/.test(text) && !/\b[a-z]{3,}\b/.test(text); // no English word

test('the note and every refusal are in Chinese, with the numbers quillon-cli names', async () => {
  await page.select('#Combo1 select', 'HTD5M');
  await typeInto('Text1', '30');
  const note = await calculateWithOutline();
  const said = cliOutline('HTD5M', '30', '--approximate').stderr;
  assert.ok(isChinese(note), note);
  for (const number of numbersIn(said.slice(said.indexOf('teeth:')))) assert.ok(note.includes(number), `${number} in ${note}`);

  // Each obstacle once, with the reason's opening: the pulley it names.
  for (const [belt, teeth, opening] of [['STPD S2M', '20', 'STPD S2M 无法绘制轮廓'], ['XL', '20.5', '带轮的齿数应为整数'],
    ['XL', '2', '轮廓只能绘制 3 到'], ['T2.5', '6', 'T2.5 在 6 齿时无法绘制轮廓'], ['XL', '3', 'XL 在 3 齿时'],
    ['T2.5', '3', 'T2.5 在 3 齿时'], ['HTD3M', '3', 'HTD3M 在 3 齿时'], ['HTD20M', '40', 'HTD20M 在 40 齿时']]) {
    await page.select('#Combo1 select', belt);
    await typeInto('Text1', teeth);
    const reason = await calculateWithOutline();
    const refusal = cliOutline(belt, teeth, '--approximate').stderr;
    assert.ok(isChinese(reason), reason);
    assert.ok(reason.startsWith(opening), reason);
    // quillon-cli refuses a tooth count itself, before the core, in words
    // of its own; the core's obstacles carry the same numbers on both.
    const refusedByTheCommand = refusal.includes('TEETH "');
    for (const number of refusedByTheCommand ? [] : numbersIn(refusal.replace(/^quillon-cli: /, '').replace(`${belt} at ${teeth} teeth`, '')))
      assert.ok(reason.includes(number), `${number} in ${reason}\n${refusal}`);
    // No drawing is left of the pulley before.
    assert.equal(await isShown('#outlineDrawing'), false);
    assert.equal(await isShown('#outlineFiles'), false);
  }
});

test('计算 fills and paints the boxes before the outline is made', async () => {
  await page.select('#Combo1 select', 'T20');
  await typeInto('Text1', '5000');
  const [pitchDiameter, note] = await page.evaluate(async () => {
    const box = (name) => document.getElementById(name);
    box('outlineNote').textContent = '';
    box('Command1').click();
    // The handler waits for the module, already there: a turn of promises.
    for (let i = 0; i < 3; ++i) await Promise.resolve();
    return new Promise((resolve) => requestAnimationFrame(() => resolve([box('Text13').value, box('outlineNote').textContent])));
  });
  assert.equal(pitchDiameter, nativeRun('T20', '5000')[boxes.indexOf('Text13')]);
  assert.equal(note, '');
});

// Dark pixels of the preview as the browser draws it into its box.
const darkPixelsOfPreview = () => page.$eval('#outlineDrawing', (img) => {
  const canvas = document.createElement('canvas');
  canvas.width = canvas.height = 346;
  const context = canvas.getContext('2d');
  context.drawImage(img, 0, 0, 346, 346);
  const { data } = context.getImageData(0, 0, 346, 346);
  let dark = 0;
  for (let i = 0; i < data.length; i += 4) dark += data[i + 3] > 0 && data[i] + data[i + 1] + data[i + 2] < 384;
  return dark;
});

test('the preview keeps a visible line for a large pulley; above 10000 teeth it says there is none', async () => {
  await page.select('#Combo1 select', 'T20');
  await typeInto('Text1', '5000');
  await calculateWithOutline();
  await page.waitForFunction(() => document.getElementById('outlineDrawing').complete);
  // The outside circle alone, one pixel wide, is about a thousand pixels.
  assert.ok(await darkPixelsOfPreview() > 500, `${await darkPixelsOfPreview()} dark pixels`);

  await typeInto('Text1', '20000');
  const note = await calculateWithOutline();
  assert.match(note, /不显示轮廓预览/);
  assert.equal(await isShown('#outlineDrawing'), false);
  assert.equal(await isShown('#outlineFiles'), true);
});
