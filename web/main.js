// The page around the calculator: wires the terminal, the runs of the
// program and the addons that follow them (the buttons, the keys typed on
// the page, the drawing, the link, printing and saving, keeping the page for
// use offline), then starts the first run.

import { ScreenFit, openScreen } from './screen.js';
import { Calculator } from './calculator.js';
import { KeyButtons } from './buttons.js';
import { LinkKeeper } from './link.js';
import { StatusLine } from './status.js';
import { exposeTestHooks } from './hooks.js';

const byId = (id) => document.getElementById(id);

const statusLine = new StatusLine(byId('status'));
const box = byId('terminal');
const fit = new ScreenFit(document.querySelector('main'), box, [byId('input'), byId('state'), byId('keep')]);
const screen = openScreen(box, fit.wanted());
screen.loadAddon(fit);

const calculator = new Calculator(screen, statusLine);
calculator.loadAddon(new KeyButtons({ keys: byId('keys'), pad: byId('pad'), goOn: byId('go-on'), restart: byId('restart') }));
const link = calculator.loadAddon(new LinkKeeper(byId('copy-link')));
const later = { drawing: null };
exposeTestHooks({ screen, calculator, later });

// What the first menu does not need comes once it is shown, and the page
// starts the sooner for it: the drawing, printing and saving, keys typed on
// the page itself, the section aid, keeping the page for use offline.
const menuShown = calculator.on('keyWait', async () => {
  menuShown.dispose();
  const [{ DrawingFollower }, { KeepButtons }, { PageKeys }, { SectionAid }, { OfflineKeeper }] = await Promise.all([
    import('./follow.js'),
    import('./keep.js'),
    import('./keyboard.js'),
    import('./sections.js'),
    import('./offline.js'),
  ]);
  later.drawing = calculator.loadAddon(new DrawingFollower(byId('drawing')));
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
      drawing: later.drawing,
    }),
  );
  calculator.loadAddon(new PageKeys());
  calculator.loadAddon(new SectionAid(byId('aid'), later.drawing));
  calculator.loadAddon(new OfflineKeeper());
});

// A link's input is typed ahead, as a paste is; a link that cannot be used is
// named, and the run starts fresh.
const opened = LinkKeeper.opened();
calculator.start(opened.bytes ?? null);
if (opened.problem !== undefined) statusLine.say(opened.problem);
