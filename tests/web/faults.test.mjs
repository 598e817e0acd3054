// What the page does with a fault of its program, in Chromium and Firefox, on the faults page: the
// page built so that its program fails on cue where y(0) reads "throw" (an exception before the
// run starts), "throw-list" (a run whose list then throws when read) or "trap" (a trap in the
// WebAssembly).
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { after, before, describe, test } from 'node:test';

// The page helpers open the page SHO_WEB_PAGE names: here, the faults page.
const SHIPPED_PAGE = process.env.SHO_WEB_PAGE;
if (!process.env.SHO_WEB_FAULTS_PAGE) throw new Error('SHO_WEB_FAULTS_PAGE names the faults page');
process.env.SHO_WEB_PAGE = process.env.SHO_WEB_FAULTS_PAGE;
const { BROWSERS, launch } = await import('./lib/browsers.mjs');
const { checkQuiet } = await import('./lib/checks.mjs');
const { assertSameBytes, assertSameEntries } = await import('./lib/compare.mjs');
const { desktopRecords } = await import('./lib/desktop.mjs');
const { clickRun, closeMessage, download, lineCounts, listShown, named, openMessage, openPage,
  type, typeEntries, waitForCounts, waitForState } = await import('./lib/page.mjs');

const SMALL_STEP = ['1', '0', '0.01'];
const [small] = desktopRecords([SMALL_STEP]);

// What the long base64 texts in a page hold (its WebAssembly among them), as Latin-1 text.
const programOf = (page) => (readFileSync(page, 'latin1').match(/[A-Za-z0-9+/]{1000,}=*/g) ?? [])
  .map((text) => Buffer.from(text, 'base64').toString('latin1')).join('\n');

test('the page handed out cannot be made to fail on cue', () => {
  assert.ok(programOf(process.env.SHO_WEB_PAGE).includes('a fault provoked in the run'));
  assert.ok(!programOf(SHIPPED_PAGE).includes('a fault provoked'));
});

for (const name of BROWSERS) {
  describe(`the page's faults in ${name}`, () => {
    let browser;
    before(async () => {
      browser = await launch(name);
    });
    after(async () => {
      await browser?.close();
    });

    test('an exception in the C++ is a message, and the window goes on', async () => {
      const seen = await openPage(browser);
      const { page } = seen;
      try {
        await typeEntries(page, ['throw', ...SMALL_STEP.slice(1)]);
        await clickRun(page);
        await closeMessage(page, 'Run stopped', /a fault provoked in the run/);
        // A run whose list fails when read: the message, and the run's lines are kept all the same.
        await type(page, 0, 'throw-list');
        await clickRun(page);
        await closeMessage(page, 'Something went wrong', /a fault provoked in the list/);
        await type(page, 0, SMALL_STEP[0]);
        await clickRun(page);
        assert.equal(await page.$('dialog[open]'), null, 'a message after a run that went well');
        assertSameEntries((await listShown(page)).entries, small.list, 'the list');
        assertSameBytes(await download(seen, 'Download y.dat', 'y.dat'),
          Buffer.concat([small.y_dat, small.y_dat]), 'y.dat');
        checkQuiet(seen);
      } finally {
        await seen.close();
      }
    });

    test('a run that fails before it starts appends nothing; after a trap the counts stay true',
      async () => {
        const seen = await openPage(browser);
        const { page } = seen;
        const counted = () => lineCounts(page).then((counts) => counts['y.dat']);
        try {
          await typeEntries(page, SMALL_STEP);
          await clickRun(page);
          await type(page, 0, 'throw');
          await clickRun(page);
          await closeMessage(page, 'Run stopped', /a fault provoked in the run/);
          assert.equal(await counted(), 10000, 'lines counted for a run that never started');
          assertSameBytes(await download(seen, 'Download y.dat', 'y.dat'), small.y_dat, 'y.dat');

          await type(page, 0, 'trap');
          await (await named(page, 'button', 'Run')).click();
          await waitForState(page, (state) => state === 'failed');
          await (await named(page, 'button', 'Delete data files')).click();
          const question = await openMessage(page, 'Delete data files');
          await (await question.$('::-p-aria([name="Delete"][role="button"])')).click();
          await waitForCounts(page, 0);
          assert.equal((await download(seen, 'Download y.dat', 'y.dat')).length, 0, 'y.dat deleted');
          checkQuiet(seen);
        } finally {
          await seen.close();
        }
      });

    test('a trap ends the program: its data files stay, and a reload starts it again', async () => {
      const seen = await openPage(browser);
      const { page } = seen;
      try {
        await typeEntries(page, SMALL_STEP);
        await clickRun(page);
        await type(page, 0, 'trap');
        await (await named(page, 'button', 'Run')).click();
        await waitForState(page, (state) => state === 'failed');
        assert.equal(await (await page.$('#window-area')).isVisible(), false, 'the window stays');
        await page.waitForSelector('::-p-text(The program stopped because of a fault of its own.)');
        const reload = await named(page, 'button', 'Reload the page');
        assert.ok(await reload.evaluate((element) => element === document.activeElement),
          'the reload button does not have the focus');
        assert.deepEqual(await lineCounts(page), { 'y.dat': 10000, 'v.dat': 10000 });
        assertSameBytes(await download(seen, 'Download y.dat', 'y.dat'), small.y_dat, 'y.dat');

        await reload.click();
        await waitForState(page, (state) => state === 'ready');
        await typeEntries(page, SMALL_STEP);
        await (await named(page, 'button', 'Run')).click();
        await waitForState(page, (state) => state === 'idle');
        assertSameEntries((await listShown(page)).entries, small.list, 'the list after the reload');
        checkQuiet(seen);
      } finally {
        await seen.close();
      }
    });
  });
}
