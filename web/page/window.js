// The program's window as the page's script takes it over from the page's HTML, where the page's
// build wrote it in English (build_time/window_markup.mjs).

// The element of a control that the window works with: the text box, the list's select, the
// plot's canvas (each the last child of the control's element), the frame, the label or the
// button itself; a line has none.
function workingElement(outer) {
  const kind = outer.classList;
  if (kind.contains('kind-line')) return null;
  const inner = kind.contains('kind-multiLineTextBox') || kind.contains('kind-comboBox') ||
    kind.contains('kind-pictureBox');
  return inner ? outer.lastElementChild : outer;
}

// Takes over the window in `area`, as the page's HTML holds it, in English; in another language
// its controls' names for screen readers, `names` ({ key: name }), replace the English ones (the
// window itself looks the same in every language). Returns the window's element and each
// control's element by key ("Text1(0)": the input, "fig": the canvas, "Cmby": the select, ...).
export function adoptWindow(area, names = {}) {
  const form = area.firstElementChild;
  const elements = new Map();
  for (const outer of form.querySelectorAll('[data-control]')) {
    const working = workingElement(outer);
    if (working) elements.set(outer.dataset.control, working);
    const name = names[outer.dataset.control];
    if (name === undefined) continue;
    // The canvas names itself; a text box or the list is named by a label that only screen
    // readers hear.
    const named = outer.querySelector('.screen-reader-only');
    if (named) {
      named.textContent = name;
    } else {
      working.setAttribute('aria-label', name);
    }
  }
  return { form, elements };
}
