// Running the form in a browser page. The page's own event loop runs it: run() binds the form
// to the page, brings it up through Form_Load, has the page take over its elements and returns,
// and from then on the page calls the module's exported functions for what the user does.
#include "window/application.h"
#include "window/frmvelkora.h"
#include "window/web/webwindow.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The browser's languages, most preferred first, separated by commas: a language the page's
// address asks for (?lang=fr) first. Writes at most `capacity` bytes and returns their number.
extern "C" __attribute__((import_module("velkora"), import_name("preferredLanguages"))) int jsPreferredLanguages(
    char *buffer, int capacity);

namespace velkora {

namespace {

    std::unique_ptr<WebWindow> window;
    // Text handed in by the page, written by it into memory that textBuffer() gave it.
    std::string incoming;
    // Text handed out to the page, which reads it from memory before it calls again.
    std::string outgoing;

} // namespace

std::vector<std::string> preferredLanguages()
{
    char buffer[256];
    const int length = jsPreferredLanguages(buffer, sizeof buffer);
    std::vector<std::string> languages;
    std::string_view list(buffer, static_cast<std::size_t>(length > 0 ? std::min<int>(length, sizeof buffer) : 0));
    while (!list.empty()) {
        const std::size_t comma = std::min(list.find(','), list.size());
        languages.emplace_back(list.substr(0, comma));
        list.remove_prefix(std::min(comma + 1, list.size()));
    }
    return languages;
}

int run(frmVelkora &form, int, char *[])
{
    window = std::make_unique<WebWindow>(form);
    form.Form_Load();
    window->adopt();
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

VELKORA_EXPORT(plateAdd) void plateAdd()
{
    if (window)
        window->plateAdd();
}

VELKORA_EXPORT(plateSetFloors) void plateSetFloors(int row, int length)
{
    if (window)
        window->plateSetFloors(row, velkora::incoming.substr(0, static_cast<std::size_t>(length > 0 ? length : 0)));
}

VELKORA_EXPORT(plateRemove) void plateRemove(int row)
{
    if (window)
        window->plateRemove(row);
}

VELKORA_EXPORT(plateMove) void plateMove(int row, int step)
{
    if (window)
        window->plateMove(row, step);
}

// The plate written out (the date, for the sheet, passed in first); its length comes from
// outgoingLength.
VELKORA_EXPORT(plateWrite) const char *plateWrite(int kind, int dateLength)
{
    velkora::outgoing = window ? window->plateWrite(kind,
                                     velkora::incoming.substr(0, static_cast<std::size_t>(dateLength > 0 ? dateLength : 0)))
                               : std::string();
    return velkora::outgoing.data();
}

VELKORA_EXPORT(outgoingLength) int outgoingLength()
{
    return static_cast<int>(velkora::outgoing.size());
}

VELKORA_EXPORT(plateMessage) void plateMessage(int which, int detailLength)
{
    if (window)
        window->plateMessage(which, velkora::incoming.substr(0, static_cast<std::size_t>(detailLength > 0 ? detailLength : 0)));
}

VELKORA_EXPORT(plateRowCount) int plateRowCount()
{
    return window ? window->plateRowCount() : 0;
}

VELKORA_EXPORT(about) void about()
{
    if (window)
        window->about();
}
