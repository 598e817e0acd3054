// The data files y.dat and v.dat: every run of this visit, from the moment it ran until the
// browser's storage keeps it (data_store.js), or holds it in the page where the storage refuses
// it. Runs are written one at a time in the order they ran, each in a transaction of its own;
// the first one refused holds every run after it too, so that what is kept is always the runs
// from the first, in order. As the page goes away, every run not yet written is written at once.
// Below the window, the files' section (data_files_section.js) shows each file's line count,
// the downloads and Delete.

import * as Section from './data_files_section.js';
import * as Store from './data_store.js';
import { saveFile } from './download.js';
import { ask, inform } from './messages.js';
import * as Life from './page_life.js';
import * as ProgramEnded from './program_ended.js';
import { fillIn, inPageDigits, qsTranslate } from './translate.js';

let files = [];  // the names of y.dat and v.dat, as the program gives them
// This page's visit: its runs are stored under it.
const kVisit = typeof crypto.randomUUID === 'function' ? crypto.randomUUID()
  : `${Date.now()}-${Math.random()}`;

// The visit's runs, in the order they ran: { number, lines, key, bytes, state, settle, settled }.
// `state` is one of:
//   "ran"       counted; its lines are still in the program
//   "unwritten" its lines are here, on their way to the storage
//   "stored"    the storage keeps it
//   "held"      the storage refused it, or never opened: its lines are only in the page
//   "lost"      its lines never left the program, which stopped
//   "gone"      stored, then no longer in the storage (its site data cleared, or deleted elsewhere)
//   "deleted"   deleted with Delete data files
// `settled` resolves once it is neither "ran" nor "unwritten".
const runs = [];
const counted = (run) => ['ran', 'unwritten', 'stored', 'held'].includes(run.state);
const pending = (run) => run.state === 'ran' || run.state === 'unwritten';
const held = () => runs.filter((run) => run.state === 'held');

let othersLines = 0;  // in each file, stored by other visits
let newestOrder = 0;  // the newest order stored or given to a run
let lastTold = '';  // of the last write: "kept" or "refused"
let refusal = null;  // the error of the last refusal
let persisted = null;  // the browser's answer to keeping the files when short of space
let leaving = false;  // the page leaves, knowing what it loses
let watchedClosing = null;  // the closing of the storage's connection that storageClosed awaits

// Why the browser did not keep the files, in the user's words.
function reasonOf(error) {
  const name = error ? error.name : '';
  if (name === 'QuotaExceededError') return qsTranslate('Page', "the browser's storage for this page is full");
  if (name === 'VersionError') return qsTranslate('Page', 'a newer copy of this page keeps them in a newer form');
  if (name === 'ClosedError') {
    return qsTranslate('Page', "the browser closed the page's storage, as it does when the page's site data is cleared");
  }
  if (!name || name === 'SecurityError' || name === 'InvalidStateError') {
    return qsTranslate('Page', 'the browser does not let this page keep data (in a private window, or with site data turned off)');
  }
  return error.message || name;
}

const heldLines = () => held().reduce((sum, run) => sum + run.lines, 0);

// Closing or reloading the tab asks first while runs are only in the page (the browser says it
// in its own words), unless the page leaves knowing it.
function guard(event) {
  event.preventDefault();
  event.returnValue = '';
}

function changed() {
  const lines = othersLines + runs.filter(counted).reduce((sum, run) => sum + run.lines, 0);
  const holding = held().length > 0;
  Section.show(lines, holding ? reasonOf(refusal) : '', evictable());
  if (holding && !leaving) {
    addEventListener('beforeunload', guard);
  } else {
    removeEventListener('beforeunload', guard);
  }
  if (Life.isOver()) ProgramEnded.showKept(whatIsKept());
}

// The run is stored, held, lost or gone: its turn ends. Only a held run keeps its lines here.
function settle(run, state) {
  run.state = state;
  if (state !== 'held') run.bytes = null;
  run.settle();
}

// Written once it is stored: a run whose lines are only in the page.
const inPageOnly = (run) => run.state === 'unwritten' || run.state === 'held';
const recordOf = (run) => ({ key: keyOf(run), lines: run.lines, bytes: run.bytes });

// The run's key, given when it is first written: later than anything stored or given before.
function keyOf(run) {
  if (!run.key) {
    newestOrder = Math.max(newestOrder + 1, Date.now());
    run.key = [newestOrder, kVisit, run.number];
  }
  return run.key;
}

// What the storage keeps, against what the page knows: the lines of other visits, and which of
// this visit's runs it holds.
function readStored() {
  return Store.readRuns().then((stored) => {
    if (!stored) return;
    const ours = new Set();
    othersLines = 0;
    for (const run of stored) {
      newestOrder = Math.max(newestOrder, run.order);
      if (run.visit === kVisit) {
        ours.add(run.number);
      } else {
        othersLines += run.lines;
      }
    }
    for (const run of runs) {
      if (ours.has(run.number) && inPageOnly(run)) {
        settle(run, 'stored');
      } else if (!ours.has(run.number) && run.state === 'stored') {
        settle(run, 'gone');
      }
    }
  }, () => {});
}

// Asks the browser, once a visit, as the page starts and before any run's status is read out
// (Firefox asks the user in a prompt that a screen reader reads as an alert), not to clear the
// files when it runs short of space. Nothing waits for the answer: the user may never answer.
function askToPersist() {
  if (persisted !== null || !navigator.storage || !navigator.storage.persist) return;
  persisted = 'asked';
  new Promise((resolve) => resolve(navigator.storage.persist())).then((answer) => {
    persisted = answer;
    changed();
  }, () => {});
}

// Whether the storage keeps lines that the browser said it may clear.
const evictable = () => persisted === false &&
  (othersLines > 0 || runs.some((run) => run.state === 'stored'));

// The storage to write to: open, or opened again after the browser closed it; null where it
// refuses.
function usable() {
  const { phase } = Store.state();
  if (phase === 'open') return Promise.resolve(Store.openConnection());
  return Store.open(files).then(() => {
    if (!Store.openConnection()) return null;
    watchClosing();
    return readStored().then(() => Store.openConnection());
  });
}

// Opens the storage again when the connection opened last closes.
function watchClosing() {
  const closing = Store.whenClosed();
  if (!closing || closing === watchedClosing) return;
  watchedClosing = closing;
  closing.then(() => storageClosed());
}

// The browser closed the storage, or a newer copy of the page took it over: opened again where
// the browser allows, so that the counts say what it holds now. The browser refuses at first
// while it clears the page's site data.
function storageClosed(tries = 4) {
  refusal = closedOr(refusal);
  usable().then((to) => {
    changed();
    const gaveUp = to || Store.state().refusal?.name === 'VersionError' || tries <= 1;
    if (!gaveUp) setTimeout(() => storageClosed(tries - 1), 250 * (5 - tries));
  });
}

// A refusal, named as a closed storage where the browser closed it.
function closedOr(error) {
  return Store.state().phase === 'closed' ? new DOMException('', 'ClosedError') : error;
}

function tellRefused(error) {
  refusal = closedOr(error);
  // Held from now on, in the order they ran.
  for (const run of runs) {
    if (run.state === 'unwritten') settle(run, 'held');
  }
  if (lastTold === 'refused') return;
  lastTold = 'refused';
  const text = qsTranslate('Page', "The lines of this run could not be kept in the browser's storage: %1.");
  inform(qsTranslate('Page', 'Data files not kept'), fillIn(text, reasonOf(refusal)),
    qsTranslate('Page', 'Download y.dat and Download v.dat still give the lines of this visit until the page is closed.'));
}

// Writes the runs that are waiting, in order, each in its own transaction, until one is
// refused or one's lines are still in the program. A write that fails but for a full storage is
// tried once more, on the storage opened again where the browser closed it. Resolves once it
// stops.
function writeWaiting(tries = 2) {
  const next = runs.find((run) => pending(run) || run.state === 'held');
  if (!next || next.state === 'ran') return Promise.resolve();
  return usable().then((to) => {
    if (!to) return tellRefused(Store.state().refusal);
    return Store.write(to, [recordOf(next)]).then(() => {
      if (inPageOnly(next)) settle(next, 'stored');
      lastTold = 'kept';
      return readStored().then(() => {
        changed();
        return writeWaiting();
      });
    }, (error) => {
      if (tries > 1 && error.name !== 'QuotaExceededError') return writeWaiting(tries - 1);
      return tellRefused(error);
    });
  });
}

// The writing under way, if any; `again` asks it to look for more once it stops; `away` while
// the page is hidden or gone, when writeNow writes.
let writing = null;
let again = false;
let away = false;
let leaveWrite = null;  // what writeNow started, until it has ended

function keepWriting() {
  again = true;
  if (writing || away) return;
  again = false;
  writing = writeWaiting().finally(() => {
    writing = null;
    changed();
    if (again) keepWriting();
  });
}

// Resolves once every run that ran is stored, held or lost.
function drained() {
  return Promise.all(runs.filter(pending).map((run) => run.settled)).then(() => writing);
}

// A run has run and appended `lines` to each file: counted from now on. Returns the run, whose
// lines follow with `give`.
export function ran(lines) {
  let settleRun;
  const settled = new Promise((resolve) => {
    settleRun = resolve;
  });
  const run = { number: runs.length + 1, lines, key: null, bytes: null, state: 'ran',
    settle: settleRun, settled };
  runs.push(run);
  changed();
  return run;
}

// The last run, while its lines are still only in the program; else null.
export function runAwaitingLines() {
  const last = runs[runs.length - 1];
  return last && last.state === 'ran' ? last : null;
}

// The lines of the run that awaits them, [y.dat's bytes, v.dat's bytes], or null where the
// program could not give them; they are kept in the run's turn.
export function give(run, bytes) {
  if (bytes) {
    run.bytes = bytes;
    run.state = 'unwritten';
  } else {
    settle(run, 'lost');
  }
  changed();
  keepWriting();
}

// As the page goes away (or is hidden, and may never be shown again): starts the write of every
// run not yet written, now, on the open connection, with no wait on the page's own writes: no
// event of the storage reaches a page that has gone. Each transaction holds the runs from the
// first not written up to one more, so that whichever the storage takes, the files hold the runs
// from the first, in order; a run written twice is kept once.
export function writeNow() {
  const to = Store.openConnection();
  if (!to || leaveWrite) return;
  const runsToWrite = [];
  const writes = [];
  for (const run of runs) {
    if (run.state === 'ran') break;
    if (!inPageOnly(run)) continue;
    runsToWrite.push(run);
    const written = runsToWrite.slice();
    writes.push(Store.write(to, written.map(recordOf)).then(() => {
      for (const each of written) {
        if (inPageOnly(each)) settle(each, 'stored');
      }
      changed();
    }, () => {}));
  }
  // Hidden, then gone (a tab closed is hidden first): the writes under way are not started again.
  if (writes.length > 0) {
    leaveWrite = Promise.all(writes).finally(() => {
      leaveWrite = null;
    });
  }
}

// The page goes away, or is hidden: from now on writeNow writes, not the runs' turns, which
// would only write the same runs again and may not end before the page has gone.
export function goAway() {
  away = true;
}

// The page is shown again: runs are written in their turn again.
export function back() {
  away = false;
  keepWriting();
}

// Which of two run keys, [order, visit, number], comes first, as the storage orders them.
const compareKeys = ([order, visit, number], [otherOrder, otherVisit, otherNumber]) =>
  order - otherOrder || (visit < otherVisit ? -1 : visit > otherVisit ? 1 : 0) || number - otherNumber;

// The file's bytes: the runs the storage keeps and this visit's runs it does not, in the order
// they ran, once the runs that ran before are written.
function fileBytes(k) {
  return drained().then(() => usable()).then(() => Store.readFile(files[k])).then((stored) => {
    const parts = (stored ?? []).slice();
    const storedKeys = new Set(parts.map((part) => part.key.join()));
    for (const run of held()) {
      // A run never written yet comes after every run stored.
      const key = run.key ?? [Infinity, kVisit, run.number];
      if (!storedKeys.has(key.join())) parts.push({ key, bytes: run.bytes[k] });
    }
    parts.sort((a, b) => compareKeys(a.key, b.key));
    return new Blob(parts.map((part) => part.bytes), { type: 'text/plain' });
  });
}

export function download(k) {
  return fileBytes(k).then((blob) => saveFile(blob, files[k]), (error) => {
    const text = qsTranslate('Page', "%1 could not be read from the browser's storage: %2.");
    inform(qsTranslate('Page', 'Data file not downloaded'), fillIn(text, files[k], reasonOf(error)));
  });
}

// Deletes both files with every line, also those of runs that ran just before.
function forget() {
  return drained().then(() => usable()).then((to) => {
    // A newer copy of the page keeps the stored lines, which this one cannot touch.
    if (!to && Store.state().refusal?.name === 'VersionError') throw Store.state().refusal;
    const removed = to ? Store.clear(to) : Promise.resolve();
    return removed.then(() => {
      othersLines = 0;
      for (const run of runs) {
        if (counted(run)) settle(run, 'deleted');
      }
      return readStored();
    });
  }).catch((error) => {
    const text = qsTranslate('Page', "The browser's storage did not delete the data files: %1.");
    inform(qsTranslate('Page', 'Data files not deleted'), fillIn(text, reasonOf(error)));
  }).finally(changed);
}

function deleteFiles() {
  const question = qsTranslate('Page', 'Delete y.dat and v.dat with all their lines? This cannot be undone.');
  const title = qsTranslate('Page', 'Delete data files');
  return ask(title, question, qsTranslate('Page', 'Delete')).then((confirmed) => {
    if (confirmed) return forget();
  });
}

// Resolves once the run's lines are stored, held or lost.
export const settled = (run) => run.settled;

// What became of the data files, for the page that shows once the program has ended: kept, or
// lines only in the page, which the downloads beside it offer.
function whatIsKept() {
  const lines = heldLines();
  if (lines === 0) {
    return {
      text: Life.current() === 'failed'
        ? qsTranslate('Page', 'Its data files are kept: they are below. Reload the page to start the program again.')
        : qsTranslate('Page', 'Its data files are kept: they are below.'),
    };
  }
  const text = qsTranslate('Page', 'The browser did not keep %1 lines of each data file: they are only in this page, and closing it or loading it again loses them. Download y.dat and v.dat to keep them.');
  return {
    text: fillIn(text, inPageDigits(lines)),
    downloads: [
      { label: qsTranslate('Page', 'Download y.dat'), action: () => download(0) },
      { label: qsTranslate('Page', 'Download v.dat'), action: () => download(1) },
    ],
  };
}

// Says on the page that shows once the program has ended what became of the data files, and goes
// on saying it as that changes.
export function sayWhatIsKept() {
  ProgramEnded.showKept(whatIsKept());
}

// The page is about to be loaded again by its own button, which said what would be lost: the
// browser does not ask.
export function leaveWithoutAsking() {
  leaving = true;
  changed();
}

// Shows the files' section in `place`, for the files named `names` (y.dat's and v.dat's), and
// opens the storage; resolves once the counts show.
export function start(place, names) {
  files = names;
  Section.build(place, files, {
    download,
    deleteFiles,
  });
  addEventListener('focus', () => {
    if (Store.openConnection()) readStored().then(changed);
  });
  return usable().then(() => {
    if (Store.state().phase === 'open') {
      askToPersist();
    } else {
      refusal = Store.state().refusal;
    }
    changed();
    keepWriting();
  });
}
