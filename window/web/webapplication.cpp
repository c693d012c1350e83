// Running the form in a browser page. The page's own event loop runs it: run() binds the form
// to the page, brings it up through Form_Load and returns, and from then on the page calls the
// module's exported functions for what the user does.
#include "window/application.h"
#include "window/frmvelkora.h"
#include "window/web/webwindow.h"

#include <memory>
#include <string>

namespace velkora {

namespace {

    std::unique_ptr<WebWindow> window;
    // Text handed in by the page, written by it into memory that textBuffer() gave it.
    std::string incoming;

} // namespace

int run(frmVelkora &form, int, char *[])
{
    window = std::make_unique<WebWindow>(form);
    form.Form_Load();
    return 0;
}

} // namespace velkora

using velkora::window;

#define VELKORA_EXPORT(name) extern "C" __attribute__((export_name(#name)))

// Room for a text of `length` bytes that the page is about to pass in.
VELKORA_EXPORT(textBuffer) char *textBuffer(int length)
{
    velkora::incoming.assign(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    return velkora::incoming.data();
}

VELKORA_EXPORT(edit) void edit(int index, int length)
{
    if (window)
        window->edit(index, velkora::incoming.substr(0, static_cast<std::size_t>(length > 0 ? length : 0)));
}

VELKORA_EXPORT(click) void click(int index)
{
    if (window)
        window->click(index);
}

VELKORA_EXPORT(focus) void focus(int index)
{
    if (window)
        window->focus(index);
}

VELKORA_EXPORT(pressArrow) void pressArrow(int index, int step)
{
    if (window)
        window->pressArrow(index, step);
}

VELKORA_EXPORT(pressEnter) void pressEnter()
{
    if (window)
        window->pressEnter();
}

VELKORA_EXPORT(refit) void refit()
{
    if (window)
        window->refit();
}
