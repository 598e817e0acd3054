// The program's window as the page's script takes it over from the page's HTML, where the page's
// build wrote it (build_time/window_markup.mjs).

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

// Takes over the window in `area`: the page holds it in English, and in each other language in
// a <template id="window-LANG">, which replaces it where the page is in that language. Returns
// the window's element, each control's element by key ("Text1(0)": the input, "fig": the canvas,
// "Cmby": the select, ...) and whether the window was replaced.
export function adoptWindow(area, language) {
  const translated = document.getElementById(`window-${language}`);
  if (translated) area.replaceChildren(translated.content.cloneNode(true));
  const form = area.firstElementChild;
  const elements = new Map();
  for (const outer of form.querySelectorAll('[data-control]')) {
    const working = workingElement(outer);
    if (working) elements.set(outer.dataset.control, working);
  }
  return { form, elements, translated: Boolean(translated) };
}
