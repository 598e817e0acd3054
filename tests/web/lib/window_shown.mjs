// The window as the page shows it, to compare with the desktop's: where each control lies and the
// window's pixels.

// Each control's place in the window in CSS pixels ({ left, top, width, height }), by key.
export async function placedControls(page) {
  return page.evaluate(() => {
    const form = document.querySelector('#window-area > .window');
    const origin = form.getBoundingClientRect();
    const placed = {};
    for (const element of form.querySelectorAll('[data-control]')) {
      const { left, top, width, height } = element.getBoundingClientRect();
      placed[element.dataset.control] =
        { left: left - origin.left, top: top - origin.top, width, height };
    }
    return placed;
  });
}

// The window's pixels as RGBA bytes, row by row, with no control focused. The screenshot is read
// back by the same browser, in a page of its own.
export async function windowPixels(seen) {
  const { page, context } = seen;
  await page.evaluate(() => document.activeElement?.blur());
  const clip = await page.evaluate(() => {
    const { x, y, width, height } =
      document.querySelector('#window-area > .window').getBoundingClientRect();
    return { x, y, width, height };
  });
  const png = await page.screenshot({ clip, encoding: 'base64' });
  const reader = await context.newPage();
  try {
    const rgba = await reader.evaluate(async (data) => {
      const image = new Image();
      image.src = `data:image/png;base64,${data}`;
      await image.decode();
      const canvas = new OffscreenCanvas(image.width, image.height);
      const drawing = canvas.getContext('2d');
      drawing.drawImage(image, 0, 0);
      const bytes = drawing.getImageData(0, 0, image.width, image.height).data;
      let binary = '';
      for (let k = 0; k < bytes.length; k += 0x8000) {
        binary += String.fromCharCode(...bytes.subarray(k, k + 0x8000));
      }
      return btoa(binary);
    }, png);
    return { width: clip.width, height: clip.height, rgba: Buffer.from(rgba, 'base64') };
  } finally {
    await reader.close();
  }
}
