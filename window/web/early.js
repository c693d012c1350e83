// The page's first script, written into the page after its stylesheet and run before the form
// is parsed (so before the first paint, which waits for the stylesheet anyway): until the
// form's module is ready, it keeps what the user does to the form, in order (typing, clicks and
// taps on the buttons and options, Enter, the arrow keys on an option, the focus), so that the
// module can pass all of it to the form. The module ends the keeping by taking the list.
'use strict';
window.velkoraEarly = [];
for (const type of ['input', 'click', 'focusin', 'keydown']) {
    document.addEventListener(type, (event) => {
        if (!window.velkoraEarly)
            return;
        const target = event.target;
        // The form moves between options and calculates on Enter itself, once it is there.
        if (type === 'keydown' && !event.altKey && !event.ctrlKey && !event.metaKey
            && (event.key === 'Enter' || (target.type === 'radio' && event.key.startsWith('Arrow'))))
            event.preventDefault();
        window.velkoraEarly.push({ type, target, value: target.value, key: event.key, altKey: event.altKey,
            ctrlKey: event.ctrlKey, metaKey: event.metaKey, shiftKey: event.shiftKey, isComposing: event.isComposing });
    }, true);
}
