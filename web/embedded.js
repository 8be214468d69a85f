// The one-file page (veldra.html) carries the WebAssembly inside, gzipped, in
// base64; the served page leaves the program to fetch veldra.wasm beside it.

let unpacked = null;

// What createVeldra needs besides the terminal: the program's bytes when the
// page carries them, else nothing. Unpacked once for every run.
export function programOptions() {
  const embedded = document.getElementById('veldra-wasm');
  if (embedded === null) return Promise.resolve({});
  unpacked ??= (async () => {
    const packed = Uint8Array.from(atob(embedded.textContent.trim()), (c) => c.charCodeAt(0));
    const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
    const wasmBinary = await new Response(stream).arrayBuffer();
    // The name is never fetched: with the bytes at hand it only names them.
    return { wasmBinary, locateFile: (name) => name };
  })();
  return unpacked;
}
