// Starts Debian's Chromium and Firefox ESR for the page's tests and timings, headless, each with a
// profile of its own that is removed again on close.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

export const BROWSERS = ['chromium', 'firefox'];

const EXECUTABLES = {
  chromium: process.env.SHO_CHROMIUM || '/usr/bin/chromium',
  firefox: process.env.SHO_FIREFOX || '/usr/bin/firefox-esr',
};

// Without these Chromium reaches out for updates, sync and field trials on start-up, and on a
// closed network it then refuses the DevTools connection.
const CHROMIUM_QUIET = [
  '--disable-gpu',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--disable-default-apps',
  '--disable-extensions',
];

function chromiumOptions(profile, language, env) {
  const args = [...CHROMIUM_QUIET, `--user-data-dir=${profile}`, `--lang=${language}`,
    `--accept-lang=${language}`];
  if (process.getuid?.() === 0) args.push('--no-sandbox');
  // Headless Chromium keeps no accessibility tree unless told to.
  if (env) args.push('--force-renderer-accessibility');
  return { browser: 'chrome', executablePath: EXECUTABLES.chromium, args,
    env: { ...(env ?? process.env), LANGUAGE: language } };
}

function firefoxOptions(profile, language, env) {
  return {
    browser: 'firefox',
    // Firefox tells a screen reader nothing unless it has a display.
    ...(env ? { env, headless: false } : {}),
    protocol: 'webDriverBiDi',
    executablePath: EXECUTABLES.firefox,
    userDataDir: profile,
    extraPrefsFirefox: {
      'intl.accept_languages': language,
      'intl.locale.requested': language,
      // Nothing of Firefox's own reaches for the network.
      'app.update.enabled': false,
      'browser.safebrowsing.malware.enabled': false,
      'browser.safebrowsing.phishing.enabled': false,
      'network.captive-portal-service.enabled': false,
      'network.connectivity-service.enabled': false,
    },
  };
}

// `name` is 'chromium' or 'firefox'; `language` the browser's first language ('en', 'fa'). Given
// `screenReader`, the environment of a listening session (screen_reader.mjs), the browser runs
// there and tells a screen reader what its pages hold.
export async function launch(name, { language = 'en', screenReader = null } = {}) {
  const profile = mkdtempSync(join(tmpdir(), `sho-${name}-`));
  const env = screenReader?.env;
  const options = name === 'firefox' ? firefoxOptions(profile, language, env)
    : chromiumOptions(profile, language, env);
  let browser;
  try {
    browser = await puppeteer.launch({ headless: true, timeout: 60_000, protocolTimeout: 120_000,
      ...options });
  } catch (error) {
    rmSync(profile, { recursive: true, force: true });
    throw error;
  }
  const close = browser.close.bind(browser);
  browser.close = async () => {
    try {
      await close();
    } finally {
      rmSync(profile, { recursive: true, force: true });
    }
  };
  return browser;
}

// A context of its own (its own storage, so its own data files) whose downloads go to `directory`.
export async function newContext(browser, directory) {
  return browser.createBrowserContext({
    downloadBehavior: { policy: 'allow', downloadPath: directory },
  });
}
