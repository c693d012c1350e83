// The three browser engines behind one small interface, and a static server for the site on
// 127.0.0.1 that can be stopped (the network cut). Chromium and Firefox are driven by
// puppeteer-core (Chromium over the DevTools protocol, Firefox over WebDriver BiDi), WebKitGTK by
// selenium-webdriver through its own WebKitWebDriver, on an Xvfb display of its own.
import { spawn } from 'node:child_process';
import { createServer } from 'node:http';
import { createServer as createNetServer } from 'node:net';
import { readFileSync, statSync } from 'node:fs';
import { extname, join, normalize } from 'node:path';
import { inflateSync } from 'node:zlib';
import puppeteer from 'puppeteer-core';
import { Builder, By, Key } from 'selenium-webdriver';

const types = {
    '.html': 'text/html', '.mjs': 'text/javascript', '.js': 'text/javascript', '.css': 'text/css',
    '.wasm': 'application/wasm', '.png': 'image/png', '.svg': 'image/svg+xml',
    '.webmanifest': 'application/manifest+json',
};

export async function serve(root) {
    const server = createServer((request, response) => {
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
    return {
        origin: `http://127.0.0.1:${server.address().port}`,
        close: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
    };
}

export const engines = ['chromium', 'firefox', 'webkit'];

// Launches an engine with the user's languages (most preferred first) and returns its first
// tab. Every tab offers the same calls: open, evaluate, waitFor, press, type, accessKey, click,
// viewport, and problems (what its console said that was a warning or an error).
export async function launch(engine, { languages = ['en-US', 'en'], args = [] } = {}) {
    switch (engine) {
    case 'chromium': {
        const browser = await puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
            headless: true, args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--hide-scrollbars',
                `--accept-lang=${languages.join(',')}`, ...args] });
        return new PuppeteerTab(engine, browser, (await browser.pages())[0] ?? await browser.newPage()).ready();
    }
    case 'firefox': {
        const browser = await puppeteer.launch({ browser: 'firefox', executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
            headless: true, extraPrefsFirefox: { 'intl.accept_languages': languages.join(','), 'intl.locale.requested': languages[0] } });
        return new PuppeteerTab(engine, browser, await browser.newPage()).ready();
    }
    case 'webkit':
        return SeleniumTab.launch(languages);
    }
    throw new Error(`no engine ${engine}`);
}

// The modifiers with which each engine's access keys are pressed on Linux.
const accessModifiers = { chromium: ['Alt'], firefox: ['Alt', 'Shift'], webkit: ['Alt'] };

class PuppeteerTab {
    // The browser, or the browser context, that closes with the tab.
    constructor(engine, owner, page) {
        this.engine = engine;
        this.owner = owner;
        this.page = page;
        this.problems = [];
        page.on('console', (message) => {
            if (['warn', 'warning', 'error', 'assert'].includes(message.type()))
                this.problems.push(`${message.type()}: ${message.text()}`);
        });
        page.on('pageerror', (error) => this.problems.push(`exception: ${error.message ?? error}`));
    }

    async ready() {
        if (this.engine === 'chromium') {
            this.cdp = await this.page.createCDPSession();
            // The page has the focus, as the window in front has on a desktop.
            await this.cdp.send('Emulation.setFocusEmulationEnabled', { enabled: true });
        }
        await this.viewport(800, 600);
        return this;
    }

    async viewport(width, height, { scale = 1, mobile = false } = {}) {
        await this.page.setViewport({ width, height, deviceScaleFactor: scale, isMobile: mobile, hasTouch: mobile });
    }

    // Starts loading a page without waiting for it (a page waits for its module before it is
    // loaded).
    navigate(url) {
        this.page.goto(url).catch(() => {});
    }

    async open(url) {
        await this.page.goto(url);
        await this.waitFor("document.documentElement.dataset.ready === 'true'");
    }

    evaluate(expression) {
        return this.page.evaluate(expression);
    }

    async waitFor(expression, timeout = 10000) {
        return waitFor(this, expression, timeout);
    }

    async press(key, modifiers = []) {
        for (const modifier of modifiers)
            await this.page.keyboard.down(modifier);
        await this.page.keyboard.press(key);
        for (const modifier of [...modifiers].reverse())
            await this.page.keyboard.up(modifier);
    }

    async type(text) {
        for (const key of text)
            await this.page.keyboard.press(key);
    }

    // A letter with the engine's access-key modifiers. Chromium finds the access key from the
    // key's unmodified text, on a key-down that types nothing, as its own keyboard sends it.
    async accessKey(letter) {
        if (this.engine !== 'chromium')
            return this.press(letter, accessModifiers[this.engine]);
        const code = letter.toUpperCase().charCodeAt(0);
        const base = { key: letter, code: `Key${letter.toUpperCase()}`, windowsVirtualKeyCode: code, nativeVirtualKeyCode: code, modifiers: 1 };
        await this.cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', unmodifiedText: letter, ...base });
        await this.cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', ...base });
    }

    async click(selector) {
        await this.page.click(selector);
    }

    // The colour painted at a point of the page, as [r, g, b].
    async pixel(x, y) {
        return firstPixel(await this.page.screenshot({ clip: { x, y, width: 1, height: 1 } }));
    }

    // A tab in a browser context of its own: nothing cached, no service worker, no storage.
    async freshTab() {
        const context = await this.page.browser().createBrowserContext();
        return new PuppeteerTab(this.engine, context, await context.newPage()).ready();
    }

    async close() {
        await this.owner.close();
    }
}

// What an engine's own driver has no call for is asked through the page: WebDriver's scripts
// are function bodies, whose promise it waits for.
class SeleniumTab {
    static async launch(languages) {
        const display = await startXvfb();
        const port = await freePort();
        const language = languages[0].replace('-', '_');
        const env = { ...process.env, DISPLAY: display.name, LANGUAGE: languages.map((l) => l.replace('-', '_')).join(':'),
            LANG: `${language}.UTF-8`, LC_ALL: `${language}.UTF-8` };
        const server = spawn(process.env.WEBKIT_WEBDRIVER || 'WebKitWebDriver', [`--port=${port}`],
            { env, stdio: 'ignore', detached: true });
        let driver;
        for (let tries = 0; !driver; ++tries) {
            try {
                driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
                    browserName: 'MiniBrowser',
                    'webkitgtk:browserOptions': { binary: process.env.MINIBROWSER
                        || '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] },
                }).build();
            } catch (error) {
                if (tries > 50)
                    throw error;
                await new Promise((resolve) => setTimeout(resolve, 100));
            }
        }
        const tab = new SeleniumTab(driver, () => {
            process.kill(-server.pid, 'SIGKILL');
            display.stop();
        });
        await tab.viewport(800, 600);
        return tab;
    }

    constructor(driver, stop) {
        this.engine = 'webkit';
        this.driver = driver;
        this.stop = stop;
        // WebKitWebDriver gives no way to read the console.
        this.problems = null;
    }

    // The window's outer size set so that the page gets the width and height asked for.
    async viewport(width, height) {
        for (let tries = 0; tries < 3; ++tries) {
            const [innerWidth, innerHeight] = await this.evaluate('[innerWidth, innerHeight]');
            if (innerWidth === width && innerHeight === height)
                return;
            const rect = await this.driver.manage().window().getRect();
            await this.driver.manage().window().setRect({ width: rect.width + width - innerWidth, height: rect.height + height - innerHeight });
        }
    }

    async navigate(url) {
        await this.driver.get(url);
    }

    async open(url) {
        await this.navigate(url);
        await this.waitFor("document.documentElement.dataset.ready === 'true'");
    }

    evaluate(expression) {
        return this.driver.executeScript(`return (${expression});`);
    }

    async waitFor(expression, timeout = 10000) {
        return waitFor(this, expression, timeout);
    }

    async press(key, modifiers = []) {
        const named = { Enter: Key.ENTER, Tab: Key.TAB, Escape: Key.ESCAPE, Backspace: Key.BACK_SPACE,
            ArrowDown: Key.ARROW_DOWN, ArrowUp: Key.ARROW_UP, Alt: Key.ALT, Shift: Key.SHIFT };
        let actions = this.driver.actions();
        for (const modifier of modifiers)
            actions = actions.keyDown(named[modifier]);
        actions = actions.sendKeys(named[key] ?? key);
        for (const modifier of [...modifiers].reverse())
            actions = actions.keyUp(named[modifier]);
        await actions.perform();
    }

    async type(text) {
        await this.driver.actions().sendKeys(text).perform();
    }

    accessKey(letter) {
        return this.press(letter, accessModifiers.webkit);
    }

    async click(selector) {
        const element = await this.driver.findElement(By.css(selector));
        // (A pointer moves only within the viewport: the element is scrolled into it first.)
        await this.driver.executeScript("arguments[0].scrollIntoView({ block: 'nearest', inline: 'nearest' })", element);
        await this.driver.actions().move({ origin: element }).press().release().perform();
    }

    async close() {
        try {
            await this.driver.quit();
        } finally {
            this.stop();
        }
    }
}

async function waitFor(tab, expression, timeout) {
    const end = Date.now() + timeout;
    for (;;) {
        const value = await tab.evaluate(expression).catch(() => undefined);
        if (value)
            return value;
        if (Date.now() > end)
            throw new Error(`timed out waiting for ${expression}`);
        await new Promise((resolve) => setTimeout(resolve, 20));
    }
}

function freePort() {
    return new Promise((resolve) => {
        const probe = createNetServer().listen(0, '127.0.0.1', () => {
            const { port } = probe.address();
            probe.close(() => resolve(port));
        });
    });
}

// An Xvfb display of the test's own, on the first free number it finds.
async function startXvfb() {
    const child = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
        { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
    const number = await new Promise((resolve, reject) => {
        let text = '';
        child.stdio[3].on('data', (chunk) => {
            text += chunk;
            if (text.includes('\n'))
                resolve(text.trim());
        });
        child.once('error', () => reject(new Error('Xvfb could not be started; install xvfb')));
        child.once('exit', () => reject(new Error('Xvfb exited before it gave a display')));
    });
    return { name: `:${number}`, stop: () => child.kill() };
}

// The first pixel of an 8-bit RGB or RGBA PNG.
function firstPixel(png) {
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
