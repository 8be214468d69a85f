// Lighthouse on the page as the README serves it (no compression), phone
// emulation, Debian's Chromium: the scores and the figures of a first visit.

import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { after, before, test } from 'node:test';

import { servePage } from './page_driver.mjs';

const require = createRequire(new URL('../../web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

let server;
let browser;
before(async () => {
  server = await servePage(process.env.VELDRA_PAGE);
  browser = await puppeteer.launch({
    executablePath: process.env.CHROME_PATH ?? '/usr/bin/chromium',
    headless: true,
    args: ['--remote-debugging-port=0', ...(process.getuid?.() === 0 ? ['--no-sandbox'] : [])],
  });
});
after(async () => {
  await browser?.close();
  await server?.close();
});

// Lighthouse's scores vary from run to run: three runs, the median judged.
test('Lighthouse on a phone: accessibility, best practices 100, SEO and performance 90 or more', async () => {
  const { default: lighthouse } = await import(require.resolve('lighthouse'));
  const port = Number(new URL(browser.wsEndpoint()).port);
  const runs = [];
  for (let run = 0; run < 3; ++run) {
    const { lhr } = await lighthouse(server.url, {
      port,
      logLevel: 'error',
      onlyCategories: ['performance', 'accessibility', 'best-practices', 'seo'],
      formFactor: 'mobile',
    });
    const score = (name) => Math.round(lhr.categories[name].score * 100);
    const figure = (audit) => lhr.audits[audit].displayValue;
    console.log(
      `Lighthouse ${lhr.lighthouseVersion}, phone: performance ${score('performance')}, ` +
        `accessibility ${score('accessibility')}, best practices ${score('best-practices')}, ` +
        `SEO ${score('seo')}; first contentful paint ${figure('first-contentful-paint')}, ` +
        `largest contentful paint ${figure('largest-contentful-paint')}, total blocking time ` +
        `${figure('total-blocking-time')}, layout shift ${figure('cumulative-layout-shift')}`,
    );
    runs.push({
      performance: score('performance'),
      accessibility: score('accessibility'),
      bestPractices: score('best-practices'),
      seo: score('seo'),
      shift: lhr.audits['cumulative-layout-shift'].numericValue,
    });
  }
  const median = (key) => runs.map((r) => r[key]).sort((a, b) => a - b)[1];
  assert.equal(median('accessibility'), 100);
  assert.equal(median('bestPractices'), 100);
  assert.ok(median('seo') >= 90);
  assert.ok(median('performance') >= 90, `performance ${runs.map((r) => r.performance)}`);
  assert.ok(median('shift') < 0.1);
});
