// The form as HTML: the elements of its controls as they stand, and what a page says of the
// program in the form's language. The site's pages are written from it when the site is built,
// and the page's module checks against it that the elements it takes over are the form's.
#pragma once

#include <string>
#include <string_view>

class frmVelkora;

namespace velkora {

class DataPlate;
struct ControlInfo;
struct Language;

// The controls' elements in the order of the control table, the door types inside their frame:
// what goes inside the page's form element, with no blank between elements. Texts, values,
// colours (classes "fore-RRGGBB", "back-RRGGBB"), locks, tab stops, access keys, the focus
// (autofocus) and the button Enter presses ("default") are the form's now.
[[nodiscard]] std::string formMarkup(const frmVelkora &form);

// The bar of commands below the form (add to the data plate, open it, About Velkora), and the
// plate's own view with its outputs, its sheet left empty for the module to fill.
[[nodiscard]] std::string commandBarMarkup(const Language &language);
[[nodiscard]] std::string plateViewMarkup(const Language &language);
// The data plate's sheet as the page shows and prints it: the title and car, the rows with each
// row's floors in a box the user edits and its own commands, the note, the basis and the date;
// a line that says how to add rows while there are none.
[[nodiscard]] std::string plateSheetMarkup(const DataPlate &plate, const Language &language, std::string_view date);

// What the page says of the program in a language: its title and description.
[[nodiscard]] std::string pageTitle(const Language &language);
[[nodiscard]] std::string pageDescription(const Language &language);

// Text escaped for HTML, in an element or in a quoted attribute value.
[[nodiscard]] std::string escapeHtml(std::string_view text);

// The CSS colour of a form colour, "#RRGGBB", and the class that carries it ("RRGGBB").
[[nodiscard]] std::string cssColour(unsigned colour);

} // namespace velkora
