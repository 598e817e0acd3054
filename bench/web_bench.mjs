// How fast the browser page is in headless Chromium, opened from disk:
// - opening: from the start of the page's navigation to the first frame painted with the window
//   in it, and to the first frame painted once the page is ready (its data files counted), median
//   of 10 opens, each in a fresh context;
// - Run: from the input event of a click on Run to the next frame painted after its handlers,
//   which have filled the list and drawn the plot: Chromium's Event Timing duration of the click;
//   and to the first frame painted once the run's lines are kept in the data files too. Median of
//   10 runs with time step 0.001 in one page, each over the list the one before left.
// Needs `npm ci` in tests/web and the page built, given by --page or by SHO_WEB_PAGE.
// Usage: node bench/web_bench.mjs [--page sho-euler.html] [--opens N] [--runs N]
import { statSync } from 'node:fs';
import { parseArgs } from 'node:util';
import { launch } from '../tests/web/lib/browsers.mjs';

const { values } = parseArgs({
  options: {
    page: { type: 'string' },
    opens: { type: 'string', default: '10' },
    runs: { type: 'string', default: '10' },
  },
});
// The page's helpers read its path when they are loaded.
if (values.page) process.env.SHO_WEB_PAGE = values.page;
const { named, PAGE, PAGE_URL, typeEntries, waitForState } =
  await import('../tests/web/lib/page.mjs');

// Runs in the page before its own scripts: notes when the first frame with the window in it is
// painted, and the first frame once the page is ready (its data files counted), and for every
// click on Run when the first frame after the run's end is painted.
function timePaints() {
  const state = () => document.documentElement?.dataset.state ?? document.body?.dataset.state;
  const isRun = (target) => target?.closest?.('button')?.textContent.trim() === 'Run';
  const hasWindow = () => document.querySelector('canvas') &&
    [...document.querySelectorAll('button')].some(isRun);
  // A task posted while a frame is being made runs once that frame is painted.
  const afterNextPaint = (then) => requestAnimationFrame(() => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => then(performance.now());
    channel.port2.postMessage(null);
  });
  window.shoTimes = { windowPainted: null, readyPainted: null, runs: [], eventDurations: [] };
  let windowSeen = false;
  const watchStartUp = () => {
    if (!windowSeen && hasWindow()) {
      windowSeen = true;
      afterNextPaint((time) => { window.shoTimes.windowPainted = time; });
    }
    if (state() === 'ready' || state() === 'idle') {
      afterNextPaint((time) => { window.shoTimes.readyPainted = time; });
    } else {
      requestAnimationFrame(watchStartUp);
    }
  };
  requestAnimationFrame(watchStartUp);

  let pressed = null;
  addEventListener('click', (event) => {
    if (isRun(event.target)) pressed = event.timeStamp;
  }, true);
  const watchRun = () => {
    if (pressed === null || state() !== 'idle') return;
    const start = pressed;
    pressed = null;
    afterNextPaint((time) => window.shoTimes.runs.push(time - start));
  };
  addEventListener('DOMContentLoaded', () => {
    const observer = new MutationObserver(watchRun);
    for (const element of [document.documentElement, document.body]) {
      observer.observe(element, { attributes: true, attributeFilter: ['data-state'] });
    }
  });
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) {
      if (entry.name === 'click' && isRun(entry.target)) {
        window.shoTimes.eventDurations.push(entry.duration);
      }
    }
  }).observe({ type: 'event', durationThreshold: 16, buffered: true });
}

const median = (numbers) => {
  const sorted = [...numbers].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const ms = (time) => `${time.toFixed(1)} ms`;

// The page opened in a fresh context of its own, at ratio 1, with its paints timed; `measure`
// takes it from there.
async function inTimedPage(browser, measure) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1 });
    await page.evaluateOnNewDocument(timePaints);
    await page.goto(PAGE_URL);
    return await measure(page);
  } finally {
    await context.close();
  }
}

async function timeOpening(browser) {
  return inTimedPage(browser, async (page) => {
    await page.waitForFunction(() => window.shoTimes?.readyPainted != null, { polling: 20 });
    return page.evaluate(() => window.shoTimes);
  });
}

async function timeRuns(browser, count) {
  return inTimedPage(browser, async (page) => {
    await waitForState(page, (state) => state === 'ready' || state === 'idle');
    await typeEntries(page, ['1', '0', '0.001']);
    const run = await named(page, 'button', 'Run');
    for (let k = 1; k <= count; k += 1) {
      await run.click();
      await page.waitForFunction((n) => window.shoTimes.runs.length >= n, { polling: 20 }, k);
      if (await page.$('dialog[open]')) throw new Error('The run stopped with a message');
    }
    // Event Timing reports a click a moment after the frame it ends with.
    await page.waitForFunction((n) => window.shoTimes.eventDurations.length >= n,
      { polling: 20, timeout: 2000 }, count).catch(() => {});
    return page.evaluate(() => window.shoTimes);
  });
}

const browser = await launch('chromium');
try {
  console.log(`page: ${PAGE} (${statSync(PAGE).size} bytes), ${await browser.version()}`);
  const opens = [];
  for (let k = 0; k < Number(values.opens); k += 1) opens.push(await timeOpening(browser));
  const report = (figure, times) => console.log(`${figure}: median of ${times.length} ` +
    `${ms(median(times))} (first ${ms(times[0])}, fastest ${ms(Math.min(...times))}, ` +
    `slowest ${ms(Math.max(...times))})`);
  report('open_to_window_painted', opens.map((times) => times.windowPainted));
  report('open_to_ready_painted', opens.map((times) => times.readyPainted));

  const { runs, eventDurations } = await timeRuns(browser, Number(values.runs));
  // Chromium reports a click's Event Timing only from 16 ms on: the missing ones took less.
  const clicks = [...eventDurations, ...Array(runs.length - eventDurations.length).fill(0)];
  const under16 = (time) => (time > 0 ? ms(time) : 'under 16 ms');
  console.log(`run_to_list_and_plot_painted: median of ${clicks.length} ` +
    `${under16(median(clicks))} (Event Timing of the clicks on Run, in steps of 8 ms: ` +
    `${eventDurations.map(ms).join(', ') || 'none reported'})`);
  report('run_to_files_kept_painted', runs);
} finally {
  await browser.close();
}
