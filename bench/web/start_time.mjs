// quillon.html against a bare page with the same 41 controls, the same
// styles and no script, side by side in one headless Chromium: their sizes,
// the time from navigation until the window is ready for input, and until a
// click on 计算 at that moment has filled Text13 on the screen (the bare
// page: until it is shown).
//   node bench/web/start_time.mjs build-web/quillon.html build-web/ui/web/page.html [starts]
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { launchBrowser } from '../../tests/ui/web/browser.mjs';

const [quillon, shell, starts = '20'] = process.argv.slice(2);
const folder = mkdtempSync(join(tmpdir(), 'quillon-bench-'));
const bare = join(folder, 'bare_window.html');
writeFileSync(bare, readFileSync(shell, 'utf8').replace('{{{ SCRIPT }}}', ''));

// Records, inside the page, when its window is shown and takes input (its
// first contentful paint, and for quillon.html its handlers in place too).
// And, measured alike on both pages, when a click on 计算 as soon as the
// window has been drawn (the animation frame after the first) has filled
// Text13 on the screen; the bare page has nothing to fill: the time it has
// been drawn.
function markReady() {
  const marks = {};
  const settle = () => {
    const form = document.getElementById('Form1');
    const scripted = !!document.querySelector('script');
    if (marks.painted === undefined || (scripted && !form.hasAttribute('data-ready')) || window.inputAt !== undefined)
      return;
    window.inputAt = Math.max(marks.painted, marks.handlers || 0);
  };
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) if (entry.name === 'first-contentful-paint') marks.painted = entry.startTime;
    settle();
  }).observe({ type: 'paint', buffered: true });
  const watchText13 = () => {
    if (document.getElementById('Text13').value !== 'Text13') window.filledAt = performance.now();
    else requestAnimationFrame(watchText13);
  };
  let frames = 0;
  const clickOnceDrawn = () => {
    const scripted = !!document.querySelector('script');
    if (++frames < 2 || (scripted && !document.getElementById('Form1').hasAttribute('data-ready'))) {
      requestAnimationFrame(clickOnceDrawn);
    } else if (!scripted) {
      window.filledAt = performance.now();
    } else {
      document.getElementById('Command1').click();
      requestAnimationFrame(watchText13);
    }
  };
  document.addEventListener('DOMContentLoaded', () => {
    const form = document.getElementById('Form1');
    const note = () => {
      if (form.hasAttribute('data-ready') && marks.handlers === undefined) marks.handlers = performance.now();
      settle();
    };
    note();
    new MutationObserver(note).observe(form, { attributes: true });
    requestAnimationFrame(clickOnceDrawn);
  });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const browser = await launchBrowser();
try {
  const times = { bare: [], quillon: [], bareFilled: [], filled: [] };
  for (let i = 0; i < Number(starts) + 1; ++i) {
    for (const [name, file] of [['bare', bare], ['quillon', quillon]]) {
      const page = await browser.newPage();
      await page.evaluateOnNewDocument(markReady);
      await page.goto(pathToFileURL(resolve(file)).href);
      await page.waitForFunction(() => window.filledAt !== undefined && window.inputAt !== undefined);
      const [input, filled] = await page.evaluate(() => [window.inputAt, window.filledAt]);
      if (i > 0) { // the first start warms the browser
        times[name].push(input);
        times[name === 'quillon' ? 'filled' : 'bareFilled'].push(filled);
      }
      await page.close();
    }
  }
  for (const [name, file] of [['bare page', bare], ['quillon.html', quillon]]) {
    const bytes = readFileSync(file);
    console.log(`${name}: ${bytes.length} bytes, ${gzipSync(bytes, { level: 9 }).length} gzipped`);
  }
  const [b, q, bf, f] = [times.bare, times.quillon, times.bareFilled, times.filled].map(median);
  console.log(`ready for input, median of ${starts}: bare page ${b.toFixed(1)} ms, quillon.html ${q.toFixed(1)} ms`
    + ` (${(q / b).toFixed(2)}x); 计算 clicked once drawn has filled Text13 at ${f.toFixed(1)} ms, the bare page`
    + ` drawn at ${bf.toFixed(1)} ms (${(f / bf).toFixed(2)}x)`);
} finally {
  await browser.close();
  rmSync(folder, { recursive: true, force: true });
}
