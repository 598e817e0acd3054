// The program's Persian texts, read from the translation file the desktop and the page are built
// from, by the reader the page's build uses, so that the tests find the page's Persian controls by
// their Persian names.
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import { REPOSITORY } from './page.mjs';

function readTranslations() {
  const json = execFileSync('python3', [join(REPOSITORY, 'translations/ts_catalogue.py'), 'json',
    join(REPOSITORY, 'translations/sho-euler_fa.ts')], { encoding: 'utf8' });
  const texts = new Map();
  for (const context of Object.values(JSON.parse(json))) {
    for (const [source, translation] of Object.entries(context)) texts.set(source, translation);
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
