// A button of the page's own (not the window's), with its caption and what a click does.
export function button(caption, action) {
  const made = document.createElement('button');
  made.type = 'button';
  made.textContent = caption;
  made.addEventListener('click', action);
  return made;
}
