// Start-up of the site against a floor page (one line of text in the same font) from the same
// server, in headless Chromium, in alternating pairs, each pair in fresh browser contexts:
// - cold: the first visit, nothing cached;
// - warm: the next visit in the same context, Velkora from its service worker's cache (the
//   daily case), the floor from the browser's cache.
// For Velkora two moments count: the complete form painted with the caret in the inch box (the
// largest paint, once the caret is there), and the module ready (Form_Load run, input reaching
// the form). The floor counts until its line is painted.
import { copyFileSync, mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { Browser, Page, serve } from '../../tests/web/cdp.mjs';

const [site, pairs = '11'] = process.argv.slice(2);
const root = mkdtempSync(join(tmpdir(), 'velkora-bench-'));
for (const file of readdirSync(site))
    copyFileSync(join(site, file), join(root, file));
for (const file of ['floor.html', 'floor.css'])
    copyFileSync(join(import.meta.dirname ?? new URL('.', import.meta.url).pathname, file), join(root, file));

const server = await serve(root);
const { browser } = await Browser.launch();

// A site whose page holds the form hidden until the module shows it (as before the form was in
// the page's HTML) has its form painted only once the module is ready.
const shownByModule = readFileSync(join(site, 'index.html'), 'utf8').includes('id="frmVelkora" hidden');

async function open(browserContextId) {
    const { targetId } = await browser.send('Target.createTarget', { url: 'about:blank', browserContextId });
    const { sessionId } = await browser.send('Target.attachToTarget', { targetId, flatten: true });
    const page = new Page(browser, sessionId);
    await page.send('Page.enable');
    await page.send('Emulation.setFocusEmulationEnabled', { enabled: true });
    return page;
}

async function visit(page, name, path) {
    await page.send('Page.navigate', { url: `${server.origin}/${path}` });
    const done = name === 'velkora'
        ? "document.documentElement.dataset.ready === 'true' && document.activeElement.id === 'txtWidth'"
        : "document.readyState === 'complete'";
    await page.waitFor(`${done} && performance.getEntriesByName('first-contentful-paint').length > 0`);
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

async function pair(name, path) {
    const { browserContextId } = await browser.send('Target.createBrowserContext');
    const page = await open(browserContextId);
    const cold = await visit(page, name, path);
    if (name === 'velkora')
        await page.waitFor('navigator.serviceWorker.ready.then(() => !!navigator.serviceWorker.controller)');
    const warm = await visit(page, name, path);
    await browser.send('Target.disposeBrowserContext', { browserContextId });
    return { cold, warm };
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = sorted.length >> 1;
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

await pair('floor', 'floor.html');
await pair('velkora', '');
const runs = { velkora: [], floor: [] };
for (let i = 0; i < Number(pairs); ++i) {
    runs.floor.push(await pair('floor', 'floor.html'));
    runs.velkora.push(await pair('velkora', ''));
}
const ms = (value) => `${value.toFixed(1)} ms`;
console.log(`pairs: ${pairs}`);
for (const visitKind of ['cold', 'warm']) {
    const floor = runs.floor.map((run) => run[visitKind].painted);
    const painted = runs.velkora.map((run) => run[visitKind].painted);
    const ready = runs.velkora.map((run) => run[visitKind].ready);
    const paintRatios = painted.map((value, i) => value / floor[i]);
    const readyRatios = ready.map((value, i) => value / floor[i]);
    console.log(`${visitKind}: floor painted ${ms(median(floor))}; velkora form painted ${ms(median(painted))} `
        + `(median of pair ratios ${median(paintRatios).toFixed(3)}), module ready ${ms(median(ready))} `
        + `(${median(readyRatios).toFixed(3)}); velkora's first paint ${ms(median(runs.velkora.map((run) => run[visitKind].first)))}, `
        + `largest ${ms(median(runs.velkora.map((run) => run[visitKind].largest)))}`);
}
await browser.close();
await server.close();
rmSync(root, { recursive: true, force: true });
