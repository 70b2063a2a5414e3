#include "store/SoundName.h"

namespace sondrake {

namespace {

    // U+00C0..U+00FF, one plain letter per character ("?" for × ÷ Þ þ).
    constexpr std::string_view kLatin1Letters = "AAAAAAACEEEEIIIIDNOOOOO?OUUUUY?s"
                                                "aaaaaaaceeeeiiiidnooooo?ouuuuy?y";
    // U+0100..U+017F, the letters of the other European alphabets.
    constexpr std::string_view kExtendedLetters = "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHh"
                                                  "IiIiIiIiIiIiJjKkkLlLlLlLlLlNnNnNnnNnOoOoOo"
                                                  "OoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZ"
                                                  "zZzs";
    static_assert(kLatin1Letters.size() == 0x40);
    static_assert(kExtendedLetters.size() == 0x80);

} // namespace

char storableNameChar(char32_t c)
{
    if (c >= 0x20 && c <= 0x7E)
        return static_cast<char>(c);
    if (c == 0xA0)
        return ' '; // a no-break space
    if (c >= 0xC0 && c <= 0xFF)
        return kLatin1Letters[c - 0xC0];
    if (c >= 0x100 && c <= 0x17F)
        return kExtendedLetters[c - 0x100];
    return '?';
}

std::string storableName(std::u32string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (char32_t c : name)
        out.push_back(storableNameChar(c));
    return out;
}

} // namespace sondrake
