// Where the data files live: the browser's storage for the page (IndexedDB). Each run is stored
// under a key of its own, [order, visit, number]: when it was first written (a clock that never
// goes back below what the storage holds), the visit of the page that ran it, and its number in
// that visit. Its lines are one record per file under [file, order, visit, number], so a file is
// its records in key order, and writing a run again puts the same records in the same places:
// a run written twice (by its own write and by the one the page makes as it goes away) is kept
// once. Nothing here is read back before it is written, so a write started as the page goes away,
// when no event reaches the page any more, is whole by itself.
//
// Every page opened from disk in Chromium shares one storage, so copies of the page, old and new,
// share these files: the stored format has a version, and a copy that finds a newer one leaves
// it alone and only reads it.

const kDatabase = 'sho-euler-data-files';
const kVersion = 2;  // of the stored format: raise it, with an upgrade, when it changes
const kLines = 'run-lines';  // [file, order, visit, number] -> the bytes the run appended
const kRuns = 'runs';  // [order, visit, number] -> { order, visit, number, lines }

// The connection and what became of it: "opening", "open", "closed" (by the browser, which may
// let the page open it again) or "refused" (with the error that says why).
let connection = null;
let phase = 'opening';
let refusal = null;
let opening = null;
let closing = null;
let fileNames = [];

const done = (request) =>
  new Promise((resolve, reject) => {
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });

const finished = (transaction) =>
  new Promise((resolve, reject) => {
    transaction.oncomplete = () => resolve();
    transaction.onerror = () => reject(transaction.error);
    transaction.onabort = () => reject(transaction.error || new DOMException('', 'AbortError'));
  });

// The first format kept a file's runs under increasing numbers and a total per file: its runs
// become runs of an unnamed visit, in the order they were kept, before any run of a later page.
function upgradeFromFirstFormat(made, upgrade) {
  made.createObjectStore(kLines);
  made.createObjectStore(kRuns);
  if (!made.objectStoreNames.contains('lines')) return;
  done(upgrade.objectStore('lines').getAll()).then((records) => {
    const lines = upgrade.objectStore(kLines);
    const runs = upgrade.objectStore(kRuns);
    const seen = {};
    for (const { file, lines: count, bytes } of records) {
      const number = (seen[file] ?? 0) + 1;
      seen[file] = number;
      lines.put(bytes, [file, number, '', number]);
      // Both files hold the same runs: the first file's records count them.
      if (file === fileNames[0]) {
        runs.put({ order: number, visit: '', number, lines: count }, [number, '', number]);
      }
    }
    made.deleteObjectStore('lines');
    made.deleteObjectStore('totals');
  });
}

// What becomes of `opened`: "closed" by the browser, or taken over by a "newer" copy of the page.
function lose(opened, how) {
  if (connection !== opened) return;
  connection = null;
  phase = how === 'newer' ? 'refused' : 'closed';
  if (how === 'newer') refusal = new DOMException('', 'VersionError');
}

// Resolves once `opened` is closed: by a newer copy of the page that upgrades the format, or one
// that deletes the storage, which need this one to let go; or by the browser, as it does when the
// site's data is cleared.
const closingOf = (opened) => new Promise((resolve) => {
  opened.onversionchange = (event) => {
    opened.close();
    lose(opened, event.newVersion === null ? 'closed' : 'newer');
    resolve();
  };
  opened.onclose = () => {
    lose(opened, 'closed');
    resolve();
  };
});

// Opens the storage of the files named `names` (y.dat's, then v.dat's), or opens it again after
// the browser closed it. Resolves once it is open or refused.
export function open(names) {
  fileNames = names;
  opening ??= new Promise((resolve) => {
    if (!window.indexedDB) throw new DOMException('', 'SecurityError');
    const request = indexedDB.open(kDatabase, kVersion);
    request.onupgradeneeded = (event) => {
      if (event.oldVersion < kVersion) upgradeFromFirstFormat(request.result, request.transaction);
    };
    resolve(done(request));
  }).then((opened) => {
    connection = opened;
    phase = 'open';
    refusal = null;
    closing = closingOf(opened);
  }, (error) => {
    connection = null;
    phase = 'refused';
    refusal = error;
  }).finally(() => {
    opening = null;
  });
  return opening;
}

// Resolves once the connection opened last closes; null before any opened.
export const whenClosed = () => closing;

// "opening", "open", "closed" or "refused"; and why it is refused or closed.
export const state = () => ({ phase, refusal });

// The open connection, or null.
export const openConnection = () => connection;

// Puts `runs`, each { key: [order, visit, number], lines, bytes: [of file 1, of file 2] }, in one
// transaction on `to`: all of them or none. Resolves once the browser has them.
export function write(to, runs) {
  let transaction;
  try {
    transaction = to.transaction([kLines, kRuns], 'readwrite');
  } catch (error) {
    if (error.name !== 'InvalidStateError') return Promise.reject(error);
    // The browser is closing the connection, and would say so a moment later.
    if (to === connection) {
      connection = null;
      phase = 'closed';
    }
    return Promise.reject(new DOMException('', 'ClosedError'));
  }
  const lines = transaction.objectStore(kLines);
  const records = transaction.objectStore(kRuns);
  for (const { key, lines: count, bytes } of runs) {
    const [order, visit, number] = key;
    lines.put(bytes[0], [fileNames[0], ...key]);
    lines.put(bytes[1], [fileNames[1], ...key]);
    records.put({ order, visit, number, lines: count }, key);
  }
  const written = finished(transaction);
  // Started now, even where the page goes away before it would have committed by itself.
  transaction.commit?.();
  return written;
}

// Reads with `read(connection)` from the open connection; after a newer copy of the page took the
// storage over, from one opened at its version, where it still keeps the stores this copy reads,
// and closed again. Resolves with what `read` gives, or null where nothing can be read.
function readFrom(read) {
  if (connection) return new Promise((resolve) => resolve(read(connection)));
  if (!(refusal && refusal.name === 'VersionError') || !window.indexedDB) return Promise.resolve(null);
  return done(indexedDB.open(kDatabase)).then((newer) => {
    newer.onversionchange = () => newer.close();
    const stores = newer.objectStoreNames;
    const reading = stores.contains(kLines) && stores.contains(kRuns) ? read(newer) : null;
    return Promise.resolve(reading).finally(() => newer.close());
  }, () => null);
}

// Every run stored, as { order, visit, number, lines }, in key order; null where nothing can be
// read.
export function readRuns() {
  return readFrom((from) => done(from.transaction(kRuns).objectStore(kRuns).getAll()));
}

// One file's stored runs as [{ key, bytes }] in key order; null where nothing can be read.
export function readFile(file) {
  return readFrom((from) => {
    const store = from.transaction(kLines).objectStore(kLines);
    const range = IDBKeyRange.bound([file], [file, []]);
    return Promise.all([done(store.getAllKeys(range)), done(store.getAll(range))])
      .then(([keys, values]) => keys.map((key, k) => ({ key: key.slice(1), bytes: values[k] })));
  });
}

// Removes every run stored.
export function clear(from) {
  const transaction = from.transaction([kLines, kRuns], 'readwrite');
  transaction.objectStore(kLines).clear();
  transaction.objectStore(kRuns).clear();
  return finished(transaction);
}
