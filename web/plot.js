// The plot: the program's drawing on the canvas, one canvas pixel a device pixel, and its
// description for screen readers. The axis and the legend are elements over the canvas, as on the
// desktop they are controls over the drawing area.

const PlotView = (() => {
  let canvas = null;
  let context = null;
  let description = null;
  let ratio = 0;

  function paint() {
    const image = Bridge.plotImage();
    if (canvas.width !== image.width || canvas.height !== image.height) {
      canvas.width = image.width;
      canvas.height = image.height;
    }
    context.putImageData(image, 0, 0);
  }

  // What a sighted user sees in the plot, in words, from the facts the program gives.
  function describe(facts) {
    const words = [qsTranslate('Form1', "Red points: Euler's positions. Blue points: the exact cosine.")];
    if (!facts || !facts.anyStepShown) {
      words.push(qsTranslate('Form1', 'No step is shown.'));
    } else {
      const fill = Translation.fillIn;
      words.push(fill(qsTranslate('Form1', 'Shown: steps %1 to %2.'), [String(facts.firstStep), String(facts.lastStep)]));
      if (facts.endsTogether) {
        const at = qsTranslate('Form1', 'At step %1 the red point is %2 from the blue one.');
        words.push(fill(at, [String(facts.lastStep), Translation.inLocaleDigits(facts.distance)]));
        if (facts.redOutside) words.push(qsTranslate('Form1', 'The red point lies outside the drawing.'));
        if (facts.blueOutside) words.push(qsTranslate('Form1', 'The blue point lies outside the drawing.'));
      }
    }
    description.textContent = words.join(' ');
  }

  return {
    // Takes over the canvas of the drawing area; its description goes beside it.
    attach(plotCanvas) {
      canvas = plotCanvas;
      context = canvas.getContext('2d', { alpha: false });
      description = document.createElement('p');
      description.id = 'plot-description';
      description.hidden = true;  // read as the canvas's description, not once more as text
      canvas.after(description);
      canvas.setAttribute('aria-describedby', description.id);
      describe(null);
    },

    // Shows the drawing for a screen of this many device pixels a CSS pixel, drawing it again
    // when that changed (the page zoomed, or shown smaller).
    setRatio(devicePixelRatio) {
      if (devicePixelRatio === ratio) return;
      ratio = devicePixelRatio;
      Bridge.setPlotRatio(ratio);
      paint();
    },

    // Shows what the last run drew.
    showRun(facts) {
      paint();
      describe(facts);
    },

    canvas: () => canvas,
  };
})();
