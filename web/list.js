// The results list "Current values": a drop-down whose first option, hidden from the drop-down,
// is the list's edit text (nine blanks at first, then the header), and below it one option per
// step of the last run, each whole, with no-break spaces so that its blanks stay as they are (a
// browser shows an option's run of blanks as one).
//
// A browser takes long to make ten thousand options, and little to change their texts: as on the
// desktop, the list keeps its entries and a run overwrites them in place, adds the ones beyond
// the end and removes the ones it did not reach.

const kNoBreakSpace = '\u00A0';
let select = null;
let edit = null;

// Sets the text of `option` where it differs, without making its text node anew.
function setText(option, text) {
  const node = option.firstChild;
  if (!node) {
    option.textContent = text;
  } else if (node.data !== text) {
    node.data = text;
  }
}

// Takes over the list's select, which shows `editText` until the first run.
export function attach(listSelect, editText) {
  select = listSelect;
  edit = document.createElement('option');
  edit.hidden = true;
  select.append(edit);
  show(editText, '');
}

// Shows the edit text and the entries (one a line in `entries`, none when it is empty), with
// nothing chosen.
export function show(editText, entries) {
  setText(edit, editText.replace(/ /g, kNoBreakSpace));
  const lines = entries ? entries.replace(/ /g, kNoBreakSpace).split('\n') : [];
  const options = select.options;
  const kept = Math.min(options.length - 1, lines.length);
  for (let k = 0; k < kept; ++k) setText(options[k + 1], lines[k]);
  if (lines.length > kept) {
    const added = document.createDocumentFragment();
    for (let k = kept; k < lines.length; ++k) added.append(new Option(lines[k]));
    select.append(added);
  }
  select.length = lines.length + 1;
  select.selectedIndex = 0;
}

// The index of the entry the user chose, or -1 while the edit text shows.
export function chosenEntry() {
  return select.selectedIndex - 1;
}
