// Writes the page's service worker (sw.js) from sw.js.in: the files it keeps
// for offline use, and a cache name of the release and a hash of those files,
// so that a newly served release, even one file changed, takes a cache of
// its own. The same files give the same bytes.
//
//   node offline_cache.mjs <page folder> <release> <file>...
//
// The files are named as the page fetches them, relative to its folder;
// index.html is kept as "./", the address the page is opened at.

import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [folder, release, ...files] = process.argv.slice(2);
if (!folder || !release || files.length === 0) {
  console.error('usage: node offline_cache.mjs <page folder> <release> <file>...');
  process.exit(2);
}

const hash = createHash('sha256');
for (const file of [...files].sort()) {
  hash.update(`${file}\0`);
  hash.update(readFileSync(join(folder, file)));
}
const kept = files.map((file) => (file === 'index.html' ? './' : file));
const template = readFileSync(new URL('sw.js.in', import.meta.url), 'utf8');
writeFileSync(
  join(folder, 'sw.js'),
  template
    .replace('@CACHE@', `veldra-${release}-${hash.digest('hex').slice(0, 16)}`)
    .replace('@FILES@', JSON.stringify(kept)),
);
