// Debian's Chromium, headless, for the page's tests, its screenshots and its
// start-up benchmark; and the page opened from a file with every network
// request refused.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

// Without the background-networking flags Chromium's own connections are
// refused many at a time; as root it needs --no-sandbox. Headless, the
// browser's language (navigator.language) comes from --accept-lang.
export async function launchBrowser({ lang = 'zh-CN' } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'quillon-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.QUILLON_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    env: { ...process.env, LANGUAGE: lang, LANG: `${lang.replace('-', '_')}.UTF-8` },
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--lang=${lang}`, `--accept-lang=${lang}`],
  });
  // The profile goes once the browser has ended.
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
  };
  return browser;
}

// Opens a file in a new page and refuses every request but for that file
// (and data: URLs, which are no network); refused lists what was asked for.
export async function openOffline(browser, file) {
  const url = pathToFileURL(file).href;
  const page = await browser.newPage();
  const refused = [];
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (request.url() === url || request.url().startsWith('data:')) request.continue();
    else {
      refused.push(request.url());
      request.abort();
    }
  });
  await page.goto(url);
  return { page, refused };
}
