// Using the page in Chromium and in Firefox: from the keyboard alone, two tabs at once, the data
// files' downloads and deletion, Exit, a browser that keeps no data, and axe's WCAG 2 A and AA
// rules; and in Chromium without JavaScript or WebAssembly.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { axeViolations } from './lib/axe.mjs';
import { BROWSERS, launch } from './lib/browsers.mjs';
import { checkMessage, checkQuiet } from './lib/checks.mjs';
import { assertSameBytes, assertSameEntries } from './lib/compare.mjs';
import { desktopRecords } from './lib/desktop.mjs';
import {
  PAGE_URL, clickRun, download, entry, lineCounts, listShown, named, namedCanvas, openMessage,
  openPage, runsEnded, typeEntries, waitForCounts, waitForRuns, waitForState,
} from './lib/page.mjs';

const SMALL_STEP = ['1', '0', '0.01'];
const LARGE_Y0 = ['20', '0', '0.001'];
const NOT_A_NUMBER = ['1', 'abc', '0.01'];
const [small, large, notANumber] = desktopRecords([SMALL_STEP, LARGE_Y0, NOT_A_NUMBER]);

async function isFocused(handle) {
  return handle.evaluate((element) => element === document.activeElement);
}

// Delete data files asks first, with the focus on Cancel; `answer` is the button pressed.
async function answerDelete(page, answer) {
  await (await named(page, 'button', 'Delete data files')).click();
  const question = await openMessage(page, 'Delete data files');
  const cancel = await question.$('::-p-aria([name="Cancel"][role="button"])');
  assert.ok(await isFocused(cancel), 'the question does not start on Cancel');
  await (await question.$(`::-p-aria([name="${answer}"][role="button"])`)).click();
  await page.waitForFunction(() => !document.querySelector('dialog[open]'), { timeout: 5000 });
}

for (const name of BROWSERS) {
  describe(`the page in ${name}`, () => {
    let browser;
    before(async () => {
      browser = await launch(name);
    });
    after(async () => {
      await browser?.close();
    });

    test('runs from the keyboard alone, in the window\'s tab order', async () => {
      const seen = await openPage(browser);
      const { page } = seen;
      try {
        assert.ok(await isFocused(await entry(page, 0)), 'the page does not open on y(0)');
        for (const [k, text] of SMALL_STEP.entries()) {
          assert.ok(await isFocused(await entry(page, k)), `Tab does not reach entry ${k}`);
          await page.keyboard.type(text);
          await page.keyboard.press('Tab');
        }
        assert.ok(await isFocused(await named(page, 'button', 'Run')), 'Tab does not reach Run');
        const before = await runsEnded(page);
        await page.keyboard.press('Enter');
        await waitForRuns(page, before + 1);

        await page.keyboard.press('Tab');
        assert.ok(await isFocused(await named(page, 'combobox', 'Current values')),
          'Tab does not reach the list after Run');
        await page.keyboard.press('ArrowDown');
        const list = await listShown(page);
        assertSameEntries(list.entries, small.list, 'the list');
        assert.equal(list.shown, small.list[0], 'Down arrow does not show the first step');
        await page.keyboard.press('Tab');
        assert.ok(await isFocused(await named(page, 'button', 'Exit')), 'Tab does not reach Exit');
        await page.keyboard.press('Tab');
        assert.ok(await isFocused(await namedCanvas(page, 'Graphs')),
          'Tab does not reach the plot');
        assertSameBytes(await download(seen, 'Download y.dat', 'y.dat'), small.y_dat, 'y.dat');
        checkQuiet(seen);
      } finally {
        await seen.close();
      }
    });

    test('keeps each run whole when two tabs run at once', async () => {
      const first = await openPage(browser);
      const second = await openPage(browser, { context: first.context });
      try {
        await typeEntries(first.page, SMALL_STEP);
        await typeEntries(second.page, LARGE_Y0);
        await Promise.all([clickRun(first.page), clickRun(second.page)]);
        assertSameEntries((await listShown(first.page)).entries, small.list, 'the first tab');
        assertSameEntries((await listShown(second.page)).entries, large.list, 'the second tab');

        const y = await download(first, 'Download y.dat', 'y.dat');
        const v = await download(first, 'Download v.dat', 'v.dat');
        const firstRanFirst = y.subarray(0, small.y_dat.length).equals(small.y_dat);
        const order = firstRanFirst ? [small, large] : [large, small];
        assertSameBytes(y, Buffer.concat(order.map((record) => record.y_dat)), 'y.dat');
        assertSameBytes(v, Buffer.concat(order.map((record) => record.v_dat)), 'v.dat');
        // The tab whose run was kept last counts both runs' lines, and so does the other once
        // opened again.
        const counts = [await lineCounts(first.page), await lineCounts(second.page)];
        const lastKept = counts[0]['y.dat'] >= counts[1]['y.dat'] ? 0 : 1;
        assert.deepEqual(counts[lastKept], { 'y.dat': 20000, 'v.dat': 20000 }, 'line counts');
        await first.page.reload();
        await waitForState(first.page, (state) => state === 'ready');
        await waitForCounts(first.page, 20000);
        checkQuiet(first);
        checkQuiet(second);
      } finally {
        await second.close();
        await first.close();
      }
    });

    test('downloads the data files, deletes them only when the user confirms, and keeps them on Exit', async () => {
      const seen = await openPage(browser);
      const { page } = seen;
      try {
        await typeEntries(page, SMALL_STEP);
        await clickRun(page);
        await waitForCounts(page, 10000);

        await answerDelete(page, 'Cancel');
        assert.deepEqual(await lineCounts(page), { 'y.dat': 10000, 'v.dat': 10000 });
        assertSameBytes(await download(seen, 'Download y.dat', 'y.dat'), small.y_dat, 'y.dat kept');
        assertSameBytes(await download(seen, 'Download v.dat', 'v.dat'), small.v_dat, 'v.dat kept');

        await answerDelete(page, 'Delete');
        await waitForCounts(page, 0);
        assert.equal((await download(seen, 'Download y.dat', 'y.dat')).length, 0, 'y.dat deleted');
        assert.equal((await download(seen, 'Download v.dat', 'v.dat')).length, 0, 'v.dat deleted');

        await clickRun(page);
        await waitForCounts(page, 10000);
        assertSameBytes(await download(seen, 'Download y.dat', 'y.dat'), small.y_dat, 'y.dat anew');

        // Exit ends the program and keeps the files; the program can be started again.
        await (await named(page, 'button', 'Exit')).click();
        await waitForState(page, (state) => state === 'ended');
        assert.equal(await (await page.$('#window-area')).isVisible(), false, 'the window stays');
        await page.waitForSelector('::-p-text(The program has ended.)');
        const again = await named(page, 'button', 'Start the program again');
        assert.ok(await isFocused(again), 'the ended page does not offer to start again first');
        await again.click();
        await waitForState(page, (state) => state === 'ready');
        assert.ok(await isFocused(await entry(page, 0)), 'the program does not start again');
        await waitForCounts(page, 10000);
        checkQuiet(seen);
      } finally {
        await seen.close();
      }
    });

    test('where the browser keeps no data, runs still show and the downloads give the visit\'s',
      async () => {
        // As in a private window that refuses storage: opening it throws.
        const seen = await openPage(browser, {
          beforeLoad: (page) => page.evaluateOnNewDocument(() => {
            IDBFactory.prototype.open = () => {
              throw new DOMException('The operation is insecure.', 'SecurityError');
            };
          }),
        });
        const { page } = seen;
        try {
          await typeEntries(page, SMALL_STEP);
          await clickRun(page);
          const message = await openMessage(page, 'Data files not kept');
          assert.match(await message.evaluate((element) => element.innerText),
            /could not be kept in the browser's storage: the browser does not let this page keep/);
          await (await message.$('::-p-aria([name="OK"][role="button"])')).click();
          await page.waitForFunction(() => !document.querySelector('dialog[open]'));
          assertSameEntries((await listShown(page)).entries, small.list, 'the list');

          await clickRun(page);  // said once a visit
          assert.equal(await page.$('dialog[open]'), null, 'the refusal is told again');
          await waitForCounts(page, 20000);
          assertSameBytes(await download(seen, 'Download y.dat', 'y.dat'),
            Buffer.concat([small.y_dat, small.y_dat]), 'y.dat');
          assertSameBytes(await download(seen, 'Download v.dat', 'v.dat'),
            Buffer.concat([small.v_dat, small.v_dat]), 'v.dat');
          checkQuiet(seen);
        } finally {
          await seen.close();
        }
      });

    test('passes axe before a run, after one and with a message open', async () => {
      const seen = await openPage(browser);
      const { page } = seen;
      try {
        assert.deepEqual(await axeViolations(page), [], 'before a run');
        await typeEntries(page, SMALL_STEP);
        await clickRun(page);
        assert.deepEqual(await axeViolations(page), [], 'after a run');
        await typeEntries(page, NOT_A_NUMBER);
        await clickRun(page);
        assert.ok(await page.$('dialog[open]'), 'no message is open');
        assert.deepEqual(await axeViolations(page), [], 'with a message open');
        await checkMessage(seen, notANumber);
        checkQuiet(seen);
      } finally {
        await seen.close();
      }
    });
  });
}

// The window is in the page's HTML; without scripts or WebAssembly it would do nothing.
// (Firefox's WebDriver BiDi cannot turn scripts off.)
test('in Chromium without JavaScript or WebAssembly, says what it needs and shows no window',
  async () => {
    const browser = await launch('chromium');
    try {
      const noScripts = await browser.newPage();
      await noScripts.setJavaScriptEnabled(false);
      await noScripts.goto(PAGE_URL);
      assert.deepEqual(await noScripts.$$('::-p-aria([role="button"])'), [], 'without scripts');
      assert.match(await noScripts.$eval('noscript p', (notice) => notice.innerText),
        /needs JavaScript/);

      const noWasm = await browser.newPage();
      await noWasm.evaluateOnNewDocument(() => {
        delete window.WebAssembly;
      });
      await noWasm.goto(PAGE_URL);
      await noWasm.waitForSelector('#notice:not([hidden])');
      assert.deepEqual(await noWasm.$$('::-p-aria([role="button"])'), [], 'without WebAssembly');
      assert.match(await noWasm.$eval('#notice', (notice) => notice.innerText),
        /needs WebAssembly/);
    } finally {
      await browser.close();
    }
  });
