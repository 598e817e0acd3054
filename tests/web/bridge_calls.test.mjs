// How often a Run calls into the program's WebAssembly, in Chromium: every export the page calls
// (the program's own functions and the runtime's alike) is counted from the click on Run until
// the page is idle again, its lines kept and its list filled.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { launch } from './lib/browsers.mjs';
import { checkQuiet } from './lib/checks.mjs';
import { clickRun, openPage, typeEntries } from './lib/page.mjs';

const MOST_CALLS_A_RUN = 10;

// Every function the WebAssembly exports counts its calls in window.shoCalls.
function countCalls(page) {
  return page.evaluateOnNewDocument(() => {
    const instantiate = WebAssembly.instantiate;
    window.shoCalls = 0;
    WebAssembly.instantiate = (...args) => instantiate(...args).then(({ instance, module }) => {
      const exports = {};
      for (const [name, value] of Object.entries(instance.exports)) {
        exports[name] = typeof value !== 'function' ? value : (...given) => {
          window.shoCalls += 1;
          return value(...given);
        };
      }
      return { module, instance: { exports } };
    });
  });
}

test(`a Run calls into the program at most ${MOST_CALLS_A_RUN} times`, async (t) => {
  const browser = await launch('chromium');
  try {
    const seen = await openPage(browser, { beforeLoad: countCalls });
    const { page } = seen;
    const calls = () => page.evaluate(() => window.shoCalls);
    await typeEntries(page, ['1', '0', '0.01']);
    for (const which of ['first', 'second']) {
      const before = await calls();
      await clickRun(page);
      const made = (await calls()) - before;
      t.diagnostic(`the ${which} Run: ${made} calls`);
      assert.ok(made > 0 && made <= MOST_CALLS_A_RUN, `the ${which} Run made ${made} calls`);
    }
    checkQuiet(seen);
  } finally {
    await browser.close();
  }
});
