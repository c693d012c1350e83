// Start-up of the site against a floor page (one line of text in the same font) from the same
// server, in headless Chromium, alternately, each run in a fresh browser profile context (a
// first visit: nothing cached). Velkora counts until the form is complete and ready for typing
// (Form_Load done, the caret in the inch box) and painted; the floor until its line is painted.
import { copyFileSync, mkdtempSync, readdirSync, rmSync } from 'node:fs';
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

const ready = {
    velkora: "document.documentElement.dataset.ready === 'true' && document.activeElement.id === 'txtWidth'",
    floor: "document.readyState === 'complete'",
};

async function run(name, path) {
    const { browserContextId } = await browser.send('Target.createBrowserContext');
    const { targetId } = await browser.send('Target.createTarget', { url: 'about:blank', browserContextId });
    const { sessionId } = await browser.send('Target.attachToTarget', { targetId, flatten: true });
    const page = new Page(browser, sessionId);
    await page.send('Page.enable');
    await page.send('Emulation.setFocusEmulationEnabled', { enabled: true });
    await page.send('Page.navigate', { url: `${server.origin}/${path}` });
    await page.waitFor(`${ready[name]} && performance.getEntriesByName('first-contentful-paint').length > 0`);
    const ms = await page.evaluate(`Math.max(performance.getEntriesByName('first-contentful-paint')[0].startTime,
        (performance.getEntriesByName('velkora-ready')[0] || { startTime: 0 }).startTime)`);
    await browser.send('Target.disposeBrowserContext', { browserContextId });
    return ms;
}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = sorted.length >> 1;
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

await run('floor', 'floor.html');
await run('velkora', '');
const times = { velkora: [], floor: [] };
const ratios = [];
for (let i = 0; i < Number(pairs); ++i) {
    const floor = await run('floor', 'floor.html');
    const velkora = await run('velkora', '');
    times.floor.push(floor);
    times.velkora.push(velkora);
    ratios.push(velkora / floor);
}
console.log(`pairs: ${pairs}`);
console.log(`velkora, navigation to ready for typing: median ${median(times.velkora).toFixed(1)} ms`);
console.log(`floor, navigation to its line painted:   median ${median(times.floor).toFixed(1)} ms`);
console.log(`median of pair ratios: ${median(ratios).toFixed(3)}`);
await browser.close();
await server.close();
rmSync(root, { recursive: true, force: true });
