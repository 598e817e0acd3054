// The results list "Current values": a drop-down whose first option, hidden from the drop-down,
// is the list's edit text (nine blanks at first, then the header), and below it one option per
// step of the last run, each whole, with no-break spaces so that its blanks stay as they are (a
// browser shows an option's run of blanks as one).
//
// A run shows its header at once and its ten thousand entries a moment later: browsers take long
// to make, change or remove that many options (Firefox takes seconds to remove them from a list,
// and a browser that keeps an accessibility tree updates it for each), and nobody reads them in
// the frame after Run. So each run gets a new list holding only its header, marked busy: it takes
// the id the label names, goes before the last one and above it; the last is taken out of the tab
// order at once and removed in the browser's idle time a moment later. The entries are made in
// idle time too and put in at once, and at once as soon as anybody reaches the list (focus,
// pointer or key), so that nobody ever meets a list that mixes two runs.

import { whenIdle } from './frames.js';

const kNoBreakSpace = '\u00A0';
// After a run, the list waits this long before it fills itself in idle time: Firefox tells a screen
// reader of every entry put into a list, and Orca, taking seconds over ten thousand of them, would
// hear nothing else meanwhile, not even what the run said it did.
const kQuietAfterRunMilliseconds = 500;
let select = null;
// The entries still to put into `select`: { lines (null until they come), made, options, wanted }.
let pending = null;
const replaced = [];  // lists of earlier runs, still to be removed
let lists = 0;  // made so far: each lies above the one before
let filled = Promise.resolve();
let fillDone = () => {};

const withNoBreakSpaces = (text) => text.replace(/ /g, kNoBreakSpace);

function newList(editText) {
  const made = document.createElement('select');
  lists += 1;
  made.style.zIndex = String(lists);
  const edit = document.createElement('option');
  edit.hidden = true;
  edit.textContent = withNoBreakSpaces(editText);
  made.append(edit);
  for (const type of ['focus', 'pointerdown', 'keydown']) made.addEventListener(type, fillNow);
  return made;
}

// Removes the lists of earlier runs, then makes options of the pending entries until `more()`
// says stop.
function makeOptions(more) {
  for (const list of replaced.splice(0)) list.remove();
  const { lines, options } = pending;
  while (pending.made < lines.length && more()) {
    const end = Math.min(lines.length, pending.made + 500);
    for (let k = pending.made; k < end; ++k) options.append(new Option(lines[k]));
    pending.made = end;
  }
  return pending.made === lines.length;
}

function putIn() {
  select.append(pending.options);
  select.selectedIndex = 0;
  select.removeAttribute('aria-busy');
  pending = null;
  fillDone();
}

function fillWhenIdle(deadline) {
  if (!pending) return;
  if (pending.lines && makeOptions(() => deadline.timeRemaining() > 1)) {
    putIn();
  } else {
    whenIdle(fillWhenIdle);
  }
}

// Puts the last run's entries into the list now, where they are not in it yet; where they have
// not come yet, as soon as they come.
function fillNow() {
  if (!pending) return;
  if (!pending.lines) {
    pending.wanted = true;
    return;
  }
  makeOptions(() => true);
  putIn();
}

// Takes over the list's select, which shows `editText` until the first run; its label names it
// by its id, which the list of each run takes in turn.
export function attach(listSelect, editText) {
  select = newList(editText);
  select.id = listSelect.id;
  listSelect.replaceWith(select);
}

// Shows the edit text now, with nothing chosen, and the run's `count` entries soon, once `fill`
// has given them. Resolves once they are in the list.
export function show(editText, count) {
  const last = select;
  const next = newList(editText);
  next.setAttribute('aria-busy', 'true');
  last.tabIndex = -1;
  next.id = last.id;
  last.removeAttribute('id');
  last.before(next);
  replaced.push(last);
  select = next;
  fillDone();  // a run still filling its list has no list any more
  pending = { lines: count > 0 ? null : [], made: 0, options: document.createDocumentFragment(),
    wanted: false };
  filled = new Promise((resolve) => {
    fillDone = resolve;
  });
  if (document.activeElement === last) select.focus();  // and so filled as soon as it can be
  setTimeout(() => whenIdle(fillWhenIdle), kQuietAfterRunMilliseconds);
  return filled;
}

// Whether the list waits for the entries of the run it shows.
export const waitingForEntries = () => pending !== null && pending.lines === null;

// The entries of the run the list shows, one a line ('' for none): they go into the list in idle
// time, or `now`, or now where somebody has reached the list already.
export function fill(text, { now = false } = {}) {
  if (!waitingForEntries()) return;
  pending.lines = text ? withNoBreakSpaces(text).split('\n') : [];
  if (now || pending.wanted) fillNow();
}

// The index of the entry the user chose, or -1 while the edit text shows.
export function chosenEntry() {
  return select ? select.selectedIndex - 1 : -1;
}
