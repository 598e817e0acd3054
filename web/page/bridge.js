// The program's C++ compiled to WebAssembly, as the page calls it: the run of the Run button, what
// a run leaves in the list, the plot and the data files, and the digits of the page's language.
// Every number and every rule of the window is made there; this only carries texts, bytes and
// pixels across.
import createShoEuler from './sho_page.js';

let program = null;

// A fault that the program's C++ caught in a call: the call did nothing, and the program goes on.
export class ProgramFault extends Error {
  name = 'ProgramFault';
}

// The program's WebAssembly stopped inside a call (a trap, emscripten's abort): what it held is
// lost, so the program is not called again; every later call throws this too.
export class ProgramEnded extends Error {
  name = 'ProgramEnded';
}

let endedBy = null;

// The program as this module calls it: each of its functions throws ProgramEnded where the
// WebAssembly stops (whatever it throws: a trap and an abort throw a RuntimeError, running out of
// stack a RangeError), and each of the bridge's own (_sho_*) throws ProgramFault where the C++
// caught a fault.
function watched(made) {
  const calls = new Map();
  const watch = (name) => (...args) => {
    if (endedBy) throw new ProgramEnded(endedBy);
    let answer;
    try {
      answer = made[name](...args);
    } catch (error) {
      endedBy = String((error && error.message) || error);
      throw new ProgramEnded(endedBy);
    }
    if (name.startsWith('_sho_')) {
      const fault = made._sho_fault();
      if (made.HEAPU8[fault] !== 0) throw new ProgramFault(made.UTF8ToString(fault));
    }
    return answer;
  };
  return new Proxy(made, {
    get(target, name) {
      if (typeof name !== 'string' || !name.startsWith('_') || typeof target[name] !== 'function') {
        return target[name];
      }
      if (!calls.has(name)) calls.set(name, watch(name));
      return calls.get(name);
    },
  });
}

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

// The program's WebAssembly, from the base64 text the page carries it in: a block of data that
// the browser does not parse as script, read only when the program starts.
function wasmBytes() {
  const wasmBase64 = document.getElementById('program-wasm').textContent;
  if (typeof Uint8Array.fromBase64 === 'function') return Uint8Array.fromBase64(wasmBase64);
  const binary = atob(wasmBase64);
  const bytes = new Uint8Array(binary.length);
  for (let k = 0; k < binary.length; ++k) bytes[k] = binary.charCodeAt(k);
  return bytes;
}

// Compiles and starts the WebAssembly, its texts in `language` ('fa' or 'en'); rejects where the
// browser cannot. It compiles away from the page's main thread, which goes on meanwhile.
export function start(language) {
  return new Promise((resolve, reject) => {
    const instantiateWasm = (imports, receive) => {
      WebAssembly.instantiate(wasmBytes(), imports)
        .then((made) => receive(made.instance, made.module), reject);
      return {};
    };
    // The glue names its WebAssembly's file from the script's address, which a page opened from a
    // bundle has none of; handed the WebAssembly, it never asks for the file.
    const locateFile = (name) => name;
    Promise.resolve(createShoEuler({ instantiateWasm, locateFile }))
      .then((made) => made.ready || made)
      .then(resolve, reject);
  }).then((made) => {
    program = watched(made);
    withTexts([language], (chosen) => program._sho_set_language(chosen));
  });
}

// One run of the Run button with the three entry texts, read with the decimal separator of
// `symbols` (the plot's description writes its digits), and the list entry the user chose (-1
// for none). Returns what the run did:
// { filesOpened, lines, entries, editText, error: { title, text, details, entry } | null,
//   plotDescription, runStatus ('' for a run that stopped) }.
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

// The ten digits of the page's language, "0" to "9", in which the page writes its counts.
export function digits() {
  return text(program._sho_digits());
}

// Runs the program once on a window of its own, so that its WebAssembly is compiled and warm
// before the first Run; changes nothing the page shows or keeps.
export function warmUp() {
  program._sho_warm_up();
}
