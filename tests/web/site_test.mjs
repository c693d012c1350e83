// The site in one engine (chromium, firefox or webkit), as a user meets it: the scenarios every
// engine runs with real keys and clicks; in Chromium and Firefox, the page used while a file is
// held back at the network; what only Chromium can be asked to do (a phone's touch and viewport,
// 200 %, forced colours, its accessibility tree, each served page against the form's facts);
// then the reload with the network cut.
// Usage: node site_test.mjs ENGINE SITE_FOLDER [FORM_FACTS_JSON]
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, serve } from './engines.mjs';
import { addRow, offline, overflowing, placed, places, plateRows, scenarios, shown, speaks, value, focused } from './scenarios.mjs';

const [engine, root, factsFile] = process.argv.slice(2);
let server;
let tab;
let stopped = false;
const requested = [];

before(async () => {
    server = await serve(root);
    tab = await launch(engine);
    tab.page?.on('request', (request) => requested.push(request.url()));
});

after(async () => {
    await tab?.close();
    if (!stopped)
        await server?.close();
});

const context = () => ({
    site: server.origin,
    launch: (languages) => launch(engine, { languages }),
    stopServer: async () => {
        stopped = true;
        await server.close();
    },
});

describe(`${engine}: what a user does`, () => {
    for (const scenario of scenarios) {
        test(scenario.name, async () => {
            await tab.viewport(800, 600);
            await tab.open(`${server.origin}${scenario.address ?? '/'}`);
            await scenario.run(tab, context());
        });
    }
});

if (engine !== 'webkit')
    heldBack();
if (engine === 'chromium')
    describe('chromium alone', chromiumAlone);

describe(`${engine}: offline and private`, () => {
    test(offline.name, async () => {
        await tab.open(`${server.origin}/`);
        await offline.run(tab, context());
    });

    const unread = engine === 'webkit' && 'WebKitWebDriver gives no way to read the console';
    test('the console holds no error and no warning from the whole session', { skip: unread }, () => {
        assert.deepEqual(tab.problems, []);
    });
});

function chromiumAlone() {
    const page = () => tab.page;
    const fresh = () => tab.open(`${server.origin}/`);
    const calculate = async (width, weight) => {
        await tab.type(width);
        await tab.press('Tab');
        await tab.type(weight);
        await tab.accessKey('s');
        await tab.press('Enter');
    };
    // The accessibility tree as a screen reader gets it: role, name and properties.
    const accessibility = async (on = tab) => {
        const { nodes } = await on.cdp.send('Accessibility.getFullAXTree');
        return nodes.filter((node) => !node.ignored).map((node) => ({
            role: node.role?.value, name: node.name?.value,
            properties: Object.fromEntries((node.properties || []).map((p) => [p.name, p.value.value])),
        }));
    };

    test('every control at its place at 200 %', async () => {
        await tab.viewport(800, 600, { scale: 2 });
        await fresh();
        assert.deepEqual(await placed(tab), places);
        await tab.viewport(800, 600);
    });

    test('colours as painted: yellow converted boxes, white entry boxes, after either entry road', async () => {
        await fresh();
        await calculate('42', '400');
        assert.deepEqual(await tab.pixel(...await inside(tab, '#txtWidthMetric', 0.9)), [255, 255, 0]);
        assert.deepEqual(await tab.pixel(...await inside(tab, '#txtWidth', 0.9)), [255, 255, 255]);
        await tab.accessKey('m');
        assert.deepEqual(await tab.pixel(...await inside(tab, '#txtWidth', 0.9)), [255, 255, 0]);
        assert.deepEqual(await tab.pixel(...await inside(tab, '#txtWidthMetric', 0.9)), [255, 255, 255]);
    });

    test('a huge result is shown shorter, never cut off, and whole to a screen reader and in its tooltip', async () => {
        await fresh();
        await calculate('1E300', '10000');
        const whole = '3.92526299262051E+299';
        assert.equal(await shown(tab, 'lblMinimum'), whole);
        const painted = await tab.evaluate("document.querySelector('#lblMinimum .shown').textContent");
        assert.notEqual(painted, whole);
        assert.match(painted, /^(3\.9\d*E\+299|###)$/);
        assert.equal(await tab.evaluate("(() => { const e = document.getElementById('lblMinimum'); return e.scrollWidth <= e.clientWidth; })()"), true);
        assert.equal(await tab.evaluate("document.getElementById('lblMinimum').title"), whole);
        const result = (await accessibility()).find((node) => node.name?.startsWith('Minimum Door Close Time in Seconds:') && node.role === 'status');
        assert.equal(result?.name, `Minimum Door Close Time in Seconds: ${whole}`);
    });

    test('a screen reader meets each box by quantity and unit, the results with their captions, the box by its title', async () => {
        await fresh();
        const tree = await accessibility();
        const named = (role) => tree.filter((node) => node.role === role).map((node) => node.name).sort();
        assert.deepEqual(named('textbox'), ['Entrance width in inches', 'Door weight in pounds',
            'Entrance width in millimetres', 'Door weight in kilograms'].sort());
        // (The data plate's commands stand below the form.)
        assert.deepEqual(named('button'), ['About Velkora', 'Add to data plate', 'CALCULATE', 'CLEAR', 'Data plate…']);
        assert.deepEqual(named('radio'), ['Side Opening Single Speed', 'Side Opening Two Speed',
            'Center Opening Single Speed', 'Center Opening Two Speed', 'Imperial', 'Metric'].sort());
        assert.equal(tree.find((node) => node.name === 'Entrance width in millimetres').properties.readonly, true);
        assert.equal(tree.filter((node) => node.role === 'status').length, 2);
        await tab.press('Enter');
        assert.equal((await accessibility()).find((node) => node.role === 'dialog')?.name, 'Door Type');
        await tab.press('Enter');
    });

    // The page as it is served, before its module has run, against the form's own facts in each
    // language: caption, tooltip, accessible name and description, access key, colours, place.
    const facts = factsFile ? JSON.parse(readFileSync(factsFile, 'utf8')) : {};
    for (const [language, expected] of Object.entries(facts)) {
        test(`the ${language} page as served, before its module, is the form`, async () => {
            const served = await tab.freshTab();
            try {
                await served.page.setRequestInterception(true);
                served.page.on('request', (request) => (request.url().endsWith('.mjs') ? request.abort() : request.continue()));
                await served.page.goto(`${server.origin}/${language === 'en' ? 'index.html' : `index.${language}.html`}`);
                const page = await served.evaluate(`(() => {
                    const form = document.getElementById('frmVelkora').getBoundingClientRect();
                    const text = (element) => element.textContent.replace(/\\s+/g, ' ');
                    return Object.fromEntries(${JSON.stringify(Object.keys(expected))}.map((id) => {
                        const element = document.getElementById(id);
                        const outer = element.closest('label.option') || element;
                        const holder = element.type === 'radio' ? outer.lastElementChild
                            : element.querySelector('.legend, .whole') || element;
                        const r = outer.getBoundingClientRect();
                        const style = (property, of) => getComputedStyle(of)[property];
                        return [id, { caption: element.tagName === 'INPUT' && element.type === 'text' ? '' : text(holder),
                            tooltip: outer.getAttribute('title') ?? '', accessKey: element.getAttribute('accesskey') ?? '',
                            fore: style('color', outer), back: style('backgroundColor', element),
                            place: [r.left - form.left, r.top - form.top, r.width, r.height].map(Math.round) }];
                    }));
                })()`);
                for (const id of Object.keys(expected)) {
                    const node = await served.page.accessibility.snapshot({ root: await served.page.$(`#${id}`), interestingOnly: false });
                    // A caption is read as its text.
                    const name = node?.name || (node?.children ?? []).map((child) => child.name).join('');
                    Object.assign(page[id], { name: name.replace(/\s+/g, ' '), description: node?.description ?? '' });
                }
                // Blanks as a reader meets them: a no-break space is a space; the platform's own
                // colours where the form has none.
                const blanks = (text) => text.replace(/\s+/g, ' ');
                const wanted = Object.fromEntries(Object.entries(expected).map(([id, fact]) => [id, { ...fact,
                    caption: blanks(fact.caption), name: blanks(fact.name), description: fact.description.trim(),
                    fore: fact.fore ?? page[id].fore, back: fact.back ?? page[id].back }]));
                assert.deepEqual(page, wanted);
            } finally {
                await served.close();
            }
        });
    }

    test('?lang=fr on a phone, from the service worker', async () => {
        await tab.viewport(360, 740, { mobile: true });
        await tab.open(`${server.origin}/?lang=fr`);
        assert.equal(await tab.evaluate('document.documentElement.dataset.adoption'), 'adopted');
        await speaks(tab, 'fr');
        await tab.viewport(800, 600);
    });

    test('captions too wide for their controls in a wider face are set smaller, down to the legible floor', async () => {
        await tab.open(`${server.origin}/?lang=fr`);
        await tab.evaluate(`(() => { document.getElementById('frmVelkora').style.fontFamily = '"Liberation Mono", monospace';
            dispatchEvent(new Event('resize')); })()`);
        await tab.waitFor("document.getElementById('lblMinimumnudge').style.getPropertyValue('--caption-px') !== ''");
        await tab.evaluate('new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)))');
        // The door types are at the floor already, at the window's default size: only the
        // labels can give way here.
        assert.deepEqual((await tab.evaluate(overflowing)).filter((name) => name.startsWith('lbl')), []);
    });

    describe('readable for everyone', () => {
        // The accessibility audit a browser extension would run, from the npm registry.
        const axe = readFileSync(new URL('node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
        // An audit by axe-core of the page in a colour mode; what it finds, less what is known.
        async function audit(features) {
            await tab.cdp.send('Emulation.setEmulatedMedia', { media: '', features });
            await fresh();
            await tab.evaluate(axe);
            return tab.evaluate(`axe.run(document, { resultTypes: ['violations'] })
                .then((r) => r.violations.map((v) => ({ id: v.id, nodes: v.nodes.map((n) => n.target.join(' ')) })))`);
        }
        const look = (selector, property) => tab.evaluate(`getComputedStyle(document.querySelector(${JSON.stringify(selector)}))[${JSON.stringify(property)}]`);

        test('axe-core at the default colours: only the red of the chosen units, as it is specified', async () => {
            assert.deepEqual(await audit([]), [{ id: 'color-contrast', nodes: ['.optImperial > span'] }]);
        });

        test('with higher contrast asked for: no violation, the chosen red darker, nothing else changed', async () => {
            assert.deepEqual(await audit([{ name: 'prefers-contrast', value: 'more' }]), []);
            assert.equal(await look('label.optImperial', 'color'), 'rgb(221, 0, 0)');
            assert.equal(await look('#txtWidthMetric', 'backgroundColor'), 'rgb(255, 255, 0)');
        });

        test("under forced colours: every state told apart in the theme's own colours", async () => {
            // The chosen caption keeps its own pair of the theme's colours, which axe judges as they are.
            assert.deepEqual(await audit([{ name: 'forced-colors', value: 'active' }]), []);
            // The chosen units highlighted, the locked pair grey on the window colour behind a dashed edge.
            assert.notEqual(await look('label.optImperial', 'backgroundColor'), await look('label.optMetric', 'backgroundColor'));
            assert.equal(await look('#txtWidthMetric', 'borderTopStyle'), 'dashed');
            assert.notEqual(await look('#txtWidthMetric', 'color'), await look('#txtWidth', 'color'));
            await tab.cdp.send('Emulation.setEmulatedMedia', { media: '', features: [] });
        });
    });

    describe('phone viewport', () => {
        test('one column in order, no sideways scrolling, every control a finger wide', async () => {
            await tab.viewport(360, 740, { scale: 3, mobile: true });
            await fresh();
            const layout = await tab.evaluate(`(() => {
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
            await page().tap('#txtWidth');
            await tab.type('42');
            await page().tap('#txtWeight');
            await tab.type('400');
            await page().tap('label.opt3');
            await page().tap('#cmdCalculate');
            assert.deepEqual([await shown(tab, 'lblMinimum'), await shown(tab, 'lblNudging')], ['1.49', '2.48']);
            assert.equal(await value(tab, 'txtWeightMetric'), '181.437');
            await tab.viewport(800, 600);
        });
    });

    test('the data plate copied, saved as CSV that Python reads back, printed, and read by a screen reader', async () => {
        await tab.viewport(800, 600);
        await fresh();
        await addRow(tab, '42', '400');
        await addRow(tab, '42', '900');
        await addRow(tab, '48', '400');
        await tab.click('#cmdPlateOpen');
        await tab.click('input.floors[data-row="1"]');
        await tab.type('1-12');
        await tab.press('Tab');
        const rows = [['', 'Side Opening Single Speed', '42', '1066.8', '400', '181.437', '2.98', '4.97'],
            ['1-12', 'Side Opening Single Speed', '42', '1066.8', '900', '408.233', '4.47', '7.45'],
            ['', 'Side Opening Single Speed', '48', '1219.2', '400', '181.437', '3.45', '5.75']];
        const header = ['Floors', 'Door type', 'Width (in)', 'Width (mm)', 'Weight (lb)', 'Weight (kg)', 'Close time (s)',
            'Nudging time (s)'];

        await page().browserContext().overridePermissions(server.origin, ['clipboard-read', 'clipboard-write',
            'clipboard-sanitized-write']);
        await tab.click('#plateCopy');
        await tab.waitFor('navigator.clipboard.readText().then((text) => text.length > 0)');
        assert.equal(await tab.evaluate('navigator.clipboard.readText()'), [header, ...rows].map((row) => row.join('\t')).join('\n') + '\n');

        const folder = mkdtempSync(join(tmpdir(), 'velkora-plate-'));
        try {
            await tab.cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
            await tab.click('#plateSave');
            for (let tries = 0; tries < 100 && !readdirSync(folder).some((name) => name.endsWith('.csv')); ++tries)
                await new Promise((resolve) => setTimeout(resolve, 50));
            const csv = join(folder, readdirSync(folder).find((name) => name.endsWith('.csv')));
            const read = JSON.parse(execFileSync('python3', ['-c', 'import csv, json, sys; print(json.dumps(list(csv.reader('
                + "open(sys.argv[1], newline='', encoding='utf-8')))))", csv], { encoding: 'utf8' }));
            assert.deepEqual(read, [header, ...rows]);

            // Printed on letter and on a label printer's strip: every number on the page.
            for (const size of [{ format: 'letter' }, { width: '58mm', height: '200mm' }]) {
                const pdf = join(folder, 'plate.pdf');
                await page().pdf({ path: pdf, ...size });
                const printed = execFileSync('pdftotext', [pdf, '-'], { encoding: 'utf8' }).replace(/\s+/g, ' ');
                for (const number of ['2.98', '4.97', '4.47', '7.45', '3.45', '5.75', '408.233', '1219.2', '1-12',
                    'Door Data Plate: Minimum Closing Times'])
                    assert.ok(printed.includes(number), `${number} not in: ${printed}`);
                assert.ok(!printed.includes('CALCULATE') && !printed.includes('Move up'), printed);
            }
        } finally {
            rmSync(folder, { recursive: true, force: true });
        }

        // A screen reader meets the rows as a table, each floors box by its row.
        const tree = await accessibility();
        assert.ok(tree.some((node) => node.role === 'table'));
        assert.ok(tree.some((node) => node.role === 'textbox' && node.name === 'Floors 2'));
        assert.ok(tree.some((node) => node.role === 'cell' && node.name === '7.45'));
    });

    test('a hostile floors text pasted: kept as one line of forty characters', async () => {
        await tab.evaluate(`(() => { const box = document.querySelector('input.floors[data-row="0"]');
            box.removeAttribute('maxlength');
            box.value = '=HYPERLINK("http://x.example","go")\\u001b\\t\\r\\n' + 'x'.repeat(300);
            box.dispatchEvent(new Event('change', { bubbles: true })); })()`);
        const kept = (await plateRows(tab))[0][0];
        assert.equal(kept, '=HYPERLINK("http://x.example","go")xxxxx');
        assert.equal(await tab.evaluate('new TextEncoder().encode(document.querySelector(\'input.floors[data-row="0"]\').value).length'), 40);
        await tab.click('#plateClose');
    });

    test('asks no other origin and stores nothing', async () => {
        const foreign = requested.filter((url) => !url.startsWith(server.origin) && !/^(about|data):/.test(url));
        assert.deepEqual(foreign, []);
        assert.deepEqual(await tab.evaluate(`(async () => [document.cookie, localStorage.length, sessionStorage.length,
            (await indexedDB.databases()).length])()`), ['', 0, 0, 0]);
    });
}

// A point inside an element, a fraction dx across and just above its bottom edge.
function inside(on, selector, dx = 0.5) {
    return on.evaluate(`(() => {
        const r = document.querySelector(${JSON.stringify(selector)}).getBoundingClientRect();
        return [Math.round(r.left + r.width * ${dx}), Math.round(r.bottom - 4)]; })()`);
}

// Chromium and Firefox can hold a file back at the network (WebKit's WebDriver cannot).
function heldBack() {
    describe(`${engine}: before the module arrives`, () => {
        // What is held back at the network, and how Calculate is pressed meanwhile: Enter from
        // the keyboard, or a click on the button before even the page's module has come.
        const cases = [
            { held: 'velkora.wasm', calculate: (slow) => slow.press('Enter') },
            { held: 'velkora.mjs', calculate: (slow) => slow.click('#cmdCalculate') },
        ];
        for (const { held: file, calculate: press } of cases) {
            test(`with ${file} held back, the page is the whole form, ready for typing; what is done meanwhile counts`, async () => {
                const slow = await tab.freshTab();
                try {
                    // The file is held back at the network until the test lets it through.
                    const held = [];
                    await slow.page.setRequestInterception(true);
                    slow.page.on('request', (request) => (request.url().endsWith(file) ? held.push(request) : request.continue()));
                    await slow.navigate(`${server.origin}/`);
                    // (A page waits for its module before it is complete.)
                    await slow.waitFor("performance.getEntriesByName('first-contentful-paint').length > 0");
                    for (let tries = 0; tries < 200 && !held.length; ++tries)
                        await new Promise((resolve) => setTimeout(resolve, 25));
                    assert.ok(held.length > 0);
                    assert.equal(await slow.evaluate('document.documentElement.dataset.ready'), undefined);
                    assert.equal(await focused(slow), 'txtWidth');
                    // Painted: the converted pair yellow, the entry pair white, the chosen units red.
                    assert.deepEqual(await slow.pixel(...await inside(slow, '#txtWidthMetric', 0.95)), [255, 255, 0]);
                    assert.deepEqual(await slow.pixel(...await inside(slow, '#txtWidth', 0.95)), [255, 255, 255]);
                    assert.equal(await slow.evaluate("getComputedStyle(document.querySelector('label.optImperial')).color"), 'rgb(255, 0, 0)');

                    await slow.type('42');
                    await slow.press('Tab');
                    await slow.type('400');
                    await slow.click('label.opt1');
                    await press(slow);
                    for (const request of held)
                        await request.continue();
                    await slow.waitFor("document.documentElement.dataset.ready === 'true'");
                    // The door type chosen and Calculate pressed before the module was there count too.
                    assert.deepEqual(await slow.evaluate(`['txtWidthMetric', 'txtWeightMetric', 'lblMinimum', 'lblNudging']
                        .map((id) => document.querySelector('#' + id + ' .whole')?.textContent ?? document.getElementById(id).value)`),
                    ['1066.8', '181.437', '2.98', '4.97']);
                    assert.equal(await focused(slow), 'cmdClear');
                    assert.equal(await slow.evaluate('document.documentElement.dataset.adoption'), 'adopted');
                    assert.deepEqual(slow.problems, []);
                } finally {
                    await slow.close();
                }
            });
        }
    });
}
