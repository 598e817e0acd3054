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

function chromiumOptions(profile, language) {
  const args = [...CHROMIUM_QUIET, `--user-data-dir=${profile}`, `--lang=${language}`,
    `--accept-lang=${language}`];
  if (process.getuid?.() === 0) args.push('--no-sandbox');
  return { browser: 'chrome', executablePath: EXECUTABLES.chromium, args,
    env: { ...process.env, LANGUAGE: language } };
}

function firefoxOptions(profile, language) {
  return {
    browser: 'firefox',
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

// `name` is 'chromium' or 'firefox'; `language` the browser's first language ('en', 'fa').
export async function launch(name, { language = 'en' } = {}) {
  const profile = mkdtempSync(join(tmpdir(), `sho-${name}-`));
  const options = name === 'firefox' ? firefoxOptions(profile, language)
    : chromiumOptions(profile, language);
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
