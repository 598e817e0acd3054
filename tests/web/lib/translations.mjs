// The program's Persian texts, read from the translation file the desktop and the page are built
// from, so that the tests find the page's Persian controls by their Persian names.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { REPOSITORY } from './page.mjs';

const ENTITIES = { amp: '&', lt: '<', gt: '>', quot: '"', apos: "'" };
const unescape = (text) => text.replace(/&(amp|lt|gt|quot|apos);/g, (_, name) => ENTITIES[name]);

function readTranslations() {
  const ts = readFileSync(join(REPOSITORY, 'window/translations/sho-euler_fa.ts'), 'utf8');
  const texts = new Map();
  // A message's source and translation, with anything between them (a comment, say).
  const message = new RegExp('<source>([^<]*)</source>\\s*(?:<[^>]*>[^<]*</[^>]*>\\s*)*' +
    '<translation>([^<]*)</translation>', 'g');
  for (const [, source, translation] of ts.matchAll(message)) {
    texts.set(unescape(source), unescape(translation));
  }
  return texts;
}

let persian;

// The Persian for an English text of the program; fails for a text the file does not translate.
export function inPersian(english) {
  persian ??= readTranslations();
  const text = persian.get(english);
  if (text === undefined) throw new Error(`No Persian for ${JSON.stringify(english)}`);
  return text;
}
