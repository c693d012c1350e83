// Text between the form (UTF-8) and Windows (UTF-16).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace velkora {

inline std::wstring wide(std::string_view text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring result(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), result.data(), length);
    return result;
}

inline std::string narrow(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(
        CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(std::size_t(length), '\0');
    WideCharToMultiByte(
        CP_UTF8, 0, text.data(), int(text.size()), result.data(), length, nullptr, nullptr);
    return result;
}

} // namespace velkora
