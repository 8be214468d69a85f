// Figures of a first visit to the page, in Debian's Chromium: what it
// downloads (gzip -9, as a server compresses it), how long until the menu
// shows, and how long from a key press to its output. Reported, not judged.
//
//   VELDRA_PAGE=build/web/page node bench/first_visit.mjs
// (puppeteer-core from web/'s development packages: npm ci in web/)

import { gzipSync } from 'node:zlib';

import { launchBrowser, servePage } from '../tests/web/page_driver.mjs';

const server = await servePage(process.env.VELDRA_PAGE);
const browser = await launchBrowser();
try {
  const page = await browser.newPage();
  const files = [];
  // A response without a body (a redirect) downloads nothing.
  page.on('response', (response) => {
    files.push(response.buffer().then((body) => gzipSync(body, { level: 9 }).length, () => 0));
  });
  await page.setViewport({ width: 1500, height: 1000 });
  await page.goto(server.url);
  await page.waitForFunction(() => (window.veldraPage?.menuShownAt ?? null) !== null);
  const menuAfter = await page.evaluate(() => window.veldraPage.menuShownAt);
  await page.click('#terminal');
  const delays = [];
  for (let i = 0; i < 100; ++i) {
    await page.keyboard.type(i % 2 === 0 ? 'w' : ' ');
    delays.push(
      await page.evaluate(async () => {
        const p = window.veldraPage;
        while (p.lastOutputAt < p.lastKeyAt) await new Promise((r) => setTimeout(r, 1));
        return p.lastOutputAt - p.lastKeyAt;
      }),
    );
  }
  delays.sort((a, b) => a - b);
  const total = (await Promise.all(files)).reduce((a, b) => a + b, 0);
  console.log(
    `first visit: ${files.length} files, ${(total / 1024).toFixed(1)} KiB compressed (gzip -9); ` +
      `menu shown ${menuAfter.toFixed(0)} ms after opening; key to output: median ` +
      `${delays[50].toFixed(1)} ms, slowest ${delays[99].toFixed(1)} ms of 100`,
  );
} finally {
  await browser.close();
  await server.close();
}
