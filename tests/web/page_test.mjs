// Both games in Debian's headless Chromium, served on this machine: one
// 512 x 512 canvas whose first picture CHECK (tests/e2e/check-startup) judges,
// keys that play at once without scrolling, the blink, Escape, the start
// screen (keys, pause, sound only after a key, the record), a gamepad, and the
// learners' tables (SITE embeds those of TRAINED_DIR) kept in the browser's
// storage. Any error the browser reports fails the test.
//   node page_test.mjs SITE TRAINED_DIR CHECK
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, it } from 'node:test';
import { firstFrame, launch, openPage, serve } from './chromium.mjs';

const [site, trainedDir, check] = process.argv.slice(2);
if (!check) {
  console.error('usage: node page_test.mjs SITE TRAINED_DIR CHECK');
  process.exit(2);
}
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'skivo-web-test-'));
const table = (text) => text.trim().split('\n').map(Number);
const sameEntries = (a, b) => a.filter((v, k) => v === b[k]).length;

// The canvas as a PNG file; where the player (red or blue while "it") is on it.
let shots = 0;
async function picture(page) {
  const file = path.join(scratch, `shot-${++shots}.png`);
  await (await page.$('canvas')).screenshot({ path: file });
  return file;
}
// The whole canvas as bytes, to tell two pictures apart.
const pixels = (file) => execFileSync('convert', [file, '-depth', '8', 'rgb:-'],
  { maxBuffer: 1 << 22 });
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
function player(file) {
  const rgb = execFileSync('convert', [file, '-depth', '8', 'rgb:-'], { maxBuffer: 1 << 22 });
  assert.equal(rgb.length, 512 * 512 * 3, `${file} is not 512 x 512`);
  let x = 0, y = 0, n = 0;
  for (let i = 0; i < rgb.length; i += 3) {
    const red = rgb[i] > 200 && rgb[i + 1] < 60 && rgb[i + 2] < 60;
    const blue = rgb[i] < 60 && rgb[i + 1] < 60 && rgb[i + 2] > 200;
    if (!red && !blue) continue;
    x += (i / 3) % 512;
    y += Math.floor(i / 3 / 512);
    ++n;
  }
  assert.ok(n > 0, 'the player is nowhere to be seen');
  return { x: x / n, y: y / n };
}

// Holds an arrow key (or, given press and release, a gamepad's stick that
// way) until the player has moved over 5 pixels that way from its farthest
// point the other way (8 s at most); returns that distance.
async function hold(page, key, press = () => page.keyboard.down(key),
  release = () => page.keyboard.up(key)) {
  const [ax, ay] = { ArrowRight: [1, 0], ArrowUp: [0, -1] }[key];
  const wrapped = (d) => d - 512 * Math.round(d / 512);
  await press();
  let last = player(await picture(page)), along = 0, back = 0;
  for (let t = Date.now(); Date.now() - t < 8000 && along - back <= 5;) {
    const now = player(await picture(page));
    along += ax * wrapped(now.x - last.x) + ay * wrapped(now.y - last.y);
    back = Math.min(back, along);
    last = now;
  }
  await release();
  return along - back;
}

async function quit(page) {  // holds Escape until the game has ended
  await page.keyboard.down('Escape');
  await page.waitForFunction(
    () => document.getElementById('status').textContent.includes('Game over'), { timeout: 10000 });
  await page.keyboard.up('Escape');
}

let server, chromium, problems;
before(async () => {
  server = await serve(site);
  chromium = await launch();
});
after(async () => {
  await chromium?.close();
  server?.stop();
  fs.rmSync(scratch, { recursive: true, force: true });
});

for (const rules of ['full', 'classic']) {
  describe(`the ${rules} game`, () => {
    let page;
    before(async () => {
      problems = [];
      // The game as it always was: the start screen and the recommended options off.
      page = await openPage(chromium.browser, server.url, `rules=${rules}&recommended=0&start=0`,
        problems);
      await firstFrame(page);
    });
    after(() => page.close());

    it('draws its first picture as the desktop game does, on one 512 x 512 canvas', async () => {
      const shot = await picture(page);
      assert.deepEqual(await page.$$eval('canvas', (all) => all.map((c) => [c.width, c.height,
        c.getBoundingClientRect().width, c.getBoundingClientRect().height])), [[512, 512, 512, 512]]);
      try {
        execFileSync(check, [shot, rules === 'full' ? 'skivo' : 'skivo-classic'],
          { stdio: 'inherit' });
      } catch (e) {
        // What the page itself knew then, for a fault seen only now and then.
        const state = await page.evaluate(() => ({
          frames: window.skivoFrames,
          lost: window.Module.ctx?.isContextLost(),
          status: document.getElementById('status').textContent,
        }));
        assert.fail(`${e.message}; the page then: ${JSON.stringify(state)}; problems: ${problems}`);
      }
    });

    it('blinks the player red and blue, a second each', async () => {
      // Read as the frames are drawn, which screenshots under load may miss.
      const seen = await page.evaluate(() => new Promise((resolve) => {
        const gl = window.Module.ctx, rgba = new Uint8Array(512 * 512 * 4);
        const draw = window.Module.postMainLoop, colors = [];
        let last = 0;
        const done = () => {
          window.Module.postMainLoop = draw;
          resolve(colors);
        };
        const timeout = setTimeout(done, 8000);
        window.Module.postMainLoop = () => {
          draw();
          if (performance.now() - last < 100) return;
          last = performance.now();
          gl.readPixels(0, 0, 512, 512, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
          let red = 0, blue = 0;
          for (let i = 0; i < rgba.length; i += 4) {
            red += rgba[i] === 255 && rgba[i + 1] === 0 && rgba[i + 2] === 0;
            blue += rgba[i] === 0 && rgba[i + 1] === 0 && rgba[i + 2] === 255;
          }
          const color = red > blue ? 'red' : 'blue';
          if (colors.at(-1) !== color) colors.push(color);
          if (colors.length === 3) {
            clearTimeout(timeout);
            done();
          }
        };
      }));
      assert.equal(seen.length, 3, `colours seen in 8 s: ${seen.join(', ')}`);
    });

    it('moves the player with the arrow keys at once, without scrolling the page', async () => {
      assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
      // The classic game's player first has to overcome its fall.
      for (const key of rules === 'classic' ? ['ArrowUp', 'ArrowRight'] : ['ArrowRight', 'ArrowUp']) {
        const moved = await hold(page, key);
        assert.ok(moved > 5, `${key} held: the player moved ${moved} pixels that way`);
      }
      assert.equal(await page.evaluate(() => window.scrollY), 0);
    });

    it('ends on a held Escape and reports no error', async () => {
      await quit(page);
      assert.deepEqual(problems, []);
    });
  });
}

describe('the recommended game, without the start screen', () => {
  before(() => { problems = []; });
  after(() => assert.deepEqual(problems, []));

  it('shows the score in the top left corner and a summary at the end', async () => {
    const page = await openPage(chromium.browser, server.url, 'start=0', problems);
    await firstFrame(page);
    await new Promise((resolve) => setTimeout(resolve, 1500));
    const shot = await picture(page);
    // The time played in white, a row per character in its colour.
    const counts = execFileSync('convert', [shot, '-crop', '180x60+0+0', '-depth', '8', 'rgb:-'],
      { maxBuffer: 1 << 22 });
    let white = 0, blue = 0, green = 0;
    for (let i = 0; i < counts.length; i += 3) {
      const [r, g, b] = [counts[i], counts[i + 1], counts[i + 2]];
      white += r > 200 && g > 200 && b > 200;
      blue += r < 60 && g < 60 && b > 200;
      green += r < 60 && g > 200 && b < 60;
    }
    assert.ok(white > 20 && blue > 20 && green > 20, `score pixels: ${white} ${blue} ${green}`);
    await quit(page);
    const status = await page.$eval('#status', (e) => e.textContent);
    assert.match(status, /played \d+:\d\d/);
    assert.match(status, /you \(blue\) +"it" \d+:\d\d/);
    assert.match(status, /arena of seed \d+/);
    // Emscripten's notes for developers stay on the console.
    assert.doesNotMatch(status, /SDL_Quit/);
    await page.close();
  });
});

describe('the start screen, the page\'s default', () => {
  before(() => { problems = []; });
  after(() => assert.deepEqual(problems, []));


  it('chooses and plays with keys, pauses, sounds after the first key and keeps the record', async () => {
    const page = await openPage(chromium.browser, server.url, 'start=0&recommended=0', problems);
    // When each audio context was made, and when the first key came.
    await page.evaluateOnNewDocument(() => {
      window.skivoAudio = [];
      for (const name of ['AudioContext', 'webkitAudioContext']) {
        const Made = window[name];
        if (!Made) continue;
        window[name] = class extends Made {
          constructor(...args) {
            super(...args);
            window.skivoAudio.push({ at: performance.now(), context: this });
          }
        };
      }
      document.addEventListener('keydown', () => { window.skivoFirstKey ??= performance.now(); },
        true);
    });
    await page.goto(server.url);
    await firstFrame(page);
    await pause(500);
    const menu = await picture(page);
    assert.throws(() => player(menu), /nowhere/, 'a game before Enter');
    assert.equal(await page.evaluate(() => window.skivoAudio.length), 0, 'sound before a key');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowLeft');  // opponents: adaptive, then easy
    await page.keyboard.press('Enter');
    await pause(1500);
    player(await picture(page));
    const audio = await page.evaluate(() => window.skivoAudio.map((a) => ({
      after: a.at >= window.skivoFirstKey, state: a.context.state })));
    assert.ok(audio.length >= 1 && audio.every((a) => a.after) &&
      audio.some((a) => a.state === 'running'), `audio contexts: ${JSON.stringify(audio)}`);
    // Paused, the picture stands still.
    await page.keyboard.press('p');
    await pause(300);
    const a = pixels(await picture(page));
    await pause(1000);
    const b = pixels(await picture(page));
    assert.ok(a.equals(b), 'paused, the picture changed');
    await page.keyboard.press('p');
    await pause(1000);
    assert.ok(!b.equals(pixels(await picture(page))), 'P again did not play on');
    // Escape: the summary; Enter: the start screen; Escape there: the end.
    await page.keyboard.press('Escape');
    await pause(500);
    const summary = await picture(page);
    assert.throws(() => player(summary), /nowhere/, 'still a game after Escape');
    await page.keyboard.press('Enter');
    await pause(300);
    await quit(page);
    const kept = await page.evaluate(() => [localStorage.getItem('skivo.user.settings.txt'),
      localStorage.getItem('skivo.user.history.txt')]);
    assert.match(kept[0] ?? '', /^skivo-settings 1\n(.*\n)*opponents easy\n/);
    assert.match(kept[1] ?? '', /^skivo-history 1\n\S+ full easy plain [\d.]+ [\d.]+ \d+\n$/);
    await page.close();
  });
});

describe('a gamepad, through the browser\'s gamepad interface', () => {
  before(() => { problems = []; });
  after(() => assert.deepEqual(problems, []));

  it('starts a game from the start screen, steers the player and pauses it', async () => {
    const page = await openPage(chromium.browser, server.url, 'start=0&recommended=0', problems);
    // One standard pad, as a browser shows it once a button was pressed.
    await page.evaluateOnNewDocument(() => {
      const button = () => ({ pressed: false, touched: false, value: 0 });
      window.skivoPad = { id: 'test pad', index: 0, connected: true, mapping: 'standard',
        timestamp: 0, axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, button) };
      Object.defineProperty(navigator, 'getGamepads',
        { value: () => [window.skivoPad, null, null, null] });
      window.skivoPress = (b, down) => {
        Object.assign(window.skivoPad.buttons[b], { pressed: down, value: down ? 1 : 0 });
        window.skivoPad.timestamp += 1;
      };
    });
    await page.goto(server.url);
    await firstFrame(page);
    const tap = async (b) => {
      await page.evaluate((k) => window.skivoPress(k, true), b);
      await pause(200);
      await page.evaluate((k) => window.skivoPress(k, false), b);
      await pause(200);
    };
    await pause(300);
    await tap(0);  // the first button: Enter
    await pause(1000);
    player(await picture(page));
    // A stick at rest a little off centre leaves the player still.
    await page.evaluate(() => { window.skivoPad.axes = [0.1, 0.1, 0, 0]; });
    const stick = (x, y) => () => page.evaluate((a) => { window.skivoPad.axes = a; }, [x, y, 0, 0]);
    const moved = await hold(page, 'ArrowRight', stick(1, 0), stick(0.1, 0.1));
    assert.ok(moved > 5, `stick right: the player moved ${moved} pixels that way`);
    await tap(9);  // Start: pause
    const a = pixels(await picture(page));
    await pause(1000);
    assert.ok(a.equals(pixels(await picture(page))), 'paused by Start, the picture changed');
    await tap(9);
    await page.keyboard.press('Escape');
    await pause(300);
    await page.keyboard.press('Enter');
    await pause(300);
    await quit(page);
    await page.close();
  });
});

describe('the learners\' tables', () => {
  // A view learner's table: a first line naming its kind, then numbers.
  const trainedText = fs.readFileSync(path.join(trainedDir, 'full-1.txt'), 'utf8');
  const trained = table(trainedText);
  const stored = (page, key) => page.evaluate((k) => localStorage.getItem(k), key);
  before(() => { problems = []; });
  after(() => assert.deepEqual(problems, []));

  it('start from the trained tables and are kept in the browser\'s storage', async () => {
    const page = await openPage(chromium.browser, server.url, 'trained=1&remember=1&start=0',
      problems);
    await firstFrame(page);
    assert.equal(await page.$eval('#trained-choice', (e) => e.hidden), false);
    await new Promise((resolve) => setTimeout(resolve, 1000));
    await quit(page);
    const kept = table(await stored(page, 'skivo.full.trained.tactics1'));
    assert.equal(kept.length, trained.length);
    // A second of play changes a few entries at most.
    assert.ok(sameEntries(kept, trained) >= trained.length - 60, `${kept} after ${trained}`);
    await page.close();
  });

  it('come back from the storage in the next game, per rule set and kind of opponent', async () => {
    const page = await openPage(chromium.browser, server.url, 'rules=classic&start=0', problems);
    await page.evaluate((text) => localStorage.setItem('skivo.classic.learning.tactics1', text),
      trainedText);
    await page.goto(`${server.url}?rules=classic&remember=1&start=0`);
    await firstFrame(page);
    await quit(page);
    const kept = table(await stored(page, 'skivo.classic.learning.tactics1'));
    assert.ok(sameEntries(kept, trained) >= trained.length - 60, `${kept} after ${trained}`);
    assert.equal(table(await stored(page, 'skivo.classic.learning.tactics2')).length, 80);
    assert.equal(await stored(page, 'skivo.classic.trained.tactics1'), null);
    await page.close();
  });

  it('are refused, and left as they are, when what is stored is not a whole table', async () => {
    const page = await openPage(chromium.browser, server.url, '', problems);
    await page.evaluate(() => localStorage.setItem('skivo.full.learning.tactics2', '0.5\nbanana\n'));
    await page.goto(`${server.url}?remember=1&start=0`);
    await page.waitForFunction(
      () => document.getElementById('status').textContent.includes('exit status 2'));
    assert.match(await page.$eval('#status', (e) => e.textContent),
      /cannot load tactics file '\/remember\/full-2\.txt': read 1 of 80 values/);
    assert.equal(await stored(page, 'skivo.full.learning.tactics2'), '0.5\nbanana\n');
    assert.equal(await page.evaluate(() => window.skivoFrames), 0);
    await page.close();
  });
});

describe('a browser that takes the drawing away', () => {
  it('tells the player to reload the page, and reports it', async () => {
    problems = [];
    const page = await openPage(chromium.browser, server.url, 'recommended=0&start=0', problems);
    await firstFrame(page);
    await page.evaluate(() => window.Module.ctx.getExtension('WEBGL_lose_context').loseContext());
    await page.waitForFunction(
      () => document.getElementById('status').textContent.includes('stopped the game\'s drawing'));
    assert.match(problems.join('\n'), /WebGL context lost/);
    await page.close();
  });
});
