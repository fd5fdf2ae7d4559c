#include "settings/StoredNumber.h"

#include "base/Failure.h"

std::int16_t toInteger16(const std::string& text)
{
    std::size_t at = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    if (at == std::string::npos)
        throw Failure("Type mismatch");
    bool negative = false;
    if (text[at] == '-' || text[at] == '+') {
        negative = text[at] == '-';
        ++at;
    }
    if (at > end)
        throw Failure("Type mismatch");
    // The whole text is judged before its size: "99999x" is no number at all.
    for (std::size_t i = at; i <= end; ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw Failure("Type mismatch");
    }
    long value = 0;
    for (; at <= end; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > 32768)
            throw Failure("Overflow");
    }
    if (negative)
        value = -value;
    if (value > 32767)
        throw Failure("Overflow");
    return static_cast<std::int16_t>(value);
}
