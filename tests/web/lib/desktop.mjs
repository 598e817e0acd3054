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

// One record per case (three entry texts), in the order given.
export function desktopRecords(cases, language = 'en') {
  const directory = mkdtempSync(join(tmpdir(), 'sho-desktop-'));
  try {
    const output = join(directory, 'cases.json');
    const env = {
      ...process.env, ...LANGUAGES[language], LC_ALL: '', QT_QPA_PLATFORM: 'offscreen',
    };
    delete env.QT_SCALE_FACTOR;
    try {
      execFileSync(PROGRAM, [output, ...cases.flat()],
        { env, stdio: ['ignore', 'ignore', 'pipe'] });
    } catch (error) {
      throw new Error(`${PROGRAM} (made by the native build's tests) failed: ${error.message}`);
    }
    return JSON.parse(readFileSync(output, 'utf8')).map((record) => ({
      ...record,
      y_dat: Buffer.from(record.y_dat, 'base64'),
      v_dat: Buffer.from(record.v_dat, 'base64'),
      pixels: { ...record.pixels, rgba: Buffer.from(record.pixels.rgba, 'base64') },
    }));
  } finally {
    rmSync(directory, { recursive: true, force: true });
  }
}

// The entry the focus is on after a message, by its accessible name, as the desktop's control key
// ("Text1(2)") names it; the button's caption for a button.
export function focusName(control) {
  const entry = /^Text1\((\d)\)$/.exec(control);
  if (entry) return ENTRY_NAMES[Number(entry[1])];
  return { Command1: 'Run', Exit: 'Exit' }[control] ?? control;
}
