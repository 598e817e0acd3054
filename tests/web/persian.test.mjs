// The page where the browser's first language is Persian, in Chromium and in Firefox: its texts
// Persian and its messages right to left, entries read as the desktop reads them in Persian
// (Persian digits, "٫" as the decimal separator), and the window itself as in English.
import assert from 'node:assert/strict';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { BROWSERS, launch } from './lib/browsers.mjs';
import { checkMessage, checkOutputs, checkQuiet } from './lib/checks.mjs';
import { desktopRecords } from './lib/desktop.mjs';
import { clickRun, namedCanvas, openPage, typeEntries, WINDOW_SIZE } from './lib/page.mjs';
import { inPersian } from './lib/translations.mjs';

const PERSIAN_DIGITS = ['۱', '۰', '۰٫۰۱'];
const NOT_A_NUMBER = ['۱', '۰', 'x'];
const [persianDigits, notANumber] = desktopRecords([PERSIAN_DIGITS, NOT_A_NUMBER], 'fa');

// The window as drawn before a run, without the caret, which blinks.
async function windowPicture(browser) {
  const seen = await openPage(browser);
  try {
    await seen.page.evaluate(() => document.activeElement?.blur());
    return await seen.page.screenshot({ clip: { x: 0, y: 0, ...WINDOW_SIZE } });
  } finally {
    await seen.close();
  }
}

for (const name of BROWSERS) {
  describe(`the page in ${name} in Persian`, () => {
    let browser;
    before(async () => {
      browser = await launch(name, { language: 'fa' });
    });
    after(async () => {
      await browser?.close();
    });

    test('reads Persian digits as the desktop does and names its controls in Persian', async () => {
      const seen = await openPage(browser);
      try {
        await namedCanvas(seen.page, inPersian('Graphs'));
        await typeEntries(seen.page, PERSIAN_DIGITS);
        await clickRun(seen.page);
        await checkMessage(seen, persianDigits);
        await checkOutputs(seen, persianDigits, {
          listName: inPersian('Current values'),
          yName: inPersian('Download y.dat'),
          vName: inPersian('Download v.dat'),
        });
        checkQuiet(seen);
      } finally {
        await seen.close();
      }
    });

    test('shows the desktop\'s Persian message, right to left', async () => {
      const seen = await openPage(browser);
      try {
        await typeEntries(seen.page, NOT_A_NUMBER);
        await clickRun(seen.page);
        await checkMessage(seen, notANumber, { direction: 'rtl', ok: inPersian('OK') });
        checkQuiet(seen);
      } finally {
        await seen.close();
      }
    });

    test('draws the window as in English', async () => {
      const english = await launch(name, { language: 'en' });
      try {
        const persian = await windowPicture(browser);
        const expected = await windowPicture(english);
        if (!persian.equals(expected)) {
          const directory = mkdtempSync(join(tmpdir(), 'sho-window-'));
          writeFileSync(join(directory, 'persian.png'), persian);
          writeFileSync(join(directory, 'english.png'), expected);
          assert.fail(`the window differs from the English one: see ${directory}`);
        }
      } finally {
        await english.close();
      }
    });
  });
}
