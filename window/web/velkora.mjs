// The page's side of the form. The page holds the form's elements from its first paint, as
// Form_Load leaves them; when the WebAssembly module has run Form_Load it takes them over, shows
// each property change the module reports, and passes what the user does back to the module.
// What the user did before that waits, in order, and is passed on once the module is ready.
// Every rule of the form lives in the module; nothing here decides.

const form = document.getElementById('frmVelkora');
const box = document.getElementById('msgbox');
const ok = document.getElementById('msgbox-ok');
const elements = []; // by position in the control table: the element that takes focus and input
const outers = []; // the element that is laid out: the option's label, else the element itself
const positions = new Map(); // a control's name: its position in the control table
let exports;
let memory;

// --- what the user does ----------------------------------------------------------------------
// Until the module is ready, what the user does waits here, in order. The page's first script
// (early.js, written into the page) has kept everything done since the first paint; where it did
// not run, the boxes and options have kept typing and clicks by themselves, and those are taken
// over instead.
const early = [];
let ready = false;
const kept = window.velkoraEarly;
window.velkoraEarly = null;
if (!kept) {
    for (const input of form.querySelectorAll('input[type="text"]')) {
        if (input.value !== input.defaultValue)
            early.push({ type: 'edit', id: input.id, value: input.value });
    }
    for (const option of form.querySelectorAll('input[type="radio"]')) {
        if (option.checked && !option.defaultChecked)
            early.push({ type: 'click', id: option.id });
    }
    if (form.contains(document.activeElement) && !document.activeElement.autofocus)
        early.push({ type: 'focus', id: document.activeElement.id });
}

// The control clicked and where the form then left the focus, until the click's task is over or
// the user does something else. A browser may focus the clicked option after the click has been
// handled (its own default action for a click on a caption); the focus goes back to where the
// form put it.
let clickFocus = null;

// What a user's event asks of the form, if anything: an event as it comes, or as early.js kept
// it (with the box's text at that moment).
function actionOf(event) {
    const target = event.target;
    const inForm = form.contains(target);
    switch (event.type) {
    case 'input':
        return inForm && target.type === 'text' ? { type: 'edit', id: target.id, value: event.value ?? target.value } : null;
    case 'click': {
        const control = inForm && target.closest('button, input[type="radio"]');
        return control ? { type: 'click', id: control.id } : null;
    }
    case 'focusin':
        // The user's move, not the form's own, nor the browser's after a click the form handled.
        return inForm && target.id && !showing && target !== clickFocus?.clicked ? { type: 'focus', id: target.id } : null;
    case 'keydown': {
        if (event.altKey || event.ctrlKey || event.metaKey)
            return null;
        const step = { ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1 }[event.key];
        if (step && inForm && target.type === 'radio')
            return { type: 'arrow', id: target.id, step };
        // Enter calculates from anywhere but the data plate and the commands below the form.
        if (event.key === 'Enter' && !event.shiftKey && !boxOpen && !event.isComposing
            && !target.closest?.('#plate, nav.commands'))
            return { type: 'enter' };
        return null;
    }
    }
    return null;
}

function act(action) {
    if (ready)
        perform(action);
    else
        early.push(action);
}

function perform(action) {
    const index = positions.get(action.id);
    switch (action.type) {
    case 'edit':
        exports.edit(index, passText(action.value));
        break;
    case 'click':
        exports.click(index);
        break;
    case 'focus':
        // The focus a closing message box gives back is not the user's: the form has its own.
        if (!boxOpen && !queue.length)
            exports.focus(index);
        break;
    case 'arrow':
        exports.pressArrow(index, action.step);
        break;
    case 'enter':
        exports.pressEnter();
        break;
    }
}

// Passed on once the module is ready; a message box the form shows on the way is answered
// before the next action, as on the desktop. What the form itself does meanwhile (the focus it
// moves) reaches it at once, as it always does from then on.
async function replay() {
    const waiting = [...(kept || []).map(actionOf).filter(Boolean), ...early.splice(0)];
    ready = true;
    for (const action of waiting) {
        perform(action);
        if (boxOpen)
            await new Promise((resolve) => { whenAnswered = resolve; });
    }
}

function endClickFocus() {
    const { clicked, given } = clickFocus ?? {};
    clickFocus = null;
    if (clicked && document.activeElement === clicked && given !== clicked && !boxOpen && form.contains(given))
        given.focus();
}

for (const type of ['input', 'click', 'focusin', 'keydown']) {
    document.addEventListener(type, (event) => {
        // A key or another click ends the keeping (a changed option's input event comes with its
        // click).
        if (type === 'keydown' || type === 'click')
            endClickFocus();
        const action = actionOf(event);
        if (!action)
            return;
        if (action.type === 'arrow' || action.type === 'enter')
            event.preventDefault();
        act(action);
        if (action.type === 'click' && ready && document.activeElement !== elements[positions.get(action.id)]) {
            clickFocus = { clicked: elements[positions.get(action.id)], given: document.activeElement };
            setTimeout(endClickFocus);
        }
    });
}

// --- showing in order ------------------------------------------------------------------------
// A message box holds back whatever the form did after it until it is answered, as a modal box
// on the desktop does; the page under it is inert meanwhile.
const queue = [];
let boxOpen = false;
let whenAnswered = null;
let showing = false;

function later(show) {
    queue.push(show);
    while (!boxOpen && queue.length) {
        showing = true;
        try {
            queue.shift()();
        } finally {
            showing = false;
        }
    }
}

// OK, Enter on it and Escape answer the box; what it held back is shown at once.
function answer() {
    if (box.open)
        box.close();
    boxOpen = false;
    later(() => {});
    const resume = whenAnswered;
    whenAnswered = null;
    if (resume)
        resume();
}
ok.addEventListener('click', answer);
box.addEventListener('cancel', (event) => {
    event.preventDefault();
    answer();
});
box.addEventListener('close', answer);
// A click beside the OK button, or on the page under the box, leaves the focus on OK.
document.addEventListener('mousedown', (event) => {
    if (boxOpen && event.target !== ok)
        event.preventDefault();
}, true);

// --- texts across the boundary ---------------------------------------------------------------
const decoder = new TextDecoder();
const encoder = new TextEncoder();

function text(pointer, length) {
    return decoder.decode(new Uint8Array(memory.buffer, pointer, length));
}

function passText(value) {
    const bytes = encoder.encode(value);
    const pointer = exports.textBuffer(bytes.length);
    new Uint8Array(memory.buffer, pointer, bytes.length).set(bytes);
    return bytes.length;
}

// The class that carries a colour stored 0xBBGGRR: "fore-rrggbb" or "back-rrggbb".
function colourClass(element, prefix, bgr) {
    const hex = ((bgr & 0xff) << 16 | (bgr & 0xff00) | (bgr >> 16 & 0xff)).toString(16).padStart(6, '0');
    const wanted = `${prefix}${hex}`;
    for (const name of [...element.classList]) {
        if (name.startsWith(prefix) && name !== wanted)
            element.classList.remove(name);
    }
    element.classList.add(wanted);
}

// --- taking the elements over ----------------------------------------------------------------
// The elements of the page are the form's if they are what the module would have made of the
// form as it stands. On a page in another language than the form's (a first visit in French, to
// the English page), the form's replace them; anywhere else a difference is a fault.
function adopt(page) {
    const made = document.createElement('div');
    made.innerHTML = page.form;
    const differing = [...made.children].filter((element, at) => !element.isEqualNode(form.children[at]));
    if (made.childNodes.length !== form.childNodes.length || differing.length) {
        const sameLanguage = document.documentElement.lang === page.lang;
        if (sameLanguage)
            console.error(`velkora: the page's form is not the module's: ${differing.map((e) => e.id).join(' ')}`);
        form.replaceChildren(...made.childNodes);
        document.querySelector('nav.commands').outerHTML = page.commands;
        document.getElementById('plate').outerHTML = page.plate;
        document.documentElement.lang = page.lang;
        document.title = page.title;
        document.querySelector('meta[name="description"]').content = page.description;
        document.querySelector('link[rel="manifest"]').href = page.lang === 'en' ? 'velkora.webmanifest'
            : `velkora.${page.lang}.webmanifest`;
        document.documentElement.dataset.adoption = sameLanguage ? 'rebuilt' : 'translated';
    } else {
        document.documentElement.dataset.adoption = 'adopted';
    }
    page.names.split(' ').forEach((name, index) => {
        const element = document.getElementById(name);
        elements[index] = element;
        outers[index] = element.closest('label.option') || element;
        positions.set(name, index);
    });
}

// --- measuring ---------------------------------------------------------------------------------
const canvas = document.createElement('canvas').getContext('2d');
const faces = []; // each control's weight and family, looked up once for each fitting

// The element that holds a control's text: an option's caption beside its round button, a
// frame's caption on its edge, else the control itself.
function textHolder(index) {
    const element = elements[index];
    if (element.type === 'radio')
        return outers[index].lastElementChild;
    return element.classList.contains('frame') ? element.querySelector('.legend') : element;
}

function measure(index, pointer, length, pixels) {
    if (!faces[index]) {
        const style = getComputedStyle(textHolder(index));
        faces[index] = [style.fontWeight, style.fontFamily];
    }
    canvas.font = `${faces[index][0]} ${pixels}px ${faces[index][1]}`;
    return canvas.measureText(text(pointer, length)).width;
}

function room(index, vertical) {
    const holder = textHolder(index);
    const style = getComputedStyle(holder);
    if (holder.classList.contains('legend')) // along the frame's top edge, between two pieces of it
        return Math.floor(vertical ? holder.clientHeight : holder.parentElement.clientWidth - 16);
    // A control that grows with its text (the phone's column) has all the height it needs.
    if (vertical && getComputedStyle(outers[index]).position === 'static')
        return 1 << 20;
    if (vertical && holder !== outers[index]) // an option's caption, as high as the option
        return outers[index].clientHeight;
    return Math.floor(vertical
        ? holder.clientHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom)
        : holder.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight));
}

// --- what the module calls -------------------------------------------------------------------
const velkora = {
    adopt: (pointer, length) => adopt(JSON.parse(text(pointer, length))),
    showText: (index, pointer, length, pixels, cut) => {
        const value = text(pointer, length);
        later(() => {
            const element = elements[index];
            // What the user typed is there already; what the program wrote is shown to fit.
            if (element.value === value)
                return;
            element.value = value;
            element.style.setProperty('--text-px', `${pixels}px`);
            element.classList.toggle('cut', !!cut);
            element.scrollLeft = 0;
        });
    },
    showCaption: (index, wholePointer, wholeLength, shownPointer, shownLength, pixels) => {
        const whole = text(wholePointer, wholeLength);
        const shown = text(shownPointer, shownLength);
        later(() => {
            const element = elements[index];
            if (element.tagName !== 'OUTPUT') {
                element.textContent = shown;
                return;
            }
            element.style.setProperty('--text-px', `${pixels}px`);
            element.querySelector('.shown').textContent = shown;
            element.querySelector('.whole').textContent = whole;
            element.title = whole;
        });
    },
    // A caption at a smaller size than the table's, or on several lines; 0: as the table has it.
    showCaptionSize: (index, pixels, lines) => later(() => {
        const holder = textHolder(index);
        if (pixels)
            holder.style.setProperty('--caption-px', `${pixels}px`);
        else if (holder.style.getPropertyValue('--caption-px'))
            holder.style.removeProperty('--caption-px');
        // A label keeps to one line unless told; an option's caption always wraps.
        if (holder.classList.contains('label') && holder.classList.contains('wrapped') !== lines > 1)
            holder.classList.toggle('wrapped', lines > 1);
    }),
    showValue: (index, value) => later(() => { elements[index].checked = !!value; }),
    showForeColor: (index, colour) => later(() => colourClass(outers[index], 'fore-', colour)),
    showBackColor: (index, colour) => later(() => colourClass(elements[index], 'back-', colour)),
    showLocked: (index, locked, cuePointer, cueLength) => {
        const cue = text(cuePointer, cueLength);
        later(() => {
            const element = elements[index];
            element.readOnly = !!locked;
            if (cue)
                element.placeholder = cue;
            else
                element.removeAttribute('placeholder');
        });
    },
    showTabStop: (index, stop) => later(() => { elements[index].tabIndex = stop ? 0 : -1; }),
    showFocus: (index) => later(() => {
        if (document.activeElement !== elements[index])
            elements[index].focus();
    }),
    showDefault: (index) => later(() => {
        elements.forEach((element, at) => {
            if (element.tagName === 'BUTTON' && element.classList.contains('default') !== (at === index))
                element.classList.toggle('default', at === index);
        });
    }),
    messageBox: (titlePointer, titleLength, textPointer, textLength, exclamation) => {
        const title = text(titlePointer, titleLength);
        const message = text(textPointer, textLength);
        later(() => {
            document.getElementById('msgbox-title').textContent = title;
            document.getElementById('msgbox-text').textContent = message;
            document.getElementById('msgbox-icon').hidden = !exclamation;
            boxOpen = true;
            box.showModal();
            ok.focus();
        });
    },
    measure,
    room,
    // The languages the user reads, most preferred first: one the address asks for
    // (?lang=fr, for a link to share) before the browser's own.
    preferredLanguages: (pointer, capacity) => {
        const asked = new URLSearchParams(location.search).get('lang');
        const list = [asked, ...navigator.languages].filter(Boolean).join(',');
        const bytes = encoder.encode(list).subarray(0, capacity);
        new Uint8Array(memory.buffer, pointer, bytes.length).set(bytes);
        return bytes.length;
    },
};

// The C library asks for little: no files, no clock, no environment.
const wasi = {
    proc_exit: (status) => { throw new Error(`exit ${status}`); },
    fd_write: () => 8, // EBADF
    fd_close: () => 8,
    fd_seek: () => 8,
    fd_fdstat_get: () => 8,
    environ_sizes_get: (count, size) => {
        new Uint32Array(memory.buffer, count, 1)[0] = 0;
        new Uint32Array(memory.buffer, size, 1)[0] = 0;
        return 0;
    },
    environ_get: () => 0,
};

// Captions and what the program wrote are fitted to the page once it is painted, and again
// whenever its layout changes.
let refitting = false;
function refit() {
    if (refitting || !ready)
        return;
    refitting = true;
    requestAnimationFrame(() => setTimeout(() => {
        refitting = false;
        faces.length = 0;
        exports.refit();
    }));
}
addEventListener('resize', refit);

// --- the data plate ----------------------------------------------------------------------------
// The plate lives in the module with the form; the page shows its sheet as the module writes
// it, and passes on the commands of the bar below the form and of the plate's own view.
function today() {
    const now = new Date();
    return [now.getFullYear(), now.getMonth() + 1, now.getDate()].map((n) => String(n).padStart(2, '0')).join('-');
}

// The plate written out: 0 the sheet's markup, 1 tab-separated text, 2 CSV.
function plateOut(kind) {
    const pointer = exports.plateWrite(kind, passText(today()));
    return text(pointer, exports.outgoingLength());
}

function plateMessage(which, detail = '') {
    exports.plateMessage(which, passText(String(detail)));
}

// The sheet shown anew; the focus kept on the box or command it was on, by its place.
function showPlate(focusSelector) {
    const sheet = document.getElementById('plate-sheet');
    const selector = focusSelector ?? (sheet.contains(document.activeElement) && document.activeElement.dataset.row
        ? `[data-row="${document.activeElement.dataset.row}"]${document.activeElement.dataset.command
            ? `[data-command="${document.activeElement.dataset.command}"]` : '.floors'}` : null);
    sheet.innerHTML = plateOut(0);
    const again = selector && sheet.querySelector(selector);
    if (again)
        again.focus();
}

function openPlate(open) {
    const view = document.getElementById('plate');
    view.hidden = !open;
    if (open) {
        document.body.dataset.view = 'plate';
        showPlate();
        document.getElementById('plate-title').focus();
    } else {
        delete document.body.dataset.view;
        document.getElementById('cmdPlateOpen').focus();
    }
}

function download(name, content, type) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([content], { type }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

const plateCommands = {
    cmdPlateAdd: () => {
        exports.plateAdd();
        if (!document.getElementById('plate').hidden)
            showPlate();
    },
    cmdPlateOpen: () => openPlate(true),
    cmdAbout: () => exports.about(),
    plateClose: () => openPlate(false),
    platePrint: () => print(),
    plateCopy: () => navigator.clipboard.writeText(plateOut(1)).catch((error) => plateMessage(1, error.message)),
    plateSave: () => download(`${document.getElementById('plate-title').textContent}.csv`, plateOut(2), 'text/csv;charset=utf-8'),
    plateShare: () => navigator.share({ title: document.getElementById('plate-title').textContent, text: plateOut(1) })
        .catch((error) => error.name !== 'AbortError' && plateMessage(2, error.message)),
};

document.addEventListener('click', (event) => {
    if (!ready || boxOpen)
        return;
    const target = event.target.closest?.('button');
    if (!target)
        return;
    if (target.dataset.command) {
        const row = Number(target.dataset.row);
        if (target.dataset.command === 'remove')
            exports.plateRemove(row);
        else
            exports.plateMove(row, target.dataset.command === 'up' ? -1 : 1);
        const moved = target.dataset.command === 'remove' ? row : row + (target.dataset.command === 'up' ? -1 : 1);
        return showPlate(`[data-row="${Math.max(0, moved)}"][data-command="${target.dataset.command}"]`);
    }
    const command = plateCommands[target.id];
    if (!command)
        return;
    // Nothing to write out of an empty plate: said so.
    if (target.id.startsWith('plate') && target.id !== 'plateClose' && !exports.plateRowCount())
        return plateMessage(0);
    command();
});

// A floors text is kept as the module keeps it (one line, its most, no control character).
document.addEventListener('change', (event) => {
    if (ready && event.target.classList?.contains('floors')) {
        exports.plateSetFloors(Number(event.target.dataset.row), passText(event.target.value));
        showPlate();
    }
});

// --- start -------------------------------------------------------------------------------------
const imports = { velkora, wasi_snapshot_preview1: wasi };
const response = await fetch('velkora.wasm');
const { instance } = response.headers.get('Content-Type') === 'application/wasm'
    ? await WebAssembly.instantiateStreaming(response, imports)
    : await WebAssembly.instantiate(await response.arrayBuffer(), imports);
exports = instance.exports;
memory = exports.memory;
exports._initialize();
// Form_Load, then the page's elements taken over.
exports.__main_argc_argv(0, 0);
await replay();
document.getElementById('plateShare').hidden = !navigator.share;
document.documentElement.dataset.ready = 'true';
performance.mark('velkora-ready');
refit();

if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').catch(() => {});
