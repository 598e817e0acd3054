// Run and Exit, as the desktop window handles them: Run performs the program's run with the
// entries and shows what it did in the list and the plot, reports a run that stopped in a
// message and then puts the focus on the entry at fault; the run's lines go to the data files.
// Exit ends the program; the data files stay.

const Form1 = (() => {
  let controls = null;
  let area = null;
  let setState = null;
  let busy = 0;  // runs whose lines are still being kept
  let ended = false;

  const entry = (k) => controls.get(`Text1(${k})`);

  function ShowRunResults(result) {
    ResultsListView.show(result.editText, result.entries, result.entries > 0 ? Bridge.listEntries() : '');
    PlotView.showRun(result.plot);
  }

  function ReportRunError(error) {
    const fill = Translation.fillIn;
    const kind = Translation.text('RunError', error.kind);
    let text = kind;
    if (error.place) {
      const place = fill(Translation.text('RunError', error.place.text), error.place.parts);
      text = fill(qsTranslate('Form1', '%1 in %2.'), [kind, place]);
    }
    const details = fill(Translation.text('RunError', error.message.text), error.message.parts);
    Messages.inform(qsTranslate('Form1', 'Run stopped'), text, details).then(() => {
      if (error.entry < 0) return;
      entry(error.entry).focus();
      entry(error.entry).select();
    });
  }

  // The run's lines to the data files; a message when the browser does not keep them.
  function keepLines(result) {
    if (!result.filesOpened || result.lines === 0) return Promise.resolve();
    const lines = [Bridge.dataLines(0), Bridge.dataLines(1)];
    return DataFiles.append(lines, result.lines).then((reason) => {
      if (!reason) return;
      const text = qsTranslate('Page', "The lines of this run could not be kept in the browser's storage: %1.");
      Messages.inform(qsTranslate('Page', 'Data files not kept'), Translation.fillIn(text, [reason]),
                      qsTranslate('Page', 'Download y.dat and Download v.dat still give the lines of this visit until the page is closed.'));
    });
  }

  function Command1_Click() {
    setState('running');
    busy += 1;
    const result = Bridge.run([entry(0).value, entry(1).value, entry(2).value],
                               Translation.decimalSeparator(), ResultsListView.chosenEntry());
    ShowRunResults(result);
    if (result.error) ReportRunError(result.error);
    keepLines(result).finally(() => {
      busy -= 1;
      if (busy === 0 && !ended) setState('idle');
    });
  }

  function Exit_Click() {
    ended = true;
    area.hidden = true;
    const page = document.getElementById('ended');
    page.lang = Translation.language;
    page.dir = Translation.direction;
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

  return {
    // Binds Run and Exit of the window's `windowControls`; the window is in `windowArea`.
    bind(windowControls, windowArea, pageState) {
      controls = windowControls;
      area = windowArea;
      setState = pageState;
      controls.get('Command1').addEventListener('click', Command1_Click);
      controls.get('Exit').addEventListener('click', Exit_Click);
    },
  };
})();
