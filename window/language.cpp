#include "window/language.h"

#include <algorithm>

namespace velkora {

// Compiled from po/ when the program is built.
extern const std::span<const Language> compiledLanguages;

namespace {

    // The language of a tag or locale name: what comes before the first "-", "_", "." or "@",
    // in lower case ("fr_CA.UTF-8" gives "fr").
    std::string primaryLanguage(std::string_view preference)
    {
        std::string language(preference.substr(0, preference.find_first_of("-_.@")));
        std::transform(language.begin(), language.end(), language.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        return language;
    }

    const Translation *find(const Language &language, std::string_view english)
    {
        const auto found = std::find_if(language.texts.begin(), language.texts.end(),
            [english](const Translation &t) { return t.english == english; });
        return found == language.texts.end() ? nullptr : &*found;
    }

} // namespace

std::span<const Language> languages()
{
    return compiledLanguages;
}

const Language &english()
{
    return compiledLanguages.front();
}

const Language &chooseLanguage(std::span<const std::string> preferred)
{
    for (const std::string &preference : preferred) {
        const std::string wanted = primaryLanguage(preference);
        for (const Language &language : compiledLanguages) {
            if (language.code == wanted)
                return language;
        }
    }
    return english();
}

std::string_view translate(const Language &language, std::string_view english)
{
    const Translation *translation = find(language, english);
    return translation ? translation->translated : english;
}

bool translates(const Language &language, std::string_view english)
{
    return &language == &velkora::english() || find(language, english);
}

} // namespace velkora
