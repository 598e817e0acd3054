// The page's texts in the user's language: English as written, or Persian where the browser's
// first language is Persian, from the program's own translation file (made into
// translations_fa.js when the page is built). Texts written in the page's scripts are marked
// qsTranslate(context, text), so that lupdate collects them into that file with the desktop's.
import persianTexts from './translations_fa.js';

// The browser's first language, which decides how entries are read whatever the page shows.
const firstLanguage = (navigator.languages && navigator.languages[0]) ||
  navigator.language || 'en';
const persian = /^fa(-|$)/i.test(firstLanguage);

// The language the page's texts are in, and their direction.
export const language = persian ? 'fa' : 'en';
const direction = persian ? 'rtl' : 'ltr';

// The part of the page whose texts are the page's own, not the window's: its messages and menu
// go there too, so that all of them read in the page's language and direction.
export const pageTexts = () => document.getElementById('page-texts');

// Marks `element` as written in the page's language, in its direction.
export function inPageLanguage(element) {
  element.lang = language;
  element.dir = direction;
  return element;
}

// `text` of `context` in the page's language; a text without a translation stays English.
export function qsTranslate(context, text) {
  if (!persian) return text;
  const texts = persianTexts[context];
  return (texts && texts[text]) || text;
}

// The zero digit (a code point) and the decimal separator of the browser's first language. Asked
// for only when first needed and then kept: the browser's first Intl call loads its locale data,
// which costs tens of milliseconds that the window's first paint does not wait for.
let symbols = null;

export function numberSymbols() {
  symbols ??= readNumberSymbols();
  return symbols;
}

function readNumberSymbols() {
  try {
    const parts = new Intl.NumberFormat(firstLanguage, { useGrouping: false }).formatToParts(0.5);
    const integer = parts.find((part) => part.type === 'integer');
    const decimal = parts.find((part) => part.type === 'decimal');
    return { zero: integer ? integer.value.codePointAt(0) : 0x30, decimal: decimal ? decimal.value : '.' };
  } catch (error) {
    return { zero: 0x30, decimal: '.' };
  }
}

// `text` with %1, %2, ... replaced by `parts`, in one pass, so that a part that holds "%2" itself
// stays as it is (as the program fills in its own messages).
export function fillIn(text, ...parts) {
  return text.replace(/%([1-9])/g, (found, k) => (k <= parts.length ? String(parts[k - 1]) : found));
}

// The ten digits of the page's language, which the program gives when it starts.
let digits = [...'0123456789'];

export function useDigits(pageDigits) {
  digits = [...pageDigits];
}

// A count in the digits of the page's language.
export const inPageDigits = (n) => String(n).replace(/[0-9]/g, (digit) => digits[digit]);
