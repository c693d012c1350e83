// The page's side of the form: it makes one element per control when the WebAssembly module
// asks, shows each property change the module reports, and passes what the user does back to
// the module. Every rule of the form lives in the module; nothing here decides.

const form = document.getElementById('frmVelkora');
const box = document.getElementById('msgbox');
const elements = []; // by position in the control table: the element that takes focus and input
const outers = []; // the element that is laid out: the option's label, else the element itself
const rows = [];
let exports;
let memory;

// --- showing in order ----------------------------------------------------------------------
// A message box holds back whatever the form did after it until it is answered, as a modal box
// on the desktop does; the page under it is inert meanwhile.
const queue = [];
let boxOpen = false;

function later(show) {
    queue.push(show);
    while (!boxOpen && queue.length)
        queue.shift()();
}

// OK, Enter on it and Escape answer the box; what it held back is shown at once.
function answer() {
    if (box.open)
        box.close();
    boxOpen = false;
    later(() => {});
}
const ok = document.getElementById('msgbox-ok');
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

// --- texts across the boundary -------------------------------------------------------------
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

function cssColour(bgr) {
    const hex = ((bgr & 0xff) << 16 | (bgr & 0xff00) | (bgr >> 16 & 0xff)).toString(16).padStart(6, '0');
    return `#${hex}`;
}

// A caption with its access key underlined, as the desktop shows it.
function captionNodes(row) {
    if (row.accessKeyAt < 0)
        return [document.createTextNode(row.caption)];
    const at = row.accessKeyAt;
    const key = document.createElement('u');
    key.textContent = row.caption.slice(at, at + 1);
    return [document.createTextNode(row.caption.slice(0, at)), key, document.createTextNode(row.caption.slice(at + 1))];
}

// --- building ------------------------------------------------------------------------------
function build(index, row) {
    let element;
    let outer;
    switch (row.kind) {
    case 'textbox':
        element = outer = document.createElement('input');
        element.type = 'text';
        // A keyboard with letters, digits, "." and "E", whatever the phone's language.
        element.inputMode = 'text';
        element.enterKeyHint = 'go';
        element.autocomplete = 'off';
        element.spellcheck = false;
        element.setAttribute('autocapitalize', 'off');
        element.setAttribute('autocorrect', 'off');
        element.addEventListener('input', () => exports.edit(index, passText(element.value)));
        break;
    case 'button':
        element = outer = document.createElement('button');
        element.type = 'button';
        element.append(...captionNodes(row));
        element.addEventListener('click', () => exports.click(index));
        break;
    case 'frame': {
        element = outer = document.createElement('fieldset');
        const legend = document.createElement('legend');
        legend.textContent = row.caption;
        element.append(legend);
        break;
    }
    case 'option': {
        outer = document.createElement('label');
        element = document.createElement('input');
        element.type = 'radio';
        const caption = document.createElement('span');
        caption.append(...captionNodes(row));
        outer.append(element, caption);
        element.addEventListener('click', () => exports.click(index));
        element.addEventListener('keydown', (event) => {
            const step = { ArrowDown: 1, ArrowRight: 1, ArrowUp: -1, ArrowLeft: -1 }[event.key];
            if (step && !event.altKey && !event.ctrlKey && !event.metaKey) {
                event.preventDefault();
                exports.pressArrow(index, step);
            }
        });
        break;
    }
    default:
        if (row.border) {
            // A result: what is painted, and the whole number for a screen reader.
            element = outer = document.createElement('output');
            const shown = document.createElement('span');
            shown.className = 'shown';
            shown.setAttribute('aria-hidden', 'true');
            const whole = document.createElement('span');
            whole.className = 'whole';
            element.append(shown, whole);
        } else {
            element = outer = document.createElement('div');
        }
        break;
    }
    element.id = row.name;
    outer.classList.add(row.kind, row.name, `align-${row.align}`);
    if (row.kind === 'option' || row.kind === 'button')
        element.accessKey = row.accessKey.toLowerCase();
    if (row.tooltip)
        outer.title = row.tooltip;
    if (row.accessibleName)
        element.setAttribute('aria-label', row.accessibleName);
    if (row.accessibleDescription)
        element.setAttribute('aria-description', row.accessibleDescription);
    const style = outer.style;
    style.setProperty('--left', `${row.left}px`);
    style.setProperty('--top', `${row.top}px`);
    style.setProperty('--width', `${row.width}px`);
    style.setProperty('--height', `${row.height}px`);
    style.setProperty('--font-px', `${row.fontPixels}px`);
    style.setProperty('--text-px', `${row.fontPixels}px`);
    style.fontWeight = row.bold ? 'bold' : 'normal';
    element.addEventListener('focus', () => {
        // The focus a closing message box gives back is not the user's: the form has its own.
        if (!boxOpen && !queue.length)
            exports.focus(index);
    });
    (row.container >= 0 ? elements[row.container] : form).append(outer);
    elements[index] = element;
    outers[index] = outer;
    rows[index] = row;
    // A caption label names the result it stands before.
    rows.forEach((other, at) => {
        if (other.labelFor === index)
            element.setAttribute('aria-labelledby', `${other.name} ${row.name}`);
        if (row.labelFor === at)
            elements[at].setAttribute('aria-labelledby', `${row.name} ${other.name}`);
    });
}

// --- measuring -----------------------------------------------------------------------------
const canvas = document.createElement('canvas').getContext('2d');
const faces = []; // each control's weight and family, which never change

function measure(index, pointer, length, pixels) {
    if (!faces[index]) {
        const style = getComputedStyle(elements[index]);
        faces[index] = [style.fontWeight, style.fontFamily];
    }
    canvas.font = `${faces[index][0]} ${pixels}px ${faces[index][1]}`;
    return canvas.measureText(text(pointer, length)).width;
}

function room(index) {
    const element = elements[index];
    const style = getComputedStyle(element);
    return Math.floor(element.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight));
}

// --- what the module calls -----------------------------------------------------------------
const velkora = {
    build: (index, pointer, length) => build(index, JSON.parse(text(pointer, length))),
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
            element.style.setProperty('--text-px', `${pixels}px`);
            if (element.tagName === 'OUTPUT') {
                element.querySelector('.shown').textContent = shown;
                element.querySelector('.whole').textContent = whole;
                element.title = whole;
            } else {
                element.textContent = shown;
            }
        });
    },
    showValue: (index, value) => later(() => { elements[index].checked = !!value; }),
    showForeColor: (index, colour) => later(() => { outers[index].style.color = cssColour(colour); }),
    showBackColor: (index, colour) => later(() => { elements[index].style.backgroundColor = cssColour(colour); }),
    showLocked: (index, locked) => later(() => { elements[index].readOnly = !!locked; }),
    showTabStop: (index, stop) => later(() => { elements[index].tabIndex = stop ? 0 : -1; }),
    showFocus: (index) => later(() => elements[index].focus()),
    showDefault: (index) => later(() => {
        rows.forEach((row, at) => elements[at].classList.toggle('default', at === index));
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
    showForm: (pointer, length) => {
        const caption = text(pointer, length);
        later(() => {
            document.getElementById('caption').textContent = caption;
            form.hidden = false;
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

// --- keys the form answers -----------------------------------------------------------------
document.addEventListener('keydown', (event) => {
    if (boxOpen || !exports || event.isComposing)
        return;
    if (event.key === 'Enter' && !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey) {
        event.preventDefault();
        exports.pressEnter();
    }
});

let refitting = false;
addEventListener('resize', () => {
    if (refitting || !exports)
        return;
    refitting = true;
    requestAnimationFrame(() => {
        refitting = false;
        exports.refit();
    });
});

// --- start ---------------------------------------------------------------------------------
const imports = { velkora, wasi_snapshot_preview1: wasi };
const response = await fetch('velkora.wasm');
const { instance } = response.headers.get('Content-Type') === 'application/wasm'
    ? await WebAssembly.instantiateStreaming(response, imports)
    : await WebAssembly.instantiate(await response.arrayBuffer(), imports);
exports = instance.exports;
memory = exports.memory;
exports._initialize();
exports.__main_argc_argv(0, 0);
document.documentElement.dataset.ready = 'true';
performance.mark('velkora-ready');

if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').catch(() => {});
