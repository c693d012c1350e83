// Headless Chromium driven over the DevTools protocol on a pipe, and a static server for the
// site on 127.0.0.1 that can be stopped (the network cut) and that logs what is asked of it.
import { spawn } from 'node:child_process';
import { createServer } from 'node:http';
import { mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import { inflateSync } from 'node:zlib';

const types = {
    '.html': 'text/html', '.mjs': 'text/javascript', '.js': 'text/javascript', '.css': 'text/css',
    '.wasm': 'application/wasm', '.png': 'image/png', '.svg': 'image/svg+xml',
    '.webmanifest': 'application/manifest+json',
};

export async function serve(root) {
    const requests = [];
    const server = createServer((request, response) => {
        requests.push(request.url);
        let path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
        if (path.endsWith('/'))
            path += 'index.html';
        const file = join(root, path);
        try {
            if (!file.startsWith(root) || !statSync(file).isFile())
                throw new Error();
            response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream', 'Cache-Control': 'no-cache' });
            response.end(readFileSync(file));
        } catch {
            response.writeHead(404);
            response.end();
        }
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const origin = `http://127.0.0.1:${server.address().port}`;
    return {
        origin, requests,
        close: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
    };
}

export class Browser {
    static async launch(extra = []) {
        const profile = mkdtempSync(join(tmpdir(), 'velkora-chromium-'));
        const child = spawn(process.env.CHROMIUM || 'chromium', ['--headless', '--no-sandbox', '--disable-gpu',
            '--disable-quic', '--no-first-run', '--disable-background-networking', '--disable-component-update',
            '--disable-sync', '--disable-extensions', '--hide-scrollbars', '--mute-audio', `--user-data-dir=${profile}`,
            '--remote-debugging-pipe', ...extra, 'about:blank'], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'], detached: true });
        const browser = new Browser(child, profile);
        const { targetInfos } = await browser.send('Target.getTargets');
        const page = targetInfos.find((t) => t.type === 'page');
        const { sessionId } = await browser.send('Target.attachToTarget', { targetId: page.targetId, flatten: true });
        const tab = new Page(browser, sessionId);
        // The page has the focus, as the window in front has on a desktop.
        await tab.send('Emulation.setFocusEmulationEnabled', { enabled: true });
        return { browser, page: tab };
    }

    constructor(child, profile) {
        this.child = child;
        this.profile = profile;
        this.next = 1;
        this.waiting = new Map();
        this.listeners = [];
        let buffered = '';
        child.stdio[4].on('data', (chunk) => {
            buffered += chunk.toString('utf8');
            let end;
            while ((end = buffered.indexOf('\0')) >= 0) {
                const message = JSON.parse(buffered.slice(0, end));
                buffered = buffered.slice(end + 1);
                if (message.id && this.waiting.has(message.id)) {
                    const { resolve, reject } = this.waiting.get(message.id);
                    this.waiting.delete(message.id);
                    if (message.error)
                        reject(new Error(`${message.error.message} (${message.error.data || ''})`));
                    else
                        resolve(message.result);
                } else if (message.method) {
                    for (const listener of this.listeners)
                        listener(message);
                }
            }
        });
    }

    // A page in a browser context of its own: nothing cached, no service worker, no storage.
    async freshPage() {
        const { browserContextId } = await this.send('Target.createBrowserContext');
        const { targetId } = await this.send('Target.createTarget', { url: 'about:blank', browserContextId });
        const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true });
        const page = new Page(this, sessionId);
        await page.send('Emulation.setFocusEmulationEnabled', { enabled: true });
        return { page, close: () => this.send('Target.disposeBrowserContext', { browserContextId }) };
    }

    send(method, params = {}, sessionId) {
        const id = this.next++;
        this.child.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
        return new Promise((resolve, reject) => this.waiting.set(id, { resolve, reject }));
    }

    async close() {
        // Chromium's helper processes go with it: they share its process group.
        const exited = new Promise((resolve) => this.child.once('exit', resolve));
        process.kill(-this.child.pid, 'SIGKILL');
        await exited;
        rmSync(this.profile, { recursive: true, force: true, maxRetries: 10 });
    }
}

const keys = {
    Enter: { code: 'Enter', keyCode: 13, text: '\r' },
    Tab: { code: 'Tab', keyCode: 9 },
    Escape: { code: 'Escape', keyCode: 27 },
    Backspace: { code: 'Backspace', keyCode: 8 },
    ArrowDown: { code: 'ArrowDown', keyCode: 40 },
    ArrowUp: { code: 'ArrowUp', keyCode: 38 },
};

export class Page {
    constructor(browser, sessionId) {
        this.browser = browser;
        this.sessionId = sessionId;
    }

    send(method, params) {
        return this.browser.send(method, params, this.sessionId);
    }

    on(method, listener) {
        this.browser.listeners.push((message) => {
            if (message.method === method && message.sessionId === this.sessionId)
                listener(message.params);
        });
    }

    // Every message of the page's console and the browser's log about it that is a warning or an
    // error, as "level: text", collected from now on.
    async collectProblems() {
        const problems = [];
        const serious = (level) => ['warning', 'error', 'assert'].includes(level);
        this.on('Runtime.consoleAPICalled', (event) => {
            if (serious(event.type))
                problems.push(`${event.type}: ${event.args.map((arg) => arg.value ?? arg.description).join(' ')}`);
        });
        this.on('Runtime.exceptionThrown', (event) => problems.push(`exception: ${event.exceptionDetails.exception?.description
            ?? event.exceptionDetails.text}`));
        this.on('Log.entryAdded', (event) => {
            if (serious(event.entry.level))
                problems.push(`${event.entry.level}: ${event.entry.text} ${event.entry.url || ''}`);
        });
        await this.send('Runtime.enable');
        await this.send('Log.enable');
        return problems;
    }

    async evaluate(expression) {
        const { result, exceptionDetails } = await this.send('Runtime.evaluate',
            { expression, returnByValue: true, awaitPromise: true });
        if (exceptionDetails)
            throw new Error(`${expression}: ${exceptionDetails.exception?.description || exceptionDetails.text}`);
        return result.value;
    }

    async waitFor(expression, timeout = 10000) {
        const end = Date.now() + timeout;
        for (;;) {
            const value = await this.evaluate(expression).catch(() => undefined);
            if (value)
                return value;
            if (Date.now() > end)
                throw new Error(`timed out waiting for ${expression}`);
            await new Promise((resolve) => setTimeout(resolve, 20));
        }
    }

    async open(url) {
        await this.send('Page.navigate', { url });
        await this.waitFor("document.documentElement.dataset.ready === 'true'");
    }

    // A key as the keyboard sends it: a name from the table above or one printable character,
    // with modifiers 1 Alt, 2 Ctrl, 4 Meta, 8 Shift.
    async press(key, modifiers = 0) {
        const known = keys[key];
        const upper = key.length === 1 ? key.toUpperCase() : '';
        const code = known ? known.code : /[a-z]/i.test(key) ? `Key${upper}` : /[0-9]/.test(key) ? `Digit${key}` : '';
        const keyCode = known ? known.keyCode : upper.charCodeAt(0);
        // With Alt held a letter types nothing; the access key is found from its unmodified text.
        const unmodifiedText = known ? known.text : key;
        const text = modifiers & 1 ? undefined : unmodifiedText;
        const base = { key, code, windowsVirtualKeyCode: keyCode, nativeVirtualKeyCode: keyCode, modifiers };
        await this.send('Input.dispatchKeyEvent', { type: text || modifiers & 1 ? 'keyDown' : 'rawKeyDown', text, unmodifiedText, ...base });
        await this.send('Input.dispatchKeyEvent', { type: 'keyUp', ...base });
    }

    async type(text) {
        for (const key of text)
            await this.press(key);
    }

    async centre(selector) {
        return this.evaluate(`(() => { const r = document.querySelector(${JSON.stringify(selector)}).getBoundingClientRect();
            return { x: r.left + r.width / 2, y: r.top + r.height / 2 }; })()`);
    }

    async click(selector) {
        const { x, y } = await this.centre(selector);
        for (const type of ['mousePressed', 'mouseReleased'])
            await this.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
    }

    async tap(selector) {
        const { x, y } = await this.centre(selector);
        await this.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
        await this.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    }

    // The accessibility tree as a screen reader gets it: role, name, value and properties.
    async accessibility() {
        const { nodes } = await this.send('Accessibility.getFullAXTree');
        return nodes.filter((node) => !node.ignored).map((node) => ({
            role: node.role?.value,
            name: node.name?.value,
            description: node.description?.value,
            properties: Object.fromEntries((node.properties || []).map((p) => [p.name, p.value.value])),
            node: node.backendDOMNodeId,
        }));
    }

    // The colour painted at a point of the page, as [r, g, b].
    async pixel(x, y) {
        const { data } = await this.send('Page.captureScreenshot',
            { format: 'png', clip: { x, y, width: 1, height: 1, scale: 1 } });
        return decodePng(Buffer.from(data, 'base64'));
    }
}

// The first pixel of an 8-bit RGB or RGBA PNG (what Chromium writes).
function decodePng(png) {
    let offset = 8;
    const idat = [];
    let colourType = 6;
    while (offset < png.length) {
        const length = png.readUInt32BE(offset);
        const type = png.toString('latin1', offset + 4, offset + 8);
        const body = png.subarray(offset + 8, offset + 8 + length);
        if (type === 'IHDR')
            colourType = body[9];
        if (type === 'IDAT')
            idat.push(body);
        offset += length + 12;
    }
    const raw = inflateSync(Buffer.concat(idat));
    // The row's filter byte comes first. With no pixel to the left and no row above, every
    // filter leaves the first pixel's bytes as they are.
    return [...raw.subarray(1, colourType === 2 || colourType === 6 ? 4 : 2)];
}
