// Size and speed of the web build in Debian's headless Chromium, served on
// this machine: bytes transferred for one load of the page and the time from
// navigation to its first frame, the cache empty each time; frames per second.
//   node scripts/measure-web.mjs SITE [LOADS] [SECONDS]
import { firstFrame, launch, openPage, serve } from '../tests/web/chromium.mjs';

const [site, loadsArg = '5', secondsArg = '10'] = process.argv.slice(2);
if (!site) {
  console.error('usage: node scripts/measure-web.mjs SITE [LOADS] [SECONDS]');
  process.exit(2);
}
const loads = Number(loadsArg);
const seconds = Number(secondsArg);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

const server = await serve(site);
const chromium = await launch();
const problems = [];
try {
  for (const rules of ['full', 'classic']) {
    const firstFrames = [];
    let bytes = 0;
    let files = 0;
    for (let k = 0; k < loads; ++k) {
      const page = await openPage(chromium.browser, server.url, `rules=${rules}`, problems,
        { cache: false });
      await firstFrame(page);
      firstFrames.push(await page.evaluate(() => window.skivoFirstFrame));
      [bytes, files] = await page.evaluate(() => {
        const entries = [...performance.getEntriesByType('navigation'),
          ...performance.getEntriesByType('resource')];
        return [entries.reduce((sum, e) => sum + e.transferSize, 0), entries.length];
      });
      await page.close();
    }
    const page = await openPage(chromium.browser, server.url, `rules=${rules}`, problems);
    await firstFrame(page);
    await sleep(1000);
    const count = () => page.evaluate(() => [window.skivoFrames, performance.now()]);
    const [frames0, t0] = await count();
    await sleep(seconds * 1000);
    const [frames1, t1] = await count();
    await page.close();
    console.log(`${rules}: ${bytes} bytes in ${files} transfers; first frame after ` +
      `${median(firstFrames).toFixed(0)} ms (median of ${loads} loads, ` +
      `${Math.min(...firstFrames).toFixed(0)}-${Math.max(...firstFrames).toFixed(0)}); ` +
      `${((frames1 - frames0) / ((t1 - t0) / 1000)).toFixed(1)} frames/s over ${seconds} s`);
  }
} finally {
  await chromium.close();
  server.stop();
}
if (problems.length > 0) {
  console.error(problems.join('\n'));
  process.exit(1);
}
