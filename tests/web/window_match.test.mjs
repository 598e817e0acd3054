// The page's window against the desktop's, in Chromium and in Firefox, in English and in Persian:
// each control where the desktop puts it, and the colours it shows there, read from the pixels of
// both: its background, and what it writes in (its caption, the legend, the axis's labels).
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { BROWSERS, launch } from './lib/browsers.mjs';
import { desktopWindow } from './lib/desktop.mjs';
import { openPage } from './lib/page.mjs';
import { placedControls, windowPixels } from './lib/window_shown.mjs';

// Fusion and the browser shade the buttons each their own way, no further apart than this in any
// channel; every other background is the same to the bit.
const SHADING = 12;
// The list's drop-down arrow is each toolkit's own drawing, not the window's.
const OWN_DRAWING = 'Cmby';

const hex = (rgb) => `#${rgb.map((c) => c.toString(16).padStart(2, '0')).join('')}`;

// The pixels of a control that no control painted after it covers, as offsets into rows `width`
// pixels wide; those `inset` pixels or more inside its edges.
function ownPixels(controls, key, width, inset = 0) {
  const control = controls[key];
  const above = Object.values(controls).filter((other) => other.painted > control.painted);
  const covered = (x, y) => above.some((other) => x >= other.left && y >= other.top &&
    x < other.left + other.width && y < other.top + other.height);
  const pixels = [];
  for (let y = control.top + inset; y < control.top + control.height - inset; y++) {
    for (let x = control.left + inset; x < control.left + control.width - inset; x++) {
      if (!covered(x, y)) pixels.push(y * width + x);
    }
  }
  return pixels;
}

// A control's colours in `image`: its background, the median of each channel over its pixels; and
// its ink, the commonest colour far from the background inside its edges, 'none' where it writes
// nothing.
function colours(image, controls, key) {
  const rgb = (k) => [0, 1, 2].map((c) => image.rgba[k * 4 + c]);
  const pixels = ownPixels(controls, key, image.width).map(rgb);
  const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];
  const back = [0, 1, 2].map((c) => median(pixels.map((p) => p[c])));
  const counts = new Map();
  for (const p of ownPixels(controls, key, image.width, 3).map(rgb)) {
    if (p.reduce((sum, v, c) => sum + Math.abs(v - back[c]), 0) > 192) {
      counts.set(hex(p), (counts.get(hex(p)) ?? 0) + 1);
    }
  }
  const ink = [...counts].sort((a, b) => b[1] - a[1])[0]?.[0] ?? 'none';
  return { back, ink };
}

// What the page shows otherwise than the desktop, a line for each difference.
function differences(desktop, placed, shown) {
  const found = [];
  for (const [key, { left, top, width, height }] of Object.entries(desktop.controls)) {
    const place = JSON.stringify({ left, top, width, height });
    if (!placed[key]) found.push(`${key} is not in the page`);
    else if (JSON.stringify(placed[key]) !== place) {
      found.push(`${key} at ${JSON.stringify(placed[key])}, not ${place}`);
    }
    const want = colours(desktop.pixels, desktop.controls, key);
    const got = colours(shown, desktop.controls, key);
    if (got.back.some((v, c) => Math.abs(v - want.back[c]) > SHADING)) {
      found.push(`${key}: background ${hex(got.back)}, not ${hex(want.back)}`);
    }
    if (key !== OWN_DRAWING && got.ink !== want.ink) {
      found.push(`${key}: written in ${got.ink}, not ${want.ink}`);
    }
  }
  return found;
}

for (const language of ['en', 'fa']) {
  const desktop = desktopWindow(language);
  for (const name of BROWSERS) {
    test(`the page in ${name} in ${language} shows the window as the desktop does`, async () => {
      const browser = await launch(name, { language });
      try {
        const seen = await openPage(browser);
        try {
          const shown = await windowPixels(seen);
          assert.equal(`${shown.width} x ${shown.height}`,
            `${desktop.pixels.width} x ${desktop.pixels.height}`, 'the window\'s size');
          assert.deepEqual(differences(desktop, await placedControls(seen.page), shown), []);
        } finally {
          await seen.close();
        }
      } finally {
        await browser.close();
      }
    });
  }
}
