// What the page shows in place of the window once the program has stopped for good inside its
// WebAssembly: what happened, and a button that loads the page again, which starts the program
// anew. It is handed its texts, already in the page's language.
import { direction, language } from './translate.js';

function element(tag, text) {
  const made = document.createElement(tag);
  made.textContent = text;
  return made;
}

// Shows in `place` the `title`, the `text`, the fault as `details` and a button `reload`, which
// takes the focus.
export function showProgramEnded(place, { title, text, details, reload }) {
  place.lang = language;
  place.dir = direction;
  const said = element('p', text);
  said.id = 'program-ended-text';
  const fault = element('p', details);
  fault.className = 'program-ended-details';
  fault.dir = 'auto';  // the browser's words, often English
  const again = element('button', reload);
  again.type = 'button';
  again.setAttribute('aria-describedby', said.id);
  again.addEventListener('click', () => location.reload());
  place.replaceChildren(element('h2', title), said, fault, again);
  place.hidden = false;
  again.focus();
}
