// The page around the game: reads the options from the address
// (?rules=classic&trained=1&remember=1&players=2&seamless=1; the start
// screen unless start=0, and without it the recommended options for playing
// unless recommended=0), starts the game module with them, shows its summary
// at the end, and keeps the learners' tables, the start screen's choices and
// the record of games in the browser's storage.
// Everything but Module stays inside, clear of the names the module declares.
(() => {
  'use strict';

  const canvas = document.getElementById('canvas');
  const form = document.getElementById('options');
  const statusLine = document.getElementById('status');
  const forgetButton = document.getElementById('forget');

  const params = new URLSearchParams(location.search);
  const choice = {
    rules: params.get('rules') === 'classic' ? 'classic' : 'full',
    trained: params.get('trained') === '1',
    remember: params.get('remember') === '1',
    recommended: params.get('recommended') !== '0',
    players: params.get('players') === '2' ? 2 : 1,
    seamless: params.get('seamless') === '1',
    start: params.get('start') !== '0',
  };
  form.rules.value = choice.rules;
  form.trained.checked = choice.trained;
  form.remember.checked = choice.remember;
  form.recommended.checked = choice.recommended;
  form.players.checked = choice.players === 2;
  form.seamless.checked = choice.seamless;
  form.start.checked = choice.start;
  forgetButton.hidden = !choice.remember;

  // Any other choice starts a new game: the page loads again with it.
  form.addEventListener('change', () => {
    const next = new URLSearchParams({ rules: form.rules.value });
    if (form.trained.checked) next.set('trained', '1');
    if (form.remember.checked) next.set('remember', '1');
    if (!form.recommended.checked) next.set('recommended', '0');
    if (form.players.checked) next.set('players', '2');
    if (form.seamless.checked) next.set('seamless', '1');
    if (!form.start.checked) next.set('start', '0');
    location.search = next.toString();
  });

  function say(text) {
    statusLine.textContent = text;
  }

  // Where the tables of learner i (1 or 2) are kept: one place per rule set
  // and kind of opponent, so that trained and untrained learners never mix.
  // Behind the start screen either game may be played: both are kept.
  const keptRules = () => (choice.start ? ['full', 'classic'] : [choice.rules]);
  function storageKey(i, rules = choice.rules) {
    return `skivo.${rules}.${choice.trained ? 'trained' : 'learning'}.tactics${i}`;
  }
  // Where the game keeps them (--remember /remember) and finds the trained ones.
  const rememberFile = (i, rules = choice.rules) => `/remember/${rules}-${i}.txt`;
  // The start screen's choices and the record of games (in the game's
  // folder /user/skivo), by file name.
  const userFiles = ['settings.txt', 'history.txt'];
  const userKey = (name) => `skivo.user.${name}`;
  const trainedFile = (i) => `/skivo/trained/${choice.rules}-${i}.txt`;

  let running = false;
  let forgetting = false;
  let summary = '';

  // Copies the tables the game wrote into the browser's storage.
  function storeTables() {
    if (!choice.remember || forgetting) return;
    try {
      const FS = window.Module.FS;
      for (const rules of keptRules()) {
        for (const i of [1, 2]) {
          if (choice.start && !FS.analyzePath(rememberFile(i, rules)).exists) continue;
          localStorage.setItem(storageKey(i, rules), FS.readFile(rememberFile(i, rules), { encoding: 'utf8' }));
        }
      }
    } catch (e) {
      say(`Could not keep what the learners learned in this browser's storage: ${e.message}`);
    }
  }

  // Copies the start screen's files into the browser's storage.
  function storeUserFiles() {
    if (!choice.start) return;
    try {
      const FS = window.Module.FS;
      for (const name of userFiles) {
        const file = `/user/skivo/${name}`;
        if (FS.analyzePath(file).exists) localStorage.setItem(userKey(name), FS.readFile(file, { encoding: 'utf8' }));
      }
    } catch (e) {
      say(`Could not keep your choices and games in this browser's storage: ${e.message}`);
    }
  }

  function saveTables() {
    if (!running || !choice.remember || forgetting) return;
    if (window.Module._skivo_keep() < 0) {
      say('Could not write the learners\' tables.');
      return;
    }
    storeTables();
  }

  forgetButton.addEventListener('click', () => {
    forgetting = true;
    try {
      for (const i of [1, 2]) localStorage.removeItem(storageKey(i));
    } catch (e) {
      say(`This browser's storage cannot be changed: ${e.message}`);
      return;
    }
    location.reload();
  });

  function start() {
    const FS = window.Module.FS;
    const haveTrained = [1, 2].every((i) => FS.analyzePath(trainedFile(i)).exists);
    document.getElementById('trained-choice').hidden = !haveTrained;
    choice.trained = choice.trained && haveTrained;
    // The address's choices as the games' own options.
    const args = choice.rules === 'classic' ? ['--classic'] : [];
    if (choice.start) {
      args.push('--start-screen');
      FS.mkdir('/user');
      FS.mkdir('/user/skivo');
      for (const name of userFiles) {
        let stored = null;
        try {
          stored = localStorage.getItem(userKey(name));
        } catch (e) {
          say(`This browser's storage cannot be read: ${e.message}`);
        }
        if (stored !== null) FS.writeFile(`/user/skivo/${name}`, stored);
      }
    } else if (choice.recommended) {
      args.push('--recommended');
    }
    if (choice.players === 2) args.push('--players', '2');
    if (choice.seamless) args.push('--seamless');
    if (choice.trained) args.push('--opponents', 'trained');
    if (choice.remember) {
      FS.mkdir('/remember');
      args.push('--remember', '/remember');
      for (const rules of keptRules()) {
        for (const i of [1, 2]) {
          let stored = null;
          try {
            stored = localStorage.getItem(storageKey(i, rules));
          } catch (e) {
            say(`This browser's storage cannot be read: ${e.message}`);
          }
          if (stored !== null) FS.writeFile(rememberFile(i, rules), stored);
        }
      }
    }
    say('');
    running = true;
    canvas.focus();
    window.Module.callMain(args);
  }

  function ended(status) {
    running = false;
    storeUserFiles();
    if (status === 0) {
      storeTables();
      say(`Game over. Reload the page to play again.${summary ? `\n${summary}` : ''}`);
    } else {
      say(`${statusLine.textContent}\nThe game stopped (exit status ${status}).` +
          (choice.remember ? ' "Forget it" clears the tables kept in this browser.' : ''));
    }
  }

  // Emscripten's own notes (about its GL emulation, about SDL_Quit, which a
  // page cannot honour) are for developers, on the console only.
  function forDevelopers(text) {
    return text.startsWith('WARNING: using emscripten GL') || text.startsWith('SDL_Quit called');
  }

  // The first frame's time and the frame count, for the tests and measurements.
  window.skivoFrames = 0;
  window.skivoFirstFrame = null;

  window.Module = {
    canvas,
    keyboardListeningElement: canvas,
    // The game's summary (and its arena's seed) come on its standard output.
    print: (text) => {
      console.log(text);
      if (forDevelopers(text)) return;
      summary += `${summary ? '\n' : ''}${text}`;
    },
    printErr: (text) => {
      console.warn(text);
      if (forDevelopers(text)) return;
      say(statusLine.textContent ? `${statusLine.textContent}\n${text}` : text);
    },
    onRuntimeInitialized: start,
    // After every game behind the start screen: its record and tables.
    skivoGameEnded: () => {
      storeUserFiles();
      storeTables();
    },
    onExit: ended,
    onAbort: (what) => {
      running = false;
      say('The game could not go on:');
    },
    postMainLoop: () => {
      if (window.skivoFrames++ === 0) window.skivoFirstFrame = performance.now();
    },
  };

  setInterval(saveTables, 10000);
  document.addEventListener('visibilitychange', () => {
    if (document.hidden) saveTables();
  });
  window.addEventListener('pagehide', saveTables);
  window.addEventListener('pagehide', storeUserFiles);
  canvas.addEventListener('click', () => canvas.focus());
  // A browser may take the drawing away (a graphics reset, too little memory):
  // the game cannot draw again, so the player is told rather than left with
  // a still picture.
  canvas.addEventListener('webglcontextlost', () => {
    console.error('skivo: the browser took the game\'s drawing away (WebGL context lost)');
    say('The browser stopped the game\'s drawing. Reload the page to play again.');
  });
  // Keys held while the canvas loses the focus would stay down for the game,
  // their release going elsewhere: SDL lets them go when the window loses it.
  canvas.addEventListener('blur', () => window.dispatchEvent(new FocusEvent('blur')));
})();
