// Makes anleitung.html, the user's guide as one HTML file, from
// docs/anleitung.md: the Markdown that the guide is written in (headings,
// paragraphs, lists, tables, code, emphasis, links, pictures), its pictures
// inside it, so that it opens anywhere: beside the page, from the Windows
// zip, beside veldra.html. The same input gives the same bytes.
//
//   node guide.mjs <anleitung.md> <anleitung.html>

import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, extname, join } from 'node:path';

const [source, target] = process.argv.slice(2);
if (!source || !target) {
  console.error('usage: node guide.mjs <anleitung.md> <anleitung.html>');
  process.exit(2);
}

const escape = (text) => text.replaceAll('&', '&amp;').replaceAll('<', '&lt;').replaceAll('>', '&gt;').replaceAll('"', '&quot;');

// A heading's anchor, as GitHub makes it: lower case, letters, digits, blanks
// as hyphens.
export const anchorOf = (heading) =>
  heading
    .toLowerCase()
    .replace(/[^\p{L}\p{N} -]/gu, '')
    .replaceAll(' ', '-');

// A picture inside the page: an SVG drawing as it is (it names itself to a
// screen reader), a PNG in base64.
const picture = (src, alt) => {
  const file = join(dirname(source), src);
  if (extname(src) === '.svg') return readFileSync(file, 'utf8').replace(/^<\?xml[^>]*>\s*/, '').trim();
  if (extname(src) !== '.png') throw new Error(`${src}: no picture the guide can carry`);
  return `<img src="data:image/png;base64,${readFileSync(file).toString('base64')}" alt="${alt}">`;
};

// The inline forms: code first, so that nothing inside it is read as more.
function inline(text) {
  const parts = text.split(/(`[^`]*`)/);
  return parts
    .map((part, k) => {
      if (k % 2 === 1) return `<code>${escape(part.slice(1, -1))}</code>`;
      return escape(part)
        .replace(/!\[([^\]]*)\]\(([^)]+)\)/g, (_, alt, src) => picture(src, alt))
        .replace(/\[([^\]]+)\]\(([^)]+)\)/g, '<a href="$2">$1</a>')
        .replace(/\*\*([^*]+)\*\*/g, '<strong>$1</strong>')
        .replace(/\*([^*]+)\*/g, '<em>$1</em>');
    })
    .join('');
}

// A list item's start: "- " or "1. ".
const ITEM = /^(- |\d+\. )/;

const cells = (row) =>
  row
    .trim()
    .replace(/^\||\|$/g, '')
    .split('|')
    .map((c) => c.trim());

function toHtml(markdown) {
  const lines = markdown.split('\n');
  const out = [];
  let title = 'VELDRA';
  for (let k = 0; k < lines.length; ) {
    const line = lines[k];
    if (line.trim() === '') {
      k += 1;
    } else if (/^#{1,4} /.test(line)) {
      const level = line.indexOf(' ');
      const text = line.slice(level + 1);
      if (level === 1) title = text;
      out.push(`<h${level} id="${anchorOf(text)}">${inline(text)}</h${level}>`);
      k += 1;
    } else if (line.startsWith('    ')) {
      const code = [];
      while (k < lines.length && (lines[k].startsWith('    ') || lines[k].trim() === '')) code.push(lines[k++].slice(4));
      while (code.at(-1) === '') code.pop();
      out.push(`<pre>${escape(code.join('\n'))}</pre>`);
    } else if (line.startsWith('|')) {
      const rows = [];
      while (k < lines.length && lines[k].startsWith('|')) rows.push(cells(lines[k++]));
      const right = rows[1].map((c) => c.startsWith('-') && c.endsWith(':'));
      const td = (tag, c, j) => `<${tag}${right[j] ? ' class="right"' : ''}>${inline(c)}</${tag}>`;
      out.push('<table>');
      out.push(`<tr>${rows[0].map((c, j) => td('th', c, j)).join('')}</tr>`);
      for (const row of rows.slice(2)) out.push(`<tr>${row.map((c, j) => td('td', c, j)).join('')}</tr>`);
      out.push('</table>');
    } else if (ITEM.test(line)) {
      // Items, each with the lines that go on it (indented by two or three)
      // and its code (by six); a blank line ends the list unless an item or
      // an item's code follows.
      const ordered = /^\d/.test(line);
      const items = [];
      while (k < lines.length) {
        const l = lines[k];
        if (ITEM.test(l)) {
          items.push({ text: l.replace(ITEM, ''), code: [] });
        } else if (/^ {2,3}\S/.test(l)) {
          items.at(-1).text += ` ${l.trim()}`;
        } else if (l.startsWith('      ')) {
          items.at(-1).code.push(l.slice(6));
        } else if (l.trim() === '') {
          let next = k;
          while (next < lines.length && lines[next].trim() === '') next += 1;
          if (next === lines.length || !(ITEM.test(lines[next]) || lines[next].startsWith('      '))) break;
          k = next;
          continue;
        } else {
          break;
        }
        k += 1;
      }
      const tag = ordered ? 'ol' : 'ul';
      const item = (i) => `<li>${inline(i.text)}${i.code.length > 0 ? `<pre>${escape(i.code.join('\n'))}</pre>` : ''}</li>`;
      out.push(`<${tag}>${items.map(item).join('')}</${tag}>`);
    } else {
      const text = [];
      while (k < lines.length && lines[k].trim() !== '' && !/^(#|\||- |\d+\. | {4})/.test(lines[k])) text.push(lines[k++].trim());
      out.push(`<p>${inline(text.join(' '))}</p>`);
    }
  }
  return { title, body: out.join('\n') };
}

const { title, body } = toHtml(readFileSync(source, 'utf8'));
writeFileSync(
  target,
  `<!doctype html>
<html lang="de">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>${escape(title)}</title>
<style>
body { font-family: "DejaVu Sans", system-ui, sans-serif; color: #1d2630; background: #f6f4ef;
  max-width: 48rem; margin: 0 auto; padding: 1rem; line-height: 1.45; }
h1, h2, h3 { color: #9a3b1f; }
code, pre { font-family: "DejaVu Sans Mono", Menlo, Consolas, monospace; }
pre { background: #10181f; color: #e6edf3; padding: 0.6rem; overflow-x: auto; }
table { border-collapse: collapse; margin: 0.5rem 0; }
th, td { border: 1px solid #c9c3b6; padding: 0.25rem 0.5rem; text-align: left; vertical-align: top; }
td.right, th.right { text-align: right; }
img, svg { max-width: 100%; height: auto; background: #fff; border: 1px solid #c9c3b6; }
</style>
</head>
<body>
${body}
</body>
</html>
`,
);
