// The page against the desktop window on the same entries, in Chromium and in Firefox: the list
// entries character for character, the downloaded y.dat and v.dat byte for byte, the plot's pixels
// at one device pixel per pixel, and the message of a run that stops.
import { after, before, describe, test } from 'node:test';
import { BROWSERS, launch } from './lib/browsers.mjs';
import { checkMessage, checkOutputs, checkQuiet } from './lib/checks.mjs';
import { desktopRecords } from './lib/desktop.mjs';
import { clickRun, openPage, typeEntries } from './lib/page.mjs';

const CASES = [
  ['1', '0', '0.01'],
  ['20', '0', '0.001'],
  // A phase whose tangent glibc and emscripten's C library round differently.
  ['1', '5.9', '0.01'],
  ['-2.5e-1', '-30', '0.001'],
  // Runs that stop: the red point leaves what the plot can draw (steps 764 and 53), and an entry
  // that is not a number.
  ['1', '0', '0.1'],
  ['1', '0', '1'],
  ['1', 'abc', '0.01'],
];

const desktop = desktopRecords(CASES);

for (const name of BROWSERS) {
  describe(`the page in ${name} and the desktop window`, () => {
    let browser;
    before(async () => {
      browser = await launch(name);
    });
    after(async () => {
      await browser?.close();
    });

    for (const [k, entries] of CASES.entries()) {
      test(`give the same for (${entries.join(', ')})`, async () => {
        const seen = await openPage(browser);
        try {
          await typeEntries(seen.page, entries);
          await clickRun(seen.page);
          await checkMessage(seen, desktop[k]);
          await checkOutputs(seen, desktop[k]);
          checkQuiet(seen);
        } finally {
          await seen.close();
        }
      });
    }
  });
}
