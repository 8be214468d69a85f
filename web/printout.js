// The printout: one A4 page with the case, the values as key w shows them,
// the last report as key g printed it, the drawing (the page's own, as
// vectors) and what opens the calculation again. Every number comes from the
// program; this only places the texts.

function add(parent, name, text, className) {
  const e = document.createElement(name);
  e.textContent = text;
  if (className) e.className = className;
  parent.appendChild(e);
  return e;
}

// Fills `head` and `foot` (the parts before and after the drawing) from:
//   description: the drawing's description (src/app/drawing.h) or null;
//   values: what key w shows now, or null while the program is not loaded;
//   report: the last report, '' before the first; current: whether it is the
//   report of the values shown; version: the program's version line;
//   link: the link of this calculation, or linkNote where there is none;
//   units: what the units stated mean, '' where none are; date: when it is
//   printed.
export function fillPrintout(head, foot, printed) {
  const { description, values, report, current, version, link, linkNote, units, date } = printed;
  head.replaceChildren();
  foot.replaceChildren();
  add(head, 'h2', 'VELDRA – Durchbiegung gerader Träger', 'print-title');
  const chosen = description && description.status !== 'no-case';
  const name = chosen ? [description.title, description.subtitle].filter(Boolean).join(': ') : 'Kein Biegefall gewählt';
  add(head, 'p', name, 'print-case');
  const day = date.toLocaleDateString('de-DE', { day: 'numeric', month: 'long', year: 'numeric' });
  const time = date.toLocaleTimeString('de-DE', { hour: '2-digit', minute: '2-digit' });
  add(head, 'p', `Gedruckt am ${day}, ${time} Uhr`, 'print-date');
  if (description?.source) add(head, 'p', `Querschnitt: ${description.source}`, 'print-date');
  if (units) add(head, 'p', units, 'print-date');
  if (values === null) {
    add(head, 'p', 'Der Rechner ist noch nicht geladen: es gibt noch keine Werte.', 'print-note');
    return;
  }
  if (!chosen) add(head, 'p', 'Noch kein Biegefall gewählt: Taste n, dann die Nummer des Falls.', 'print-note');
  add(head, 'h3', 'Eingegebene Werte (Taste w)');
  add(head, 'pre', values, 'print-values');
  add(head, 'h3', 'Ergebnis (Taste g)');
  if (report === '') {
    add(head, 'p', 'Noch kein Ergebnis: Taste g berechnet es.', 'print-note');
  } else {
    if (!current) {
      const note = 'Die Werte wurden nach diesem Ergebnis geändert: es gilt für die Werte, mit denen g zuletzt gerechnet hat.';
      add(head, 'p', note, 'print-note');
    }
    add(head, 'pre', report, 'print-report');
  }
  add(foot, 'p', `Berechnet mit ${version}.`, 'print-version');
  if (link) {
    const p = add(foot, 'p', 'Diese Rechnung wieder öffnen: ', 'print-link');
    add(p, 'span', link, 'link');
  } else {
    add(foot, 'p', linkNote, 'print-link');
  }
}
