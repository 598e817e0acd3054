// Every run the page says it ran is in the data files, in Chromium and Firefox, whenever the
// student clicks and whatever the storage does: a Run clicked before the program has started,
// Exit before it starts, a storage that refuses chosen runs, one taken over by a newer copy of the
// page, and a tab closed right after Run. The files are compared with the desktop's lines for the
// same entries. (A storage the browser closes is one of the model's sequences.)
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { BROWSERS, launch } from './lib/browsers.mjs';
import { checkDataFiles, checkQuiet } from './lib/checks.mjs';
import { assertSameEntries } from './lib/compare.mjs';
import { desktopRecords } from './lib/desktop.mjs';
import {
  PAGE_URL, clickInOneTask, clickRun, closeMessage, isReady, listShown, openMessage, openPage,
  typeEntries, waitForCounts, waitForState,
} from './lib/page.mjs';
import {
  allOf, fillStorage, holdProgram, holdStorage, openStorage, refusingWhenFull, startProgram,
} from './lib/storage.mjs';

const SMALL = ['1', '0', '0.01'];
const LARGE = ['20', '0', '0.001'];
const NOT_A_NUMBER = ['1', 'abc', '0.01'];
const [small, large] = desktopRecords([SMALL, LARGE]);

const sectionText = (page) => page.$eval('#data-files', (section) => section.innerText);
const noMessage = async (page, what) =>
  assert.equal(await page.$('dialog[open]'), null, `a message is open ${what}`);

// Opens the page with `options`, hands it to `use`, checks that nothing reached the console or
// the network, and closes it.
async function inPage(browser, options, use) {
  const seen = await openPage(browser, options);
  try {
    await use(seen);
    checkQuiet(seen);
  } finally {
    await seen.close();
  }
}

for (const name of BROWSERS) {
  describe(`the runs the page keeps in ${name}`, () => {
    let browser;
    before(async () => {
      browser = await launch(name);
    });
    after(async () => {
      await browser?.close();
    });

    test('a Run clicked while the page starts runs once the program has, and is kept', async () => {
      await inPage(browser, {
        beforeLoad: allOf(holdProgram, holdStorage), until: (state) => state === 'loading',
      }, async (seen) => {
        const { page } = seen;
        await typeEntries(page, SMALL);
        await clickInOneTask(page, 'Run');
        await typeEntries(page, LARGE);
        await clickInOneTask(page, 'Run');
        assert.equal(await page.$eval('#data-files', (section) => section.hidden), true,
          'the files are counted before the program has run anything');
        await startProgram(page);
        // Both have run; the storage has not opened yet.
        await waitForCounts(page, 20000);
        await openStorage(page);
        await waitForState(page, (state) => state === 'idle');
        await noMessage(page, 'after runs that were kept');
        assertSameEntries((await listShown(page)).entries, large.list, 'the list');
        await checkDataFiles(seen, [small, large], 'after two Runs clicked before the start');
        await page.reload();
        await startProgram(page);
        await openStorage(page);
        await waitForState(page, isReady);
        await waitForCounts(page, 20000);
      });
    });

    test('Exit before the program has started cancels the Runs clicked meanwhile', async () => {
      await inPage(browser, {
        beforeLoad: holdProgram, until: (state) => state === 'loading',
      }, async (seen) => {
        const { page } = seen;
        await typeEntries(page, SMALL);
        await clickInOneTask(page, 'Run');
        await typeEntries(page, NOT_A_NUMBER);
        await clickInOneTask(page, 'Run');
        await clickInOneTask(page, 'Exit');
        await startProgram(page);
        await page.waitForFunction(() => !document.getElementById('data-files').hidden);
        await waitForCounts(page, 0);
        await new Promise((done) => setTimeout(done, 500));
        assert.equal(await page.evaluate(() => document.documentElement.dataset.state), 'ended');
        await noMessage(page, 'over the ended page');
        await page.reload();
        await startProgram(page);
        await waitForState(page, isReady);
        await waitForCounts(page, 0);
      });
    });

    test('every refusal of the storage is told, and the runs it held are offered at Exit', async () => {
      await inPage(browser, { beforeLoad: refusingWhenFull }, async (seen) => {
        const { page } = seen;
        const refused = /does not keep the data files: the browser's storage for this page is full/;
        await fillStorage(page, true);
        await typeEntries(page, SMALL);
        await clickRun(page);
        await closeMessage(page, 'Data files not kept', /storage for this page is full/);
        assert.match(await sectionText(page), refused, 'while the first run is held');

        await fillStorage(page, false);
        await typeEntries(page, LARGE);
        await clickRun(page);
        await noMessage(page, 'after a kept run');
        assert.doesNotMatch(await sectionText(page), refused, 'once every run is kept');

        await fillStorage(page, true);
        await typeEntries(page, SMALL);
        await clickRun(page);
        await closeMessage(page, 'Data files not kept', /storage for this page is full/);
        assert.match(await sectionText(page), refused, 'while the third run is held');
        await waitForCounts(page, 30000);
        await checkDataFiles(seen, [small, large, small], 'with the third run held');

        await clickInOneTask(page, 'Exit');
        await page.waitForSelector('::-p-text(The program has ended.)');
        const ended = await page.$eval('#ended', (element) => element.innerText);
        assert.match(ended, /did not keep 10000 lines of each data file/);
        assert.doesNotMatch(ended, /data files are kept/);
        const offered = await page.$$eval('#ended button', (buttons) => buttons.map((b) => b.textContent));
        assert.deepEqual(offered, ['Download y.dat', 'Download v.dat', 'Start the program again']);
        if (name === 'chromium') {
          // Reloading the tab asks first.
          const asked = new Promise((resolve) => {
            page.once('dialog', (dialog) => {
              resolve(dialog.type());
              dialog.dismiss();
            });
          });
          await page.reload({ timeout: 3000 }).catch(() => {});
          assert.equal(await asked, 'beforeunload');
        }
        // The page's own button says what is lost and does not ask again.
        page.on('dialog', (dialog) => assert.fail(`asked again: ${dialog.type()}`));
        await clickInOneTask(page, 'Start the program again');
        await waitForState(page, isReady);
        await waitForCounts(page, 20000);
      });
    });

    test('a newer copy of the page that takes the storage over leaves every line downloadable',
      async () => {
        await inPage(browser, {}, async (seen) => {
          const { page } = seen;
          await typeEntries(page, SMALL);
          await clickRun(page);
          await waitForCounts(page, 10000);
          // A newer copy of the page, in another tab, upgrades the stored format.
          const newer = await seen.context.newPage();
          await newer.goto(PAGE_URL);
          await newer.evaluate(() => new Promise((resolve, reject) => {
            const request = indexedDB.open('sho-euler-data-files', 1000);
            request.onsuccess = () => resolve(request.result.close());
            request.onerror = () => reject(request.error);
          }));
          await newer.close();
          await typeEntries(page, LARGE);
          await clickRun(page);
          await closeMessage(page, 'Data files not kept', /a newer copy of this page/);
          await waitForCounts(page, 20000);
          await checkDataFiles(seen, [small, large], 'after a newer copy took the storage over');
        });
      });

    test('a download or Delete pressed right after Run waits for that run', async () => {
      await inPage(browser, {}, async (seen) => {
        const { page } = seen;
        await typeEntries(page, SMALL);
        await clickInOneTask(page, 'Run');
        await checkDataFiles(seen, [small], 'downloaded in the task after Run');
        await clickInOneTask(page, 'Run', 'Delete data files');
        const question = await openMessage(page, 'Delete data files');
        await (await question.$('::-p-aria([name="Delete"][role="button"])')).click();
        await waitForCounts(page, 0);
        await waitForState(page, (state) => state === 'idle');
        await checkDataFiles(seen, [], 'after Delete in the task of a Run');
      });
    });

    test('a tab closed right after Run keeps that run', async () => {
      const seen = await openPage(browser);
      const { page, context } = seen;
      try {
        await typeEntries(page, SMALL);
        await clickRun(page);
        await typeEntries(page, LARGE);
        await clickInOneTask(page, 'Run');
        await page.close({ runBeforeUnload: false });
        const again = await openPage(browser, { context });
        try {
          await waitForCounts(again.page, 20000);
          // The downloads go where the context sends them, the first page's folder.
          await checkDataFiles({ ...again, downloads: seen.downloads }, [small, large],
            'after the tab closed');
        } finally {
          await again.close();
        }
      } finally {
        await seen.close();
      }
    });
  });
}
