// Ways to make the page's start and its storage behave as they do on a slow machine or a full
// disk, set up before the page loads (`page.evaluateOnNewDocument`) and driven from the test.

// The program's WebAssembly does not start until `startProgram(page)`.
export function holdProgram(page) {
  return page.evaluateOnNewDocument(() => {
    const instantiate = WebAssembly.instantiate;
    const started = new Promise((resolve) => {
      window.shoStartProgram = resolve;
    });
    WebAssembly.instantiate = (...args) => started.then(() => instantiate(...args));
  });
}

export const startProgram = (page) => page.evaluate(() => window.shoStartProgram());

// The storage opens only once `openStorage(page)` is called: its success reaches the page then.
export function holdStorage(page) {
  return page.evaluateOnNewDocument(() => {
    const open = IDBFactory.prototype.open;
    const opened = new Promise((resolve) => {
      window.shoOpenStorage = resolve;
    });
    IDBFactory.prototype.open = function (...args) {
      const request = open.apply(this, args);
      let handler = null;
      Object.defineProperty(request, 'onsuccess', {
        get: () => handler,
        set: (given) => {
          handler = given;
        },
      });
      request.addEventListener('success', (event) => {
        opened.then(() => handler?.call(request, event));
      });
      return request;
    };
  });
}

export const openStorage = (page) => page.evaluate(() => window.shoOpenStorage());

// The storage refuses every write, as a full one does, while `fillStorage(page, true)` holds.
export function refusingWhenFull(page) {
  return page.evaluateOnNewDocument(() => {
    const transaction = IDBDatabase.prototype.transaction;
    window.shoStorageFull = false;
    IDBDatabase.prototype.transaction = function (stores, mode, ...rest) {
      if (mode === 'readwrite' && window.shoStorageFull) {
        throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
      }
      return transaction.call(this, stores, mode, ...rest);
    };
  });
}

export const fillStorage = (page, full) => page.evaluate((value) => {
  window.shoStorageFull = value;
}, full);

// Runs each of `setUps` on the page, before it loads.
export const allOf = (...setUps) => async (page) => {
  for (const setUp of setUps) await setUp(page);
};
