#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

// Offending text as an error message quotes it: its first few characters, so that a huge token
// cannot make a huge message, with control characters and bytes that are not UTF-8 shown as
// \xNN, so that a NUL or a stray byte cannot cut the message short or garble it.
inline std::string Printable(std::string_view s, std::size_t nMaxChars = 20) {
    std::string o;
    std::size_t i = 0;
    for (std::size_t nChars = 0; i < s.size() && nChars < nMaxChars; ++nChars) {
        const auto c = static_cast<unsigned char>(s[i]);
        // The length of a well-formed UTF-8 sequence starting here; 0 for a stray byte.
        std::size_t n = c < 0x80                 ? 1
                        : c >= 0xC2 && c <= 0xDF ? 2
                        : c >= 0xE0 && c <= 0xEF ? 3
                        : c >= 0xF0 && c <= 0xF4 ? 4
                                                 : 0;
        for (std::size_t k = 1; k < n; ++k)
            if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                n = 0;
        const bool bControl = (n == 1 && (c < 0x20 || c == 0x7F)) ||
                              (n == 2 && c == 0xC2 && static_cast<unsigned char>(s[i + 1]) < 0xA0);
        if (n == 0 || bControl) {
            char sHex[8];
            for (std::size_t k = 0; k < std::max<std::size_t>(n, 1); ++k) {
                std::snprintf(sHex, sizeof sHex, "\\x%02X", static_cast<unsigned char>(s[i + k]));
                o += sHex;
            }
            i += std::max<std::size_t>(n, 1);
        } else {
            o.append(s.substr(i, n));
            i += n;
        }
    }
    if (i < s.size())
        o += "\xE2\x80\xA6"; // an ellipsis: there is more
    return o;
}
