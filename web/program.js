// The program: its WebAssembly compiled once, for every run, and a run of it
// loaded. The one-file page (veldra.html) carries the WebAssembly inside,
// gzipped, in base64; the served page fetches veldra.wasm beside it. Either
// way the compiling starts as soon as this module is loaded: index.html
// loads it beside main.js, so that the program compiles while the page's
// other modules arrive and the terminal opens.

import createVeldra from './veldra.js';

const compiled = (async () => {
  const embedded = document.getElementById('veldra-wasm');
  if (embedded !== null) {
    const packed = Uint8Array.from(atob(embedded.textContent.trim()), (c) => c.charCodeAt(0));
    const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
    return WebAssembly.compile(await new Response(stream).arrayBuffer());
  }
  const file = new URL('veldra.wasm', import.meta.url);
  try {
    return await WebAssembly.compileStreaming(fetch(file));
  } catch {
    // A server that names the file by another type: compiled from its bytes.
    const response = await fetch(file);
    if (!response.ok) throw new Error(`veldra.wasm: ${response.status} ${response.statusText}`);
    return WebAssembly.compile(await response.arrayBuffer());
  }
})();
// What keeps the program from compiling is named by the run that loads it.
compiled.catch(() => {});

// A run of the program, `options` given to it (its terminal): resolves to
// the loaded program, or rejects with what kept it from loading.
export async function loadProgram(options) {
  const module = await compiled;
  return new Promise((resolve, reject) => {
    createVeldra({
      ...options,
      // Compiled already: the file is only named, never fetched (a module at
      // a blob: address, in veldra.html, has no folder to find it in).
      locateFile: (name) => name,
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module), reject);
        return {};
      },
    }).then(resolve, reject);
  });
}
