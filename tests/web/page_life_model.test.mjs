// The page's life against a model of y.dat and v.dat, at random (fast-check), in Chromium and
// Firefox: sequences of Run (entries that run whole, stop on the way, or are not numbers), Exit,
// "Start the program again", reload, the tab closed a moment after a Run, the storage refusing
// chosen runs, the site's data cleared (Chromium) and Delete. Each case starts in a browser
// context of its own, with empty storage. After each step the counts must be the model's, and the
// messages those the model expects; at the end, and after the tab is closed or reloaded, the
// downloads must be its lines, byte for byte, and nothing may have reached the console. A run in
// flight when its tab closes may be kept or not; every run that was done before is kept. Besides
// the random cases, each browser plays the sequences of EXAMPLES.
//   SHO_MODEL_RUNS  cases per browser (default 3); SHO_MODEL_SEED  fast-check's seed
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import fc from 'fast-check';
import { BROWSERS, launch, newContext } from './lib/browsers.mjs';
import { checkDataFiles, checkQuiet } from './lib/checks.mjs';
import { desktopRecords } from './lib/desktop.mjs';
import {
  clickInOneTask, countRuns, lineCounts, named, openPage, waitForCounts, waitForRuns, waitForState,
} from './lib/page.mjs';
import { fillStorage, refusingWhenFull } from './lib/storage.mjs';

const RUNS = Number(process.env.SHO_MODEL_RUNS ?? 3);
const SEED = process.env.SHO_MODEL_SEED ? Number(process.env.SHO_MODEL_SEED) : undefined;

const ENTRIES = {
  whole: ['1', '0', '0.01'],
  large: ['20', '30', '0.001'],
  stopping: ['1', '0', '0.1'],  // too far from the axis to plot on the way
  notANumber: ['1', 'abc', '0.01'],
};
const RECORDS = Object.fromEntries(desktopRecords(Object.values(ENTRIES))
  .map((record, k) => [Object.keys(ENTRIES)[k], record]));
const linesOf = (record) => record.y_dat.toString('latin1').split('\n').length - 1;

// The messages open, by title, each closed with its one button.
async function closeMessages(page) {
  const titles = [];
  for (;;) {
    const dialog = await page.waitForSelector('dialog[open]', { timeout: 300 }).catch(() => null);
    if (!dialog) return titles;
    titles.push(await dialog.$eval('h2', (heading) => heading.textContent));
    const ok = await dialog.$('::-p-aria([name="OK"][role="button"])');
    await (ok ?? await dialog.$('button')).click();
    await page.waitForFunction((shown) => !shown.isConnected, { timeout: 5000 }, dialog);
  }
}

async function setEntries(page, texts) {
  await page.evaluate((values) => values.forEach((value, k) => {
    document.getElementById(`control-Text1-${k}`).value = value;
  }), texts);
}

// The model: the runs the files hold, kept by the storage and held in the page, in order.
const newModel = () => ({
  kept: [], held: [], refusing: false, lastTold: '', ended: false, inFlight: null,
});
const expectedLines = (model) => [...model.kept, ...model.held]
  .reduce((sum, record) => sum + linesOf(record), 0);

// A page of its own starts: what the page held and the storage took is kept, the rest is lost.
function pageLeaves(model) {
  if (!model.refusing) model.kept.push(...model.held);
  model.held = [];
  Object.assign(model, { refusing: false, lastTold: '', ended: false });
}

const assertCounts = (real, model) => waitForCounts(real.seen.page, expectedLines(model));
const assertDownloads = (real, model) => checkDataFiles(real.seen, [...model.kept, ...model.held]);

// After the tab was closed or reloaded: the run that was in flight, if any, kept or not.
async function settleInFlight(real, model) {
  const run = model.inFlight;
  model.inFlight = null;
  if (!run) return;
  const counts = await lineCounts(real.seen.page);
  if (counts['y.dat'] === expectedLines(model) + linesOf(run)) model.kept.push(run);
}

// A command of the model: its name as a failing sequence prints it, what it does to the page and
// to the model, and when it may come (by default, at any time).
const command = (name, run, check = () => true) => ({ check, run, toString: () => name });

const runWith = (entries) => command(`Run(${entries})`, async (model, real) => {
  const record = RECORDS[entries];
  const { page } = real.seen;
  await setEntries(page, ENTRIES[entries]);
  const before = await page.evaluate(() => window.shoRunsEnded);
  await (await named(page, 'button', 'Run')).click();
  await waitForRuns(page, before + 1);
  const expected = record.message ? [record.message.title] : [];
  if (linesOf(record) > 0 && model.refusing) {
    model.held.push(record);
    if (model.lastTold !== 'refused') expected.push('Data files not kept');
    model.lastTold = 'refused';
  } else if (linesOf(record) > 0) {
    model.kept.push(...model.held.splice(0), record);
    model.lastTold = 'kept';
  }
  assert.deepEqual(await closeMessages(page), expected, 'the messages');
  await assertCounts(real, model);
}, (model) => !model.ended);

const exit = command('Exit', async (model, real) => {
  await clickInOneTask(real.seen.page, 'Exit');
  await waitForState(real.seen.page, (state) => state === 'ended');
  model.ended = true;
  await assertCounts(real, model);
}, (model) => !model.ended);

// The page loaded again in its tab, by `reload(page)`: what it held and the storage took is kept.
async function loadedAgain(model, real, reload) {
  const { page } = real.seen;
  await reload(page);
  await waitForState(page, (state) => state === 'ready');
  await countRuns(page);
  pageLeaves(model);
  await assertCounts(real, model);
  await assertDownloads(real, model);
}

const startAgain = command('StartAgain', (model, real) => loadedAgain(model, real, (page) =>
  Promise.all([page.waitForNavigation(), clickInOneTask(page, 'Start the program again')])),
(model) => model.ended);

const reload = command('Reload', (model, real) => loadedAgain(model, real, (page) => page.reload()));

// Closes the tab, `delay` milliseconds after a Run with `entries` (none once the program has
// ended), and opens the page again in a new one.
const closeTab = (entries, delay) => command(`CloseTab(${entries}, ${delay} ms)`,
  async (model, real) => {
    const { page } = real.seen;
    const record = model.ended ? null : RECORDS[entries];
    if (record) {
      await setEntries(page, ENTRIES[entries]);
      await clickInOneTask(page, 'Run');
      await new Promise((done) => setTimeout(done, delay));
    }
    const refusing = model.refusing;
    await page.close({ runBeforeUnload: false });
    pageLeaves(model);
    if (record && linesOf(record) > 0 && !refusing) model.inFlight = record;
    await real.open();
    await settleInFlight(real, model);
    await assertCounts(real, model);
    await assertDownloads(real, model);
  });

const refuse = (full) => command(`Refuse(${full})`, async (model, real) => {
  await fillStorage(real.seen.page, full);
  model.refusing = full;
});

const clearSiteData = command('ClearSiteData', async (model, real) => {
  const session = await real.seen.page.createCDPSession();
  await session.send('Storage.clearDataForOrigin', { origin: 'file://', storageTypes: 'indexeddb' });
  await session.detach();
  model.kept = [];
  await assertCounts(real, model);
});

const deleteFiles = command('Delete', async (model, real) => {
  const { page } = real.seen;
  await clickInOneTask(page, 'Delete data files');
  const question = await page.waitForSelector('dialog[open]');
  await (await question.$('::-p-aria([name="Delete"][role="button"])')).click();
  await page.waitForFunction((shown) => !shown.isConnected, { timeout: 5000 }, question);
  if (model.refusing) {
    assert.deepEqual(await closeMessages(page), ['Data files not deleted'], 'the messages');
  } else {
    model.kept = [];
    model.held = [];
  }
  await assertCounts(real, model);
});

// Sequences played every time: the site's data cleared in the browser while the page is open,
// after a kept run (the storage is opened again, its counts true, the next run kept).
const EXAMPLES = {
  chromium: [[[runWith('whole'), clearSiteData, runWith('large')]]],
  firefox: [],
};

function commands(browserName) {
  const entries = fc.constantFrom(...Object.keys(ENTRIES));
  const run = entries.map(runWith);
  const all = [
    run, run, run,  // Run the most
    fc.constant(exit),
    fc.constant(startAgain),
    fc.constant(reload),
    fc.tuple(entries, fc.integer({ min: 0, max: 40 })).map(([name, delay]) => closeTab(name, delay)),
    fc.boolean().map(refuse),
    fc.constant(deleteFiles),
  ];
  if (browserName === 'chromium') all.push(fc.constant(clearSiteData));
  return fc.commands(all, { maxCommands: 10 });
}

for (const name of BROWSERS) {
  describe(`the page's life against its model in ${name}`, () => {
    let browser;
    before(async () => {
      browser = await launch(name);
    });
    after(async () => {
      await browser?.close();
    });

    test(`${RUNS} random sequences keep the model's lines`, async () => {
      await fc.assert(fc.asyncProperty(commands(name), async (sequence) => {
        const downloads = mkdtempSync(join(tmpdir(), 'sho-model-'));
        const context = await newContext(browser, downloads);
        const real = { seen: null };
        real.open = async () => {
          const seen = await openPage(browser, { context, beforeLoad: refusingWhenFull });
          seen.page.on('dialog', (dialog) => dialog.accept());  // leaving with runs held
          real.seen = { ...seen, downloads };
        };
        try {
          await real.open();
          const model = newModel();
          await fc.asyncModelRun(() => ({ model, real }), sequence);
          await assertDownloads(real, model);
          checkQuiet(real.seen);
        } finally {
          if (process.env.SHO_MODEL_LOG) console.log(String(sequence));
          await context.close();
          rmSync(downloads, { recursive: true, force: true });
        }
      }), {
        numRuns: RUNS + EXAMPLES[name].length, seed: SEED, verbose: 1, examples: EXAMPLES[name],
      });
    });
  });
}
