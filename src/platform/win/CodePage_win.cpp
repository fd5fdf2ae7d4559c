#include "platform/CodePage.h"

#include <windows.h>

#include <cstdint>

#include "platform/win/WideText.h"

namespace {

constexpr int QuestionMark = 63;

// Converts one character to the ANSI code page. Code pages without best-fit
// tables (UTF-8, UTF-7) refuse the flag and the used-default query; they are
// converted plainly, and every non-ASCII character becomes several bytes there.
int toAnsi(const std::wstring& character, char* bytes, int size, bool& usedDefault)
{
    BOOL defaulted = FALSE;
    const UINT codePage = GetACP();
    int length = 0;
    if (codePage == CP_UTF8 || codePage == CP_UTF7) {
        length = WideCharToMultiByte(codePage, 0, character.data(), static_cast<int>(character.size()), bytes, size,
                                     nullptr, nullptr);
    } else {
        length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, character.data(), static_cast<int>(character.size()),
                                     bytes, size, nullptr, &defaulted);
    }
    usedDefault = defaulted != FALSE;
    return length;
}

}  // namespace

int singleByteCode(const std::string& utf8Character)
{
    const std::wstring character = toWide(utf8Character);
    if (character.empty())
        return QuestionMark;
    char bytes[8] = {};
    bool usedDefault = false;
    const int length = toAnsi(character, bytes, sizeof bytes, usedDefault);
    if (length <= 0 || usedDefault)
        return QuestionMark;
    const auto first = static_cast<unsigned char>(bytes[0]);
    if (length == 1)
        return first;
    // A character that needs two bytes: the two bytes read as one signed 16-bit
    // number, lead byte first. Lead bytes have the high bit set, so the code is
    // negative, below every single-byte code.
    if (length == 2)
        return static_cast<std::int16_t>(
            static_cast<std::uint16_t>((first << 8) | static_cast<unsigned char>(bytes[1])));
    return -1;
}
