// The program's C++ compiled to WebAssembly, as the page calls it: the window's description, the
// run of the Run button, what a run leaves in the list, the plot and the data files, and the
// page's texts filled in. Every number and every rule of the window is made there; this only
// carries texts, bytes and pixels across.
import createShoEuler from './sho_page.js';

let program = null;

const text = (pointer) => program.UTF8ToString(pointer);

// Calls `call` with each of `texts` as a C string; frees them afterwards.
function withTexts(texts, call) {
  const pointers = texts.map((t) => {
    const size = program.lengthBytesUTF8(t) + 1;
    const pointer = program._malloc(size);
    program.stringToUTF8(t, pointer, size);
    return pointer;
  });
  try {
    return call(...pointers);
  } finally {
    pointers.forEach((pointer) => program._free(pointer));
  }
}

// Compiles and starts the WebAssembly, its texts in `language` ('fa' or 'en'); rejects where the
// browser cannot.
export function start(language) {
  // The factory compiles at once and gives the program, or throws.
  return new Promise((resolve) => resolve(createShoEuler()))
    .then((made) => made.ready || made)
    .then((made) => {
      program = made;
      withTexts([language], (chosen) => program._sho_set_language(chosen));
    });
}

// The window and its controls (sizes in CSS pixels), as the desktop builds it.
export function windowDescription() {
  return JSON.parse(text(program._sho_window()));
}

// One run of the Run button with the three entry texts, read with the decimal separator of
// `symbols` (the plot's description writes its digits), and the list entry the user chose (-1
// for none). Returns what the run did:
// { filesOpened, lines, entries, editText, error: { title, text, details, entry } | null,
//   plotDescription }.
export function run(entries, symbols, chosen) {
  const answer = withTexts([...entries, symbols.decimal], (y0, phi, dt, separator) =>
    text(program._sho_run(y0, phi, dt, separator, symbols.zero, chosen)),
  );
  return JSON.parse(answer);
}

// Every list entry, one a line.
export function listEntries() {
  return text(program._sho_list_entries());
}

// Draws the last run's points again for this device pixel ratio.
export function setPlotRatio(ratio) {
  program._sho_set_plot_ratio(ratio);
}

// The drawing as an ImageData over the program's memory: put it on a canvas at once.
export function plotImage() {
  const columns = program._sho_plot_columns();
  const rows = program._sho_plot_rows();
  const pixels = new Uint8ClampedArray(program.HEAPU8.buffer, program._sho_plot_pixels(),
    columns * rows * 4);
  return new ImageData(pixels, columns, rows);
}

// A copy of the bytes the last run appended to y.dat (0) or v.dat (1).
export function dataLines(file) {
  const start = program._sho_data_lines(file);
  return program.HEAPU8.slice(start, start + program._sho_data_size(file));
}

// `pageText`, a text of the page's own in the page's language, with %1 and %2 filled in by
// `parts`.
export function fillIn(pageText, parts) {
  return withTexts([pageText, parts[0] ?? '%1', parts[1] ?? '%2'],
    (textPointer, first, second) => text(program._sho_fill_in(textPointer, first, second)));
}

// A count in the digits of the page's language.
export function count(n) {
  return text(program._sho_count(n));
}
