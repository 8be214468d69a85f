// The section aid: the units the user works in (kept in the browser), a
// material and a cross-section, a rolled one or a shape by its dimensions,
// and the E and second moment of area that follow, typed into the program
// at its prompts "E = " and "Iy= " exactly as if typed by hand. Every text
// and number comes from the program (src/drawing/stated.h); this places
// them, remembers the units and types.

import { NUMBER_WANTED } from './status.js';

const KEPT_UNITS = 'veldra.einheiten';

// The load and its unit in words, by the kind of load the case draws.
const LOADS = {
  force: (u) => `Kraft F in ${u.force}`,
  moment: (u) => `Moment M in ${u.moment}`,
  uniform: (u) => `Streckenlast q in ${u.lineLoad}`,
  rising: (u) => `Streckenlast q in ${u.lineLoad}`,
  falling: (u) => `Streckenlast q in ${u.lineLoad}`,
};

const option = (select, value, text) => {
  const o = document.createElement('option');
  o.value = String(value);
  o.textContent = text;
  select.append(o);
  return o;
};

export class SectionAid {
  // element: the aid (index.html, #aid); drawing: the DrawingFollower, for the
  // kind of load the case has.
  constructor(element, drawing) {
    this.element = element;
    this.drawing = drawing;
    const $ = (name) => element.querySelector(`[data-aid="${name}"]`);
    this.controls = {
      units: $('units'),
      material: $('material'),
      section: $('section'),
      size: $('size'),
      sizes: $('sizes'),
      dimensions: [...element.querySelectorAll('[data-aid="dimension"]')],
      weak: $('weak'),
      shows: $('shows'),
      typeE: $('type-e'),
      typeI: $('type-i'),
      summary: element.querySelector('summary'),
    };
    this.catalogue = null;
    this.asked = null; // the value the program reads now, while it reads one
  }

  activate(calculator) {
    this.calculator = calculator;
    const c = this.controls;
    const changed = () => this.update();
    for (const e of [c.units, c.material, c.section, c.size, c.weak, ...c.dimensions]) {
      e.addEventListener('change', changed);
      e.addEventListener('input', changed);
    }
    c.units.addEventListener('change', () => {
      localStorage.setItem(KEPT_UNITS, c.units.value);
      this.stateUnits();
    });
    // A click tells no pointer type in every engine: the press before it does.
    let pointer = '';
    for (const button of [c.typeE, c.typeI]) {
      button.addEventListener('pointerdown', (event) => {
        pointer = event.pointerType;
      });
    }
    const typed = (which) => (event) => {
      this.type(which);
      // After a click with a mouse or a pen the keyboard types into the terminal again.
      if (event.detail > 0 && (pointer === 'mouse' || pointer === 'pen')) calculator.screen.focus();
    };
    c.typeE.addEventListener('click', typed('E'));
    c.typeI.addEventListener('click', typed('I'));
    this.subscriptions = [
      calculator.on('keyWait', (anyKey) => {
        this.ask(null);
        // A new run's program knows nothing of the units yet.
        if (!anyKey && calculator.keyWaits === 1) this.stateUnits();
      }),
      calculator.on('asking', (field) => this.ask(field)),
      calculator.on('lineRead', (reading) => reading && this.sayLoadUnit()),
      calculator.on('end', () => this.ask(null)),
    ];
    this.fill();
  }

  dispose() {
    for (const s of this.subscriptions) s.dispose();
  }

  // The choices, from the program's catalogue, and the units kept.
  fill() {
    const text = this.calculator.programText('_veldra_sections');
    if (text === null) return;
    this.catalogue = JSON.parse(text);
    const c = this.controls;
    this.catalogue.units.forEach((u, k) => option(c.units, k, u.name));
    this.catalogue.materials.forEach((m, k) => {
      option(c.material, k, `${m.name}, ${m.kind}`).title = `E nach ${m.standard}`;
    });
    this.catalogue.families.forEach((f) => option(c.section, `family:${f.name}`, f.name));
    this.catalogue.shapes.forEach((s, k) => option(c.section, `shape:${k}`, `${s.name} (${s.sizes.join(', ')} in mm)`));
    const kept = localStorage.getItem(KEPT_UNITS);
    if (kept !== null && c.units.querySelector(`option[value="${kept}"]`)) c.units.value = kept;
    this.stateUnits();
    this.update();
  }

  units() {
    const k = Number(this.controls.units.value);
    return k >= 0 ? this.catalogue.units[k] : null;
  }

  stateUnits() {
    this.calculator.program?._veldra_state_units(Number(this.controls.units.value));
    this.controls.summary.textContent = this.units() ? `Querschnitt · Einheiten ${this.units().name}` : 'Querschnitt und Einheiten';
  }

  // The arguments of the program's choice functions for what is chosen now.
  choice() {
    const c = this.controls;
    const [kind, which] = c.section.value.split(':');
    const dims = c.dimensions.map((input) => parseFloat(input.value.replace(',', '.')));
    const index = kind === 'family' ? Number(c.size.value) : Number(which);
    return [Number(c.units.value), Number(c.material.value), kind === 'family' ? 0 : 1, index, c.weak.checked ? 1 : 0, ...dims];
  }

  // The sizes of a family, or the dimensions of a shape; then what follows.
  update() {
    if (this.catalogue === null) return;
    const c = this.controls;
    const [kind, which] = c.section.value.split(':');
    c.sizes.hidden = kind !== 'family';
    if (kind === 'family' && c.size.dataset.family !== which) {
      c.size.replaceChildren();
      for (const s of this.catalogue.families.find((f) => f.name === which).sections) option(c.size, s.index, s.name);
      c.size.dataset.family = which;
    }
    const sizes = kind === 'shape' ? this.catalogue.shapes[Number(which)].sizes : [];
    c.dimensions.forEach((input, k) => {
      input.closest('label').hidden = k >= sizes.length;
      input.closest('label').firstChild.textContent = `${sizes[k] ?? ''} `;
    });
    const chosen = this.chosen();
    const units = this.units();
    c.shows.textContent =
      units === null
        ? 'Erst die Einheiten wählen: in ihnen tippt die Hilfe E und Iy ein.'
        : chosen.name === undefined
          ? 'Die Abmessungen des Querschnitts in mm eintragen.'
          : `${chosen.source}; in ${units.name} ${c.weak.checked ? 'Iz' : 'Iy'} = ${chosen.I} ${units.secondMoment}.`;
    this.ask(this.asked, chosen);
  }

  // What the program's choice function says of what is chosen now: {} for nothing.
  chosen() {
    const program = this.calculator.program;
    if (program === null || this.units() === null) return {};
    return JSON.parse(program.UTF8ToString(program._veldra_choice(...this.choice())));
  }

  // The value the program reads now, or null: the buttons for E and Iy act
  // at their prompts alone.
  ask(field, chosen = this.chosen()) {
    this.asked = field;
    const c = this.controls;
    const axis = c.weak.checked ? 'Iz' : 'Iy';
    c.typeE.textContent = chosen.E ? `E = ${chosen.E} eintippen` : 'E eintippen';
    c.typeI.textContent = chosen.I ? `${axis} = ${chosen.I} eintippen` : `${axis} eintippen`;
    c.typeE.disabled = !(field === 'E' && chosen.E);
    c.typeI.disabled = !(field === 'Iy' && chosen.I);
  }

  // Types the chosen value and Enter, as the keyboard would; the drawing names
  // the section while the program holds what was typed.
  type(which) {
    const chosen = this.chosen();
    const text = which === 'E' ? chosen.E : chosen.I;
    if (!text) return;
    this.calculator.program._veldra_state_choice(...this.choice());
    this.calculator.type(`${text}\n`);
  }

  // At the load's prompt, the unit it takes in the units stated.
  sayLoadUnit() {
    const units = this.units();
    if (this.asked !== 'F' || units === null) return;
    const kind = this.drawing.description?.load?.kind;
    const load = kind ? LOADS[kind](units) : `Last in ${units.force}, ${units.lineLoad} oder ${units.moment}`;
    this.calculator.statusLine.want(`${NUMBER_WANTED.replace(/:.*$/, '')}: ${load}, dann Enter (⏎).`);
  }
}
