// Start-up of the site against two reference pages from the same server, in headless Chromium,
// in alternating rounds, each visit pair in a fresh browser context:
// - the static page: the site's own page with its scripts taken out, kept and served by the
//   site's own service worker (registered from outside): the cost of painting the form itself,
//   which no script can beat;
// - the one-line page: one line of text in the same font, from the browser's cache when warm.
// Cold is the first visit, nothing cached; warm is the next visit in the same context.
// For Velkora two moments count: the complete form painted with the caret in the inch box (the
// largest paint, once the caret is there), and the module ready (Form_Load run, input reaching
// the form). The reference pages count until they are painted and loaded.
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from '../../tests/web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js';
import { serve } from '../../tests/web/engines.mjs';

const [site, rounds = '11'] = process.argv.slice(2);
const root = mkdtempSync(join(tmpdir(), 'velkora-bench-'));
const here = new URL('.', import.meta.url).pathname;
mkdirSync(join(root, 'static'));
for (const file of readdirSync(site)) {
    copyFileSync(join(site, file), join(root, file));
    copyFileSync(join(site, file), join(root, 'static', file));
}
for (const file of ['floor.html', 'floor.css'])
    copyFileSync(join(here, file), join(root, file));
// The static page: every script, and what only a script uses, taken out of each language's page.
for (const file of readdirSync(site).filter((name) => /^index(\.\w+)?\.html$/.test(name))) {
    const page = readFileSync(join(site, file), 'utf8').split('\n')
        .filter((line) => !/<script|rel="modulepreload"|href="velkora\.wasm"/.test(line)).join('\n');
    writeFileSync(join(root, 'static', file), page);
}

const server = await serve(root);
const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu'] });

// A site whose page holds the form hidden until the module shows it (as before the form was in
// the page's HTML) has its form painted only once the module is ready.
const shownByModule = readFileSync(join(site, 'index.html'), 'utf8').includes('id="frmVelkora" hidden');

const pages = {
    velkora: { path: '', done: "document.documentElement.dataset.ready === 'true' && document.activeElement.id === 'txtWidth'" },
    static: { path: 'static/', done: "document.readyState === 'complete'" },
    floor: { path: 'floor.html', done: "document.readyState === 'complete'" },
};

async function visit(page, name) {
    page.goto(`${server.origin}/${pages[name].path}`).catch(() => {});
    await page.waitForFunction(`${pages[name].done} && performance.getEntriesByName('first-contentful-paint').length > 0`,
        { polling: 10 });
    // The largest paint is reported a moment after it happens.
    await new Promise((resolve) => setTimeout(resolve, 100));
    return page.evaluate(`new Promise((resolve) => {
        let largest = 0;
        new PerformanceObserver((list) => { for (const e of list.getEntries()) largest = e.startTime; })
            .observe({ type: 'largest-contentful-paint', buffered: true });
        setTimeout(() => {
            const first = performance.getEntriesByName('first-contentful-paint')[0].startTime;
            const ready = (performance.getEntriesByName('velkora-ready')[0] || { startTime: 0 }).startTime;
            resolve({ first, largest, ready, painted: Math.max(first, largest, ${shownByModule} ? ready : 0) });
        }, 0);
    })`);
}

async function pair(name) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const cdp = await page.createCDPSession();
    await cdp.send('Emulation.setFocusEmulationEnabled', { enabled: true });
    const cold = await visit(page, name);
    // The static page has no script to register the worker: it is registered from outside.
    if (name === 'static')
        await page.evaluate("navigator.serviceWorker.register('sw.js')");
    if (name !== 'floor')
        await page.waitForFunction('navigator.serviceWorker.ready.then(() => !!navigator.serviceWorker.controller)');
    const warm = await visit(page, name);
    if (name !== 'floor' && !await page.evaluate('!!navigator.serviceWorker.controller'))
        throw new Error(`the ${name} page was not served by its service worker`);
    await context.close();
    return { cold, warm };
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = sorted.length >> 1;
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

for (const name of Object.keys(pages))
    await pair(name);
const runs = { velkora: [], static: [], floor: [] };
for (let i = 0; i < Number(rounds); ++i) {
    for (const name of Object.keys(pages))
        runs[name].push(await pair(name));
}
const ms = (value) => `${value.toFixed(1)} ms`;
const ratio = (values, references) => median(values.map((value, i) => value / references[i])).toFixed(3);
console.log(`rounds: ${rounds}`);
for (const visitKind of ['cold', 'warm']) {
    const of = (name, moment = 'painted') => runs[name].map((run) => run[visitKind][moment]);
    const [painted, ready] = [of('velkora'), of('velkora', 'ready')];
    console.log(`${visitKind}: velkora form painted ${ms(median(painted))}, module ready ${ms(median(ready))}; `
        + `static page painted ${ms(median(of('static')))}, one-line page ${ms(median(of('floor')))}; first paints ${['velkora', 'static', 'floor'].map((name) => ms(median(of(name, 'first')))).join(', ')}`);
    console.log(`  velkora painted / static page ${ratio(painted, of('static'))}, / one-line page ${ratio(painted, of('floor'))}; `
        + `module ready / static page ${ratio(ready, of('static'))}`);
}
await browser.close();
await server.close();
rmSync(root, { recursive: true, force: true });
