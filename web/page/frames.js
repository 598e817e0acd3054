// Work for after the next frame is painted, or for when the browser is idle, so that what the
// user sees comes first.

// Calls `work` in a task after the next frame, or soon where the page is hidden and paints none.
export function afterNextFrame(work) {
  let done = false;
  const once = () => {
    if (done) return;
    done = true;
    work();
  };
  if (document.visibilityState === 'hidden') {
    setTimeout(once, 0);
    return;
  }
  requestAnimationFrame(() => {
    // A task posted while a frame is being made runs once that frame is painted.
    const channel = new MessageChannel();
    channel.port1.onmessage = once;
    channel.port2.postMessage(null);
  });
  // A page hidden meanwhile gets no frame.
  setTimeout(once, 1000);
}

const kIdleSliceMilliseconds = 8;  // what a browser that does not tell its idle time is taken to have

// Calls `work(deadline)` in the browser's idle time where it tells, else soon; at the latest after
// `timeout` milliseconds.
export function whenIdle(work, timeout = 250) {
  if (typeof requestIdleCallback === 'function') return requestIdleCallback(work, { timeout });
  return setTimeout(() => work({ timeRemaining: () => kIdleSliceMilliseconds }), 0);
}
