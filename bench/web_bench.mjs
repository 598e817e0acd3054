// How long a user of the browser page waits, in headless Chromium with the page opened from disk,
// all on the page's own clock (performance.now(), 0 at the start of the navigation). A figure
// ends at the task that runs after a frame: a MessageChannel message posted from a
// requestAnimationFrame callback, which runs once that frame is made.
// - blank frame: a click that does nothing (on the window's title), from the click event's time
//   stamp to the task after the next frame: what one frame costs here, 2 to 17 ms with where in
//   the frame the click falls;
// - open → window painted: from the start of the navigation to the task after the first frame
//   with the window (its Run button and its plot) in the document;
// - first Run: the first click on Run in a fresh tab, once the page is ready, the entries are
//   typed (y(0) 1, Phi(0) 0, time step 0.001) and one blank click is made (a user clicks into the
//   window before Run), from the click event's time stamp to the task after the next frame; the
//   frame is asked for by the bench's own listener, which sees the click before the page does, so
//   its frame and its task come before anything the page puts off until after that frame.
//   Whether the run has ended, or its lines are kept, is not waited for;
// - later Runs: the 2nd Run and on in the same tab, timed the same way, each clicked once the
//   page says the one before has ended (data-state "idle"); a blank click follows each Run.
// - with --window-alone, beside them: open → window painted for the page with its scripts taken
//   out, the window as its HTML alone: what the browser takes to paint this window at all.
// Each tab is opened in a fresh browser context, unthrottled or with Chromium's CPU throttled 4×
// (a slow laptop); each figure is the median of all its samples over the tabs. Fails when a
// figure cannot be measured: a run stopped with a message, an error in the page, a timeout.
// Needs `npm ci` in tests/web and the page built, given by --page or by SHO_WEB_PAGE.
// Usage: node bench/web_bench.mjs [--page sho-euler.html] [--tabs 5] [--throttled-tabs 3]
//   [--runs 4] [--window-alone]  (--runs: later Runs in each tab)
import { mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { loadavg, tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { parseArgs } from 'node:util';
import { launch } from '../tests/web/lib/browsers.mjs';

const { values } = parseArgs({
  options: {
    page: { type: 'string' },
    tabs: { type: 'string', default: '5' },
    'throttled-tabs': { type: 'string', default: '3' },
    runs: { type: 'string', default: '4' },
    'window-alone': { type: 'boolean', default: false },
  },
});
const count = (option) => {
  const number = Number(values[option]);
  if (!Number.isInteger(number) || number < 0) throw new Error(`--${option} takes a count`);
  return number;
};
const TABS = { 1: count('tabs'), 4: count('throttled-tabs') };
if (!TABS[1] && !TABS[4]) throw new Error('No tabs to time: give --tabs or --throttled-tabs');
const LATER_RUNS = count('runs');
const TIMEOUT_MS = 60_000;
// The page's helpers read its path when they are loaded.
if (values.page) process.env.SHO_WEB_PAGE = values.page;
const { named, PAGE, PAGE_URL, typeEntries } = await import('../tests/web/lib/page.mjs');

// Runs in the page before its own scripts. Times the click the bench arms, and the first frame
// with the window in it; counts the runs the page says have ended; `until(test)` resolves once
// `test()` holds, checked whenever one of those changes (nothing polls the page meanwhile).
function timeClicks() {
  const bench = { armed: false, clicks: [], windowPainted: null, runsEnded: 0 };
  window.shoBench = bench;
  const waiting = new Set();
  const settle = () => {
    for (const waiter of waiting) {
      if (waiter.test()) {
        waiting.delete(waiter);
        waiter.resolve();
      }
    }
  };
  bench.until = (test) => new Promise((resolve) => {
    waiting.add({ test, resolve });
    settle();
  });
  // Called in a requestAnimationFrame callback: the message's task runs once the frame is made.
  const atTaskAfterFrame = (then) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => {
      then(performance.now());
      settle();
    };
    channel.port2.postMessage(null);
  };
  addEventListener('click', (event) => {
    if (!bench.armed) return;
    bench.armed = false;
    const start = event.timeStamp;
    requestAnimationFrame(() => atTaskAfterFrame((end) => bench.clicks.push(end - start)));
  }, true);

  bench.state = () => document.documentElement?.dataset.state;
  const isRun = (button) => button.textContent.trim() === 'Run';
  const hasWindow = () => document.querySelector('canvas') &&
    [...document.querySelectorAll('button')].some(isRun);
  // Watches the document's elements only until the window is in it (a run's list adds
  // thousands).
  const windowWatch = new MutationObserver(() => {
    if (!hasWindow()) return;
    windowWatch.disconnect();
    requestAnimationFrame(() => atTaskAfterFrame((end) => { bench.windowPainted = end; }));
  });
  windowWatch.observe(document, { subtree: true, childList: true });
  // A run has ended when the state turns "idle" from another ("running").
  new MutationObserver((records) => {
    if (records.some((record) => record.oldValue !== 'idle') && bench.state() === 'idle') {
      bench.runsEnded += 1;
    }
    settle();
  }).observe(document, { subtree: true, attributeFilter: ['data-state'],
    attributeOldValue: true });
}

// Resolves when `test` holds in the page; `what` names it when that takes too long.
async function until(page, what, test, ...args) {
  let timer;
  const timedOut = new Promise((resolve, reject) => {
    timer = setTimeout(() => reject(new Error(`Timed out waiting for ${what}`)), TIMEOUT_MS);
  });
  try {
    await Promise.race([page.evaluate(test, ...args), timedOut]);
  } finally {
    clearTimeout(timer);
  }
}

// Clicks `target` and gives the time from the click to the task after the next frame.
async function timeClick(page, target) {
  const before = await page.evaluate(() => {
    window.shoBench.armed = true;
    return window.shoBench.clicks.length;
  });
  await target.click();
  await until(page, 'the frame after a click',
    (n) => window.shoBench.until(() => window.shoBench.clicks.length > n), before);
  return page.evaluate(() => window.shoBench.clicks.at(-1));
}

// A fresh tab at this CPU slowdown, `url` opened in it; `inTab(page, errors)` gives what is timed
// there, `errors` being the page's errors so far.
async function inFreshTab(browser, rate, url, inTab) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message ?? String(error)));
    await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1 });
    const session = await page.createCDPSession();
    await session.send('Emulation.setCPUThrottlingRate', { rate });
    await page.evaluateOnNewDocument(timeClicks);
    await page.goto(url);
    await until(page, 'the window to be painted',
      () => window.shoBench.until(() => window.shoBench.windowPainted !== null));
    return await inTab(page, errors);
  } finally {
    await context.close();
  }
}

// The page without its scripts: the window as the page's HTML alone.
function windowAloneUrl() {
  const folder = mkdtempSync(join(tmpdir(), 'sho-window-alone-'));
  const file = join(folder, 'window-alone.html');
  writeFileSync(file, readFileSync(PAGE, 'utf8').replace(/<script\b[^>]*>[^]*?<\/script>/gi, ''));
  return { url: pathToFileURL(file).href, remove: () => rmSync(folder, { recursive: true }) };
}

const timeWindowAlone = (browser, rate, url) => inFreshTab(browser, rate, url,
  (page) => page.evaluate(() => ({ windowAlone: window.shoBench.windowPainted })));

// One fresh tab at this CPU slowdown: opened, the entries typed, the first Run and the later
// ones, each followed by a blank click.
const timeTab = (browser, rate) => inFreshTab(browser, rate, PAGE_URL, async (page, errors) => {
  await until(page, 'the page to be ready', () => window.shoBench.until(() =>
    ['ready', 'idle'].includes(window.shoBench.state())));
  const windowPainted = await page.evaluate(() => window.shoBench.windowPainted);
  await typeEntries(page, ['1', '0', '0.001']);
  const run = await named(page, 'button', 'Run');
  const title = (await page.$$('::-p-aria([role="heading"])'))[0];
  if (!title) throw new Error('The page shows no title to click');

  const runs = [];
  const blanks = [await timeClick(page, title)];
  for (let k = 1; k <= 1 + LATER_RUNS; k += 1) {
    runs.push(await timeClick(page, run));
    await until(page, `Run ${k} to end`,
      (n) => window.shoBench.until(() => window.shoBench.runsEnded >= n), k);
    if (await page.$('dialog[open]')) throw new Error(`Run ${k} stopped with a message`);
    blanks.push(await timeClick(page, title));
  }
  if (errors.length) throw new Error(`The page failed: ${errors.join('; ')}`);
  return { windowPainted, firstRun: runs[0], laterRuns: runs.slice(1), blanks };
});

const median = (numbers) => {
  const sorted = [...numbers].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const ms = (time) => `${time.toFixed(1)} ms`;

const FIGURES = [
  ['blank_frame', 'blank frame', (tab) => tab.blanks],
  ['open_to_window_painted', 'open → window painted', (tab) => [tab.windowPainted]],
  ['first_run', 'first Run', (tab) => [tab.firstRun]],
  ['later_runs', 'later Runs', (tab) => tab.laterRuns],
  ...(values['window-alone'] ? [['open_window_alone',
    'open → window painted, the page\'s HTML alone', (tab) => [tab.windowAlone]]] : []),
];
const RATES = [1, 4].filter((rate) => TABS[rate] > 0);
const COLUMNS = { 1: 'unthrottled', 4: 'CPU throttled 4×' };

const browser = await launch('chromium');
const tabs = { 1: [], 4: [] };
try {
  console.log(`page: ${PAGE} (${statSync(PAGE).size} bytes), ${await browser.version()}, ` +
    `load average ${loadavg()[0].toFixed(2)}`);
  // The two kinds of tab take turns, so that both see the machine alike.
  const alone = values['window-alone'] ? windowAloneUrl() : null;
  try {
    for (let k = 0; k < Math.max(TABS[1], TABS[4]); k += 1) {
      for (const rate of RATES) {
        if (k >= TABS[rate]) continue;
        const tab = await timeTab(browser, rate);
        if (alone) Object.assign(tab, await timeWindowAlone(browser, rate, alone.url));
        tabs[rate].push(tab);
      }
    }
  } finally {
    alone?.remove();
  }
} finally {
  await browser.close();
}

const medians = {};
for (const [name, , samplesOf] of FIGURES) {
  for (const rate of RATES) {
    const perTab = tabs[rate].map(samplesOf);
    const all = perTab.flat();
    medians[`${name} ${rate}`] = all.length ? ms(median(all)) : '–';
    const shown = perTab.map((samples) => samples.map((time) => time.toFixed(1)).join(' '));
    console.log(`${name.padEnd(22)} ${rate}x: ` + (all.length
      ? `median ${ms(median(all))} (${shown.join(' | ')})` : 'no samples asked for'));
  }
}
console.log(`load average ${loadavg()[0].toFixed(2)}\n`);
const header = RATES.map((rate) => `${COLUMNS[rate]}, ${TABS[rate]} tabs`);
console.log(`| figure | ${header.join(' | ')} |`);
console.log(`| --- |${RATES.map(() => ' --- |').join('')}`);
for (const [name, label] of FIGURES) {
  console.log(`| ${label} | ${RATES.map((rate) => medians[`${name} ${rate}`]).join(' | ')} |`);
}
