// Makes veldra.html: the page in one file, with its styles, its modules,
// xterm.js and the WebAssembly inside, so that it runs from a download, a mail
// or a USB stick, opened as a file, with no network.
//
//   node bundle.mjs <page folder> <veldra.html>
//
// The modules stay as they are, as text in the file; a few lines at its top
// turn them into module URLs (blob:) and map the page's names to them, so
// that `import './xterm.mjs'` finds them. main.js, which imports them, is the
// page's own module script: a module at a blob: URL has no folder that
// './xterm.mjs' could be found in. The WebAssembly is gzipped and in
// base64 (embedded.js unpacks it). The same input gives the same bytes.

import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';

const [folder, target] = process.argv.slice(2);
if (!folder || !target) {
  console.error('usage: node bundle.mjs <page folder> <veldra.html>');
  process.exit(2);
}

const read = (name) => readFileSync(join(folder, name), 'utf8');

// Text inside an element that the HTML parser reads raw must not end it early.
function raw(name, text, element) {
  const closing = new RegExp(`</${element}|<!--`, 'i');
  if (closing.test(text)) throw new Error(`${name} holds "</${element}" or "<!--": it cannot go inside the page`);
  return text;
}

const modules = [
  'xterm.mjs',
  'veldra.js',
  'drawing.js',
  'terminal.js',
  'session.js',
  'printout.js',
  'downloads.js',
  'embedded.js',
];

// The module URLs, made before the first module loads. The names are those
// the page's modules import by, resolved against the page itself.
const loader = `<script>
  (() => {
    const imports = {};
    for (const source of document.querySelectorAll('script[data-module]')) {
      const blob = new Blob([source.textContent], { type: 'text/javascript' });
      imports[new URL(source.dataset.module, document.baseURI).href] = URL.createObjectURL(blob);
    }
    const map = document.createElement('script');
    map.type = 'importmap';
    map.textContent = JSON.stringify({ imports });
    document.currentScript.after(map);
  })();
</script>`;

const sources = modules
  .map((name) => `<script type="text/plain" data-module="./${name}">\n${raw(name, read(name), 'script')}\n</script>`)
  .join('\n');
const wasm = gzipSync(readFileSync(join(folder, 'veldra.wasm')), { level: 9 }).toString('base64');
const program = `<script type="text/plain" id="veldra-wasm">\n${wasm}\n</script>`;
const styles = `<style>\n${raw('xterm.css', read('xterm.css'), 'style')}\n${raw('style.css', read('style.css'), 'style')}\n</style>`;

let html = read('index.html');
const replace = (pattern, by) => {
  if (!pattern.test(html)) throw new Error(`index.html has no ${pattern}`);
  html = html.replace(pattern, () => by);
};
replace(/<link rel="stylesheet" href="xterm.css">\s*<link rel="stylesheet" href="style.css">/, styles);
// The served page's note that it does not run as a file.
replace(/\s*<script id="served-only">[\s\S]*?<\/script>/, '');
// Everything the page loads comes before the script that starts it, which is
// main.js itself: there is nothing left to fetch first.
const main = `<script type="module">\n${raw('main.js', read('main.js'), 'script')}\n</script>`;
replace(/<!-- The calculator starts once[\s\S]*?<\/script>/, `${sources}\n${program}\n${loader}\n${main}`);

writeFileSync(target, html);
