#include "platform/Utf8.h"

namespace Utf8 {

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

}  // namespace

Character next(const std::string& text, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    Character lone{lead, false};
    std::size_t extra = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        ++pos;
        return {lead, true};
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
        smallest = 0x10000;
    } else {
        ++pos;
        return lone;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return lone;
    }
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(byte)) {
            ++pos;
            return lone;
        }
        code = (code << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++pos;
        return lone;
    }
    pos += extra + 1;
    return {code, true};
}

void append(std::string& text, char32_t code)
{
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (code >> 18));
        text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::size_t length(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count)
        next(text, pos);
    return count;
}

std::string lossy(const std::string& text)
{
    std::string valid;
    valid.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Character c = next(text, pos);
        append(valid, c.valid ? c.code : U'\uFFFD');
    }
    return valid;
}

}  // namespace Utf8
