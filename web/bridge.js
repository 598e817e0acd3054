// The program's C++ compiled to WebAssembly, as the page calls it: the window's control table, the
// run of the Run button, and what a run leaves in the list, the plot and the data files. Every
// number of a run is made there; this only carries texts, bytes and pixels across.

const Bridge = (() => {
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

  return {
    // Compiles and starts the WebAssembly; rejects where the browser cannot.
    start() {
      // The factory compiles at once and gives the program, or throws.
      return new Promise((resolve) => resolve(createShoEuler()))
        .then((made) => made.ready || made)
        .then((made) => {
          program = made;
        });
    },

    // The window and its controls (sizes in CSS pixels), as the desktop builds it.
    windowDescription() {
      return JSON.parse(text(program._sho_window()));
    },

    // One run of the Run button with the three entry texts, read with `separator` as the
    // decimal separator, and the list entry the user chose (-1 for none). Returns what the run
    // did: { filesOpened, lines, entries, editText, error, plot }.
    run(entries, separator, chosen) {
      const answer = withTexts([...entries, separator], (y0, phi, dt, sep) =>
        text(program._sho_run(y0, phi, dt, sep, chosen)),
      );
      return JSON.parse(answer);
    },

    // Every list entry, one a line.
    listEntries() {
      return text(program._sho_list_entries());
    },

    // Draws the last run's points again for this device pixel ratio.
    setPlotRatio(ratio) {
      program._sho_set_plot_ratio(ratio);
    },

    // The drawing as an ImageData over the program's memory: put it on a canvas at once.
    plotImage() {
      const columns = program._sho_plot_columns();
      const rows = program._sho_plot_rows();
      const pixels = new Uint8ClampedArray(program.HEAPU8.buffer, program._sho_plot_pixels(), columns * rows * 4);
      return new ImageData(pixels, columns, rows);
    },

    // A copy of the bytes the last run appended to y.dat (0) or v.dat (1).
    dataLines(file) {
      const start = program._sho_data_lines(file);
      return program.HEAPU8.slice(start, start + program._sho_data_size(file));
    },
  };
})();
