// The web site served on this machine and Debian's Chromium, headless, with a
// fresh profile: what the page test and scripts/measure-web share.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

// Serves the folder site on 127.0.0.1 at a free port; resolves to { url, stop }.
export function serve(site) {
  const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1',
    '--directory', site, '0'], { stdio: ['ignore', 'pipe', 'ignore'] });
  return new Promise((resolve, reject) => {
    let seen = '';
    const timer = setTimeout(() => {
      server.kill();
      reject(new Error('the web server did not start within 10 s'));
    }, 10000);
    server.on('exit', (code) => reject(new Error(`the web server stopped (status ${code})`)));
    server.stdout.on('data', (chunk) => {
      const port = /port (\d+)/.exec(seen += chunk);
      if (!port) return;
      clearTimeout(timer);
      resolve({ url: `http://127.0.0.1:${port[1]}/`, stop: () => server.kill() });
    });
  });
}

// Debian's Chromium (never a downloaded one), drawing WebGL in software.
// Resolves to { browser, close }; close also removes the profile.
export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'skivo-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
    args: ['--no-sandbox', '--use-gl=swiftshader', '--enable-unsafe-swiftshader',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--no-first-run'],
  });
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// Opens the page with the query (e.g. 'rules=classic'), adding every error the
// browser reports to problems; cache false fetches everything anew.
export async function openPage(browser, url, query, problems, { cache = true } = {}) {
  const page = await browser.newPage();
  await page.setCacheEnabled(cache);
  page.on('console', (m) => m.type() === 'error' && problems.push(`console: ${m.text()}`));
  page.on('pageerror', (e) => problems.push(`uncaught: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`request ${r.url()}: ${r.failure()?.errorText}`));
  await page.setViewport({ width: 800, height: 600 });
  await page.goto(`${url}?${query}`);
  return page;
}

export async function firstFrame(page) {  // resolves once the game has drawn its first frame
  await page.waitForFunction('window.skivoFrames > 0', { timeout: 20000 });
}
