// The outline's time on the page beside quillon-cli's on this machine: the
// note, the SVG and the DXF of each pulley, as the page's downloads make
// them, in one headless Chromium; natively, `outline --format svg` and
// `--format dxf` run back to back (the program's start, about a millisecond,
// included).
//   node bench/web/outline_time.mjs build-web/quillon.html build/cli/quillon-cli [runs]
import { execFileSync } from 'node:child_process';
import { launchBrowser, openOffline } from '../../tests/ui/web/browser.mjs';

const [pageFile, cli, runs = '5'] = process.argv.slice(2);
const pulleys = [['MXL', '40'], ['T20', '1000'], ['T20', '5000'], ['T20', '100000']];
// Inside the page: the module's outline function as the page calls it, its
// answer read out as a text, timed.
function timeOnPage(belt, teeth, runs) {
  const text = (value) => {
    const size = lengthBytesUTF8(value) + 1;
    const at = _malloc(size);
    stringToUTF8(value, at, size);
    return at;
  };
  const times = [];
  for (let i = 0; i < runs; ++i) {
    const start = performance.now();
    for (const format of ['svg', 'dxf']) {
      const [b, t, f] = [belt, teeth, format].map(text);
      UTF8ToString(_quillonOutlineFile(b, t, f));
      [b, t, f].forEach(_free);
    }
    times.push(performance.now() - start);
  }
  return times;
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await launchBrowser();
try {
  const { page } = await openOffline(browser, pageFile);
  await page.waitForSelector('#Form1[data-calculates]');
  for (const [belt, teeth] of pulleys) {
    const onPage = await page.evaluate(timeOnPage, belt, teeth, Number(runs));
    const native = [];
    for (let i = 0; i < Number(runs); ++i) {
      const start = process.hrtime.bigint();
      for (const format of ['svg', 'dxf']) execFileSync(cli, ['outline', belt, teeth, '--format', format], { stdio: 'ignore' });
      native.push(Number(process.hrtime.bigint() - start) / 1e6);
    }
    const [p, n] = [median(onPage), median(native)];
    console.log(`${belt} ${teeth}: page ${p.toFixed(1)} ms, quillon-cli ${n.toFixed(1)} ms (${(p / n).toFixed(2)}x)`);
  }
} finally {
  await browser.close();
}
