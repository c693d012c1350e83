// The languages the form speaks and how one is chosen. Every text a user reads or hears is
// written in English where it is used; a language's catalogue (compiled from its PO file in
// po/ when the program is built) gives its translation. The language is chosen once, at start,
// from the user's own preferences, and nothing of that choice is kept.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace velkora {

// Marks an English text for translation where it is written (xgettext finds it by this name);
// the form looks it up in the chosen language when it is built.
[[nodiscard]] constexpr std::string_view translatable(std::string_view english)
{
    return english;
}

struct Translation {
    std::string_view english;
    std::string_view translated;
};

struct Language {
    // The language's tag as the web knows it: "en", "fr", "es".
    std::string_view code;
    // Every translatable text; none for English, whose texts are the program's own.
    std::span<const Translation> texts;
};

// Every language the form speaks, English first.
[[nodiscard]] std::span<const Language> languages();
[[nodiscard]] const Language &english();

// The first of the user's preferred languages that the form speaks, else English. A preference
// is a language tag ("fr-CA", "es-419") or a locale name ("fr_FR.UTF-8", "es_MX@euro"); only its
// language counts, in any case.
[[nodiscard]] const Language &chooseLanguage(std::span<const std::string> preferred);

// A text in a language: its translation, or the English text itself where the language has
// none (English, or a text that is not translatable).
[[nodiscard]] std::string_view translate(const Language &language, std::string_view english);
// Whether the language has a translation of the text (always for English).
[[nodiscard]] bool translates(const Language &language, std::string_view english);

} // namespace velkora
