// Screenshots of quillon.html for people to look at: as it starts, and after
// 计算 with the outline below the window.
//   node tests/ui/web/screenshots.mjs build-web/quillon.html START_PNG OUTLINE_PNG
import { launchBrowser, openOffline } from './browser.mjs';

const [pageFile, startShot, outlineShot] = process.argv.slice(2);
const browser = await launchBrowser();
try {
  const { page } = await openOffline(browser, pageFile);
  await page.setViewport({ width: 380, height: 360 });
  await page.waitForSelector('#Form1[data-calculates]');
  await page.screenshot({ path: startShot });
  await page.select('#Combo1 select', 'XL');
  await page.$eval('#Text1', (box) => { box.value = '20'; });
  await page.click('#Command1');
  await page.setViewport({ width: 380, height: 820 });
  // The outline follows the boxes in a task of its own.
  await page.waitForFunction(() => document.getElementById('outlineNote').textContent !== ''
    && document.getElementById('outlineDrawing').complete);
  await page.screenshot({ path: outlineShot, fullPage: true });
} finally {
  await browser.close();
}
