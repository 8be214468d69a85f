// The page kept for use without a network: once the calculator runs, the
// service worker (sw.js) is registered, and takes the page's files into its
// cache. When a newly served release has been taken in, the status line says
// so once: it is used from the next start (index.html hands over to it then),
// never under a running calculation. Opened as a file, nothing is registered.

export const NEW_RELEASE = 'Eine neue Version ist geladen: sie gilt ab dem nächsten Start der Seite.';

export class OfflineKeeper {
  activate(calculator) {
    const workers = navigator.serviceWorker;
    if (!workers || location.protocol === 'file:') return;
    const first = calculator.on('keyWait', () => {
      first.dispose();
      this.register(workers, calculator.statusLine);
    });
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
      else follow(registration.installing);
    } catch {
      // Without a network the check for a new release fails; the kept one runs.
    }
  }
}
