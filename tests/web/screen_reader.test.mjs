// The page as a screen reader hears it, through the accessibility bus as Orca reads it, in Chromium
// and in Firefox, in English and in Persian: the list keeps its name over runs, the plot is named
// and described, its description told once, and each Run tells what it did in a polite status, in
// the words of the plot's description, once, a second Run with the same entries too.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { BROWSERS, launch } from './lib/browsers.mjs';
import { clickRun, namedCanvas, openPage, typeEntries } from './lib/page.mjs';
import { listeningSession, poll, startReader } from './lib/screen_reader.mjs';
import { inPersian } from './lib/translations.mjs';

const ENTRIES = { en: ['1', '30', '0.01'], fa: ['۱', '۳۰', '۰٫۰۱'] };

// An object of the page by role and name; the page's polite status; the texts inserted into live
// regions, which a screen reader speaks.
const node = (tree, role, name) => tree.find((n) => n.role === role && n.name === name);
const statusOf = (tree) => tree.find((n) => n.role === 'status bar' && n.live === 'polite');
const spoken = (events) => events.filter((e) => e.type === 'insert' && e.text.trim());

for (const name of BROWSERS) {
  for (const language of ['en', 'fa']) {
    describe(`a screen reader in ${name}, the page in ${language}`, () => {
      const say = (english) => (language === 'fa' ? inPersian(english) : english);
      const legend = say("Red points: Euler's positions. Blue points: the exact cosine.");
      let session;
      let browser;
      let reader;
      before(async () => {
        session = await listeningSession({ display: name === 'firefox' });
        browser = await launch(name, { language, screenReader: session });
        reader = await startReader(session.env);
      });
      after(async () => {
        reader?.close();
        await browser?.close();
        session?.close();
      });

      // What the page tells the reader until `enough(heard)` holds (within 20 s), and in the
      // second after, which a screen reader would speak too; null where it never holds.
      async function hearUntil(enough) {
        const heard = [];
        const held = await poll(async () => {
          heard.push(...await reader.events());
          return enough(heard);
        });
        await new Promise((done) => setTimeout(done, 1000));
        heard.push(...await reader.events());
        return held ? heard : null;
      }

      // Clicks Run and returns what its status said.
      async function runAndListen(page) {
        await reader.events();
        await clickRun(page);
        const heard = await hearUntil((events) => spoken(events).length > 0);
        assert.ok(heard, 'the status said nothing after Run');
        return spoken(heard).map((e) => e.text);
      }

      test('hears the list, the plot and what each Run did', async () => {
        const seen = await openPage(browser);
        const { page } = seen;
        try {
          const first = await poll(async () => {
            const tree = await reader.tree();
            return node(tree, 'image', say('Graphs')) && tree;
          });
          assert.ok(first, 'no image named Graphs on the bus');
          assert.equal(node(first, 'image', say('Graphs')).description,
            `${legend} ${say('No step is shown.')}`);
          assert.ok(node(first, 'combo box', say('Current values')), 'the list is not named');
          assert.equal(statusOf(first)?.text, '', 'no empty polite status before a run');

          await typeEntries(page, ENTRIES[language]);
          const runs = [await runAndListen(page), await runAndListen(page)];
          const tree = await poll(async () => {
            const now = await reader.tree();
            return now.filter((n) => n.role === 'combo box').length === 1 && now;
          });
          assert.ok(tree, 'the list of the run before stays');
          assert.ok(node(tree, 'combo box', say('Current values')), 'the list lost its name');

          const { description } = node(tree, 'image', say('Graphs'));
          assert.match(description, /Shown: steps 1 to 5279\.|1 تا 5279/);
          assert.ok(description.startsWith(`${legend} `), description);
          const status = `${say('The run is done.')} ${description.slice(legend.length + 1)}`;
          assert.deepEqual(runs, [[status], [status]], 'each Run said once what it did');
          assert.equal(statusOf(tree).text, status);
          const repeated = tree.filter((n) => n.role !== 'image' &&
            (n.name === description || n.text === description));
          assert.deepEqual(repeated, [], 'the description is read once more as text');

          // Chromium told the description once more after the plot took the focus.
          await reader.events();
          await (await namedCanvas(page, say('Graphs'))).focus();
          const isPlot = (e) => e.type === 'focus' && e.role === 'image';
          const events = await hearUntil((heard) => heard.some(isPlot));
          assert.ok(events, 'the plot did not take the focus');
          const again = events.slice(events.findIndex(isPlot))
            .filter((e) => e.type === 'description');
          assert.deepEqual(again, [], 'the plot\'s description told again after it took the focus');
        } finally {
          await seen.close();
        }
      });
    });
  }
}
