// Writes the page's window as HTML and as a style sheet, in each language the page shows, from
// the program's description of it (window_descriptions.js), when the page is built: a JSON file
// { "markup": { "en": ..., "fa": ... }, "style": ... } for assemble_page.py.
// Usage: node render_window.mjs WINDOW_DESCRIPTIONS_JS OUTPUT_JSON
import { writeFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { windowMarkup, windowStyle } from './window.js';

const [descriptionsPath, outputPath] = process.argv.slice(2);
if (!outputPath) throw new Error('Usage: node render_window.mjs WINDOW_DESCRIPTIONS_JS OUTPUT_JSON');
const { default: descriptions } = await import(pathToFileURL(resolve(descriptionsPath)).href);

const markup = {};
let style = null;
for (const [language, description] of Object.entries(descriptions)) {
  markup[language] = windowMarkup(description);
  // One style sheet serves every language: only the texts differ between them.
  const own = windowStyle(description);
  if (style !== null && own !== style) {
    throw new Error(`The window in "${language}" is laid out unlike the others`);
  }
  style = own;
}
writeFileSync(outputPath, JSON.stringify({ markup, style }));
