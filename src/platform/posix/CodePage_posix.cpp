#include "platform/CodePage.h"

#include "platform/Utf8.h"

namespace {

constexpr int QuestionMark = 63;

// Windows-1252 gives its bytes 0x80 to 0x9F to typographic characters; the
// five bytes it leaves unassigned stand for the control characters of the same
// value, as the Windows conversion tables have them.
constexpr char32_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

int singleByteCode(const std::string& utf8Character)
{
    if (utf8Character.empty())
        return QuestionMark;
    std::size_t pos = 0;
    const Utf8::Character c = Utf8::next(utf8Character, pos);
    if (!c.valid || pos != utf8Character.size())
        return QuestionMark;
    if (c.code < 0x80 || (c.code >= 0xA0 && c.code <= 0xFF))
        return static_cast<int>(c.code);
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == c.code)
            return 0x80 + i;
    }
    return QuestionMark;
}
