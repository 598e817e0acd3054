// The window drawn smaller where the screen is narrower than the window, and told again whenever
// the screen changes under it.

// Room for a scroll bar, which the page's width as a media query counts in.
const kScrollBarRoom = 24;

// Whether a window this wide fits the page: the browser answers a media query without laying the
// page out, as it must to tell the page's width without its scroll bar.
const fitsAsItIs = (width) => matchMedia(`(min-width: ${width + kScrollBarRoom}px)`).matches;

// Scales `form`, the window of `size` ({ width, height }), to the page's width within `area`.
// Returns how many device pixels a CSS pixel of the plot then covers.
export function fitToScreen(area, form, size) {
  const scale = fitsAsItIs(size.width) ? 1
    : Math.min(1, document.documentElement.clientWidth / size.width);
  form.style.transform = scale < 1 ? `scale(${scale})` : '';
  area.style.width = size.width * scale + 'px';
  area.style.height = size.height * scale + 'px';
  return window.devicePixelRatio * scale;
}

// Zooming changes the device pixel ratio; calls `refit` whenever it does or the window resizes,
// and where the browser says so, whenever the canvas covers other device pixels.
export function watchScreen(refit, canvas) {
  try {
    new ResizeObserver(refit).observe(canvas, { box: 'device-pixel-content-box' });
  } catch (error) {
    // Not every browser measures in device pixels; the events below still tell.
  }
  const watchRatio = () => {
    const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
    query.addEventListener('change', () => {
      refit();
      watchRatio();
    }, { once: true });
  };
  watchRatio();
  window.addEventListener('resize', refit);
}
