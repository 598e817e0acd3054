// The page as a file: small enough to e-mail, and a policy that lets it run only what it carries
// and request nothing from anywhere.
import assert from 'node:assert/strict';
import { readFileSync, statSync } from 'node:fs';
import { test } from 'node:test';
import { PAGE } from './lib/page.mjs';

const MAX_BYTES = 400 * 1024;

test('the page is one file of at most 400 KB', () => {
  const { size } = statSync(PAGE);
  assert.ok(size <= MAX_BYTES, `the page has ${size} bytes`);
});

// The policy's directives, from the page's <meta http-equiv="Content-Security-Policy">.
function policy() {
  const html = readFileSync(PAGE, 'utf8');
  const metas = [...html.matchAll(/<meta\b[^>]*>/gi)].map(([tag]) => tag)
    .filter((tag) => /http-equiv\s*=\s*["']?content-security-policy/i.test(tag));
  assert.equal(metas.length, 1, 'the page has not one Content-Security-Policy');
  const content = /content\s*=\s*"([^"]*)"/i.exec(metas[0]) ??
    /content\s*=\s*'([^']*)'/i.exec(metas[0]);
  assert.ok(content, 'the policy has no content');
  const directives = new Map();
  for (const directive of content[1].split(';').map((part) => part.trim()).filter(Boolean)) {
    const [name, ...sources] = directive.split(/\s+/);
    directives.set(name.toLowerCase(), sources);
  }
  return directives;
}

// Sources that name no place: nothing, hashes of what the page carries, WebAssembly, its styles.
const KEYWORDS = /^'(none|sha(256|384|512)-[A-Za-z0-9+/=]+|wasm-unsafe-eval|unsafe-inline)'$/;

test('its policy allows its own script by hash, its styles and WebAssembly, and no request', () => {
  const directives = policy();
  assert.deepEqual(directives.get('default-src'), ["'none'"]);
  for (const [name, sources] of directives) {
    for (const source of sources) {
      // A host, a scheme, 'self' or * would let the page reach something it does not carry.
      assert.match(source, KEYWORDS, `${name} allows ${source}`);
    }
  }
  const scripts = directives.get('script-src') ?? [];
  assert.ok(scripts.some((source) => source.startsWith("'sha")), 'no script hash');
  assert.ok(!scripts.includes("'unsafe-inline'"), 'any inline script may run');
  for (const name of ['connect-src', 'frame-src', 'child-src', 'worker-src', 'object-src']) {
    if (directives.has(name)) assert.deepEqual(directives.get(name), ["'none'"], name);
  }
});
