// The program's window, Form1, as the desktop runs it: taken over from the page's HTML, which the
// page's build wrote from the program's description of it, with Run and Exit. Run performs the
// program's run with the entries and shows what it did in the list and the plot, reports a run
// that stopped in a message and then puts the focus on the entry at fault; the run's lines go to
// the data files. A Run clicked before the program has started waits for it, with the entries it
// was clicked with. Exit ends the program; the data files stay. This module alone talks to the
// program's C++; the views are handed what they show, and the page's state is page_life.js's.
import * as Bridge from './bridge.js';
import * as DataFiles from './data_files.js';
import { afterNextFrame, whenIdle } from './frames.js';
import { inform } from './messages.js';
import * as Life from './page_life.js';
import * as PlotMenu from './plot_menu.js';
import * as PlotView from './plot.js';
import * as ProgramEnded from './program_ended.js';
import * as ResultsListView from './list.js';
import * as RunStatusView from './run_status.js';
import { fitToScreen, watchScreen } from './screen_fit.js';
import { adoptWindow } from './window.js';
import windows from './window_facts.js';
import { language, numberSymbols, qsTranslate, useDigits } from './translate.js';

const facts = windows[language];  // what the page's build wrote of the window
let controls = null;
let area = null;
let plotRatio = 0;
const waitingRuns = [];  // Runs clicked before the program started: { texts, chosen } each

const entry = (k) => controls.get(`Text1(${k})`);

// Shows the drawing for a screen of this many device pixels a CSS pixel, drawing it again when
// that changed (the page zoomed, or shown smaller). Until the program runs, the drawing area shows
// its background, as the empty drawing does.
function drawPlot(devicePixelRatio) {
  if (devicePixelRatio === plotRatio) return;
  plotRatio = devicePixelRatio;
  orOnFault(() => PlotView.paint(Bridge.plotForRatio(plotRatio)));
}

// What a run shows at once: the list's header, the plot and its description. The list's entries
// follow after the frame; resolves once they are in the list.
function ShowRunResults(result) {
  const listFilled = ResultsListView.show(result.editText ?? facts.listHeader, result.entries);
  PlotView.paint(result.plot);
  PlotView.describe(result.plotDescription);
  RunStatusView.tell(result.runStatus);
  return listFilled;
}

// Hands the list the last run's entries where it waits for them: after the run's frame, or `now`
// when somebody reaches the list before.
function giveListEntries(now) {
  if (ResultsListView.waitingForEntries()) {
    ResultsListView.fill(orOnFault(Bridge.listEntries, ''), { now });
  }
}

// The page in place of the window once the program has ended: `failed` where a fault ended it.
function showEnded(title, again, details = '') {
  area.hidden = true;
  ProgramEnded.show(document.getElementById('ended'), {
    title, details, again, onAgain: DataFiles.leaveWithoutAsking,
  });
  DataFiles.sayWhatIsKept();
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
  if (!Life.fail()) return;
  showEnded(qsTranslate('Page', 'The program stopped because of a fault of its own.'),
    qsTranslate('Page', 'Reload the page'), fault.message);
}

// What `work()` gives; where the program fails in it, or cannot be called, `otherwise` (a fault
// told).
function orOnFault(work, otherwise) {
  if (!Life.mayCallProgram()) return otherwise;
  try {
    return work();
  } catch (fault) {
    ReportProgramFault(fault);
    return otherwise;
  }
}

function ReportRunError(error) {
  inform(facts.runStoppedTitle, error.text, error.details).then(() => {
    if (error.entry < 0) return;
    entry(error.entry).focus();
    entry(error.entry).select();
  });
}

// Takes the last run's lines out of the program to the data files, where they are still only
// there: after the frame that shows the run, before the next run writes over them, at Exit, and
// as the page goes away.
function takeLines() {
  const run = DataFiles.runAwaitingLines();
  if (run) DataFiles.give(run, orOnFault(Bridge.takeLines, null));
}

// The run appended `lines` to each data file: counted at once, taken out of the program after
// the next frame. Resolves once they are stored or held.
function keepLines(lines) {
  const run = DataFiles.ran(lines);
  afterNextFrame(() => {
    if (DataFiles.runAwaitingLines() === run) takeLines();
  });
  return DataFiles.settled(run);
}

// One run with the entries as Run was clicked with them: what the run shows is in the next frame;
// its lines are kept after that frame, and its entries fill the list when the browser is idle.
// The page is idle once both are done.
function PerformRun({ texts, chosen }) {
  if (!Life.runBegins()) return;
  try {
    takeLines();
    const result = Bridge.run(texts, numberSymbols(), chosen);
    const listFilled = ShowRunResults(result);
    if (result.error) ReportRunError(result.error);
    const kept = result.filesOpened && result.lines > 0 ? keepLines(result.lines) : null;
    afterNextFrame(() => giveListEntries(false));
    Promise.all([listFilled, kept]).then(() => afterNextFrame(Life.runEnds));
  } catch (fault) {
    Life.runEnds();
    ReportProgramFault(fault);
  }
}

// Run: reads the entries now, and runs at once, or once the program has started.
function Command1_Click() {
  if (Life.isOver()) return;
  const run = {
    texts: [entry(0).value, entry(1).value, entry(2).value],
    chosen: ResultsListView.chosenEntry(),
  };
  if (Life.runsAtOnce()) {
    PerformRun(run);
  } else {
    waitingRuns.push(run);
  }
}

function Exit_Click() {
  if (Life.isOver()) return;
  takeLines();
  waitingRuns.length = 0;
  if (!Life.exit()) return;
  showEnded(qsTranslate('Page', 'The program has ended.'),
    qsTranslate('Page', 'Start the program again'));
}

// The page goes away, or is hidden and may not be shown again: the runs' lines are written now.
function pageLeaves() {
  DataFiles.goAway();
  takeLines();
  DataFiles.writeNow();
}

// Takes over the window that the page's HTML holds, in the page's language, and binds Run and
// Exit. The browser paints the window from the HTML as soon as this has run, so anything else
// waits until after that first frame: the focus on the first entry, the plot's canvas and menu,
// the list, and the watch on the screen.
function showWindow() {
  area = document.getElementById('window-area');
  const adopted = adoptWindow(area, facts.names);
  controls = adopted.elements;
  const refit = () => drawPlot(fitToScreen(area, adopted.form, facts));
  refit();
  controls.get('Command1').addEventListener('click', Command1_Click);
  controls.get('Exit').addEventListener('click', Exit_Click);
  addEventListener('pagehide', pageLeaves);
  addEventListener('pageshow', DataFiles.back);
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden') {
      pageLeaves();
    } else {
      DataFiles.back();
    }
  });
  afterNextFrame(() => {
    // Unless the user got there first.
    if (document.activeElement === document.body) controls.get(facts.firstFocus).focus();
    const canvas = controls.get('fig');
    PlotView.attach(canvas, facts.plotDescription);
    PlotMenu.attach(canvas.parentElement, canvas, facts.plotMenu);
    const list = controls.get('Cmby');
    // Whoever reaches the list, whichever run's select holds it, finds the whole run in it.
    for (const type of ['focusin', 'pointerdown', 'keydown']) {
      list.parentElement.addEventListener(type, () => giveListEntries(true), true);
    }
    ResultsListView.attach(list, facts.listText);
    RunStatusView.attach(controls.get('Command1'));
    watchScreen(refit, canvas);
  });
}

// Once the program runs: the plot drawn, the data files counted, the Runs clicked meanwhile run
// in turn, and, the window being painted, the browser's locale data loaded and the program's run
// warmed up, rather than when Run is first pressed.
function startProgram() {
  Life.programStarted();
  useDigits(orOnFault(Bridge.digits, '0123456789'));
  const ratio = plotRatio;
  plotRatio = 0;
  drawPlot(ratio);
  const dataFiles = DataFiles.start(document.getElementById('data-files'), facts.dataFiles);
  for (const run of waitingRuns.splice(0)) PerformRun(run);
  const warm = new Promise((resolve) => {
    afterNextFrame(() => {
      numberSymbols();
      orOnFault(Bridge.warmUp);
      resolve();
    });
  });
  Promise.all([dataFiles, warm]).then(Life.pageReady);
}

// Shows the window at once and, after its first frame, starts the program's C++. Rejects where
// the browser cannot run the program, with the window taken away again.
export function start() {
  showWindow();
  const programStarted = new Promise((resolve, reject) => {
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
