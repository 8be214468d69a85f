// The page around the calculator: wires the terminal, the runs of the
// program and the addons that follow them (the buttons, the keys typed on
// the page, the drawing, the link, printing and saving, keeping the page for
// use offline), then starts the first run.

import { ScreenFit, openScreen } from './screen.js';
import { Calculator } from './calculator.js';
import { KeyButtons } from './buttons.js';
import { PageKeys } from './keyboard.js';
import { DrawingFollower } from './follow.js';
import { LinkKeeper } from './link.js';
import { OfflineKeeper } from './offline.js';
import { KeepButtons } from './keep.js';
import { StatusLine } from './status.js';
import { exposeTestHooks } from './hooks.js';

const byId = (id) => document.getElementById(id);

const statusLine = new StatusLine(byId('status'));
const screen = openScreen(byId('terminal'));
screen.loadAddon(new ScreenFit(document.querySelector('main'), [byId('input'), byId('state'), byId('keep')]));

const calculator = new Calculator(screen, statusLine);
calculator.loadAddon(new KeyButtons({ keys: byId('keys'), pad: byId('pad'), restart: byId('restart') }));
calculator.loadAddon(new PageKeys());
const drawing = calculator.loadAddon(new DrawingFollower(byId('drawing')));
const link = calculator.loadAddon(new LinkKeeper(byId('copy-link')));
calculator.loadAddon(
  new KeepButtons({
    buttons: {
      print: byId('print'),
      saveInput: byId('save-input'),
      saveOutput: byId('save-output'),
      saveDrawing: byId('save-drawing'),
    },
    printout: { head: byId('print-head'), foot: byId('print-foot') },
    link,
    drawing,
  }),
);
calculator.loadAddon(new OfflineKeeper());
exposeTestHooks({ screen, calculator, drawing });

// A link's input is typed ahead, as a paste is; a link that cannot be used is
// named, and the run starts fresh.
const opened = LinkKeeper.opened();
calculator.start(opened.bytes ?? null);
if (opened.problem !== undefined) statusLine.say(opened.problem);
