// Starts the program: checks that the browser can run it, then starts the window. The page's
// state (page_life.js) is on <html data-state>.
import { start } from './form1.js';
import { fillIn, inPageLanguage, language, pageTexts, qsTranslate } from './translate.js';

const page = document.documentElement;
// The page's HTML is in English: a change of its language makes the browser style it anew.
if (page.lang !== language) {
  page.lang = language;
  inPageLanguage(pageTexts());
}

function notice(text) {
  const element = document.getElementById('notice');
  element.textContent = text;
  element.hidden = false;
}

if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
  document.getElementById('window-area').hidden = true;
  notice(qsTranslate('Page', 'sho-euler needs WebAssembly, which this browser has turned off. Turn it on, or open the page in another browser.'));
} else {
  start().catch((error) => {
    const text = qsTranslate('Page', 'sho-euler could not start in this browser: %1');
    notice(fillIn(text, String(error && error.message)));
  });
}
