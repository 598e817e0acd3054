// The page's life: the one place that knows which of its states the page is in and what each
// allows. <html data-state> shows it, for the page's tests and timings:
//   "loading"  the window shows, the program has not started: a Run waits for it
//   "ready"    the program runs, and nothing has run yet
//   "running"  a Run, and the keeping of its lines, is under way
//   "idle"     every Run is done
//   "ended"    Exit: nothing runs any more; the data files stay
//   "failed"   the program stopped inside its WebAssembly: it is not called again
// Nothing comes back from "ended" or "failed".

let state = 'loading';
let started = false;  // the program's WebAssembly has started
let stopped = false;  // and has stopped inside it since
let runsUnderWay = 0;

function become(next) {
  state = next;
  document.documentElement.dataset.state = next;
}

export const current = () => state;

// Exit or a fault ended the program for good.
export const isOver = () => state === 'ended' || state === 'failed';

// Whether the program may be called: it has started and has not stopped inside its WebAssembly.
// (After Exit, the page still takes the last run's lines out of it.)
export const mayCallProgram = () => started && !stopped;

// Whether Run runs now, with the program started; else, before it starts, it waits.
export const runsAtOnce = () => started && !isOver();

// The program's WebAssembly runs: Run runs at once from now on.
export function programStarted() {
  started = true;
}

// The page is ready: the program runs and the data files' counts show.
export function pageReady() {
  if (state === 'loading') become('ready');
}

// A Run begins: false where the program has ended.
export function runBegins() {
  if (isOver()) return false;
  runsUnderWay += 1;
  become('running');
  return true;
}

export function runEnds() {
  runsUnderWay -= 1;
  if (runsUnderWay === 0 && !isOver()) become('idle');
}

// Exit: false where the program had ended already.
export function exit() {
  if (isOver()) return false;
  become('ended');
  return true;
}

// The program stopped inside its WebAssembly: false where it had ended already.
export function fail() {
  stopped = true;
  if (isOver()) return false;
  become('failed');
  return true;
}
