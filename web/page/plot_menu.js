// The plot's menu, as on the desktop: "Copy plot" (also Ctrl+C on the plot) and "Save plot as
// PNG…", both taking the drawing area as it is shown, axis and legend included, one image pixel a
// device pixel. It opens with a right click on the plot or on what lies on it, the context-menu
// key or Shift+F10 on the plot, or a long press on a touch screen.

import { saveFile } from './download.js';
import { inform } from './messages.js';
import { pageTexts, qsTranslate } from './translate.js';

const kLongPress = 500;  // milliseconds
const kStill = 10;  // CSS pixels a finger may move and still hold
let figure = null;
let canvas = null;
let menu = null;
let fileName = '';

// The drawing area as shown: the drawing, then what lies on it in the order it is stacked, drawn
// in CSS pixels on as many device pixels as the canvas has.
function shownImage() {
  const image = document.createElement('canvas');
  image.width = canvas.width;
  image.height = canvas.height;
  const context = image.getContext('2d');
  context.drawImage(canvas, 0, 0);
  context.scale(canvas.width / canvas.clientWidth, canvas.height / canvas.clientHeight);
  const layers = [...figure.children].filter((child) => child.classList.contains('control'));
  layers.sort((a, b) => a.style.zIndex - b.style.zIndex);
  for (const layer of layers) drawLayer(context, layer);
  return image;
}

function drawLayer(context, layer) {
  const style = getComputedStyle(layer);
  const left = layer.offsetLeft;
  const width = layer.offsetWidth;
  context.fillStyle = style.backgroundColor;
  context.fillRect(left, layer.offsetTop, width, layer.offsetHeight);
  if (!layer.textContent) return;
  const rightToLeft = style.direction === 'rtl';
  context.font = `${style.fontStyle} ${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
  context.fillStyle = style.color;
  context.textBaseline = 'top';
  context.direction = style.direction;
  context.textAlign = rightToLeft ? 'right' : 'left';
  context.fillText(layer.textContent, rightToLeft ? left + width : left, layer.offsetTop);
}

function imageBlob() {
  return new Promise((resolve, reject) => {
    shownImage().toBlob((blob) => (blob ? resolve(blob) : reject(new Error('toBlob'))), 'image/png');
  });
}

function copyPlot() {
  const copied = typeof ClipboardItem === 'function' && navigator.clipboard
    ? navigator.clipboard.write([new ClipboardItem({ 'image/png': imageBlob() })])
    : Promise.reject(new Error(''));
  copied.catch((error) => {
    const title = qsTranslate('Page', 'Plot not copied');
    inform(title, qsTranslate('Page', 'The browser did not let the page copy the plot.'), error.message);
  });
}

function savePlot() {
  imageBlob().then((blob) => saveFile(blob, fileName));
}

function close(returnFocus) {
  if (menu.hidden) return;
  menu.hidden = true;
  if (returnFocus) canvas.focus();
}

// Opens the menu at (x, y) of the viewport, inside it.
function open(x, y) {
  menu.hidden = false;
  menu.style.left = Math.max(0, Math.min(x, window.innerWidth - menu.offsetWidth)) + 'px';
  menu.style.top = Math.max(0, Math.min(y, window.innerHeight - menu.offsetHeight)) + 'px';
  menu.querySelector('[role="menuitem"]').focus();
}

function item(text, action) {
  const button = document.createElement('button');
  button.type = 'button';
  button.setAttribute('role', 'menuitem');
  button.tabIndex = -1;
  button.textContent = text;
  button.addEventListener('click', () => {
    close(true);
    action();
  });
  return button;
}

// Arrow keys move through the items, Escape closes the menu, Tab leaves it.
function onMenuKey(event) {
  const items = [...menu.querySelectorAll('[role="menuitem"]')];
  const at = items.indexOf(document.activeElement);
  const moves = { ArrowDown: at + 1, ArrowUp: at - 1 + items.length, Home: 0, End: items.length - 1 };
  if (event.key in moves) {
    items[moves[event.key] % items.length].focus();
  } else if (event.key === 'Escape' || event.key === 'Tab') {
    close(event.key === 'Escape');
  } else {
    return;
  }
  if (event.key !== 'Tab') event.preventDefault();
}

function openAtCanvas() {
  const area = canvas.getBoundingClientRect();
  open(area.left + 8, area.top + 8);
}

function onContextMenu(event) {
  event.preventDefault();
  if (event.button !== 2 && event.clientX === 0 && event.clientY === 0) {
    openAtCanvas();  // from the keyboard
  } else {
    open(event.clientX, event.clientY);
  }
}

// A finger held still on the plot opens the menu where it is.
function watchLongPress() {
  let timer = 0;
  let start = null;
  const cancel = () => clearTimeout(timer);
  figure.addEventListener('pointerdown', (event) => {
    if (event.pointerType !== 'touch') return;
    cancel();
    start = { x: event.clientX, y: event.clientY };
    timer = setTimeout(() => open(start.x, start.y), kLongPress);
  });
  figure.addEventListener('pointermove', (event) => {
    const moved = start && (Math.abs(event.clientX - start.x) > kStill || Math.abs(event.clientY - start.y) > kStill);
    if (moved) cancel();
  });
  for (const type of ['pointerup', 'pointercancel']) figure.addEventListener(type, cancel);
}

// Gives the drawing area (`figureElement`, holding the canvas and what lies on it) its menu, as
// the program describes it: `texts` { copy, save, copyKey, fileName }, the items' captions in the
// page's language, the letter that copies with Ctrl, and the name the saved file is offered under.
export function attach(figureElement, plotCanvas, texts) {
  figure = figureElement;
  canvas = plotCanvas;
  fileName = texts.fileName;
  menu = document.createElement('div');
  menu.className = 'plot-menu';
  menu.setAttribute('role', 'menu');
  menu.hidden = true;
  menu.append(item(texts.copy, copyPlot), item(texts.save, savePlot));
  pageTexts().append(menu);
  figure.addEventListener('contextmenu', onContextMenu);
  menu.addEventListener('keydown', onMenuKey);
  // A click on an item keeps the focus in the menu, in browsers whose buttons take none.
  menu.addEventListener('mousedown', (event) => event.preventDefault());
  menu.addEventListener('focusout', (event) => {
    if (!menu.contains(event.relatedTarget)) close(false);
  });
  // The menu's keys, whether or not the browser makes a context-menu event of them.
  canvas.addEventListener('keydown', (event) => {
    if ((event.ctrlKey || event.metaKey) && event.key.toLowerCase() === texts.copyKey.toLowerCase()) {
      event.preventDefault();
      copyPlot();
    } else if (event.key === 'ContextMenu' || (event.shiftKey && event.key === 'F10')) {
      event.preventDefault();
      openAtCanvas();
    }
  });
  menu.addEventListener('contextmenu', (event) => event.preventDefault());
  watchLongPress();
}
