// The plot: the program's drawing on the canvas, one canvas pixel a device pixel, and its
// description for screen readers. The axis and the legend are elements over the canvas, as on the
// desktop they are controls over the drawing area.

let canvas = null;
let context = null;

// Takes over the canvas of the drawing area; `text` is its description.
export function attach(plotCanvas, text) {
  canvas = plotCanvas;
  context = canvas.getContext('2d', { alpha: false });
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

// What a sighted user sees in the plot, in words. On the canvas itself: Chromium does not follow
// a change of a hidden element that describes it until the canvas takes the focus, and then tells
// a screen reader of the description once more, which it speaks twice.
export function describe(text) {
  canvas.setAttribute('aria-description', text);
}
