// Work for after the next frame is painted, so that what the user sees comes first.

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
