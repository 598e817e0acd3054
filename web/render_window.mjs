// Writes the page's window, in each language the page shows, from the program's description of it
// (window_descriptions.js), when the page is built:
// - for assemble_page.py, a JSON file { "markup": { "en": ..., "fa": ... }, "style": ...,
//   "title": ... }: the window as HTML, its style sheet, and the page's title in English;
// - for the page's script, a module of what it needs of the window besides the HTML, in each
//   language: its caption, its size, the first focus, the plot's description and the list's text.
// Usage: node render_window.mjs WINDOW_DESCRIPTIONS_JS OUTPUT_JSON OUTPUT_MODULE
import { writeFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { windowMarkup, windowStyle } from './window.js';

const [descriptionsPath, jsonPath, modulePath] = process.argv.slice(2);
if (!modulePath) {
  throw new Error('Usage: node render_window.mjs WINDOW_DESCRIPTIONS_JS OUTPUT_JSON OUTPUT_MODULE');
}
const { default: descriptions } = await import(pathToFileURL(resolve(descriptionsPath)).href);

const markup = {};
const facts = {};
let style = null;
for (const [language, description] of Object.entries(descriptions)) {
  markup[language] = windowMarkup(description);
  // One style sheet serves every language: only the texts differ between them.
  const own = windowStyle(description);
  if (style !== null && own !== style) {
    throw new Error(`The window in "${language}" is laid out unlike the others`);
  }
  style = own;
  const { caption, width, height, firstFocus, plotDescription } = description;
  const listText = description.controls.find((control) => control.key === 'Cmby').text;
  facts[language] = { caption, width, height, firstFocus, plotDescription, listText };
}
writeFileSync(jsonPath, JSON.stringify({ markup, style, title: descriptions.en.caption }));
// As JSON in a string, which the browser reads faster than the same object written as script.
const text = JSON.stringify(JSON.stringify(facts)).replace(/<\//g, '<\\/');
writeFileSync(modulePath, '// The window, as the page\'s script needs it besides its HTML; made ' +
  `when the page is built.\nexport default JSON.parse(${text});\n`);
