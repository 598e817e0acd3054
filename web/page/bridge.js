// The program's C++ compiled to WebAssembly, as the page calls it: the run of the Run button, what
// a run leaves in the list, the plot and the data files, and the digits of the page's language.
// Every number and every rule of the window is made there; this only carries texts, bytes and
// pixels across, in few calls: a Run takes four.
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

// Calls the program's function `name`: throws ProgramEnded where the WebAssembly stops (whatever it
// throws: a trap and an abort throw a RuntimeError, running out of stack a RangeError), and
// ProgramFault where the C++ caught a fault, which its answer, null or 0, says.
function call(name, ...args) {
  if (endedBy) throw new ProgramEnded(endedBy);
  let answer;
  try {
    answer = program[name](...args);
  } catch (error) {
    endedBy = String((error && error.message) || error);
    throw new ProgramEnded(endedBy);
  }
  if (!answer) throw new ProgramFault(program.UTF8ToString(call('_sho_fault')));
  return answer;
}

const text = (pointer) => program.UTF8ToString(pointer);
const encoder = new TextEncoder();

// Puts `texts` into the program's input, each ended by a NUL, for the next call to read. A text is
// cut at a NUL of its own, as a C string would be.
function putInput(texts) {
  const bytes = encoder.encode(texts.map((t) => `${t.split('\0')[0]}\0`).join(''));
  const input = call('_sho_input', bytes.length);
  program.HEAPU8.set(bytes, input);  // after the call, which may have grown the memory
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
    program = made;
    putInput([language]);
    call('_sho_set_language');
  });
}

// The drawing at `pixels` of the program's memory, `columns` x `rows` device pixels, as an
// ImageData over that memory: put it on a canvas at once.
const imageAt = ([pixels, columns, rows]) =>
  new ImageData(new Uint8ClampedArray(program.HEAPU8.buffer, pixels, columns * rows * 4), columns, rows);

// One run of the Run button with the three entry texts, read with the decimal separator of
// `symbols` (the plot's description writes its digits), and the list entry the user chose (-1
// for none). Returns what the run did:
// { filesOpened, lines, entries, editText (where it is not the list's header), plot (an ImageData,
//   to put on the canvas at once), error: { text, details, entry } | null, plotDescription,
//   runStatus }.
export function run(entries, symbols, chosen) {
  putInput([...entries, symbols.decimal]);
  const result = JSON.parse(text(call('_sho_run', symbols.zero, chosen)));
  const { pixels, columns, rows } = result.plot;
  result.plot = imageAt([pixels, columns, rows]);
  return result;
}

// Every list entry of the last run, one a line.
export function listEntries() {
  return text(call('_sho_list_entries'));
}

// The last run's drawing again for this device pixel ratio, as run() gives it.
export function plotForRatio(ratio) {
  const place = call('_sho_set_plot_ratio', ratio) / 4;
  return imageAt(program.HEAPU32.subarray(place, place + 3));
}

// Copies of the bytes the last run appended to y.dat and to v.dat.
export function takeLines() {
  const place = call('_sho_take_lines') / 4;
  const [y, ySize, v, vSize] = program.HEAPU32.subarray(place, place + 4);
  return [program.HEAPU8.slice(y, y + ySize), program.HEAPU8.slice(v, v + vSize)];
}

// The ten digits of the page's language, "0" to "9", in which the page writes its counts.
export function digits() {
  return text(call('_sho_digits'));
}

// Runs the program once on a window of its own, so that its WebAssembly is compiled and warm
// before the first Run; changes nothing the page shows or keeps.
export function warmUp() {
  call('_sho_warm_up');
}
