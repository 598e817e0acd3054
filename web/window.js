// The program's window, built from the program's description of it (geometry in CSS pixels,
// captions, colours, fonts, stacking, names for screen readers), in the order the program lays
// it out: each control as the HTML element that is that kind of control, placed where the
// desktop places it.

const domId = (key) => 'control-' + key.replace('(', '-').replace(')', '');

function setFont(element, font) {
  element.style.fontFamily = font.family;
  element.style.fontSize = font.pixels + 'px';
  element.style.fontWeight = font.bold ? 'bold' : 'normal';
}

function place(element, control) {
  element.classList.add('control', 'kind-' + control.kind);
  element.dataset.control = control.key;
  element.style.left = control.left + 'px';
  element.style.top = control.top + 'px';
  element.style.width = control.width + 'px';
  element.style.height = control.height + 'px';
  // A line is its fore colour all through.
  element.style.backgroundColor = control.kind === 'line' ? control.fore : control.back;
  element.style.color = control.fore;
  element.style.zIndex = String(control.stack);
  setFont(element, control.font);
}

// A form control named by a label that screen readers hear but the window does not show, as
// the desktop names it for them.
function namedControl(tag, name) {
  const label = document.createElement('label');
  const caption = document.createElement('span');
  caption.className = 'screen-reader-only';
  caption.textContent = name;
  const control = document.createElement(tag);
  label.append(caption, control);
  return { outer: label, inner: control };
}

function makeText(control) {
  const outer = document.createElement(control.heading ? 'h1' : 'div');
  outer.textContent = control.text;
  if (control.lang) outer.lang = control.lang;
  outer.dir = 'auto';
  return { outer, inner: outer };
}

// A frame is a fieldset with its caption as legend; a frame around one entry names the entry.
function makeFrame(control) {
  const fieldset = document.createElement('fieldset');
  const legend = document.createElement('legend');
  if (control.names) {
    const label = document.createElement('label');
    label.htmlFor = domId(control.names);
    label.textContent = control.text;
    legend.append(label);
  } else {
    legend.textContent = control.text;
  }
  fieldset.append(legend);
  return { outer: fieldset, inner: fieldset };
}

function makeControl(control) {
  switch (control.kind) {
    case 'textBox': {
      const input = document.createElement('input');
      Object.assign(input, { type: 'text', id: domId(control.key), value: control.text });
      input.autocomplete = 'off';
      input.spellcheck = false;
      return { outer: input, inner: input };
    }
    case 'multiLineTextBox': {
      const made = namedControl('textarea', control.name);
      made.inner.value = control.text.replace(/\r\n/g, '\n');
      made.inner.spellcheck = false;
      return made;
    }
    case 'comboBox':
      return namedControl('select', control.name);
    case 'pictureBox': {
      const outer = document.createElement('div');
      const canvas = document.createElement('canvas');
      canvas.setAttribute('role', 'img');
      canvas.setAttribute('aria-label', control.name);
      canvas.tabIndex = 0;
      outer.append(canvas);
      return { outer, inner: canvas };
    }
    case 'label':
      return makeText(control);
    case 'line':
      return { outer: document.createElement('div'), inner: null };
    case 'button': {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = control.text;
      return { outer: button, inner: button };
    }
    default:
      return makeFrame(control);
  }
}

// Builds the window in `area`; returns its element and each control's element by key
// ("Text1(0)": the input, "fig": the canvas, "Cmby": the select, ...).
export function buildWindow(description, area) {
  const form = document.createElement('div');
  form.className = 'window';
  form.lang = 'en';
  form.dir = 'ltr';
  form.style.width = description.width + 'px';
  form.style.height = description.height + 'px';
  form.style.backgroundColor = description.back;
  setFont(form, description.font);

  const elements = new Map();
  const outers = new Map([['Form1', form]]);
  for (const control of description.controls) {
    const made = makeControl(control);
    place(made.outer, control);
    outers.get(control.container).append(made.outer);
    outers.set(control.key, made.outer);
    if (made.inner) elements.set(control.key, made.inner);
  }
  area.append(form);
  return { form, elements };
}
