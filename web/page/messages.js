// The page's modal messages: a run that stopped, data files that could not be kept, and the
// question before deleting them. One shows at a time; others wait their turn. Each reads in the
// page's language, Persian right to left.
import { pageTexts, qsTranslate } from './translate.js';

const waiting = [];
let showing = false;

function dialogPart(tag, className, text) {
  const made = document.createElement(tag);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
}

// A dialog with a title, a text and details, and the given buttons; resolves with the value of
// the button pressed (Escape gives `cancelValue`).
function open({ title, text, details, buttons, cancelValue }) {
  return new Promise((resolve) => {
    const dialog = dialogPart('dialog', 'message');
    const heading = dialogPart('h2', 'message-title', title);
    heading.id = 'message-title';
    dialog.setAttribute('aria-labelledby', heading.id);
    dialog.append(heading, dialogPart('p', 'message-text', text));
    if (details) dialog.append(dialogPart('p', 'message-details', details));
    const row = dialogPart('div', 'message-buttons');
    let answer = cancelValue;
    for (const button of buttons) {
      const made = dialogPart('button', '', button.label);
      made.type = 'button';
      made.addEventListener('click', () => {
        answer = button.value;
        dialog.close();
      });
      row.append(made);
      if (button.focus) made.autofocus = true;
    }
    dialog.append(row);
    dialog.addEventListener('close', () => {
      dialog.remove();
      resolve(answer);
    });
    pageTexts().append(dialog);
    dialog.showModal();
  });
}

function next() {
  if (showing || waiting.length === 0) return;
  showing = true;
  const { message, resolve } = waiting.shift();
  open(message).then((answer) => {
    showing = false;
    resolve(answer);
    next();
  });
}

function queue(message) {
  return new Promise((resolve) => {
    waiting.push({ message, resolve });
    next();
  });
}

// A message with an OK button; resolves once it is closed.
export function inform(title, text, details) {
  const ok = { label: qsTranslate('Page', 'OK'), value: true, focus: true };
  return queue({ title, text, details, buttons: [ok], cancelValue: true });
}

// A question with a button that does it and one that does not (which has the focus); resolves
// true when the user chose to do it.
export function ask(title, text, doLabel) {
  const buttons = [
    { label: doLabel, value: true },
    { label: qsTranslate('Page', 'Cancel'), value: false, focus: true },
  ];
  return queue({ title, text, buttons, cancelValue: false });
}
