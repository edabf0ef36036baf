// Prints a list of pages the way a person would script it today: one headless Chromium for the
// whole list, each page loaded, saved as PDF and handed to a print queue with lp.
//
//   node print-pages.mjs [--pages-in-flight N] [--scroll-first] QUEUE LIST
//
// LIST holds one address a line. With N pages in flight (1 by default), N tabs load and save
// pages side by side, so that the next pages load while one is saved or handed over; the jobs
// still reach the queue in the list's order. With --scroll-first, each page is scrolled through a
// view at a time before it is saved, as people script it to bring pictures that load only in
// view. Ends with status 1 when any page failed, after trying them all.
import { execFile } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { parseArgs, promisify } from 'node:util';
import puppeteer from 'puppeteer-core';

const usage = 'usage: node print-pages.mjs [--pages-in-flight N] [--scroll-first] QUEUE LIST';
let options;
try {
  options = parseArgs({
    options: { 'pages-in-flight': { type: 'string', default: '1' }, 'scroll-first': { type: 'boolean', default: false } },
    allowPositionals: true,
  });
} catch (error) {
  console.error(`${error.message}\n${usage}`);
  process.exit(2);
}
const [queue, listFile] = options.positionals;
const pagesInFlight = Number(options.values['pages-in-flight']);
if (!queue || !listFile || options.positionals.length > 2 || !Number.isInteger(pagesInFlight) || pagesInFlight < 1) {
  console.error(usage);
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

// The recipe people share for pictures that load only in view: a view's height at a time with a
// short wait for the page's scripts, back to the top, then wait until the network has been quiet.
async function scrollThrough(tab) {
  await tab.evaluate(async () => {
    for (let top = 0; top < document.documentElement.scrollHeight; top += window.innerHeight) {
      window.scrollTo(0, top);
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    window.scrollTo(0, 0);
  });
  await tab.waitForNetworkIdle({ idleTime: 500, timeout: 30_000 });
}

// Loads the page in the tab and saves it as PDF; gives the file and the job's title.
async function save(tab, address, index) {
  await tab.goto(address, { waitUntil: 'load', timeout: 60_000 });
  if (options.values['scroll-first']) await scrollThrough(tab);
  const pdf = join(work, `page${index}.pdf`);
  await tab.pdf({ path: pdf, format: 'A4', margin: { top: '1cm', right: '1cm', bottom: '1cm', left: '1cm' } });
  return { pdf, title: (await tab.title()) || address };
}

// A page's hand-over waits for the one before it, whichever tab finished first.
let handedOver = Promise.resolve();
let failures = 0;
function handOver(saving, address) {
  // Caught at once: a page that fails while an earlier one waits for lp is no unhandled rejection.
  const saved = saving.catch((failure) => ({ failure }));
  handedOver = handedOver.then(async () => {
    const { pdf, title, failure } = await saved;
    try {
      if (failure) throw failure;
      await promisify(execFile)('lp', ['-d', queue, '-t', title, pdf]);
      rmSync(pdf, { force: true });
    } catch (error) {
      failures += 1;
      console.error(`${address}: ${error.message}`);
    }
  });
  return handedOver;
}

try {
  const tabs = await Promise.all(Array.from({ length: pagesInFlight }, () => browser.newPage()));
  let next = 0;
  // Each tab takes the next page of the list as soon as its last one is handed over.
  await Promise.all(
    tabs.map(async (tab) => {
      while (next < addresses.length) {
        const index = next++;
        await handOver(save(tab, addresses[index], index), addresses[index]);
      }
    }),
  );
} finally {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
}
process.exitCode = failures ? 1 : 0;
