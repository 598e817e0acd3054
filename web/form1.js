// The program's window, Form1, as the desktop runs it: taken over from the page's HTML, which the
// page's build wrote from the program's description of it, with Run and Exit. Run performs the program's run with the entries and shows what it did in
// the list and the plot, reports a run that stopped in a message and then puts the focus on the
// entry at fault; the run's lines go to the data files. Exit ends the program; the data files
// stay. This module alone talks to the program's C++; the views are handed what they show.
import * as Bridge from './bridge.js';
import * as DataFiles from './data_files.js';
import { afterNextFrame, whenIdle } from './frames.js';
import { inform } from './messages.js';
import * as PlotMenu from './plot_menu.js';
import * as PlotView from './plot.js';
import { showProgramEnded } from './program_ended.js';
import * as ResultsListView from './list.js';
import * as RunStatusView from './run_status.js';
import { fitToScreen, watchScreen } from './screen_fit.js';
import { adoptWindow } from './window.js';
import windows from './window_facts.js';
import { direction, language, numberSymbols, qsTranslate } from './translate.js';

let controls = null;
let area = null;
let setState = null;
let busy = 0;  // runs whose lines are still being kept
let ended = false;
let failed = false;  // the program's WebAssembly has stopped
let plotRatio = 0;
let programStarted = null;  // resolves once the program's WebAssembly runs
let running = false;

const entry = (k) => controls.get(`Text1(${k})`);

// Shows the drawing for a screen of this many device pixels a CSS pixel, drawing it again when
// that changed (the page zoomed, or shown smaller). Until the program runs, the drawing area shows
// its background, as the empty drawing does.
function drawPlot(devicePixelRatio) {
  if (devicePixelRatio === plotRatio) return;
  plotRatio = devicePixelRatio;
  if (!running) return;
  orOnFault(() => {
    Bridge.setPlotRatio(plotRatio);
    PlotView.paint(Bridge.plotImage());
  });
}

// What a run shows at once: the list's header, the plot and its description. The list's entries
// follow in the browser's idle time; resolves once they are in the list.
function ShowRunResults(result) {
  const listFilled = ResultsListView.show(result.editText,
    () => (result.entries > 0 ? orOnFault(Bridge.listEntries, '') : ''));
  PlotView.paint(Bridge.plotImage());
  PlotView.describe(result.plotDescription);
  RunStatusView.tell(result.runStatus);
  return listFilled;
}

// A fault of the program's own is told in a message, and the window goes on. Where its WebAssembly
// has stopped, nothing calls it again: the page says so in place of the window and offers to load
// the page again, and the data files stay as they are.
function ReportProgramFault(fault) {
  if (fault instanceof Bridge.ProgramFault) {
    const text = qsTranslate('Page', 'A fault in the program itself stopped what it was doing. You can go on using the window.');
    inform(qsTranslate('Page', 'Something went wrong'), text, fault.message);
    return;
  }
  if (!(fault instanceof Bridge.ProgramEnded)) throw fault;
  if (failed) return;
  failed = true;
  ended = true;
  area.hidden = true;
  showProgramEnded(document.getElementById('ended'), {
    title: qsTranslate('Page', 'The program stopped because of a fault of its own.'),
    text: qsTranslate('Page', 'Its data files are kept: they are below. Reload the page to start the program again.'),
    details: fault.message,
    reload: qsTranslate('Page', 'Reload the page'),
  });
  setState('failed');
}

// What `work()` gives; where the program fails in it, or has failed before, `otherwise` (a fault
// told).
function orOnFault(work, otherwise) {
  if (failed) return otherwise;
  try {
    return work();
  } catch (fault) {
    ReportProgramFault(fault);
    return otherwise;
  }
}

function ReportRunError(error) {
  inform(error.title, error.text, error.details).then(() => {
    if (error.entry < 0) return;
    entry(error.entry).focus();
    entry(error.entry).select();
  });
}

// The data files' texts the program last filled in: once it has stopped, the section keeps them.
let lastDataFileTexts = { counts: ['', ''], status: '' };

// The texts of the data files' section: each file's line count, and why the browser does not keep
// the files where it does not.
function dataFileTexts(lines, refusal) {
  return orOnFault(() => {
    const counts = ['y.dat', 'v.dat'].map((file, k) =>
      Bridge.fillIn(qsTranslate('Page', 'Lines in %1: %2'), [file, Bridge.count(lines[k])]));
    const refused = qsTranslate('Page', 'This browser does not keep the data files: %1. The downloads give the lines of this visit.');
    lastDataFileTexts = { counts, status: refusal ? Bridge.fillIn(refused, [refusal]) : '' };
    return lastDataFileTexts;
  }, lastDataFileTexts);
}

// Takes the last run's lines out of the program, where they are still only there.
let takeLastLines = () => {};

// The lines `result`'s run appended to y.dat and v.dat, to the data files: counted at once, taken
// out of the program after the next frame, or before the next run writes over them where that
// comes first, and then kept in the run's turn; a message when the browser does not keep them.
function keepLines(result) {
  if (!result.filesOpened || result.lines === 0) return Promise.resolve();
  const bytes = new Promise((resolve) => {
    const take = () => {
      if (takeLastLines !== take) return;  // taken already
      takeLastLines = () => {};
      resolve(orOnFault(() => [Bridge.dataLines(0), Bridge.dataLines(1)], null));
    };
    takeLastLines = take;
    afterNextFrame(take);
  });
  return DataFiles.append(bytes, result.lines).then((reason) => {
    if (!reason) return;
    const text = qsTranslate('Page', "The lines of this run could not be kept in the browser's storage: %1.");
    inform(qsTranslate('Page', 'Data files not kept'), orOnFault(() => Bridge.fillIn(text, [reason]), text),
      qsTranslate('Page', 'Download y.dat and Download v.dat still give the lines of this visit until the page is closed.'));
  });
}

// Run: what the run shows is in the next frame; its lines are kept after that frame, and its
// entries fill the list when the browser is idle. The page is idle once both are done.
function Command1_Click() {
  setState('running');
  busy += 1;
  takeLastLines();
  const result = Bridge.run([entry(0).value, entry(1).value, entry(2).value], numberSymbols(),
    ResultsListView.chosenEntry());
  const listFilled = ShowRunResults(result);
  if (result.error) ReportRunError(result.error);
  const kept = keepLines(result);
  Promise.all([listFilled, kept.catch(() => {})]).then(() => afterNextFrame(() => {
    busy -= 1;
    if (busy === 0 && !ended) setState('idle');
  }));
}

// Run, with a fault of the program told; one that stopped the run before its lines were kept ends
// the run.
function Command1_ClickTold() {
  if (!running) {
    programStarted.then(Command1_ClickTold, () => {});
    return;
  }
  try {
    Command1_Click();
  } catch (fault) {
    busy -= 1;
    ReportProgramFault(fault);
    if (busy === 0 && !ended) setState('idle');
  }
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

// Takes over the window that the page's HTML holds, in the page's language, and binds Run and
// Exit. The browser paints the window from the HTML as soon as this has run, so anything else
// waits until after that first frame: the focus on the first entry, the plot's canvas and menu,
// the list, and the watch on the screen.
function showWindow(description) {
  area = document.getElementById('window-area');
  const adopted = adoptWindow(area, language);
  if (adopted.translated) document.title = description.caption;
  controls = adopted.elements;
  const refit = () => fitToScreen(area, adopted.form, description, drawPlot);
  refit();
  controls.get('Command1').addEventListener('click', Command1_ClickTold);
  controls.get('Exit').addEventListener('click', Exit_Click);
  afterNextFrame(() => {
    // Unless the user got there first.
    if (document.activeElement === document.body) controls.get(description.firstFocus).focus();
    const canvas = controls.get('fig');
    PlotView.attach(canvas, description.plotDescription);
    PlotMenu.attach(canvas.parentElement, canvas);
    ResultsListView.attach(controls.get('Cmby'), description.listText);
    RunStatusView.attach(controls.get('Command1'));
    watchScreen(refit, canvas);
  });
}

// Once the program runs: the plot drawn, the data files counted, and, the window being painted,
// the browser's locale data loaded and the program's run warmed up, rather than when Run is first
// pressed.
function startProgram() {
  running = true;
  const ratio = plotRatio;
  plotRatio = 0;
  drawPlot(ratio);
  const dataFiles = DataFiles.start(document.getElementById('data-files'), dataFileTexts);
  const warm = new Promise((resolve) => {
    afterNextFrame(() => {
      numberSymbols();
      orOnFault(Bridge.warmUp);
      resolve();
    });
  });
  Promise.all([dataFiles, warm]).then(() => {
    if (!failed) setState('ready');
  });
}

// Shows the window at once and, after its first frame, starts the program's C++;
// `pageState(state)` tells the page's state. Rejects where the browser cannot run the program,
// with the window taken away again.
export function start(pageState) {
  setState = pageState;
  showWindow(windows[language]);
  programStarted = new Promise((resolve, reject) => {
    // Not in the first task after the window's first frame, which input and the next frame may
    // need, but once the browser is idle.
    afterNextFrame(() => whenIdle(() => Bridge.start(language).then(resolve, reject), 100));
  });
  programStarted.then(startProgram, () => {});
  return programStarted.catch((error) => {
    area.hidden = true;
    throw error;
  });
}
