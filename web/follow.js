// The drawing follows the values whenever the program waits for input, once
// per animation frame at most, and is rebuilt only when its description from
// the program (src/drawing/drawing_json.h) has changed, or the window so that
// its labels take another size. A large paste is drawn once it is read: the
// page keeps up with it the better.

import { drawBeam, labelSizeIn } from './drawing.js';

// Points of the deflection line in the drawing.
const LINE_POINTS = 401;

export class DrawingFollower {
  constructor(container) {
    this.container = container;
    this.pending = false; // a drawing waits for the next animation frame
    this.description = null; // the description, as last drawn
    this.drawn = null; // its text
    this.drawings = 0; // how often the beam has been drawn in this run
    this.labelSize = 0; // the labels' size it was drawn with
    this.onResize = () => {
      if (this.description !== null && labelSizeIn(this.container) !== this.labelSize) this.show();
    };
  }

  activate(calculator) {
    this.calculator = calculator;
    this.subscriptions = [
      calculator.on('start', () => {
        this.description = null;
        this.drawn = null;
        this.drawings = 0;
      }),
      calculator.on('keyWait', () => this.schedule()),
      calculator.on('lineRead', () => this.schedule()),
      calculator.on('flood', (flooding) => flooding || this.schedule()),
    ];
    addEventListener('resize', this.onResize);
    // Loaded while the program waits: drawn at once.
    this.schedule();
  }

  dispose() {
    removeEventListener('resize', this.onResize);
    for (const s of this.subscriptions) s.dispose();
  }

  schedule() {
    if (this.pending) return;
    this.pending = true;
    requestAnimationFrame(() => {
      this.pending = false;
      this.draw();
    });
  }

  // The program is asleep in one of its reads whenever a frame comes: the
  // values it holds are whole (a number is stored once it is read).
  draw() {
    const { program, run } = this.calculator;
    if (program === null || run === null || run.ended || run.flooding) return;
    // Called directly, not through ccall: with the program asleep in its key
    // wait, ccall would take the call for an asynchronous one.
    const text = program.UTF8ToString(program._veldra_drawing(LINE_POINTS));
    if (text === this.drawn) return;
    this.drawn = text;
    this.description = JSON.parse(text);
    this.show();
  }

  show() {
    this.labelSize = labelSizeIn(this.container);
    drawBeam(this.container, this.description, this.labelSize);
    this.drawings += 1;
  }
}
