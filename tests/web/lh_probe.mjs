import { createRequire } from 'node:module';
import { servePage } from './page_driver.mjs';
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const { default: lighthouse } = await import(require.resolve('lighthouse'));
const server = await servePage(process.env.VELDRA_PAGE);
const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--remote-debugging-port=9333'] });
const result = await lighthouse(server.url, { port: 9333, output: 'json', logLevel: 'error', onlyCategories: ['performance', 'accessibility', 'best-practices', 'seo'], formFactor: 'mobile', screenEmulation: { mobile: true, width: 412, height: 823, deviceScaleFactor: 1.75, disabled: false } });
const lhr = result.lhr;
for (const [k, c] of Object.entries(lhr.categories)) console.log(k, Math.round(c.score * 100));
console.log('LCP', JSON.stringify(lhr.audits['largest-contentful-paint-element'].details?.items?.[0]?.items?.[0]?.node?.snippet ?? lhr.audits['largest-contentful-paint-element'].details).slice(0,300));
for (const a of ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time', 'cumulative-layout-shift']) console.log(a, lhr.audits[a].displayValue);
for (const ref of lhr.categories['best-practices'].auditRefs) { const a = lhr.audits[ref.id]; if (a.score !== null && a.score < 1) console.log('  bp:', ref.id, a.score, JSON.stringify(a.details?.items?.slice(0,3) ?? '')); }
for (const [id, a] of Object.entries(lhr.audits)) if (a.score !== null && a.score < 0.9 && a.scoreDisplayMode !== 'informative' && a.scoreDisplayMode !== 'manual') console.log('  low:', id, a.score, a.displayValue ?? '');
await browser.close(); await server.close();
