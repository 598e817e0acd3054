// What the desktop window shows and writes for the same entries, from the desktop_cases program
// that the native build makes.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { ENTRY_NAMES, pathFromEnvironment } from './page.mjs';

const PROGRAM = pathFromEnvironment('SHO_DESKTOP_CASES',
  'the desktop_cases program of the native build\'s tests');

const LANGUAGES = {
  en: { LANG: 'en_US.UTF-8', LANGUAGE: 'en' },
  fa: { LANG: 'fa_IR.UTF-8', LANGUAGE: 'fa' },
};

// Runs desktop_cases with `args` in `language` and returns what it wrote, with its output's path
// as `OUTPUT`.
function recorded(args, language) {
  const directory = mkdtempSync(join(tmpdir(), 'sho-desktop-'));
  try {
    const output = join(directory, 'cases.json');
    const env = {
      ...process.env, ...LANGUAGES[language], LC_ALL: '', QT_QPA_PLATFORM: 'offscreen',
    };
    delete env.QT_SCALE_FACTOR;
    try {
      execFileSync(PROGRAM, args.map((arg) => (arg === 'OUTPUT' ? output : arg)),
        { env, stdio: ['ignore', 'ignore', 'pipe'] });
    } catch (error) {
      throw new Error(`${PROGRAM} (made by the native build's tests) failed: ${error.message}`);
    }
    return JSON.parse(readFileSync(output, 'utf8'));
  } finally {
    rmSync(directory, { recursive: true, force: true });
  }
}

const decodedPixels = (pixels) => ({ ...pixels, rgba: Buffer.from(pixels.rgba, 'base64') });

// One record per case (three entry texts), in the order given.
export function desktopRecords(cases, language = 'en') {
  return recorded(['OUTPUT', ...cases.flat()], language).map((record) => ({
    ...record,
    y_dat: Buffer.from(record.y_dat, 'base64'),
    v_dat: Buffer.from(record.v_dat, 'base64'),
    pixels: decodedPixels(record.pixels),
  }));
}

// The fresh window: each control by key with its place in pixels ({ left, top, width, height }),
// and `painted`, its place in the order the controls are painted (later ones lie above); and the
// window's pixels with no control focused.
export function desktopWindow(language = 'en') {
  const record = recorded(['--window', 'OUTPUT'], language);
  return { controls: record.controls, pixels: decodedPixels(record.pixels) };
}

// The entry the focus is on after a message, by its accessible name, as the desktop's control key
// ("Text1(2)") names it; the button's caption for a button.
export function focusName(control) {
  const entry = /^Text1\((\d)\)$/.exec(control);
  if (entry) return ENTRY_NAMES[Number(entry[1])];
  return { Command1: 'Run', Exit: 'Exit' }[control] ?? control;
}
