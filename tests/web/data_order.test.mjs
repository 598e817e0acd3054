// The data files in Chromium and Firefox when the browser refuses one run's lines and keeps the
// next run's: the files give both runs in the order they ran, the page says so while lines are
// only in the page, and it asks the browser not to clear the files once it keeps them; and when
// two runs come in one task.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { BROWSERS, launch } from './lib/browsers.mjs';
import { checkDataFiles, checkQuiet } from './lib/checks.mjs';
import { desktopRecords } from './lib/desktop.mjs';
import {
  clickRun, lineCounts, openMessage, openPage, typeEntries, waitForState,
} from './lib/page.mjs';
import { fillStorage, refusingWhenFull } from './lib/storage.mjs';

const RUNS = [['1', '0', '0.01'], ['20', '0', '0.001']];
const records = desktopRecords(RUNS);
const REFUSED = /does not keep the data files: the browser's storage for this page is full/;
const MAY_CLEAR = /may clear the data files/;

// What the data files' section shows.
const sectionText = (page) => page.$eval('#data-files', (section) => section.innerText);

async function assertBothRunsInOrder(seen, what) {
  await checkDataFiles(seen, records, what);
  assert.deepEqual(await lineCounts(seen.page), { 'y.dat': 20000, 'v.dat': 20000 }, what);
}

for (const name of BROWSERS) {
  describe(`the data files in ${name}`, () => {
    let browser;
    before(async () => {
      browser = await launch(name);
    });
    after(async () => {
      await browser?.close();
    });

    test('a run the browser refused is kept before the next one it keeps', async () => {
      const seen = await openPage(browser, { beforeLoad: refusingWhenFull });
      const { page } = seen;
      try {
        await typeEntries(page, RUNS[0]);
        await fillStorage(page, true);
        await clickRun(page);
        await (await (await openMessage(page, 'Data files not kept'))
          .$('::-p-aria([name="OK"][role="button"])')).click();
        await fillStorage(page, false);
        const refused = await sectionText(page);
        assert.match(refused, REFUSED, 'after the refused run');
        assert.doesNotMatch(refused, MAY_CLEAR, 'asked to keep the files before keeping any');

        await typeEntries(page, RUNS[1]);
        await clickRun(page);
        assert.doesNotMatch(await sectionText(page), REFUSED, 'after the kept run');
        await assertBothRunsInOrder(seen, 'after the kept run');
        // Chromium says no at once for a page opened from disk; Firefox may never answer.
        if (name === 'chromium') {
          await page.waitForFunction(() => /may clear the data files/.test(
            document.getElementById('data-files').innerText), { timeout: 5000 });
        }

        await page.reload();
        await waitForState(page, (state) => state === 'ready');
        await assertBothRunsInOrder(seen, 'from storage alone');
        checkQuiet(seen);
      } finally {
        await seen.close();
      }
    });

    // A run's lines leave the program after the frame that shows it, unless the next run comes
    // first.
    test('two runs in one task keep both runs\' lines, in order', async () => {
      const seen = await openPage(browser);
      const { page } = seen;
      try {
        await page.evaluate((runs) => {
          const run = [...document.querySelectorAll('button')].find((b) => b.textContent === 'Run');
          for (const texts of runs) {
            texts.forEach((text, k) => {
              document.getElementById(`control-Text1-${k}`).value = text;
            });
            run.click();
          }
        }, RUNS);
        await waitForState(page, (state) => state === 'idle');
        await assertBothRunsInOrder(seen, 'after two runs in one task');
        checkQuiet(seen);
      } finally {
        await seen.close();
      }
    });
  });
}
