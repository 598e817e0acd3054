// Comparisons that say where two results differ rather than printing both.
import assert from 'node:assert/strict';

export function assertSameEntries(actual, expected, what) {
  const first = actual.findIndex((text, k) => text !== expected[k]);
  if (actual.length === expected.length && first < 0) return;
  const at = first < 0 ? Math.min(actual.length, expected.length) : first;
  assert.fail(`${what}: ${actual.length} entries, ${expected.length} expected; first difference ` +
    `at entry ${at}: ${JSON.stringify(actual[at])} instead of ${JSON.stringify(expected[at])}`);
}

export function assertSameBytes(actual, expected, what) {
  if (Buffer.compare(actual, expected) === 0) return;
  const lines = (bytes) => bytes.toString('latin1').split('\n');
  assertSameEntries(lines(actual), lines(expected), `${what} (by line)`);
  assert.fail(`${what} differs`);
}

// Two RGBA images of the same size, pixel by pixel.
export function assertSamePixels(actual, expected, what) {
  assert.equal(`${actual.width} x ${actual.height}`, `${expected.width} x ${expected.height}`,
    `${what}: size`);
  let differing = 0;
  let first = null;
  for (let k = 0; k < expected.rgba.length; k += 4) {
    if (actual.rgba.readUInt32BE(k) !== expected.rgba.readUInt32BE(k)) {
      differing += 1;
      first ??= { k, actual: actual.rgba.readUInt32BE(k), expected: expected.rgba.readUInt32BE(k) };
    }
  }
  if (differing === 0) return;
  const pixel = first.k / 4;
  const hex = (rgba) => rgba.toString(16).padStart(8, '0');
  assert.fail(`${what}: ${differing} pixels differ, the first at (${pixel % expected.width}, ` +
    `${Math.floor(pixel / expected.width)}): RGBA ${hex(first.actual)} instead of ` +
    `${hex(first.expected)}`);
}
