// The site in headless Chromium, as a user meets it: real keys, clicks and touches through the
// DevTools protocol, read back from the page, its pixels and its accessibility tree.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { Browser, serve } from './cdp.mjs';

const site = process.argv[2] || process.env.VELKORA_SITE;
let server;
let browser;
let page;
const requested = [];

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
            };
        })()`);
        assert.ok(layout.scroll <= 360, `scroll width ${layout.scroll}`);
        assert.deepEqual(layout.small, []);
        assert.ok(layout.text >= 16);
        assert.deepEqual(layout.order, [...layout.order].sort((a, b) => a - b));
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

    test('asks no other origin and stores nothing', async () => {
        const foreign = requested.filter((url) => !url.startsWith(server.origin) && !url.startsWith('about:')
            && !url.startsWith('data:'));
        assert.deepEqual(foreign, []);
        assert.deepEqual(await page.evaluate(`(async () => [document.cookie, localStorage.length, sessionStorage.length,
            (await indexedDB.databases()).length])()`), ['', 0, 0, 0]);
    });
});
