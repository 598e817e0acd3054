// The list after Run, in Chromium and Firefox: busy and holding only its header until its entries
// are in, never a mix of two runs; reached (focused), it holds the whole run at once.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { BROWSERS, launch } from './lib/browsers.mjs';
import { assertSameEntries } from './lib/compare.mjs';
import { desktopRecords } from './lib/desktop.mjs';
import { clickRun, named, openPage, typeEntries, waitForState } from './lib/page.mjs';

const [small, large] = desktopRecords([['1', '0', '0.01'], ['20', '0', '0.001']]);

// Clicks Run and reads the list in the same task, then focuses it and reads it again.
function runThenReach() {
  const list = () => [...document.querySelectorAll('label')]
    .find((label) => label.textContent.includes('Current values')).control;
  const read = (select) => ({ busy: select.getAttribute('aria-busy'),
    entries: [...select.options].filter((option) => !option.hidden)
      .map((option) => option.text.replaceAll('\u00a0', ' ')) });
  [...document.querySelectorAll('button')].find((button) => button.textContent === 'Run').click();
  const atOnce = read(list());
  list().focus();
  return { atOnce, reached: read(list()) };
}

for (const name of BROWSERS) {
  describe(`the list in ${name}`, () => {
    let browser;
    before(async () => {
      browser = await launch(name);
    });
    after(async () => {
      await browser?.close();
    });

    test('shows only its header until reached, then the whole run', async () => {
      const seen = await openPage(browser);
      try {
        await typeEntries(seen.page, ['1', '0', '0.01']);
        await clickRun(seen.page);
        assertSameEntries((await named(seen.page, 'combobox', 'Current values').then((list) =>
          list.evaluate((s) => [...s.options].filter((o) => !o.hidden)
            .map((o) => o.text.replaceAll('\u00a0', ' '))))), small.list, 'the first run');
        await typeEntries(seen.page, ['20', '0', '0.001']);
        const { atOnce, reached } = await seen.page.evaluate(runThenReach);
        assert.deepEqual(atOnce, { busy: 'true', entries: [] }, 'the list right after Run');
        assert.equal(reached.busy, null, 'the list is still busy once reached');
        assertSameEntries(reached.entries, large.list, 'the list once reached');
        await waitForState(seen.page, (state) => state === 'idle');
      } finally {
        await seen.close();
      }
    });
  });
}
