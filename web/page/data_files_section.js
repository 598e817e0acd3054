// The data files' section below the window: what the files are, each file's line count, why the
// browser does not keep them while it does not, and their downloads and Delete. It is handed
// what it shows.
import { button } from './button.js';
import { fillIn, inPageDigits, qsTranslate } from './translate.js';

let files = [];
const counts = [];
let status = null;
let evictableNote = null;

// Builds the section in `place` for the files named `names`; `download(k)` gives file k,
// `deleteFiles()` asks and deletes both.
export function build(place, names, { download, deleteFiles }) {
  files = names;
  const heading = document.createElement('h2');
  heading.id = 'data-files-heading';
  heading.textContent = qsTranslate('Page', 'Data files');
  place.setAttribute('aria-labelledby', heading.id);
  const about = document.createElement('p');
  about.textContent = qsTranslate('Page', 'Every run appends its positions to y.dat and its velocities to v.dat. This browser keeps them for this page.');
  const list = document.createElement('ul');
  files.forEach((file, k) => {
    counts[k] = document.createElement('li');
    list.append(counts[k]);
  });
  status = document.createElement('p');
  status.hidden = true;
  evictableNote = document.createElement('p');
  evictableNote.textContent = qsTranslate('Page', 'This browser may clear the data files when it runs short of space: download them to keep a safe copy.');
  evictableNote.hidden = true;
  const buttons = document.createElement('div');
  buttons.className = 'data-file-buttons';
  buttons.append(
    button(qsTranslate('Page', 'Download y.dat'), () => download(0)),
    button(qsTranslate('Page', 'Download v.dat'), () => download(1)),
    button(qsTranslate('Page', 'Delete data files'), deleteFiles),
  );
  place.append(heading, about, list, status, evictableNote, buttons);
  place.hidden = false;
}

// Shows `lines` in each file; `refusal`, why the browser does not keep some of them ('' when it
// keeps them all); and whether it may clear them.
export function show(lines, refusal, evictable) {
  if (!status) return;
  files.forEach((file, k) => {
    counts[k].textContent = fillIn(qsTranslate('Page', 'Lines in %1: %2'), file, inPageDigits(lines));
  });
  const refused = qsTranslate('Page', 'This browser does not keep the data files: %1. The downloads give the lines of this visit.');
  status.textContent = refusal ? fillIn(refused, refusal) : '';
  status.hidden = !refusal;
  evictableNote.hidden = !evictable;
}
