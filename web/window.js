// The program's window, built from the control table as the program describes it (geometry in
// CSS pixels, captions, colours, fonts, tab order): each control as the HTML element that is
// that kind of control, placed where the desktop places it.

const ProgramWindow = (() => {
  // The window's title label, which is the page's heading.
  const kTitleKey = 'Label4';
  const kPersianScript = /[\u0600-\u06FF]/;

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
    const outer = document.createElement(control.key === kTitleKey ? 'h1' : 'div');
    outer.textContent = control.text;
    if (kPersianScript.test(control.text)) outer.lang = 'fa';
    outer.dir = 'auto';
    return { outer, inner: outer };
  }

  function makeControl(control, children) {
    switch (control.kind) {
      case 'textBox': {
        const input = document.createElement('input');
        Object.assign(input, { type: 'text', id: domId(control.key), value: control.text });
        input.autocomplete = 'off';
        input.spellcheck = false;
        return { outer: input, inner: input };
      }
      case 'multiLineTextBox': {
        const made = namedControl('textarea', qsTranslate('Form1', 'Instructions'));
        made.inner.value = control.text.replace(/\r\n/g, '\n');
        made.inner.spellcheck = false;
        return made;
      }
      case 'comboBox':
        return namedControl('select', qsTranslate('Form1', 'Current values'));
      case 'pictureBox': {
        const outer = document.createElement('div');
        const canvas = document.createElement('canvas');
        canvas.setAttribute('role', 'img');
        canvas.setAttribute('aria-label', qsTranslate('Form1', 'Graphs'));
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
        return makeFrame(control, children);
    }
  }

  // A frame is a fieldset with its caption as legend; a frame around one entry names the entry.
  function makeFrame(control, children) {
    const fieldset = document.createElement('fieldset');
    const legend = document.createElement('legend');
    const entries = children.filter((child) => child.kind === 'textBox');
    if (entries.length === 1) {
      const label = document.createElement('label');
      label.htmlFor = domId(entries[0].key);
      label.textContent = control.text;
      legend.append(label);
    } else {
      legend.textContent = control.text;
    }
    fieldset.append(legend);
    return { outer: fieldset, inner: fieldset };
  }

  // Where a control comes in the page: the title first, then by the first tab stop in it, else
  // by its own tab index, so that the order of the page is the window's tab order.
  function orderKey(control, childrenOf) {
    if (control.key === kTitleKey) return -1;
    const takesFocus = !['label', 'line', 'frame'].includes(control.kind);
    const keys = (childrenOf.get(control.key) || []).map((child) => orderKey(child, childrenOf));
    if (takesFocus) keys.push(control.tab);
    return keys.length > 0 ? Math.min(...keys) : control.tab + 1000;
  }

  return {
    // Builds the window in `area`; returns its element and each control's element by key
    // ("Text1(0)": the input, "fig": the canvas, "Cmby": the select, ...).
    build(description, area) {
      const form = document.createElement('div');
      form.className = 'window';
      form.lang = 'en';
      form.dir = 'ltr';
      form.style.width = description.width + 'px';
      form.style.height = description.height + 'px';
      form.style.backgroundColor = description.back;
      setFont(form, description.font);

      const controls = description.controls;
      const childrenOf = new Map();
      for (const control of controls) {
        if (!childrenOf.has(control.container)) childrenOf.set(control.container, []);
        childrenOf.get(control.container).push(control);
      }
      const elements = new Map();
      const outers = new Map([['Form1', form]]);
      const build = (containerKey) => {
        const children = [...(childrenOf.get(containerKey) || [])];
        children.sort((a, b) => orderKey(a, childrenOf) - orderKey(b, childrenOf));
        for (const control of children) {
          const made = makeControl(control, childrenOf.get(control.key) || []);
          place(made.outer, control);
          // Where controls overlap, the earlier in the table lies above; labels above all.
          const rank = controls.length - controls.indexOf(control);
          made.outer.style.zIndex = String(control.kind === 'label' ? rank + controls.length : rank);
          outers.get(containerKey).append(made.outer);
          outers.set(control.key, made.outer);
          if (made.inner) elements.set(control.key, made.inner);
          build(control.key);
        }
      };
      build('Form1');
      area.append(form);
      return { form, elements };
    },

    // The control that has the focus when the window opens: the first in the tab order.
    firstTabStop(description) {
      const stops = description.controls.filter((c) => !['label', 'line', 'frame'].includes(c.kind));
      return stops.reduce((first, c) => (c.tab < first.tab ? c : first)).key;
    },
  };
})();
