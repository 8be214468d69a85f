// The page kept for use without a network: loaded once the calculator has
// shown its menu, it registers the service worker (sw.js) when the page is
// idle, which takes the page's files into its cache, never while the page
// starts. When a newly served release has been taken in, the status line says
// so once: it is used from the next start (index.html hands over to it then),
// never under a running calculation. Opened as a file, nothing is registered.

export const NEW_RELEASE = 'Eine neue Version ist geladen: sie gilt ab dem nächsten Start der Seite.';

export class OfflineKeeper {
  activate(calculator) {
    const workers = navigator.serviceWorker;
    if (!workers || location.protocol === 'file:') return;
    whenIdle(() => this.register(workers, calculator.statusLine));
  }

  dispose() {}

  async register(workers, statusLine) {
    let said = false;
    // The first release a browser takes in is no news; a later one is, once.
    const taken = () => {
      if (said || !workers.controller) return;
      said = true;
      statusLine.say(NEW_RELEASE);
    };
    const follow = (worker) => worker?.addEventListener('statechange', () => worker.state === 'installed' && taken());
    try {
      const registration = await workers.register('./sw.js');
      registration.addEventListener('updatefound', () => follow(registration.installing));
      if (registration.waiting) taken();
      else if (registration.installing) follow(registration.installing);
      // A browser looks for a new release on its own only a while after a
      // start, and later still while the page keeps fetching: the page asks
      // at once, so that a release served meanwhile is named in this session.
      else if (workers.controller) await registration.update();
    } catch {
      // Without a network the check for a new release fails; the kept one runs.
    }
  }
}

// Calls `work` once the browser has nothing else to do (at the latest after
// 2 s); where it cannot say so (WebKit), after 1 s.
function whenIdle(work) {
  if (typeof requestIdleCallback === 'function') requestIdleCallback(work, { timeout: 2000 });
  else setTimeout(work, 1000);
}
