#include "filelist/ScrambleText.h"

#include <vector>

#include "base/Failure.h"
#include "platform/EventPump.h"
#include "platform/Utf8.h"

namespace {

// Character counts are 16-bit signed numbers.
constexpr std::size_t LongestText = 32767;
// A scrambled character outside 1 to 255 (a damaged stored value) reads as
// the question mark, as a conversion to a single-byte code page would give.
constexpr char32_t Unconvertible = 63;

void checkLength(std::size_t characters)
{
    if (characters > LongestText)
        throw Failure("Overflow");
}

void checkKey(const std::string& key)
{
    if (key.empty())
        throw Failure("Invalid procedure call or argument");
}

// The codes of a scrambled text: one per character, a lone byte standing for
// its own value.
std::vector<int> codesOf(const std::string& text)
{
    std::vector<int> codes;
    codes.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8::Character c = Utf8::next(text, pos);
        codes.push_back(static_cast<int>(c.code >= 1 && c.code <= 255 ? c.code : Unconvertible));
    }
    return codes;
}

}  // namespace

std::string scrambleText(const std::string& text, const std::string& key, EventPump& pump)
{
    checkLength(text.size());
    checkKey(key);
    std::string result;
    result.reserve(text.size() * 2);
    std::size_t k = 0;
    for (const char byte : text) {
        pump.processPending();
        const int c = static_cast<unsigned char>(byte);
        const int d = static_cast<unsigned char>(key[k]);
        k = (k + 1) % key.size();
        int v = c + d;
        if (v > 255)
            v -= 255;
        Utf8::append(result, static_cast<char32_t>(v));
    }
    return result;
}

std::string unscrambleText(const std::string& text, const std::string& key, EventPump& pump)
{
    checkKey(key);
    const std::vector<int> codes = codesOf(text);
    checkLength(codes.size());
    std::string result;
    result.reserve(codes.size());
    std::size_t k = 0;
    for (const int c : codes) {
        pump.processPending();
        const int d = static_cast<unsigned char>(key[k]);
        k = (k + 1) % key.size();
        int v = c - d;
        if (v < 1)
            v += 255;
        result += static_cast<char>(v);
    }
    return result;
}
