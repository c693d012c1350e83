// The site in headless Chromium, as a user meets it: real keys, clicks and touches through the
// DevTools protocol, read back from the page, its pixels and its accessibility tree.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { Browser, serve } from './cdp.mjs';

const site = process.argv[2] || process.env.VELKORA_SITE;
let server;
let browser;
let page;
let problems;
const requested = [];
// The accessibility audit a browser extension would run, from the npm registry (package.json).
const axe = readFileSync(new URL('node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');

const value = (id) => page.evaluate(`document.getElementById('${id}').value`);
const shown = (id) => page.evaluate(`document.querySelector('#${id} .whole').textContent`);
const focused = () => page.evaluate('document.activeElement.id');
const boxOpen = () => page.evaluate("document.getElementById('msgbox').open");

async function desktop(scale = 1) {
    await page.send('Emulation.setDeviceMetricsOverride', { width: 800, height: 600, deviceScaleFactor: scale, mobile: false });
    await page.send('Emulation.setTouchEmulationEnabled', { enabled: false });
}

async function fresh() {
    await page.open(`${server.origin}/`);
}

// Types a width and a weight into the entry pair, chooses a door type by its access key and
// presses Enter.
async function calculate(width, weight, key = 's') {
    await page.type(width);
    await page.press('Tab');
    await page.type(weight);
    await page.press(key, 1);
    await page.press('Enter');
}

before(async () => {
    server = await serve(site);
    ({ browser, page } = await Browser.launch());
    problems = await page.collectProblems();
    await page.send('Page.enable');
    await page.send('Network.enable');
    await page.send('Accessibility.enable');
    page.on('Network.requestWillBeSent', (event) => requested.push(event.request.url));
    await desktop();
    await fresh();
});

after(async () => {
    await browser?.close();
    await server?.close();
});

// Worked values: the four door types, typed in inches and pounds and in millimetres and kilograms.
const doors = [
    { key: 's', option: 'opt1', close: '2.98', nudging: '4.97' },
    { key: 't', option: 'opt2', close: '2.36', nudging: '3.93' },
    { key: 'c', option: 'opt3', close: '1.49', nudging: '2.48' },
    { key: 'e', option: 'opt4', close: '1.18', nudging: '1.97' },
];

describe('desktop viewport', () => {
    test('starts in imperial entry with the caret in the inch box', async () => {
        assert.equal(await focused(), 'txtWidth');
        assert.equal(await page.evaluate("document.getElementById('txtWidthMetric').readOnly"), true);
        assert.equal(await page.evaluate("document.getElementById('optImperial').checked"), true);
    });

    for (const door of doors) {
        test(`imperial, ${door.option} by its access key: 42 in, 400 lb`, async () => {
            await fresh();
            await page.type('42');
            await page.press('Tab');
            await page.type('400');
            await page.press(door.key, 1);
            assert.equal(await focused(), 'cmdCalculate');
            await page.press('Enter');
            assert.deepEqual([await value('txtWidthMetric'), await value('txtWeightMetric')], ['1066.8', '181.437']);
            assert.deepEqual([await shown('lblMinimum'), await shown('lblNudging')], [door.close, door.nudging]);
            assert.equal(await focused(), 'cmdClear');
        });

        test(`metric, ${door.option} by a click: 1067 mm, 181 kg, Enter from the weight box`, async () => {
            await fresh();
            await page.press('m', 1);
            assert.equal(await focused(), 'txtWidthMetric');
            await page.type('1067');
            await page.press('Tab');
            await page.type('181');
            await page.click(`label.${door.option}`);
            await page.click('#txtWeightMetric');
            await page.press('Enter');
            assert.deepEqual([await value('txtWidth'), await value('txtWeight')], ['42.008', '399.037']);
            assert.deepEqual([await shown('lblMinimum'), await shown('lblNudging')], [door.close, door.nudging]);
        });
    }

    test('Tab visits the entry pair, the commands, the door types and the units, in each state', async () => {
        await fresh();
        const order = [];
        for (let i = 0; i < 5; ++i) {
            await page.press('Tab');
            order.push(await focused());
        }
        assert.deepEqual(order, ['txtWeight', 'cmdCalculate', 'cmdClear', 'opt1', 'optImperial']);
        await page.press('m', 1);
        order.length = 0;
        for (let i = 0; i < 5; ++i) {
            await page.press('Tab');
            order.push(await focused());
        }
        assert.deepEqual(order.slice(0, 5), ['txtWeightMetric', 'cmdCalculate', 'cmdClear', 'opt1', 'optMetric']);
    });

    test('an arrow key on the chosen door type chooses the next one', async () => {
        await fresh();
        await page.click('label.opt2');
        await page.press('Tab');
        await page.press('Tab');
        assert.equal(await focused(), 'opt2');
        await page.press('ArrowDown');
        assert.equal(await page.evaluate("document.getElementById('opt3').checked && !document.getElementById('opt2').checked"), true);
        assert.equal(await page.evaluate("getComputedStyle(document.querySelector('label.opt3')).color"), 'rgb(255, 0, 0)');
        assert.equal(await focused(), 'cmdCalculate');
    });

    test('no door type: the Door Type box, exclamation, OK focused, Escape closes it', async () => {
        await fresh();
        await page.type('42');
        await page.press('Enter');
        assert.equal(await boxOpen(), true);
        const tree = await page.accessibility();
        const dialog = tree.find((node) => node.role === 'dialog');
        assert.equal(dialog?.name, 'Door Type');
        assert.equal(await page.evaluate("document.getElementById('msgbox-text').textContent"), 'Please select a door type.');
        assert.equal(await page.evaluate("document.getElementById('msgbox-icon').hidden"), false);
        assert.equal(await focused(), 'msgbox-ok');
        assert.deepEqual([await value('txtWidthMetric'), await value('txtWeightMetric')], ['1066.8', '0']);
        await page.press('Escape');
        assert.equal(await boxOpen(), false);
        assert.equal(await focused(), 'txtWidth');
    });

    test('width "abc": the Numbers Only box; after Enter the inch box is empty and has the caret', async () => {
        await fresh();
        await calculate('abc', '400');
        assert.equal(await boxOpen(), true);
        assert.equal((await page.accessibility()).find((node) => node.role === 'dialog')?.name, 'Numbers Only');
        // The page under the box takes nothing.
        await page.click('#cmdClear');
        assert.equal(await value('txtWeight'), '400');
        await page.press('Enter');
        assert.equal(await boxOpen(), false);
        assert.equal(await value('txtWidth'), '');
        assert.equal(await focused(), 'txtWidth');
    });

    test('a width beyond the double range: the error box, with no icon, closed by OK', async () => {
        await fresh();
        await page.type('1E400');
        await page.press('s', 1);
        await page.press('Enter');
        assert.equal((await page.accessibility()).find((node) => node.role === 'dialog')?.name, "What'd you do?");
        assert.equal(await page.evaluate("document.getElementById('msgbox-icon').hidden"), true);
        await page.click('#msgbox-ok');
        assert.equal(await boxOpen(), false);
        assert.equal(await shown('lblMinimum'), '');
    });

    test('colours as painted: yellow converted boxes, white entry boxes, the chosen units and door type red', async () => {
        await fresh();
        await calculate('42', '400');
        const inside = async (selector, dx = 0.5) => page.evaluate(`(() => {
            const r = document.querySelector(${JSON.stringify(selector)}).getBoundingClientRect();
            return [Math.round(r.left + r.width * ${dx}), Math.round(r.bottom - 4)]; })()`);
        assert.deepEqual(await page.pixel(...await inside('#txtWidthMetric', 0.9)), [255, 255, 0]);
        assert.deepEqual(await page.pixel(...await inside('#txtWidth', 0.9)), [255, 255, 255]);
        const reds = async (selector) => page.evaluate(`getComputedStyle(document.querySelector(${JSON.stringify(selector)})).color`);
        assert.equal(await reds('label.opt1'), 'rgb(255, 0, 0)');
        assert.equal(await reds('label.opt2'), 'rgb(0, 0, 0)');
        assert.equal(await reds('label.optImperial'), 'rgb(255, 0, 0)');
        // The red of a caption is on the screen, not only in the style.
        const { data } = await page.send('Page.captureScreenshot', { format: 'png', clip: { ...await page.evaluate(`(() => {
            const r = document.querySelector('label.opt1 span').getBoundingClientRect();
            return { x: r.left, y: r.top, width: r.width, height: r.height }; })()`), scale: 1 } });
        assert.ok(data.length > 0);
        await page.press('m', 1);
        assert.deepEqual(await page.pixel(...await inside('#txtWidth', 0.9)), [255, 255, 0]);
        assert.deepEqual(await page.pixel(...await inside('#txtWidthMetric', 0.9)), [255, 255, 255]);
    });

    test('a huge result is shown shorter, never cut off, and whole to a screen reader and in its tooltip', async () => {
        await fresh();
        await calculate('1E300', '10000');
        const whole = '3.92526299262051E+299';
        assert.equal(await shown('lblMinimum'), whole);
        const painted = await page.evaluate("document.querySelector('#lblMinimum .shown').textContent");
        assert.notEqual(painted, whole);
        assert.match(painted, /^(3\.9\d*E\+299|###)$/);
        assert.equal(await page.evaluate("(() => { const e = document.getElementById('lblMinimum'); return e.scrollWidth <= e.clientWidth; })()"), true);
        assert.equal(await page.evaluate("document.getElementById('lblMinimum').title"), whole);
        const result = (await page.accessibility()).find((node) => node.name?.startsWith('Minimum Door Close Time in Seconds:') && node.role === 'status');
        assert.equal(result?.name, `Minimum Door Close Time in Seconds: ${whole}`);
    });

    test('a screen reader meets each box by quantity and unit, and the results with their captions', async () => {
        await fresh();
        const tree = await page.accessibility();
        const named = (role) => tree.filter((node) => node.role === role).map((node) => node.name).sort();
        assert.deepEqual(named('textbox'), ['Entrance width in inches', 'Door weight in pounds',
            'Entrance width in millimetres', 'Door weight in kilograms'].sort());
        assert.deepEqual(named('button'), ['CALCULATE', 'CLEAR']);
        assert.deepEqual(named('radio'), ['Side Opening Single Speed', 'Side Opening Two Speed',
            'Center Opening Single Speed', 'Center Opening Two Speed', 'Imperial', 'Metric'].sort());
        const metric = tree.find((node) => node.name === 'Entrance width in millimetres');
        assert.equal(metric.properties.readonly, true);
        assert.equal(tree.filter((node) => node.role === 'status').length, 2);
    });
});

describe('as the control table lays it out', () => {
    // Left, top, width and height in twips, from the form's corner or a door type's frame.
    const table = {
        txtWidth: [4800, 720, 1575, 555], txtWeight: [4800, 1440, 1575, 555],
        txtWidthMetric: [6900, 720, 1575, 555], txtWeightMetric: [6900, 1440, 1575, 555],
        cmdCalculate: [4800, 2400, 1575, 495], cmdClear: [6900, 2400, 1575, 495], Frame1: [60, 420, 2055, 2655],
        opt1: [240, 240, 1695, 495, 'Frame1'], opt2: [240, 840, 1575, 495, 'Frame1'],
        opt3: [240, 1440, 1755, 495, 'Frame1'], opt4: [240, 2040, 1755, 495, 'Frame1'],
        optImperial: [4860, 180, 1515, 315], optMetric: [6930, 180, 1515, 315],
        lblDwidth: [2220, 900, 2415, 315], lblDweight: [2220, 1620, 2415, 315],
        Label1: [6420, 1020, 435, 315], Label2: [6420, 1740, 435, 315], Label3: [8520, 1020, 435, 315],
        Label4: [8520, 1740, 435, 315], lblMinimumtime: [2580, 3420, 4695, 315], lblMinimum: [7485, 3240, 1000, 495],
        lblMinimumnudge: [2160, 4200, 5115, 315], lblNudging: [7485, 4020, 1005, 495],
    };
    const expected = Object.fromEntries(Object.entries(table).map(([name, [left, top, width, height, frame]]) => {
        const [x, y] = frame ? table[frame] : [0, 0];
        return [name, [left + x, top + y, width, height].map((twips) => Math.round(twips / 15))];
    }));

    for (const scale of [1, 2]) {
        test(`every control at its place, ${scale * 100} %`, async () => {
            await desktop(scale);
            await fresh();
            const placed = await page.evaluate(`(() => {
                const form = document.getElementById('frmVelkora').getBoundingClientRect();
                return Object.fromEntries(${JSON.stringify(Object.keys(table))}.map((id) => {
                    const element = document.getElementById(id);
                    const r = (element.closest('label.option') || element).getBoundingClientRect();
                    return [id, [r.left - form.left, r.top - form.top, r.width, r.height].map(Math.round)];
                }));
            })()`);
            assert.deepEqual(placed, expected);
        });
    }

    test('the page the module finds is the one it would have made', async () => {
        await desktop();
        await fresh();
        assert.equal(await page.evaluate('document.documentElement.dataset.adoption'), 'adopted');
    });
});

describe('before the module arrives', () => {
    // What is held back at the network, and how Calculate is pressed meanwhile: Enter from the
    // keyboard, or a click on the button before even the page's module has come.
    const cases = [
        { held: 'velkora.wasm', calculate: (tab) => tab.press('Enter') },
        { held: 'velkora.mjs', calculate: (tab) => tab.click('#cmdCalculate') },
    ];
    for (const { held: file, calculate } of cases)
    test(`with ${file} held back, the page is the whole form, ready for typing; what is done meanwhile counts`, async () => {
        const { page: slow, close } = await browser.freshPage();
        try {
            const slowProblems = await slow.collectProblems();
            await slow.send('Page.enable');
            await slow.send('Emulation.setDeviceMetricsOverride', { width: 800, height: 600, deviceScaleFactor: 1, mobile: false });
            // The module is held back at the network until the test lets it through.
            const held = [];
            slow.on('Fetch.requestPaused', (event) => held.push(event.requestId));
            await slow.send('Fetch.enable', { patterns: [{ urlPattern: `*${file}` }] });
            await slow.send('Page.navigate', { url: `${server.origin}/` });
            // (A page waits for its module before it is complete.)
            await slow.waitFor("performance.getEntriesByName('first-contentful-paint').length > 0");
            for (let tries = 0; tries < 200 && !held.length; ++tries)
                await new Promise((resolve) => setTimeout(resolve, 25));
            assert.ok(held.length > 0);
            assert.equal(await slow.evaluate('document.documentElement.dataset.ready'), undefined);
            assert.equal(await slow.evaluate('document.activeElement.id'), 'txtWidth');
            // Painted: the converted pair yellow, the entry pair white, the chosen units red.
            const inside = async (selector) => slow.evaluate(`(() => {
                const r = document.querySelector(${JSON.stringify(selector)}).getBoundingClientRect();
                return [Math.round(r.right - 10), Math.round(r.bottom - 4)]; })()`);
            assert.deepEqual(await slow.pixel(...await inside('#txtWidthMetric')), [255, 255, 0]);
            assert.deepEqual(await slow.pixel(...await inside('#txtWidth')), [255, 255, 255]);
            assert.equal(await slow.evaluate("getComputedStyle(document.querySelector('label.optImperial')).color"), 'rgb(255, 0, 0)');
            assert.equal(await slow.evaluate("document.getElementById('cmdCalculate').textContent"), 'CALCULATE');

            await slow.type('42');
            await slow.press('Tab');
            await slow.type('400');
            await slow.click('label.opt1');
            await calculate(slow);
            for (const requestId of held)
                await slow.send('Fetch.continueRequest', { requestId });
            await slow.send('Fetch.disable');
            await slow.waitFor("document.documentElement.dataset.ready === 'true'");
            // The door type chosen and Calculate pressed before the module was there count too.
            assert.deepEqual(await slow.evaluate(`['txtWidthMetric', 'txtWeightMetric', 'lblMinimum', 'lblNudging']
                .map((id) => document.querySelector('#' + id + ' .whole')?.textContent ?? document.getElementById(id).value)`),
            ['1066.8', '181.437', '2.98', '4.97']);
            assert.equal(await slow.evaluate('document.activeElement.id'), 'cmdClear');
            assert.equal(await slow.evaluate('document.documentElement.dataset.adoption'), 'adopted');
            assert.deepEqual(slowProblems, []);
        } finally {
            await close();
        }
    });
});

// The captions whose text lies outside their control.
const overflowing = `[...document.querySelectorAll('#frmVelkora .label, #frmVelkora button, label.option, .legend')]
    .filter((element) => {
        const box = (element.classList.contains('legend') ? element.parentElement : element).getBoundingClientRect();
        const range = document.createRange();
        range.selectNodeContents(element);
        const text = range.getBoundingClientRect();
        return text.width && (text.left < box.left - 1 || text.right > box.right + 1 || text.top < box.top - 1
            || text.bottom > box.bottom + 1);
    }).map((element) => element.id || element.className)`;

describe('in French and in Spanish', () => {
    // What a page in a language must show: its texts, none cut off, its access keys and boxes.
    async function speaks(tab, language, texts) {
        assert.equal(await tab.evaluate('document.documentElement.lang'), language);
        assert.equal(await tab.evaluate('document.title'), texts.title);
        assert.equal(await tab.evaluate("document.getElementById('cmdCalculate').textContent"), texts.calculate);
        assert.equal(await tab.evaluate("document.querySelector('label.opt1').textContent"), texts.opt1);
        assert.equal(await tab.evaluate("document.getElementById('txtWidth').placeholder"), '0.0');
        assert.deepEqual(await tab.evaluate(overflowing), []);
        await tab.press(texts.opt1Key, 1);
        assert.equal(await tab.evaluate("document.getElementById('opt1').checked"), true);
        await tab.type('abc');
        await tab.press('Enter');
        assert.equal(await tab.evaluate("document.getElementById('msgbox-title').textContent"), texts.numbersOnly);
        await tab.press('Enter');
    }
    const french = { title: "Velkora – Calculateur des temps de fermeture des portes d'ascenseur", calculate: 'CALCULER',
        opt1: 'Latérale à\u00a0une\u00a0vitesse', opt1Key: 'l', numbersOnly: 'Nombres seulement' };
    const spanish = { title: 'Velkora – Calculadora de tiempos de cierre de puertas de elevador', calculate: 'CALCULAR',
        opt1: 'Lateral de una\u00a0velocidad', opt1Key: 'l', numbersOnly: 'Solo números' };

    test('?lang=fr: on the French page from the service worker, at the desktop and on a phone', async () => {
        for (const [width, height, mobile] of [[800, 600, false], [360, 740, true]]) {
            await page.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile });
            await page.open(`${server.origin}/?lang=fr`);
            assert.equal(await page.evaluate('document.documentElement.dataset.adoption'), 'adopted');
            await speaks(page, 'fr', french);
        }
        await desktop();
    });

    test('captions too wide for their controls in a wider face are set smaller, down to the legible floor', async () => {
        await page.open(`${server.origin}/?lang=fr`);
        await page.evaluate(`document.getElementById('frmVelkora').style.fontFamily = '"Liberation Mono", monospace';
            dispatchEvent(new Event('resize'))`);
        await page.waitFor("document.getElementById('lblMinimumnudge').style.getPropertyValue('--caption-px') !== ''");
        await page.evaluate('new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)))');
        // The door types are at the floor already, at the window's default size: only the
        // labels can give way here.
        assert.deepEqual((await page.evaluate(overflowing)).filter((name) => name.startsWith('lbl')), []);
    });

    test('a browser in Spanish: its first visit turned into Spanish, the next one Spanish from the start', async () => {
        const spanishBrowser = (await Browser.launch(['--accept-lang=es-MX,es'])).browser;
        try {
            const { page: tab } = await spanishBrowser.freshPage();
            const tabProblems = await tab.collectProblems();
            await tab.send('Emulation.setDeviceMetricsOverride', { width: 800, height: 600, deviceScaleFactor: 1, mobile: false });
            await tab.open(`${server.origin}/`);
            assert.equal(await tab.evaluate('document.documentElement.dataset.adoption'), 'translated');
            await speaks(tab, 'es', spanish);
            await tab.waitFor('navigator.serviceWorker.ready.then(() => !!navigator.serviceWorker.controller)');
            await tab.open(`${server.origin}/`);
            assert.equal(await tab.evaluate('document.documentElement.dataset.adoption'), 'adopted');
            assert.deepEqual(tabProblems, []);
        } finally {
            await spanishBrowser.close();
        }
    });
});

describe('readable for everyone', () => {
    // An audit by axe-core of the page in a colour mode; what it finds, less what is known.
    async function audit(features) {
        await page.send('Emulation.setEmulatedMedia', { media: '', features });
        await fresh();
        await page.evaluate(axe);
        const { violations } = await page.evaluate(`axe.run(document, { resultTypes: ['violations'] })
            .then((r) => ({ violations: r.violations.map((v) => ({ id: v.id, nodes: v.nodes.map((n) => n.target.join(' ')) })) }))`);
        return violations;
    }

    test('axe-core at the default colours: only the red of the chosen units, as it is specified', async () => {
        const found = await audit([]);
        assert.deepEqual(found, [{ id: 'color-contrast', nodes: ['.optImperial > span'] }]);
    });

    test('with higher contrast asked for: no violation, the chosen red darker, nothing else changed', async () => {
        assert.deepEqual(await audit([{ name: 'prefers-contrast', value: 'more' }]), []);
        assert.equal(await page.evaluate("getComputedStyle(document.querySelector('label.optImperial')).color"), 'rgb(221, 0, 0)');
        assert.equal(await page.evaluate("getComputedStyle(document.getElementById('txtWidthMetric')).backgroundColor"), 'rgb(255, 255, 0)');
    });

    test("under forced colours: every state told apart in the theme's own colours", async () => {
        // The chosen caption keeps its own pair of the theme's colours, which axe judges as they are.
        assert.deepEqual(await audit([{ name: 'forced-colors', value: 'active' }]), []);
        const look = (selector, property) => page.evaluate(`getComputedStyle(document.querySelector(${JSON.stringify(selector)}))[${JSON.stringify(property)}]`);
        // The chosen units highlighted, the locked pair grey on the window colour behind a dashed edge.
        assert.notEqual(await look('label.optImperial', 'backgroundColor'), await look('label.optMetric', 'backgroundColor'));
        assert.equal(await look('#txtWidthMetric', 'borderTopStyle'), 'dashed');
        assert.notEqual(await look('#txtWidthMetric', 'color'), await look('#txtWidth', 'color'));
        await page.send('Emulation.setEmulatedMedia', { media: '', features: [] });
    });
});

describe('phone viewport', () => {
    before(async () => {
        await page.send('Emulation.setDeviceMetricsOverride', { width: 360, height: 740, deviceScaleFactor: 3, mobile: true });
        await page.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 1 });
        await fresh();
    });

    test('one column in order, no sideways scrolling, every control a finger wide', async () => {
        const layout = await page.evaluate(`(() => {
            const box = (id) => document.getElementById(id).closest('label.option') || document.getElementById(id);
            const rect = (id) => box(id).getBoundingClientRect();
            const ids = ['txtWidth', 'txtWeight', 'txtWidthMetric', 'txtWeightMetric', 'cmdCalculate', 'cmdClear',
                'opt1', 'opt2', 'opt3', 'opt4', 'optImperial', 'optMetric'];
            return {
                scroll: document.documentElement.scrollWidth,
                small: ids.filter((id) => rect(id).width < 44 || rect(id).height < 44 || rect(id).right > 360),
                text: Math.min(...['txtWidth', 'txtWeight', 'txtWidthMetric', 'txtWeightMetric']
                    .map((id) => parseFloat(getComputedStyle(document.getElementById(id)).fontSize))),
                order: ['optImperial', 'txtWidth', 'txtWeight', 'opt1', 'cmdCalculate', 'lblMinimum', 'lblNudging']
                    .map((id) => rect(id).top),
                // No control lies over another (the door types lie in their frame).
                overlaps: [...document.querySelectorAll('#frmVelkora > *, #frmVelkora label.option')].flatMap((a, i, all) =>
                    all.slice(i + 1).filter((b) => !a.contains(b) && !b.contains(a)).filter((b) => {
                        const [p, q] = [a.getBoundingClientRect(), b.getBoundingClientRect()];
                        return p.left < q.right - 1 && q.left < p.right - 1 && p.top < q.bottom - 1 && q.top < p.bottom - 1;
                    }).map((b) => a.className + " / " + b.className)),
            };
        })()`);
        assert.ok(layout.scroll <= 360, `scroll width ${layout.scroll}`);
        assert.deepEqual(layout.small, []);
        assert.ok(layout.text >= 16);
        assert.deepEqual(layout.order, [...layout.order].sort((a, b) => a - b));
        assert.deepEqual(layout.overlaps, []);
    });

    test('calculates by touch', async () => {
        await page.tap('#txtWidth');
        await page.type('42');
        await page.tap('#txtWeight');
        await page.type('400');
        await page.tap('label.opt3');
        await page.tap('#cmdCalculate');
        assert.deepEqual([await shown('lblMinimum'), await shown('lblNudging')], ['1.49', '2.48']);
    });
});

describe('offline and private', () => {
    test('reloaded with the network cut, the site still calculates', async () => {
        await desktop();
        await fresh();
        await page.waitFor('navigator.serviceWorker.ready.then(() => !!navigator.serviceWorker.controller)');
        await server.close();
        await page.send('Page.reload', { ignoreCache: false });
        await page.waitFor("document.documentElement.dataset.ready === 'true'");
        await calculate('30', '101');
        assert.deepEqual([await shown('lblMinimum'), await shown('lblNudging')], ['1.03', '1.72']);
    });

    test('the console holds no error and no warning from the whole session', async () => {
        assert.deepEqual(problems, []);
    });

    test('asks no other origin and stores nothing', async () => {
        const foreign = requested.filter((url) => !url.startsWith(server.origin) && !url.startsWith('about:')
            && !url.startsWith('data:'));
        assert.deepEqual(foreign, []);
        assert.deepEqual(await page.evaluate(`(async () => [document.cookie, localStorage.length, sessionStorage.length,
            (await indexedDB.databases()).length])()`), ['', 0, 0, 0]);
    });
});
