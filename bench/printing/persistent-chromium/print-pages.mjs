// Prints a list of pages the way a person would script it today: one headless Chromium for the
// whole list, each page loaded, saved as PDF and handed to a print queue with lp.
//
//   node print-pages.mjs QUEUE LIST
//
// LIST holds one address a line. Ends with status 1 when any page failed, after trying them all.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

const [queue, listFile] = process.argv.slice(2);
if (!queue || !listFile) {
  console.error('usage: node print-pages.mjs QUEUE LIST');
  process.exit(2);
}
const addresses = readFileSync(listFile, 'utf8').split('\n').map((line) => line.trim()).filter(Boolean);

const work = mkdtempSync(join(tmpdir(), 'persistent-chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: [
    '--headless',
    '--no-sandbox',
    '--disable-gpu',
    '--disable-quic',
    '--no-first-run',
    '--disable-background-networking',
    '--disable-component-update',
    '--disable-sync',
    `--user-data-dir=${join(work, 'profile')}`,
  ],
});
let failures = 0;
try {
  const page = await browser.newPage();
  for (const address of addresses) {
    try {
      await page.goto(address, { waitUntil: 'load', timeout: 60_000 });
      const pdf = join(work, 'page.pdf');
      await page.pdf({ path: pdf, format: 'A4', margin: { top: '1cm', right: '1cm', bottom: '1cm', left: '1cm' } });
      execFileSync('lp', ['-d', queue, '-t', (await page.title()) || address, pdf], { stdio: ['ignore', 'ignore', 'inherit'] });
    } catch (error) {
      failures += 1;
      console.error(`${address}: ${error.message}`);
    }
  }
} finally {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
}
process.exitCode = failures ? 1 : 0;
