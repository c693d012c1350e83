// What a user does with the site, and what they must see, in any engine: one list, run by
// site_test.mjs in Chromium, Firefox and WebKit through the tabs of engines.mjs.
import assert from 'node:assert/strict';

export const value = (tab, id) => tab.evaluate(`document.getElementById('${id}').value`);
export const shown = (tab, id) => tab.evaluate(`document.querySelector('#${id} .whole').textContent`);
export const focused = (tab) => tab.evaluate('document.activeElement.id');
const boxOpen = (tab) => tab.evaluate("document.getElementById('msgbox').open");
const colour = (tab, selector, property = 'color') =>
    tab.evaluate(`getComputedStyle(document.querySelector(${JSON.stringify(selector)}))[${JSON.stringify(property)}]`);
const results = async (tab) => [await shown(tab, 'lblMinimum'), await shown(tab, 'lblNudging')];
const converted = async (tab, ...ids) => Promise.all(ids.map((id) => value(tab, id)));
const red = 'rgb(255, 0, 0)';
const black = 'rgb(0, 0, 0)';
const yellow = 'rgb(255, 255, 0)';
const white = 'rgb(255, 255, 255)';

// Worked values: the four door types, typed in inches and pounds and in millimetres and kilograms.
const doors = [
    { key: 's', option: 'opt1', close: '2.98', nudging: '4.97' },
    { key: 't', option: 'opt2', close: '2.36', nudging: '3.93' },
    { key: 'c', option: 'opt3', close: '1.49', nudging: '2.48' },
    { key: 'e', option: 'opt4', close: '1.18', nudging: '1.97' },
];

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
// In CSS pixels at 100 %: 15 twips each.
export const places = Object.fromEntries(Object.entries(table).map(([name, [left, top, width, height, frame]]) => {
    const [x, y] = frame ? table[frame] : [0, 0];
    return [name, [left + x, top + y, width, height].map((twips) => Math.round(twips / 15))];
}));
export const placed = (tab) => tab.evaluate(`(() => {
    const form = document.getElementById('frmVelkora').getBoundingClientRect();
    return Object.fromEntries(${JSON.stringify(Object.keys(table))}.map((id) => {
        const element = document.getElementById(id);
        const r = (element.closest('label.option') || element).getBoundingClientRect();
        return [id, [r.left - form.left, r.top - form.top, r.width, r.height].map(Math.round)];
    }));
})()`);

// The captions whose text lies outside their control.
export const overflowing = `[...document.querySelectorAll('#frmVelkora .label, #frmVelkora button, label.option, .legend')]
    .filter((element) => {
        const box = (element.classList.contains('legend') ? element.parentElement : element).getBoundingClientRect();
        const range = document.createRange();
        range.selectNodeContents(element);
        const text = range.getBoundingClientRect();
        return text.width && (text.left < box.left - 1 || text.right > box.right + 1 || text.top < box.top - 1
            || text.bottom > box.bottom + 1);
    }).map((element) => element.id || element.className)`;

// What a page in a language must show: its texts, none cut off, its access keys and boxes.
export const languages = {
    fr: { title: "Velkora – Calculateur des temps de fermeture des portes d'ascenseur", calculate: 'CALCULER',
        opt1: 'Ouverture latérale à\u00a0une\u00a0vitesse', opt1Key: 'l', numbersOnly: 'Nombres seulement' },
    es: { title: 'Velkora – Calculadora de tiempos de cierre de puertas de elevador', calculate: 'CALCULAR',
        opt1: 'Apertura lateral de una\u00a0velocidad', opt1Key: 'l', numbersOnly: 'Solo números' },
};
export async function speaks(tab, language) {
    const texts = languages[language];
    assert.equal(await tab.evaluate('document.documentElement.lang'), language);
    assert.equal(await tab.evaluate('document.title'), texts.title);
    assert.equal(await tab.evaluate("document.getElementById('cmdCalculate').textContent"), texts.calculate);
    assert.equal(await tab.evaluate("document.querySelector('label.opt1').textContent"), texts.opt1);
    assert.equal(await tab.evaluate("document.getElementById('txtWidth').placeholder"), '0.0');
    assert.deepEqual(await tab.evaluate(overflowing), []);
    await tab.accessKey(texts.opt1Key);
    assert.equal(await tab.evaluate("document.getElementById('opt1').checked"), true);
    await tab.type('abc');
    await tab.press('Enter');
    assert.equal(await tab.evaluate("document.getElementById('msgbox-title').textContent"), texts.numbersOnly);
    await tab.press('Enter');
}

// Each scenario: a name and what it does with a tab. `site` is the served site's origin and
// `launch(languages)` starts another browser of the same engine.
export const scenarios = [
    {
        name: 'starts in imperial entry with the caret in the inch box, the page the module would make',
        run: async (tab) => {
            assert.equal(await focused(tab), 'txtWidth');
            assert.equal(await tab.evaluate("document.getElementById('txtWidthMetric').readOnly"), true);
            assert.equal(await tab.evaluate("document.getElementById('optImperial').checked"), true);
            assert.equal(await tab.evaluate('document.documentElement.dataset.adoption'), 'adopted');
        },
    },
    ...doors.map((door) => ({
        name: `imperial, ${door.option} by its access key: 42 in, 400 lb, Enter`,
        run: async (tab) => {
            await tab.type('42');
            await tab.press('Tab');
            await tab.type('400');
            await tab.accessKey(door.key);
            assert.equal(await focused(tab), 'cmdCalculate');
            await tab.press('Enter');
            assert.deepEqual(await converted(tab, 'txtWidthMetric', 'txtWeightMetric'), ['1066.8', '181.437']);
            assert.deepEqual(await results(tab), [door.close, door.nudging]);
            assert.equal(await focused(tab), 'cmdClear');
        },
    })),
    ...doors.map((door, at) => ({
        name: `metric, ${door.option} by a click on its ${at % 2 ? 'round button' : 'caption'}: 1067 mm, 181 kg, Enter from the weight box`,
        run: async (tab) => {
            await tab.accessKey('m');
            assert.equal(await focused(tab), 'txtWidthMetric');
            await tab.type('1067');
            await tab.press('Tab');
            await tab.type('181');
            await tab.click(at % 2 ? `#${door.option}` : `label.${door.option} span`);
            assert.equal(await focused(tab), 'cmdCalculate');
            assert.equal(await colour(tab, `label.${door.option}`), red);
            await tab.click('#txtWeightMetric');
            await tab.press('Enter');
            assert.deepEqual(await converted(tab, 'txtWidth', 'txtWeight'), ['42.008', '399.037']);
            assert.deepEqual(await results(tab), [door.close, door.nudging]);
        },
    })),
    ...[['caption', (units) => `label.${units} span`], ['round button', (units) => `#${units}`]].map(([by, target]) => ({
        name: `Metric and back to Imperial by a click on the ${by}: the colours and the caret follow`,
        run: async (tab) => {
            await tab.click(target('optMetric'));
            assert.equal(await focused(tab), 'txtWidthMetric');
            assert.deepEqual([await colour(tab, 'label.optMetric'), await colour(tab, 'label.optImperial')], [red, black]);
            assert.deepEqual([await colour(tab, '#txtWidth', 'backgroundColor'), await colour(tab, '#txtWeightMetric', 'backgroundColor')],
                [yellow, white]);
            assert.equal(await tab.evaluate("document.getElementById('txtWidth').readOnly"), true);
            await tab.click(target('optImperial'));
            assert.equal(await focused(tab), 'txtWidth');
            assert.deepEqual([await colour(tab, 'label.optMetric'), await colour(tab, 'label.optImperial')], [black, red]);
            assert.deepEqual([await colour(tab, '#txtWidthMetric', 'backgroundColor'), await colour(tab, '#txtWeight', 'backgroundColor')],
                [yellow, white]);
        },
    })),
    {
        name: 'Tab visits the entry pair, the commands, the door types and the units, in each state',
        run: async (tab) => {
            const order = [];
            for (const units of ['Imperial', 'Metric']) {
                if (units === 'Metric')
                    await tab.accessKey('m');
                for (let i = 0; i < 5; ++i) {
                    await tab.press('Tab');
                    order.push(await focused(tab));
                }
            }
            assert.deepEqual(order, ['txtWeight', 'cmdCalculate', 'cmdClear', 'opt1', 'optImperial',
                'txtWeightMetric', 'cmdCalculate', 'cmdClear', 'opt1', 'optMetric']);
        },
    },
    {
        name: 'an arrow key on the chosen door type chooses the next one',
        run: async (tab) => {
            await tab.click('label.opt2 span');
            await tab.press('Tab');
            await tab.press('Tab');
            assert.equal(await focused(tab), 'opt2');
            await tab.press('ArrowDown');
            assert.equal(await tab.evaluate("document.getElementById('opt3').checked && !document.getElementById('opt2').checked"), true);
            assert.equal(await colour(tab, 'label.opt3'), red);
            assert.equal(await focused(tab), 'cmdCalculate');
        },
    },
    {
        name: 'no door type: the Door Type box, exclamation, OK focused, Escape closes it',
        run: async (tab) => {
            await tab.type('42');
            await tab.press('Enter');
            assert.equal(await boxOpen(tab), true);
            assert.equal(await tab.evaluate("document.getElementById('msgbox-title').textContent"), 'Door Type');
            assert.equal(await tab.evaluate("document.getElementById('msgbox-text').textContent"), 'Please select a door type.');
            assert.equal(await tab.evaluate("document.getElementById('msgbox-icon').hidden"), false);
            assert.equal(await focused(tab), 'msgbox-ok');
            assert.deepEqual(await converted(tab, 'txtWidthMetric', 'txtWeightMetric'), ['1066.8', '0']);
            await tab.press('Escape');
            assert.equal(await boxOpen(tab), false);
            assert.equal(await focused(tab), 'txtWidth');
        },
    },
    {
        name: 'width "abc": the Numbers Only box; the page under it takes nothing; after Enter the inch box is empty with the caret',
        run: async (tab) => {
            await tab.type('abc');
            await tab.press('Tab');
            await tab.type('400');
            await tab.accessKey('s');
            await tab.press('Enter');
            assert.equal(await boxOpen(tab), true);
            assert.equal(await tab.evaluate("document.getElementById('msgbox-title').textContent"), 'Numbers Only');
            assert.equal(await focused(tab), 'msgbox-ok');
            await tab.press('Enter');
            assert.equal(await boxOpen(tab), false);
            assert.deepEqual(await converted(tab, 'txtWidth', 'txtWeight'), ['', '400']);
            assert.equal(await focused(tab), 'txtWidth');
        },
    },
    {
        name: 'a width beyond the double range: the error box, with no icon, closed by a click on OK',
        run: async (tab) => {
            await tab.type('1E400');
            await tab.accessKey('s');
            await tab.press('Enter');
            assert.equal(await tab.evaluate("document.getElementById('msgbox-title').textContent"), "What'd you do?");
            assert.equal(await tab.evaluate("document.getElementById('msgbox-icon').hidden"), true);
            assert.equal(await focused(tab), 'msgbox-ok');
            await tab.click('#msgbox-ok');
            assert.equal(await boxOpen(tab), false);
            assert.equal(await shown(tab, 'lblMinimum'), '');
        },
    },
    {
        name: 'every control at its table place',
        run: async (tab) => assert.deepEqual(await placed(tab), places),
    },
    ...Object.keys(languages).map((language) => ({
        name: `?lang=${language}: the page in that language`,
        address: `/?lang=${language}`,
        run: async (tab) => {
            assert.equal(await tab.evaluate('document.documentElement.dataset.adoption'), 'adopted');
            await speaks(tab, language);
        },
    })),
    {
        name: "a browser in Spanish: its first visit turned into Spanish, the next one Spanish from the start",
        run: async (tab, { site, launch }) => {
            const spanish = await launch(['es-MX', 'es']);
            try {
                await spanish.open(`${site}/`);
                assert.equal(await spanish.evaluate('document.documentElement.dataset.adoption'), 'translated');
                await speaks(spanish, 'es');
                await spanish.waitFor('navigator.serviceWorker.ready.then(() => !!navigator.serviceWorker.controller)');
                await spanish.open(`${site}/`);
                assert.equal(await spanish.evaluate('document.documentElement.dataset.adoption'), 'adopted');
                assert.deepEqual(spanish.problems ?? [], []);
            } finally {
                await spanish.close();
            }
        },
    },
];

// The data plate's rows as the page shows them: each row's cells, the floors from their box.
export const plateRows = (tab) => tab.evaluate(`[...document.querySelectorAll('#plate-sheet tbody tr')].map((row) =>
    [...row.querySelectorAll('td:not(.row-commands)')].map((cell) => (cell.querySelector('input')
        ? cell.querySelector('input').value + (cell.querySelector('.mark') ? ' *' : '') : cell.textContent)))`);

// Types a width and a weight into an emptied entry pair, chooses a door type, calculates and
// adds the row to the data plate from the bar below the form.
export async function addRow(tab, width, weight) {
    await tab.click('#cmdClear');
    await tab.click('#txtWidth');
    await tab.type(width);
    await tab.press('Tab');
    await tab.type(weight);
    await tab.accessKey('s');
    await tab.press('Enter');
    await tab.click('#cmdPlateAdd');
}

scenarios.push({
    name: 'the data plate: rows from the bar below the form, floors typed, a row of another width marked, moved, removed',
    run: async (tab) => {
        await tab.click('#cmdPlateAdd');
        assert.equal(await tab.evaluate("document.getElementById('msgbox-text').textContent"),
            'Calculate first: the data plate takes the times the form shows.');
        await tab.press('Enter');
        await addRow(tab, '42', '400');
        await addRow(tab, '42', '900');
        await addRow(tab, '48', '400');
        // By keys: from the inch box past the form's stops to the bar's second command, and Enter.
        await tab.click('#optImperial');
        assert.equal(await focused(tab), 'txtWidth');
        for (let i = 0; i < 7; ++i)
            await tab.press('Tab');
        assert.equal(await focused(tab), 'cmdPlateOpen');
        await tab.press('Enter');
        assert.equal(await tab.evaluate("getComputedStyle(document.querySelector('main.window')).display"), 'none');
        assert.equal(await focused(tab), 'plate-title');
        await tab.click('input.floors[data-row="1"]');
        await tab.type('1-12');
        await tab.press('Tab');
        const door = 'Side Opening Single Speed';
        assert.deepEqual(await plateRows(tab), [
            ['', door, '42', '1066.8', '400', '181.437', '2.98', '4.97'],
            ['1-12', door, '42', '1066.8', '900', '408.233', '4.47', '7.45'],
            [' *', door, '48', '1219.2', '400', '181.437', '3.45', '5.75'],
        ]);
        await tab.click('button[data-row="2"][data-command="up"]');
        await tab.click('button[data-row="0"][data-command="remove"]');
        // The first row now another width: the mark moves to the one that differs from it.
        assert.deepEqual((await plateRows(tab)).map((row) => row.slice(0, 3)), [['', door, '48'], ['1-12 *', door, '42']]);
        await tab.click('#plateClose');
        assert.equal(await focused(tab), 'cmdPlateOpen');
        await tab.click('#cmdAbout');
        assert.equal(await tab.evaluate("document.getElementById('msgbox-title').textContent"), 'About Velkora');
        assert.match(await tab.evaluate("document.getElementById('msgbox-text').textContent"), /7 ft-lbf.*2\.6 percent/s);
        await tab.press('Enter');
    },
});

// Last, since it stops the server: the site reloaded from its service worker still calculates.
export const offline = {
    name: 'reloaded with the network cut, the site still calculates',
    run: async (tab, { site, stopServer }) => {
        await tab.waitFor('navigator.serviceWorker.ready.then(() => !!navigator.serviceWorker.controller)');
        await stopServer();
        await tab.open(`${site}/`);
        await tab.type('30');
        await tab.press('Tab');
        await tab.type('101');
        await tab.accessKey('s');
        await tab.press('Enter');
        assert.deepEqual(await results(tab), ['1.03', '1.72']);
    },
};
