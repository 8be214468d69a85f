// Files the page hands to the user: saved as the browser saves a download,
// made in the page itself, so that nothing leaves the machine.

// Offers `content` (bytes or text) as the file `name`.
export function offerFile(name, content, type) {
  const url = URL.createObjectURL(new Blob([content], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = name;
  link.hidden = true;
  document.body.appendChild(link);
  link.click();
  link.remove();
  // The download has taken the bytes by the next turn or two.
  setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// What the drawing's look depends on; each element gets its own computed
// values, so that the file shows the same without the page's style sheet.
// (An rgba() fill writes its own fill-opacity after the one listed first.)
const STYLED = [
  'fill-opacity',
  'fill',
  'stroke',
  'stroke-width',
  'stroke-dasharray',
  'stroke-linecap',
  'stroke-linejoin',
  'font-family',
  'font-size',
  'font-weight',
  'text-anchor',
  'opacity',
];

// SVG 1.1 has no rgba(): Inkscape paints such a fill black. The colour's
// alpha becomes the fill's or stroke's opacity.
function opaque(declaration) {
  const m = /^(fill|stroke):rgba\((\d+), (\d+), (\d+), ([\d.]+)\)$/.exec(declaration);
  return m ? `${m[1]}:rgb(${m[2]}, ${m[3]}, ${m[4]});${m[1]}-opacity:${m[5]}` : declaration;
}

// The drawing `svg` as a standalone SVG file: its styles written into each
// element, on a white ground, without the page's data attributes (the class
// names stay: they name the parts for whoever edits the file).
export function standaloneSvg(svg) {
  const copy = svg.cloneNode(true);
  const from = [svg, ...svg.querySelectorAll('*')];
  const to = [copy, ...copy.querySelectorAll('*')];
  from.forEach((original, k) => {
    const e = to[k];
    for (const name of [...e.getAttributeNames()]) {
      if (name.startsWith('data-')) e.removeAttribute(name);
    }
    const computed = getComputedStyle(original);
    const style = STYLED.map((p) => `${p}:${computed.getPropertyValue(p)}`)
      .map(opaque)
      .join(';');
    if (original !== svg) e.setAttribute('style', style);
  });
  const [, , width, height] = svg.getAttribute('viewBox').split(' ');
  copy.setAttribute('xmlns', 'http://www.w3.org/2000/svg');
  copy.setAttribute('width', width);
  copy.setAttribute('height', height);
  const ground = document.createElementNS('http://www.w3.org/2000/svg', 'rect');
  for (const [k, v] of Object.entries({ width, height, fill: '#ffffff' })) ground.setAttribute(k, v);
  copy.insertBefore(ground, copy.querySelector('title')?.nextSibling ?? copy.firstChild);
  return `<?xml version="1.0" encoding="UTF-8"?>\n${new XMLSerializer().serializeToString(copy)}\n`;
}
