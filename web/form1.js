// The program's window, Form1, as the desktop runs it: built from the program's description of
// it, with Run and Exit. Run performs the program's run with the entries and shows what it did in
// the list and the plot, reports a run that stopped in a message and then puts the focus on the
// entry at fault; the run's lines go to the data files. Exit ends the program; the data files
// stay. This module alone talks to the program's C++; the views are handed what they show.
import * as Bridge from './bridge.js';
import * as DataFiles from './data_files.js';
import { inform } from './messages.js';
import * as PlotMenu from './plot_menu.js';
import * as PlotView from './plot.js';
import * as ResultsListView from './list.js';
import { fitToScreen, watchScreen } from './screen_fit.js';
import { buildWindow } from './window.js';
import { direction, language, numberSymbols, qsTranslate } from './translate.js';

let controls = null;
let area = null;
let setState = null;
let busy = 0;  // runs whose lines are still being kept
let ended = false;
let plotRatio = 0;

const entry = (k) => controls.get(`Text1(${k})`);

// Shows the drawing for a screen of this many device pixels a CSS pixel, drawing it again when
// that changed (the page zoomed, or shown smaller).
function drawPlot(devicePixelRatio) {
  if (devicePixelRatio === plotRatio) return;
  plotRatio = devicePixelRatio;
  Bridge.setPlotRatio(plotRatio);
  PlotView.paint(Bridge.plotImage());
}

function ShowRunResults(result) {
  ResultsListView.show(result.editText, result.entries > 0 ? Bridge.listEntries() : '');
  PlotView.paint(Bridge.plotImage());
  PlotView.describe(result.plotDescription);
}

function ReportRunError(error) {
  inform(error.title, error.text, error.details).then(() => {
    if (error.entry < 0) return;
    entry(error.entry).focus();
    entry(error.entry).select();
  });
}

// The texts of the data files' section: each file's line count, and why the browser does not keep
// the files where it does not.
function dataFileTexts(lines, refusal) {
  const counts = ['y.dat', 'v.dat'].map((file, k) =>
    Bridge.fillIn(qsTranslate('Page', 'Lines in %1: %2'), [file, Bridge.count(lines[k])]));
  const refused = qsTranslate('Page', 'This browser does not keep the data files: %1. The downloads give the lines of this visit.');
  return { counts, status: refusal ? Bridge.fillIn(refused, [refusal]) : '' };
}

// The run's lines to the data files; a message when the browser does not keep them.
function keepLines(result) {
  if (!result.filesOpened || result.lines === 0) return Promise.resolve();
  const lines = [Bridge.dataLines(0), Bridge.dataLines(1)];
  return DataFiles.append(lines, result.lines).then((reason) => {
    if (!reason) return;
    const text = qsTranslate('Page', "The lines of this run could not be kept in the browser's storage: %1.");
    inform(qsTranslate('Page', 'Data files not kept'), Bridge.fillIn(text, [reason]),
      qsTranslate('Page', 'Download y.dat and Download v.dat still give the lines of this visit until the page is closed.'));
  });
}

function Command1_Click() {
  setState('running');
  busy += 1;
  const result = Bridge.run([entry(0).value, entry(1).value, entry(2).value], numberSymbols(),
    ResultsListView.chosenEntry());
  ShowRunResults(result);
  if (result.error) ReportRunError(result.error);
  keepLines(result).finally(() => {
    busy -= 1;
    if (busy === 0 && !ended) setState('idle');
  });
}

function Exit_Click() {
  ended = true;
  area.hidden = true;
  const page = document.getElementById('ended');
  page.lang = language;
  page.dir = direction;
  const heading = document.createElement('h2');
  heading.textContent = qsTranslate('Page', 'The program has ended.');
  const kept = document.createElement('p');
  kept.textContent = qsTranslate('Page', 'Its data files are kept: they are below.');
  const again = document.createElement('button');
  again.type = 'button';
  again.textContent = qsTranslate('Page', 'Start the program again');
  again.addEventListener('click', () => location.reload());
  page.replaceChildren(heading, kept, again);
  page.hidden = false;
  again.focus();
  setState('ended');
}

function showWindow() {
  const description = Bridge.windowDescription();
  document.title = description.caption;
  area = document.getElementById('window-area');
  const built = buildWindow(description, area);
  controls = built.elements;
  const canvas = controls.get('fig');
  PlotView.attach(canvas, description.plotDescription);
  PlotMenu.attach(canvas.parentElement, canvas);
  const list = description.controls.find((control) => control.key === 'Cmby');
  ResultsListView.attach(controls.get('Cmby'), list.text);
  const refit = () => fitToScreen(area, built.form, description, drawPlot);
  refit();
  watchScreen(refit, canvas);
  controls.get('Command1').addEventListener('click', Command1_Click);
  controls.get('Exit').addEventListener('click', Exit_Click);
  controls.get(description.firstFocus).focus();
  DataFiles.start(document.getElementById('data-files'), dataFileTexts).then(() => {
    setState('ready');
    // The browser's locale data, loaded now rather than when Run is first pressed.
    setTimeout(numberSymbols);
  });
}

// Starts the program's C++ and, once it runs, shows the window; `pageState(state)` tells the
// page's state. Rejects where the browser cannot run the program.
export function start(pageState) {
  setState = pageState;
  const started = Bridge.start(language);
  started.then(showWindow);
  return started;
}
