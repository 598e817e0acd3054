// What a screen reader hears of the page: a session bus of the test's own, on which the browser's
// accessibility bus starts when first asked for, an X server of its own where the browser needs a
// display to answer (Firefox), and the page read through that bus as Orca reads it
// (atspi_reader.py, in Debian's own Python, which has pyatspi).
import { spawn } from 'node:child_process';
import { createInterface } from 'node:readline';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const READER = join(dirname(fileURLToPath(import.meta.url)), 'atspi_reader.py');
const PYTHON = '/usr/bin/python3';

// Starts `command` and resolves with the first line it writes to file descriptor 3 (its address
// or display number), and the process.
function startAnnouncing(command, args) {
  const child = spawn(command, args, { stdio: ['ignore', 'ignore', 'pipe', 'pipe'] });
  let errors = '';
  child.stderr.on('data', (data) => { errors += data; });
  return new Promise((resolve, reject) => {
    let said = '';
    child.stdio[3].on('data', (data) => {
      said += data;
      if (said.includes('\n')) resolve({ child, line: said.split('\n')[0].trim() });
    });
    child.on('error', reject);
    child.on('exit', (code) => reject(new Error(`${command} ended (${code}): ${errors}`)));
  });
}

// A session bus, and with `display` an X server, for one browser: `env` is what the browser and
// the reader are started with. Needs no bus or display of the caller's.
export async function listeningSession({ display = false } = {}) {
  const children = [];
  const env = { ...process.env, GNOME_ACCESSIBILITY: '1', NO_AT_BRIDGE: '0' };
  delete env.AT_SPI_BUS_ADDRESS;
  delete env.WAYLAND_DISPLAY;
  delete env.DISPLAY;
  try {
    const bus = await startAnnouncing('dbus-daemon', ['--session', '--nofork', '--print-address=3']);
    children.push(bus.child);
    env.DBUS_SESSION_BUS_ADDRESS = bus.line;
    if (display) {
      const server = await startAnnouncing('Xvfb', ['-displayfd', '3', '-screen', '0',
        '1280x1024x24', '-nolisten', 'tcp']);
      children.push(server.child);
      env.DISPLAY = `:${server.line}`;
    }
  } catch (error) {
    for (const child of children) child.kill();
    throw error;
  }
  return {
    env,
    close: () => {
      for (const child of children.reverse()) child.kill();
    },
  };
}

// The page as the accessibility bus gives it: `tree()` lists its objects, `events()` what its live
// regions told since the last call.
export async function startReader(env) {
  const child = spawn(PYTHON, [READER], { env, stdio: ['pipe', 'pipe', 'inherit'] });
  const lines = createInterface({ input: child.stdout })[Symbol.asyncIterator]();
  const next = async () => {
    const { value, done } = await lines.next();
    if (done) throw new Error('The accessibility reader ended');
    const reply = JSON.parse(value);
    if (reply.error) throw new Error(`The accessibility reader: ${reply.error}`);
    return reply;
  };
  await next();  // ready
  let queue = Promise.resolve();
  const ask = (command) => {
    const asked = queue.then(() => {
      child.stdin.write(`${command}\n`);
      return next();
    });
    queue = asked.catch(() => {});
    return asked;
  };
  return {
    tree: async () => (await ask('tree')).tree,
    events: async () => (await ask('events')).events,
    close: () => {
      child.stdin.end();
      child.kill();
    },
  };
}

// Asks `probe()` every 100 ms until it gives something true, for at most `timeout` ms; that value,
// or the last one.
export async function poll(probe, timeout = 20_000) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const value = await probe();
    if (value || Date.now() > deadline) return value;
    await new Promise((done) => setTimeout(done, 100));
  }
}
