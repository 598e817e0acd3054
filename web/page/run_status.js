// What a run says it did, for screen readers, without moving the focus: a status (an <output>,
// which screen readers speak politely when its text changes) that the window does not show, right
// after Run in the reading order. It is there, empty, before the first run.

import { afterNextFrame } from './frames.js';
import { inPageLanguage } from './translate.js';

let status = null;
let told = 0;  // the texts handed to `tell` so far: only the last is said

// Puts the status after the Run button `run`.
export function attach(run) {
  // In the window, which is English, but in the page's language.
  status = inPageLanguage(document.createElement('output'));
  status.className = 'screen-reader-only';
  run.after(status);
}

// Says `text` ('' for nothing) once the run's frame is painted. The status is emptied first, so
// that a run that says what the run before it said is heard too.
export function tell(text) {
  const telling = ++told;
  status.textContent = '';
  if (!text) return;
  afterNextFrame(() => {
    if (telling === told) status.textContent = text;
  });
}
