// Lighthouse on the page as the README serves it (no compression), phone
// emulation, Debian's Chromium: the scores that no load on the machine
// moves, and the figures of a first visit.

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

// Accessibility, best practices, SEO and layout shift are the page's alone;
// the performance score hangs on the machine's load as well, and only a
// score under 50 is a defect of the page. How fast it starts against the
// last release is bench/page_against_release.mjs's.
test('Lighthouse on a phone: accessibility and best practices 100, SEO 90 or more, no layout shift, performance 50 or more', async () => {
  const { default: lighthouse } = await import(require.resolve('lighthouse'));
  const port = Number(new URL(browser.wsEndpoint()).port);
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
  const failing = (category) =>
    lhr.categories[category].auditRefs
      .map((ref) => lhr.audits[ref.id])
      .filter((audit) => audit.score !== null && audit.score < 1 && audit.scoreDisplayMode === 'binary')
      .map((audit) => audit.id);
  assert.equal(score('accessibility'), 100, `failing: ${failing('accessibility')}`);
  assert.equal(score('best-practices'), 100, `failing: ${failing('best-practices')}`);
  assert.ok(score('seo') >= 90, `failing: ${failing('seo')}`);
  assert.ok(lhr.audits['cumulative-layout-shift'].numericValue < 0.1);
  assert.ok(score('performance') >= 50, `performance ${score('performance')}`);
});
