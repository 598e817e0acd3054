// Drives the page as a user does: controls found by their role and accessible name, entries typed,
// buttons clicked. Every page opened here records what it requests and what reaches its console.
import assert from 'node:assert/strict';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { newContext } from './browsers.mjs';

export const REPOSITORY = resolve(dirname(fileURLToPath(import.meta.url)), '../../..');

// A path that the environment gives (ctest sets each for the tests, see tests/CMakeLists.txt).
export function pathFromEnvironment(variable, what) {
  const path = process.env[variable];
  if (!path) throw new Error(`${variable} is not set: it names ${what}`);
  return resolve(path);
}

export const PAGE = pathFromEnvironment('SHO_WEB_PAGE', 'the built page, sho-euler.html');
export const PAGE_URL = pathToFileURL(PAGE).href;
export const ENTRY_NAMES = ['y(0)', 'Phi(0)Degree', 'Time step<0.01'];
// The window's client area in CSS pixels: 10170 x 7920 twips at 15 twips a pixel.
export const WINDOW_SIZE = { width: 678, height: 528 };

// An element by role and accessible name. Finding one by its name costs Firefox a walk over the
// page's accessibility tree, long once the list holds ten thousand entries: what was found is kept
// for as long as it stays in the page and the page is not loaded again (messages, made anew each
// time, are looked for each time).
const found = new WeakMap();

export async function named(page, role, name) {
  if (!found.has(page)) {
    found.set(page, new Map());
    page.on('framenavigated', (frame) => {
      if (frame === page.mainFrame()) found.get(page).clear();
    });
  }
  const known = found.get(page);
  const key = `${role} ${name}`;
  const kept = known.get(key);
  if (kept && await kept.evaluate((element) => element.isConnected).catch(() => false)) return kept;
  const handle = await page.$(`::-p-aria([name=${JSON.stringify(name)}][role="${role}"])`);
  if (!handle) throw new Error(`The page has no ${role} named ${JSON.stringify(name)}`);
  if (role !== 'dialog') known.set(key, handle);
  return handle;
}

// The page in a context of its own (its own storage and so its own data files), seen at one
// device pixel per CSS pixel. What it requests beyond its own file is refused and kept in
// `requests`; console errors and uncaught exceptions are kept in `errors`. Given a context, the
// page opens in a window of its own there, so that it goes on drawing beside the other.
// `beforeLoad(page)`, when given, runs before the page loads (to take something from the browser);
// the page is given once its state passes `until` (by default: ready, or idle).
export async function openPage(browser, { context, beforeLoad, until = isReady } = {}) {
  const downloads = mkdtempSync(join(tmpdir(), 'sho-downloads-'));
  const ownContext = !context;
  context ??= await newContext(browser, downloads);
  const page = await context.newPage(ownContext ? {} : { type: 'window' });
  const seen = { page, context, downloads, requests: [], errors: [] };
  await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1 });
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    const url = request.url();
    if (url === PAGE_URL || url.startsWith('data:') || url.startsWith('blob:')) {
      request.continue();
    } else {
      seen.requests.push(url);
      request.abort();
    }
  });
  page.on('console', (message) => {
    if (message.type() === 'error') seen.errors.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => seen.errors.push(`uncaught: ${error.message ?? error}`));
  seen.close = async () => {
    await (ownContext ? context.close() : page.close());
    rmSync(downloads, { recursive: true, force: true });
  };
  if (beforeLoad) await beforeLoad(page);
  await page.goto(PAGE_URL);
  await waitForState(page, until);
  await countRuns(page);
  return seen;
}

export const isReady = (state) => state === 'ready' || state === 'idle';

function pageState() {
  return document.documentElement.dataset.state;
}

export async function waitForState(page, accept, timeout = 30_000) {
  await page.waitForFunction(`(${accept})((${pageState})())`, { timeout, polling: 20 });
}

// Counts the runs that end from now on ("running" becomes "idle"), so that a run is waited for
// however quickly it ends. openPage starts it; a page loaded again in its tab needs it again.
export async function countRuns(page) {
  await page.evaluate(`(() => {
    const state = ${pageState};
    window.shoRunsEnded = 0;
    const observer = new MutationObserver(() => { if (state() === 'idle') window.shoRunsEnded++; });
    observer.observe(document.documentElement, { attributes: true, attributeFilter: ['data-state'] });
  })()`);
}

export async function runsEnded(page) {
  return page.evaluate(() => window.shoRunsEnded);
}

export async function waitForRuns(page, count) {
  await page.waitForFunction((n) => window.shoRunsEnded >= n, { timeout: 60_000, polling: 20 },
    count);
}

export async function entry(page, index) {
  return named(page, 'textbox', ENTRY_NAMES[index]);
}

// Replaces the entry's text by `text`, typed.
export async function type(page, index, text) {
  const box = await entry(page, index);
  await box.click({ count: 3 });
  await box.evaluate((input) => input.select());
  await page.keyboard.press('Backspace');
  await page.keyboard.type(text);
}

export async function typeEntries(page, texts) {
  for (const [index, text] of texts.entries()) await type(page, index, text);
}

// Clicks the buttons with these captions one after the other in one task of the page, as a user
// quicker than any frame would, or as the page's own code would; waits for nothing.
export function clickInOneTask(page, ...captions) {
  return page.evaluate((texts) => {
    for (const text of texts) {
      [...document.querySelectorAll('button')].find((button) => button.textContent === text).click();
    }
  }, captions);
}

// Clicks Run and waits until the run has ended.
export async function clickRun(page) {
  const before = await runsEnded(page);
  await (await named(page, 'button', 'Run')).click();
  await waitForRuns(page, before + 1);
}

// The results list's drop-down: its entries, and the line it shows (the desktop's edit text), as
// the options show them (a run of ordinary blanks as one). A no-break space stands for the
// desktop's blank.
export async function listShown(page, name = 'Current values') {
  const list = await named(page, 'combobox', name);
  return list.evaluate((select) => {
    const text = (option) => option.text.replaceAll('\u00a0', ' ');
    const entries = [...select.options].filter((option) => !option.hidden && !option.disabled);
    const shown = select.selectedIndex >= 0 ? text(select.options[select.selectedIndex]) : '';
    return { entries: entries.map(text), shown };
  });
}

// The message open over the window, found by its accessible name: the text of what its
// aria-labelledby points to, or its aria-label. (Firefox takes half a minute to find a modal
// dialog by name through its accessibility tree when the list behind it is full.)
export async function openMessage(page, name) {
  const dialog = await page.$('dialog[open]');
  if (!dialog) throw new Error(`No message is open where ${JSON.stringify(name)} should be`);
  const shownName = await dialog.evaluate((element) => {
    const ids = element.getAttribute('aria-labelledby');
    if (ids) {
      return ids.split(/\s+/).map((id) => document.getElementById(id)?.textContent ?? '')
        .join(' ').trim();
    }
    return element.getAttribute('aria-label') ?? '';
  });
  if (shownName !== name) {
    throw new Error(`The message is named ${JSON.stringify(shownName)}, ` +
      `not ${JSON.stringify(name)}`);
  }
  return dialog;
}

// Closes the message named `title`, which must say `said`, with its OK.
export async function closeMessage(page, title, said) {
  const message = await openMessage(page, title);
  assert.match(await message.evaluate((element) => element.innerText), said);
  await (await message.$('::-p-aria([name="OK"][role="button"])')).click();
  await page.waitForFunction(() => !document.querySelector('dialog[open]'), { timeout: 5000 });
}

// The canvas with this accessible name (the plot is named "Graphs" in English).
export async function namedCanvas(page, name) {
  for (const handle of await page.$$(`::-p-aria(${JSON.stringify(name)})`)) {
    if (await handle.evaluate((element) => element.tagName === 'CANVAS')) return handle;
  }
  throw new Error(`The page has no canvas named ${JSON.stringify(name)}`);
}

// The plot's canvas and its pixels as RGBA bytes, row by row.
export async function plotPixels(page) {
  const canvas = await page.$('canvas');
  const { width, height, rgba } = await canvas.evaluate((element) => {
    const image = element.getContext('2d').getImageData(0, 0, element.width, element.height);
    let binary = '';
    for (let k = 0; k < image.data.length; k += 0x8000) {
      binary += String.fromCharCode(...image.data.subarray(k, k + 0x8000));
    }
    return { width: element.width, height: element.height, rgba: btoa(binary) };
  });
  return { width, height, rgba: Buffer.from(rgba, 'base64') };
}

// Clicks the control named `name` and returns the bytes of the file it downloads, which must be
// named `fileName`.
export async function download(seen, name, fileName) {
  const { page, downloads } = seen;
  for (const old of readdirSync(downloads)) rmSync(join(downloads, old), { force: true });
  const control = await named(page, 'button', name).catch(() => named(page, 'link', name));
  await control.click();
  // The browser writes under other names first (".part", ".crdownload", a name of its own) and
  // gives the file its name at the end: done once the file alone is there and keeps its size.
  const path = join(downloads, fileName);
  const deadline = Date.now() + 15_000;
  let size = -1;
  for (;;) {
    await new Promise((done) => setTimeout(done, 50));
    const files = readdirSync(downloads);
    if (files.length === 1 && files[0] === fileName) {
      const now = statSync(path, { throwIfNoEntry: false })?.size ?? -1;
      if (now >= 0 && now === size) break;
      size = now;
    } else {
      size = -1;
    }
    if (Date.now() > deadline) throw new Error(`Download of ${fileName} gave ${files}`);
  }
  const bytes = readFileSync(path);
  rmSync(path);
  return bytes;
}

// The line counts the page shows for y.dat and v.dat, read from the list items that name them in
// the region about the data files, whatever digits and group separators the language writes.
export async function lineCounts(page, region = 'Data files') {
  const section = await named(page, 'region', region);
  return section.evaluate((element) => {
    const counts = {};
    for (const item of element.querySelectorAll('li')) {
      const text = item.textContent
        .replace(/[۰-۹]/g, (digit) => String(digit.charCodeAt(0) - 0x6f0));
      const file = /[yv]\.dat/.exec(text)?.[0];
      const number = /(\d[\d,٬\u00a0\u202f]*)\D*$/.exec(text)?.[1];
      if (file && number) counts[file] = Number(number.replace(/\D/g, ''));
    }
    return counts;
  });
}


// Waits up to 10 s for the page to count `lines` in each data file (the section may be hidden or
// not yet there meanwhile).
export async function waitForCounts(page, lines) {
  const deadline = Date.now() + 10_000;
  let counts;
  while (Date.now() < deadline) {
    counts = await lineCounts(page).catch(() => ({}));
    if (counts['y.dat'] === lines && counts['v.dat'] === lines) return;
    await new Promise((done) => setTimeout(done, 50));
  }
  assert.deepEqual(counts, { 'y.dat': lines, 'v.dat': lines }, 'the line counts shown');
}
