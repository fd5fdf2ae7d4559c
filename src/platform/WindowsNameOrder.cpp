#include "platform/WindowsNameOrder.h"

#include <cstdint>

#include "platform/LetterCase.h"
#include "platform/Utf8.h"

namespace {

// The weight of the character at pos, upper-cased, such that comparing
// weights one character at a time orders names as comparing their UTF-16 code
// units does: a character beyond U+FFFF is written as two surrogates from
// D800, so it comes after U+D7FF and before U+E000. Moves pos past it.
std::uint32_t weightAt(const std::string& name, std::size_t& pos)
{
    const auto byte = static_cast<unsigned char>(name[pos]);
    if (byte < 0x80) {
        ++pos;
        return upperCase(byte);
    }
    const Utf8::Character c = Utf8::next(name, pos);
    if (!c.valid)
        return 0x200000 + c.code;
    const char32_t upper = upperCase(c.code);
    if (upper >= 0x10000)
        return 0xD800 + (upper - 0x10000);
    if (upper >= 0xE000)
        return upper + 0x100000;
    return upper;
}

}  // namespace

bool precedesInWindowsOrder(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const std::uint32_t left = weightAt(a, i);
        const std::uint32_t right = weightAt(b, j);
        if (left != right)
            return left < right;
    }
    if (i < a.size() || j < b.size())
        return j < b.size();
    return a < b;
}
