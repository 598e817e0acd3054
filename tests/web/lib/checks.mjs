// The checks that several of the page's tests make: a run against the desktop's record of the same
// entries, and a message against the desktop's.
import assert from 'node:assert/strict';
import { assertSameBytes, assertSameEntries, assertSamePixels } from './compare.mjs';
import { focusName } from './desktop.mjs';
import { download, listShown, named, openMessage, plotPixels } from './page.mjs';

// The message the run left open, against the desktop's: its title as the dialog's name, its text
// and details, modal; then OK, and the focus where the desktop's went, with the same selection.
export async function checkMessage(seen, record, { direction = 'ltr', ok = 'OK' } = {}) {
  const { page } = seen;
  const open = await page.$('dialog[open]');
  if (!record.message) {
    assert.equal(open, null, 'a message is open after a run that did not stop');
    return;
  }
  assert.ok(open, `no message for ${record.message.text}`);
  const { title, text, details } = record.message;
  const dialog = await openMessage(page, title);
  const shown = await dialog.evaluate((element) => ({
    text: element.innerText.replace(/\s+/g, ' '),
    modal: element.matches(':modal'),
    direction: getComputedStyle(element).direction,
  }));
  for (const part of [text, details]) {
    assert.ok(shown.text.includes(part.replace(/\s+/g, ' ')),
      `the message ${JSON.stringify(shown.text)} lacks ${JSON.stringify(part)}`);
  }
  assert.ok(shown.modal, 'the message is not modal');
  assert.equal(shown.direction, direction, 'the message reads the wrong way');

  const button = await dialog.$(`::-p-aria([name=${JSON.stringify(ok)}][role="button"])`);
  assert.ok(button, `the message has no button ${ok}`);
  await button.click();
  await page.waitForFunction(() => !document.querySelector('dialog[open]'), { timeout: 5000 });

  const name = focusName(record.focus.control);
  const role = name === 'Run' || name === 'Exit' ? 'button' : 'textbox';
  const target = await named(page, role, name);
  // The focus moves once the message has gone, a moment after it closed.
  await target.evaluate((element) => new Promise((done) => {
    const deadline = performance.now() + 2000;
    const look = () => (element === document.activeElement || performance.now() > deadline
      ? done() : setTimeout(look, 10));
    look();
  }));
  const focused = await target.evaluate((element) => ({
    focused: element === document.activeElement,
    selected: element.value?.substring(element.selectionStart, element.selectionEnd) ?? '',
  }));
  assert.deepEqual(focused, { focused: true, selected: record.focus.selected },
    `after the message the focus is not on ${name} with ${JSON.stringify(record.focus.selected)} ` +
    'selected');
}

// The list, the data files as downloaded and the plot's pixels after the run, against the
// desktop's.
export async function checkOutputs(seen, record, names = {}) {
  const { listName = 'Current values', yName = 'Download y.dat', vName = 'Download v.dat' } = names;
  const what = `(${record.entries.join(', ')})`;
  const list = await listShown(seen.page, listName);
  assertSameEntries(list.entries, record.list, `the list after ${what}`);
  assert.equal(list.shown, record.edit, `the line the list shows after ${what}`);
  assertSameBytes(await download(seen, yName, 'y.dat'), record.y_dat, `y.dat after ${what}`);
  assertSameBytes(await download(seen, vName, 'v.dat'), record.v_dat, `v.dat after ${what}`);
  assertSamePixels(await plotPixels(seen.page), record.pixels, `the plot after ${what}`);
}

// Both data files as the page downloads them, against these records' lines in this order.
export async function checkDataFiles(seen, records, what = '') {
  for (const [file, key] of [['y.dat', 'y_dat'], ['v.dat', 'v_dat']]) {
    assertSameBytes(await download(seen, `Download ${file}`, file),
      Buffer.concat(records.map((record) => record[key])), `${file} ${what}`.trim());
  }
}

// Nothing requested from elsewhere and no error on the console, since the page opened.
export function checkQuiet(seen) {
  assert.deepEqual(seen.requests, [], 'the page requested something beyond its own file');
  assert.deepEqual(seen.errors, [], 'errors reached the console');
}
