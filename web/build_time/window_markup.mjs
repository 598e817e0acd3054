// The program's window as HTML and a style sheet, drawn from the program's description of it
// (geometry in CSS pixels, captions, colours, fonts, stacking, names for screen readers), in the
// order the program lays it out: each control as the HTML element that is that kind of control,
// placed where the desktop places it. build_page.mjs writes them into the page, so that the
// browser paints the window from the page's HTML alone, before any script has run; the page's
// script then takes over the window that is there (page/window.js).

const domId = (key) => 'control-' + key.replace('(', '-').replace(')', '');

const kEntities = { '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' };
const escaped = (text) => String(text).replace(/[&<>"]/g, (c) => kEntities[c]);

// An element as HTML text; one without `content` (null) has no end tag. Attributes that are null
// are left out.
function html(tag, attributes, content = '') {
  const written = Object.entries(attributes)
    .filter(([, value]) => value !== null)
    .map(([name, value]) => ` ${name}="${escaped(value)}"`).join('');
  return content === null ? `<${tag}${written}>` : `<${tag}${written}>${content}</${tag}>`;
}

// A form control named by a label that screen readers hear but the window does not show, as
// the desktop names it for them.
const namedControl = (name, control) =>
  html('span', { class: 'screen-reader-only' }, escaped(name)) + control;

// A frame is a fieldset with its caption as legend; a frame around one entry names the entry.
function frameLegend(control) {
  const caption = control.names
    ? html('label', { for: domId(control.names) }, escaped(control.text))
    : escaped(control.text);
  return html('legend', {}, caption);
}

// The control's element: its tag, its attributes and what it holds but for the controls inside
// it, which `inside` gives.
function controlElement(control, inside) {
  const placed = { class: `control kind-${control.kind}`, 'data-control': control.key };
  switch (control.kind) {
    case 'textBox':
      return html('input', { ...placed, type: 'text', id: domId(control.key),
        value: control.text, autocomplete: 'off', spellcheck: 'false' }, null);
    case 'multiLineTextBox':
      // The parser drops one line break straight after <textarea>, so one goes before the text.
      return html('label', placed, namedControl(control.name, html('textarea',
        { spellcheck: 'false' }, '\n' + escaped(control.text))));
    case 'comboBox':
      // Named by `for`, which holds for each new select that takes the id (list.js), where a
      // browser may not name a select put into the label after it was made.
      return html('label', { ...placed, for: domId(control.key) },
        namedControl(control.name, html('select', { id: domId(control.key) })));
    case 'pictureBox':
      // What lies on the drawing (the axis, the legend), then the canvas, its last child.
      return html('div', placed, inside + html('canvas',
        { role: 'img', 'aria-label': control.name, tabindex: '0' }));
    case 'label':
      return html(control.heading ? 'h1' : 'div',
        { ...placed, lang: control.lang || null, dir: 'auto' }, escaped(control.text));
    case 'line':
      return html('div', placed);
    case 'button':
      return html('button', { ...placed, type: 'button' }, escaped(control.text));
    default:
      return html('fieldset', placed, frameLegend(control) + inside);
  }
}

// The window as HTML: the window's element with each control in its container.
export function windowMarkup(description) {
  const inside = (container) => description.controls
    .filter((control) => control.container === container)
    .map((control) => controlElement(control, inside(control.key))).join('');
  return html('div', { class: 'window', lang: 'en', dir: 'ltr' }, inside('Form1'));
}

const font = (of) => `font-family: ${of.family}; font-size: ${of.pixels}px; ` +
  `font-weight: ${of.bold ? 'bold' : 'normal'};`;

// The window's size, colours and fonts, and where each control lies, as a style sheet; and the
// window's font family, which the page's own texts are written in too (--window-font-family).
export function windowStyle(description) {
  const rules = [`:root { --window-font-family: ${description.font.family}; }`,
    `#window-area { width: ${description.width}px; height: ${description.height}px; }`,
    `#window-area > .window { width: ${description.width}px; ` +
    `height: ${description.height}px; background-color: ${description.back}; ${font(description.font)} }`];
  for (const control of description.controls) {
    rules.push(`#window-area [data-control="${control.key}"] { left: ${control.left}px; ` +
      `top: ${control.top}px; width: ${control.width}px; height: ${control.height}px; ` +
      `background-color: ${control.fill}; color: ${control.fore}; z-index: ${control.stack}; ` +
      `${font(control.font)} }`);
  }
  return rules.join('\n') + '\n';
}
