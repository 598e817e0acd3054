// The page's texts in the user's language: English as written, or Persian where the browser's
// first language is Persian, from the program's own translation (kPersianTexts, made from
// window/translations/sho-euler_fa.ts when the page is built). Texts written here are marked
// qsTranslate(context, text), so that lupdate collects them into that file with the desktop's.

const Translation = (() => {
  const firstLanguage = (navigator.languages && navigator.languages[0]) || navigator.language || 'en';
  const persian = /^fa(-|$)/i.test(firstLanguage);

  // The zero digit and the decimal separator of the browser's first language. Asked for only when
  // first needed and then kept: the browser's first Intl call loads its locale data, which costs
  // tens of milliseconds that the window's first paint does not wait for.
  let symbols = null;
  function localeSymbols() {
    if (!symbols) symbols = readLocaleSymbols();
    return symbols;
  }

  function readLocaleSymbols() {
    try {
      const parts = new Intl.NumberFormat(firstLanguage, { useGrouping: false }).formatToParts(0.5);
      const integer = parts.find((part) => part.type === 'integer');
      const decimal = parts.find((part) => part.type === 'decimal');
      return { zero: integer ? integer.value.codePointAt(0) : 0x30, decimal: decimal ? decimal.value : '.' };
    } catch (error) {
      return { zero: 0x30, decimal: '.' };
    }
  }

  return {
    // The browser's first language, which decides how entries are read whatever the page shows.
    firstLanguage,
    // The language the page's texts are in: 'fa' or 'en'.
    language: persian ? 'fa' : 'en',
    direction: persian ? 'rtl' : 'ltr',

    // `text` of `context` in the page's language; a text without a translation stays English.
    text(context, text) {
      if (!persian) return text;
      const texts = kPersianTexts[context];
      return (texts && texts[text]) || text;
    },

    // `text` with %1 ... %9 replaced by parts[0] ... parts[8] in one pass, as the program fills
    // in its messages, so that a part holding "%2" itself stays as it is.
    fillIn(text, parts) {
      return text.replace(/%([1-9])/g, (marker, digit) => {
        const part = parts[digit.charCodeAt(0) - 0x31];
        return part === undefined ? marker : part;
      });
    },

    // A count (of lines, say) in the digits of the page's language. Not through Intl, whose first
    // use costs tens of milliseconds: the counts show while the window is first painted.
    count(n) {
      const text = String(n);
      return persian ? text.replace(/[0-9]/g, (c) => String.fromCodePoint(0x06f0 + c.charCodeAt(0) - 0x30)) : text;
    },

    // The decimal separator of the browser's first language, as the desktop reads entries with
    // its locale's: "," in German, "٫" in Persian.
    decimalSeparator() {
      return localeSymbols().decimal;
    },

    // A number the program wrote with ASCII digits and ".", in the digits and decimal separator
    // of the browser's first language, as the desktop shows it in its locale's.
    inLocaleDigits(ascii) {
      const { zero, decimal } = localeSymbols();
      return ascii.replace(/[0-9.]/g, (c) =>
        c === '.' ? decimal : String.fromCodePoint(zero + c.charCodeAt(0) - 0x30),
      );
    },
  };
})();

// Marks a text for lupdate and gives it in the page's language.
function qsTranslate(context, text) {
  return Translation.text(context, text);
}
