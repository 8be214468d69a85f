// Makes veldra.html: the page in one file, with its styles, its modules,
// xterm.js and the WebAssembly inside, so that it runs from a download, a mail
// or a USB stick, opened as a file, with no network.
//
//   node bundle.mjs <page folder> <veldra.html>
//
// The modules are text in the file; a few lines at its top turn them into
// module URLs (blob:) and map the modules' names to them. A module at a blob:
// URL has no folder that './xterm.mjs' could be found in, so each import of
// one of the page's own modules names it bare ('xterm.mjs'), which the map
// resolves; nothing else of a module changes. main.js is the page's own
// module script. The WebAssembly is gzipped and in base64 (program.js
// unpacks it), the icon in base64. The same input gives the same bytes.

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

// An import of one of the page's own modules: `import ... from './name'`,
// or one made later, `import('./name')`.
const IMPORT = /^(\s*import\s+(?:[^'"]*?\sfrom\s+)?)(['"])\.\/([^'"]+)\2/gm;
const LATER = /(\bimport\()(['"])\.\/([^'"]+)\2(?=\))/g;
const importsOf = (text) => [...text.matchAll(IMPORT), ...text.matchAll(LATER)].map((m) => m[3]);

// The modules that main.js imports, and theirs in turn, in the order first met.
function importedBy(name, found = []) {
  for (const imported of importsOf(read(name))) {
    if (found.includes(imported)) continue;
    found.push(imported);
    importedBy(imported, found);
  }
  return found;
}
const modules = importedBy('main.js');

// HTML allows no control characters in a document but its white space; in
// the modules they stand inside strings, where an escape means the same.
const CONTROL = /[\x00-\x08\x0b\x0e-\x1f\x7f-\x9f]/g;
const escaped = (text) => text.replace(CONTROL, (c) => `\\u${c.charCodeAt(0).toString(16).padStart(4, '0')}`);

// A module's text with its imports of the page's modules named bare.
const bare = (name) =>
  escaped(read(name))
    .replace(IMPORT, (_, head, quote, imported) => `${head}${quote}${imported}${quote}`)
    .replace(LATER, (_, head, quote, imported) => `${head}${quote}${imported}${quote}`);

// The module URLs, made before the first module loads, under the bare names
// that the modules import each other by.
const loader = `<script>
  (() => {
    const imports = {};
    for (const source of document.querySelectorAll('script[data-module]')) {
      const blob = new Blob([source.textContent], { type: 'text/javascript' });
      imports[source.dataset.module] = URL.createObjectURL(blob);
    }
    const map = document.createElement('script');
    map.type = 'importmap';
    map.textContent = JSON.stringify({ imports });
    document.currentScript.after(map);
  })();
</script>`;

const sources = modules
  .map((name) => `<script type="text/plain" data-module="${name}">\n${raw(name, bare(name), 'script')}\n</script>`)
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
// A file is no app to install: its icon alone, inside it.
const icon = Buffer.from(read('icon.svg')).toString('base64');
replace(
  /<link rel="icon" href="icon.svg"[\s\S]*?<meta name="apple-mobile-web-app-status-bar-style"[^>]*>/,
  `<link rel="icon" href="data:image/svg+xml;base64,${icon}">`,
);
// The served page's note that it does not run as a file.
replace(/\s*<script id="served-only">[\s\S]*?<\/script>/, '');
// Everything the page loads comes before the script that starts it, which is
// main.js itself: there is nothing left to fetch first.
const main = `<script type="module">\n${raw('main.js', bare('main.js'), 'script')}\n</script>`;
replace(/<!-- The calculator starts once[\s\S]*?<\/script>/, `${sources}\n${program}\n${loader}\n${main}`);

writeFileSync(target, html);
