// The data files y.dat and v.dat, kept in the browser's storage for the page (IndexedDB): each
// run adds one record per file, both in one transaction, so that a run's lines are kept whole or
// not at all, two tabs never mix their lines within a run, and a run costs the same however long
// the files are. Runs the browser did not keep are held in the page, and the next write it
// accepts keeps them first, so that the files keep the runs in the order they ran. Below the
// window: each file's line count, its download, and deleting both.
//
// Every page opened from disk in Chromium shares one storage, so copies of the page, old and new,
// share these files: the stored format has a version, and a copy that finds a newer one leaves
// it alone.

import { saveFile } from './download.js';
import { ask } from './messages.js';
import { direction, language, qsTranslate } from './translate.js';

const kDatabase = 'sho-euler-data-files';
const kVersion = 1;  // of the stored format: raise it, with an upgrade, when it changes
const kFiles = ['y.dat', 'v.dat'];
const kLinesStore = 'lines';    // { file, lines, bytes }: what one run appended to one file
const kTotalsStore = 'totals';  // { file, lines }: the lines of each file in all
let database = null;
let refusal = '';  // why the browser did not keep the files, the last time it said no
let reported = false;
const stored = [0, 0];
// This visit's runs whose lines the browser has not kept, in the order they ran: { bytes: [of
// y.dat, of v.dat], lines }. The downloads give them after the stored lines.
const held = [];
// The last write or deletion: each waits for the one before, so that a run is kept only after
// the runs held before it.
let writing = Promise.resolve();
let askedToPersist = false;
let section = null;
// Makes the texts the section shows: describe([lines of y.dat, of v.dat], refusal) gives
// { counts: [text, text], status }.
let describe = null;
const counts = [];
let status = null;
let evictable = null;  // says that the browser may clear the files

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

// Why the browser did not keep the files, in the user's words.
function reasonOf(error) {
  const name = error ? error.name : '';
  if (name === 'QuotaExceededError') return qsTranslate('Page', "the browser's storage for this page is full");
  if (name === 'VersionError') return qsTranslate('Page', 'a newer copy of this page keeps them in a newer form');
  if (!name || name === 'SecurityError' || name === 'InvalidStateError') {
    return qsTranslate('Page', 'the browser does not let this page keep data (in a private window, or with site data turned off)');
  }
  return error.message || name;
}

// Opens the files' storage; rejects where the browser refuses it, by error or by throwing.
function openDatabase() {
  const opening = new Promise((resolve) => {
    if (!window.indexedDB) throw new DOMException('', 'SecurityError');
    const request = indexedDB.open(kDatabase, kVersion);
    request.onupgradeneeded = () => {
      const made = request.result;
      made.createObjectStore(kLinesStore, { autoIncrement: true }).createIndex('file', 'file');
      made.createObjectStore(kTotalsStore, { keyPath: 'file' });
    };
    resolve(done(request));
  });
  return opening.then((opened) => {
    // A newer copy of the page that upgrades the format needs this one to let go.
    opened.onversionchange = () => {
      opened.close();
      database = null;
      refusal = reasonOf({ name: 'VersionError' });
    };
    return opened;
  });
}

function readTotals() {
  const transaction = database.transaction(kTotalsStore);
  return done(transaction.objectStore(kTotalsStore).getAll()).then((totals) => {
    kFiles.forEach((file, k) => {
      const total = totals.find((t) => t.file === file);
      stored[k] = total ? total.lines : 0;
    });
  });
}

// Lines of runs that show in the counts already and are still to be written.
let coming = 0;
const heldLines = () => held.reduce((sum, run) => sum + run.lines, coming);

// Shows each file's line count and, while lines of this visit are only in the page, why, in the
// texts `describe` makes of them.
function showCounts() {
  const lines = heldLines();
  const texts = describe(kFiles.map((file, k) => stored[k] + lines),
    !database || held.length > 0 ? refusal : '');
  kFiles.forEach((file, k) => {
    counts[k].textContent = texts.counts[k];
  });
  status.textContent = texts.status;
  status.hidden = !texts.status;
}

// Runs `task` once the writes and deletions asked for before it have ended.
function inTurn(task) {
  const result = writing.then(task);
  writing = result.catch(() => {});
  return result;
}

// Asks the browser, once a visit, not to clear the files when it runs short of space, and says so
// where it will not. Nothing waits for the answer: Firefox may ask the user and never answer.
function askToPersist() {
  if (askedToPersist || !navigator.storage || !navigator.storage.persist) return;
  askedToPersist = true;
  new Promise((resolve) => resolve(navigator.storage.persist())).then((persisted) => {
    evictable.hidden = persisted;
  }, () => {});
}

// Keeps the runs held in the page and then `run`, all in one transaction with the totals, or
// holds `run` too. Resolves with why the browser did not keep them, or ''.
function keepOrHold(run) {
  if (!database) {
    held.push(run);
    return Promise.resolve(refusal);
  }
  const runs = [...held, run];
  return new Promise((resolve) => resolve(keepInOneTransaction(runs))).then(() => {
    held.splice(0, runs.length - 1);
    askToPersist();
    return readTotals().then(() => '', () => '');
  }, (error) => {
    held.push(run);
    return reasonOf(error);
  });
}

function keepInOneTransaction(runs) {
  const transaction = database.transaction([kLinesStore, kTotalsStore], 'readwrite');
  const records = transaction.objectStore(kLinesStore);
  const totals = transaction.objectStore(kTotalsStore);
  const lines = runs.reduce((sum, run) => sum + run.lines, 0);
  kFiles.forEach((file, k) => {
    for (const run of runs) records.add({ file, lines: run.lines, bytes: run.bytes[k] });
    const total = totals.get(file);
    total.onsuccess = () => totals.put({ file, lines: (total.result ? total.result.lines : 0) + lines });
  });
  return finished(transaction);
}

// The file's bytes: what the storage keeps, then this visit's runs it has not kept.
function fileBlob(k) {
  const blob = (parts) =>
    new Blob([...parts, ...held.map((run) => run.bytes[k])], { type: 'text/plain' });
  if (!database) return Promise.resolve(blob([]));
  const transaction = database.transaction(kLinesStore);
  const records = done(transaction.objectStore(kLinesStore).index('file').getAll(kFiles[k]));
  return records.then((found) => blob(found.map((record) => record.bytes)));
}

function download(k) {
  return fileBlob(k).then((blob) => saveFile(blob, kFiles[k]));
}

function forget() {
  held.splice(0);
  if (!database) return Promise.resolve();
  const transaction = database.transaction([kLinesStore, kTotalsStore], 'readwrite');
  transaction.objectStore(kLinesStore).clear();
  transaction.objectStore(kTotalsStore).clear();
  return finished(transaction).then(readTotals);
}

function deleteFiles() {
  const question = qsTranslate('Page', 'Delete y.dat and v.dat with all their lines? This cannot be undone.');
  const title = qsTranslate('Page', 'Delete data files');
  return ask(title, question, qsTranslate('Page', 'Delete')).then((confirmed) => {
    if (confirmed) return inTurn(forget).finally(showCounts);
  });
}

function button(text, action) {
  const made = document.createElement('button');
  made.type = 'button';
  made.textContent = text;
  made.addEventListener('click', action);
  return made;
}

function buildSection(place) {
  section = place;
  section.lang = language;
  section.dir = direction;
  const heading = document.createElement('h2');
  heading.id = 'data-files-heading';
  heading.textContent = qsTranslate('Page', 'Data files');
  section.setAttribute('aria-labelledby', heading.id);
  const about = document.createElement('p');
  about.textContent = qsTranslate('Page', 'Every run appends its positions to y.dat and its velocities to v.dat. This browser keeps them for this page.');
  const list = document.createElement('ul');
  kFiles.forEach((file, k) => {
    counts[k] = document.createElement('li');
    list.append(counts[k]);
  });
  status = document.createElement('p');
  status.hidden = true;
  evictable = document.createElement('p');
  evictable.textContent = qsTranslate('Page', 'This browser may clear the data files when it runs short of space: download them to keep a safe copy.');
  evictable.hidden = true;
  const buttons = document.createElement('div');
  buttons.className = 'data-file-buttons';
  buttons.append(
    button(qsTranslate('Page', 'Download y.dat'), () => download(0)),
    button(qsTranslate('Page', 'Download v.dat'), () => download(1)),
    button(qsTranslate('Page', 'Delete data files'), deleteFiles),
  );
  section.append(heading, about, list, status, evictable, buttons);
  section.hidden = false;
}

// Shows the files' section in `place` and opens the storage; resolves once the counts show.
export function start(place, describeCounts) {
  describe = describeCounts;
  buildSection(place);
  window.addEventListener('focus', () => {
    if (database) readTotals().then(showCounts, () => {});
  });
  return openDatabase()
    .then((opened) => {
      database = opened;
      return readTotals();
    })
    .catch((error) => {
      database = null;
      refusal = reasonOf(error);
    })
    .then(showCounts);
}

// Appends a run's lines, `lines` in each file: counted at once, and written once `bytes` gives
// them (the bytes of y.dat and of v.dat, or null where the program could not give them), in the
// order they came. Resolves with the reason the browser did not keep them, the first time it does
// not; otherwise with ''.
export function append(bytes, lines) {
  coming += lines;
  showCounts();
  return Promise.resolve(bytes).then((given) => inTurn(() => {
    coming -= lines;
    return given ? keepOrHold({ bytes: given, lines }) : '';
  })).then((reason) => {
    if (reason) refusal = reason;
    showCounts();
    if (!reason || reported) return '';
    reported = true;
    return reason;
  });
}
