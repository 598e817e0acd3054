// How fast the browser page is in headless Chromium, opened from disk:
// - opening: from the start of the page's navigation to the first frame painted with the window
//   in it, and to the first frame painted once the page is ready (its data files counted), median
//   of 10 opens, each in a fresh context;
// - Run: from the input event of a click on Run to the first frame painted after the run ended
//   (list filled, plot drawn), median of 10 runs with time step 0.001 in one page. Chromium's own
//   Event Timing figure for the click (input to the next paint after its handlers; reported only
//   from 16 ms on, in steps of 8 ms) is printed beside it.
// Needs `npm ci` in tests/web and the page built (build/web/sho-euler.html unless SHO_WEB_PAGE says
// otherwise). Usage: node bench/web_bench.mjs [--opens N] [--runs N]
import { statSync } from 'node:fs';
import { parseArgs } from 'node:util';
import { launch } from '../tests/web/lib/browsers.mjs';
import { named, PAGE, PAGE_URL, typeEntries, waitForState } from '../tests/web/lib/page.mjs';

const { values } = parseArgs({
  options: { opens: { type: 'string', default: '10' }, runs: { type: 'string', default: '10' } },
});

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

async function timeOpening(browser) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1 });
    await page.evaluateOnNewDocument(timePaints);
    await page.goto(PAGE_URL);
    await page.waitForFunction(() => window.shoTimes?.readyPainted != null, { polling: 20 });
    return await page.evaluate(() => window.shoTimes);
  } finally {
    await context.close();
  }
}

async function timeRuns(browser, count) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1 });
    await page.evaluateOnNewDocument(timePaints);
    await page.goto(PAGE_URL);
    await waitForState(page, (state) => state === 'ready' || state === 'idle');
    await typeEntries(page, ['1', '0', '0.001']);
    const run = await named(page, 'button', 'Run');
    for (let k = 1; k <= count; k += 1) {
      await run.click();
      await page.waitForFunction((n) => window.shoTimes.runs.length >= n, { polling: 20 }, k);
      if (await page.$('dialog[open]')) throw new Error('The run stopped with a message');
    }
    return await page.evaluate(() => window.shoTimes);
  } finally {
    await context.close();
  }
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
  report('run_to_list_and_plot_painted', runs);
  const unreported = runs.length - eventDurations.length;
  console.log(`event_timing_click_duration: ${eventDurations.map(ms).join(', ') || 'none'}` +
    `${unreported > 0 ? `; ${unreported} of ${runs.length} clicks under 16 ms` : ''}`);
} finally {
  await browser.close();
}
