// Starts the program: checks that the browser can run it, builds the window from the program's
// control table, and binds Run and Exit. The page's state is on <html data-state>: "loading",
// "ready" once started, "running" while a run and the keeping of its lines are under way, "idle"
// after, "ended" after Exit.

(() => {
  const page = document.documentElement;
  const setState = (state) => {
    page.dataset.state = state;
  };
  page.lang = Translation.language;

  function notice(text) {
    const element = document.getElementById('notice');
    element.lang = Translation.language;
    element.dir = Translation.direction;
    element.textContent = text;
    element.hidden = false;
  }

  // The window drawn smaller where the screen is narrower than the window; the plot is drawn
  // again for as many device pixels as it then covers.
  function fitToScreen(area, form, description) {
    const scale = Math.min(1, document.documentElement.clientWidth / description.width);
    form.style.transform = scale < 1 ? `scale(${scale})` : '';
    area.style.width = description.width * scale + 'px';
    area.style.height = description.height * scale + 'px';
    PlotView.setRatio(window.devicePixelRatio * scale);
  }

  // Zooming changes the device pixel ratio; fit again whenever it does or the window resizes, and
  // where the browser says so, whenever the canvas covers other device pixels.
  function watchScreen(refit, canvas) {
    try {
      new ResizeObserver(refit).observe(canvas, { box: 'device-pixel-content-box' });
    } catch (error) {
      // Not every browser measures in device pixels; the events below still tell.
    }
    const watchRatio = () => {
      const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
      query.addEventListener('change', () => {
        refit();
        watchRatio();
      }, { once: true });
    };
    watchRatio();
    window.addEventListener('resize', refit);
  }

  function start() {
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
      notice(qsTranslate('Page', 'sho-euler needs WebAssembly, which this browser has turned off. Turn it on, or open the page in another browser.'));
      return;
    }
    Bridge.start().then(showWindow, (error) => {
      notice(Translation.fillIn(qsTranslate('Page', 'sho-euler could not start in this browser: %1'), [String(error && error.message)]));
    });
  }

  function showWindow() {
    const description = Bridge.windowDescription();
    document.title = description.caption;
    const area = document.getElementById('window-area');
    const program = ProgramWindow.build(description, area);
    const controls = program.elements;
    const canvas = controls.get('fig');
    PlotView.attach(canvas);
    PlotMenu.attach(canvas.parentElement, canvas);
    const list = description.controls.find((control) => control.key === 'Cmby');
    ResultsListView.attach(controls.get('Cmby'), list.text);
    const refit = () => fitToScreen(area, program.form, description);
    refit();
    watchScreen(refit, canvas);
    Form1.bind(controls, area, setState);
    controls.get(ProgramWindow.firstTabStop(description)).focus();
    DataFiles.start(document.getElementById('data-files')).then(() => {
      setState('ready');
      // The browser's locale data, loaded now rather than when Run is first pressed.
      setTimeout(Translation.decimalSeparator);
    });
  }

  start();
})();
