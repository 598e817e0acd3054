// What the page shows in place of the window once the program has ended, by Exit or by a fault
// that stopped its WebAssembly: what happened, what became of the data files, the downloads while
// some of their lines are only in the page, and a button that loads the page again, which starts
// the program anew. It is handed its texts, already in the page's language.
import { button } from './button.js';

let said = null;
let offers = null;

function textElement(tag, text) {
  const made = document.createElement(tag);
  made.textContent = text;
  return made;
}

// Shows in `place` the `title`, room for what became of the data files (showKept), the fault as
// `details` where there was one, and the button `again`, which takes the focus; `onAgain()` is
// called before the page is loaded again.
export function show(place, { title, details, again, onAgain }) {
  said = textElement('p', '');
  said.id = 'program-ended-text';
  offers = document.createElement('div');
  offers.className = 'data-file-buttons';
  const parts = [textElement('h2', title), said, offers];
  if (details) {
    const fault = textElement('p', details);
    fault.className = 'program-ended-details';
    fault.dir = 'auto';  // the browser's words, often English
    parts.push(fault);
  }
  const againButton = button(again, () => {
    onAgain();
    location.reload();
  });
  againButton.setAttribute('aria-describedby', said.id);
  parts.push(againButton);
  place.replaceChildren(...parts);
  place.hidden = false;
  againButton.focus();
}

// What became of the data files: `text`, and `downloads`, [{ label, action }], offered beside it.
export function showKept({ text, downloads = [] }) {
  if (!said) return;
  said.textContent = text;
  offers.replaceChildren(...downloads.map(({ label, action }) => button(label, action)));
  offers.hidden = downloads.length === 0;
}
