// The plot: the program's drawing on the canvas, one canvas pixel a device pixel, and its
// description for screen readers. The axis and the legend are elements over the canvas, as on the
// desktop they are controls over the drawing area.

let canvas = null;
let context = null;
let description = null;

// Takes over the canvas of the drawing area; `text`, its description, goes beside it.
export function attach(plotCanvas, text) {
  canvas = plotCanvas;
  context = canvas.getContext('2d', { alpha: false });
  description = document.createElement('p');
  description.id = 'plot-description';
  description.hidden = true;  // read as the canvas's description, not once more as text
  canvas.after(description);
  canvas.setAttribute('aria-describedby', description.id);
  describe(text);
}

// Puts the drawing, an ImageData of the canvas's device pixels, on the canvas.
export function paint(image) {
  if (canvas.width !== image.width || canvas.height !== image.height) {
    canvas.width = image.width;
    canvas.height = image.height;
  }
  context.putImageData(image, 0, 0);
}

// What a sighted user sees in the plot, in words.
export function describe(text) {
  description.textContent = text;
}
