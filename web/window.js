// The program's window, drawn from the program's description of it (geometry in CSS pixels,
// captions, colours, fonts, stacking, names for screen readers), in the order the program lays
// it out: each control as the HTML element that is that kind of control, placed where the
// desktop places it.
//
// The page's build writes it into the page as HTML, with a style sheet that places each control
// (render_window.mjs): the browser paints the window from the page's HTML alone, before any
// script has run. The script then takes over the window that is there.

const domId = (key) => 'control-' + key.replace('(', '-').replace(')', '');

const kEntities = { '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' };
const escaped = (text) => String(text).replace(/[&<>"]/g, (c) => kEntities[c]);

// An element as HTML; one without `content` (null) has no end tag. Attributes that are null are
// left out.
function element(tag, attributes, content = '') {
  const written = Object.entries(attributes)
    .filter(([, value]) => value !== null)
    .map(([name, value]) => ` ${name}="${escaped(value)}"`).join('');
  return content === null ? `<${tag}${written}>` : `<${tag}${written}>${content}</${tag}>`;
}

// A form control named by a label that screen readers hear but the window does not show, as
// the desktop names it for them.
const namedControl = (name, control) =>
  element('span', { class: 'screen-reader-only' }, escaped(name)) + control;

// A frame is a fieldset with its caption as legend; a frame around one entry names the entry.
function frameLegend(control) {
  const caption = control.names
    ? element('label', { for: domId(control.names) }, escaped(control.text))
    : escaped(control.text);
  return element('legend', {}, caption);
}

// The control's element: its tag, its attributes and what it holds but for the controls inside
// it, which `inside` gives.
function controlElement(control, inside) {
  const placed = { class: `control kind-${control.kind}`, 'data-control': control.key };
  switch (control.kind) {
    case 'textBox':
      return element('input', { ...placed, type: 'text', id: domId(control.key),
        value: control.text, autocomplete: 'off', spellcheck: 'false' }, null);
    case 'multiLineTextBox':
      // The parser drops one line break straight after <textarea>, so one goes before the text.
      return element('label', placed, namedControl(control.name, element('textarea',
        { spellcheck: 'false' }, '\n' + escaped(control.text.replace(/\r\n/g, '\n')))));
    case 'comboBox':
      // Named by `for`, which holds for each new select that takes the id (list.js), where a
      // browser may not name a select put into the label after it was made.
      return element('label', { ...placed, for: domId(control.key) },
        namedControl(control.name, element('select', { id: domId(control.key) })));
    case 'pictureBox':
      return element('div', placed, element('canvas',
        { role: 'img', 'aria-label': control.name, tabindex: '0' }));
    case 'label':
      return element(control.heading ? 'h1' : 'div',
        { ...placed, lang: control.lang || null, dir: 'auto' }, escaped(control.text));
    case 'line':
      return element('div', placed);
    case 'button':
      return element('button', { ...placed, type: 'button' }, escaped(control.text));
    default:
      return element('fieldset', placed, frameLegend(control) + inside);
  }
}

// The window as HTML: the window's element with each control in its container.
export function windowMarkup(description) {
  const inside = (container) => description.controls
    .filter((control) => control.container === container)
    .map((control) => controlElement(control, inside(control.key))).join('');
  return element('div', { class: 'window', lang: 'en', dir: 'ltr' }, inside('Form1'));
}

const font = (of) => `font-family: ${of.family}; font-size: ${of.pixels}px; ` +
  `font-weight: ${of.bold ? 'bold' : 'normal'};`;

// The window's size, colours and fonts, and where each control lies, as a style sheet.
export function windowStyle(description) {
  const rules = [`#window-area { width: ${description.width}px; height: ${description.height}px; }`,
    `#window-area > .window { width: ${description.width}px; ` +
    `height: ${description.height}px; background-color: ${description.back}; ${font(description.font)} }`];
  for (const control of description.controls) {
    // A line is its fore colour all through.
    const back = control.kind === 'line' ? control.fore : control.back;
    rules.push(`#window-area [data-control="${control.key}"] { left: ${control.left}px; ` +
      `top: ${control.top}px; width: ${control.width}px; height: ${control.height}px; ` +
      `background-color: ${back}; color: ${control.fore}; z-index: ${control.stack}; ` +
      `${font(control.font)} }`);
  }
  return rules.join('\n') + '\n';
}

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
