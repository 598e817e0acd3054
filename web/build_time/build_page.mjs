// Writes the finished page, one file, from the program's description of its window and the parts
// of the page, when the page is built. Into page.html, which holds each of these empty:
// - <title>: the window's caption;
// - <style>: page.css and the window's own style sheet, where each control lies;
// - <div id="window-area">: the window as HTML, in English;
// - <script id="window-facts">: what the page's script needs of the window besides its HTML, as
//   JSON, in each language (in another language than English, the controls' names too);
// - <script>: the page's script;
// - <script id="program-wasm">: the program's WebAssembly as base64, a block of data that the
//   browser does not run;
// and the SHA-256 hashes of the style sheet and the script in its Content-Security-Policy, where
// 'sha256-STYLE' and 'sha256-SCRIPT' stand for them. Fails, writing nothing, when a placeholder is
// not there exactly once, when a part would end its element early, when the languages' windows
// differ but for their names, or when the page would be larger than --max-bytes.
// Usage: node build_page.mjs --window WINDOW_JSON --html HTML --css CSS --script SCRIPT
//   --wasm WASM --output PAGE [--max-bytes N]
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { parseArgs } from 'node:util';
import { windowMarkup, windowStyle } from './window_markup.mjs';

const kShownLanguage = 'en';
const kWasmBlock = '<script type="application/octet-stream" id="program-wasm"></script>';
const kFactsBlock = '<script type="application/json" id="window-facts"></script>';
const kWindowArea = '<div id="window-area"></div>';
const kTitle = '<title>sho-euler</title>';

// The browser reads every line break of the page as "\n", and hashes what it read.
const readText = (path) => readFileSync(path, 'utf8').replace(/\r\n?/g, '\n');

const cspSource = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;

const escapedHtml = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

// What the page's script needs of the window besides its HTML, in each language: its size, the
// first focus, the plot's description and menu, the list's texts, the title of a stopped run's
// message and the data files' names; and in each language but the HTML's, the controls' names
// for screen readers, which are all that differs between the languages' windows.
function windowFacts(descriptions) {
  const facts = {};
  for (const [language, description] of Object.entries(descriptions)) {
    const { width, height, firstFocus, plotDescription, listHeader, runStoppedTitle, plotMenu,
      dataFiles } = description;
    const listText = description.controls.find((control) => control.key === 'Cmby').text;
    facts[language] = { width, height, firstFocus, plotDescription, listText, listHeader,
      runStoppedTitle, plotMenu, dataFiles };
    if (language !== kShownLanguage) {
      facts[language].names = Object.fromEntries(description.controls
        .filter((control) => control.name !== null).map((control) => [control.key, control.name]));
    }
  }
  // Inside the element, its end tag is the only thing the HTML parser looks for.
  return JSON.stringify(facts).replace(/</g, '\\u003c');
}

// The windows of all languages, laid out and drawn alike: only their controls' names differ.
function checkWindowsAlike(descriptions) {
  const withoutNames = (description) => ({ ...description,
    controls: description.controls.map((control) => ({ ...control, name: null })) });
  const looks = new Set(Object.values(descriptions).map((description) =>
    windowMarkup(withoutNames(description)) + windowStyle(description)));
  if (looks.size !== 1) throw new Error('the windows of the languages differ but for their names');
}

function buildPage({ html, css, script, wasm, descriptions }) {
  checkWindowsAlike(descriptions);
  const shown = descriptions[kShownLanguage];
  const style = css + windowStyle(shown);
  for (const [text, name] of [[style, 'style'], [script, 'script']]) {
    if (new RegExp(`</${name}`, 'i').test(text)) {
      throw new Error(`the ${name} holds </${name}, which would end its element early`);
    }
  }
  const filled = new Map([
    ['<style></style>', `<style>${style}</style>`],
    ['<script></script>', `<script>${script}</script>`],
    [kWasmBlock, kWasmBlock.replace('></script>', `>${wasm.toString('base64')}</script>`)],
    [kFactsBlock, kFactsBlock.replace('></script>', `>${windowFacts(descriptions)}</script>`)],
    [kWindowArea, `<div id="window-area">${windowMarkup(shown)}</div>`],
    [kTitle, `<title>${escapedHtml(shown.caption)}</title>`],
    ["'sha256-STYLE'", cspSource(style)],
    ["'sha256-SCRIPT'", cspSource(script)],
  ]);
  for (const placeholder of filled.keys()) {
    const times = html.split(placeholder).length - 1;
    if (times !== 1) throw new Error(`the HTML has ${placeholder} ${times} times, not once`);
  }
  // In one pass, so that nothing put in is taken for a placeholder.
  const anyPlaceholder = new RegExp([...filled.keys()]
    .map((placeholder) => placeholder.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')).join('|'), 'g');
  return html.replace(anyPlaceholder, (found) => filled.get(found));
}

function main() {
  const { values } = parseArgs({
    options: Object.fromEntries(['window', 'html', 'css', 'script', 'wasm', 'output', 'max-bytes']
      .map((name) => [name, { type: 'string' }])),
  });
  const page = Buffer.from(buildPage({
    html: readText(values.html),
    css: readText(values.css),
    script: readText(values.script),
    wasm: readFileSync(values.wasm),
    descriptions: JSON.parse(readText(values.window)),
  }), 'utf8');
  const maxBytes = values['max-bytes'] === undefined ? Infinity : Number(values['max-bytes']);
  if (page.length > maxBytes) {
    throw new Error(`the page has ${page.length.toLocaleString('en')} bytes, more than ` +
      `${maxBytes.toLocaleString('en')}`);
  }
  writeFileSync(values.output, page);
}

try {
  main();
} catch (error) {
  console.error(`build_page.mjs: ${error.message}`);
  process.exitCode = 1;
}
