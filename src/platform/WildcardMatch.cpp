#include "platform/WildcardMatch.h"

#include "platform/LetterCase.h"
#include "platform/Utf8.h"

namespace {

// Lone bytes of a malformed name are kept apart from every real character.
constexpr char32_t LoneByteBase = 0x110000;

// The character that starts at pos, folded to its upper case so that letters
// compare without regard to case; moves pos past it.
char32_t foldedAt(const std::string& text, std::size_t& pos)
{
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) {
        ++pos;
        return upperCase(byte);
    }
    const Utf8::Character c = Utf8::next(text, pos);
    return c.valid ? upperCase(c.code) : LoneByteBase + c.code;
}

std::vector<char32_t> folded(const std::string& text)
{
    std::vector<char32_t> result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        result.push_back(foldedAt(text, pos));
    return result;
}

// Two-pointer match over the name's bytes: on a mismatch, the last "*" takes
// one more character and the match goes on from there. Never exponential.
bool matchesFolded(const std::vector<char32_t>& pattern, const std::string& name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = pattern.size();
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            starAt = p++;
            resumeAt = n;
            continue;
        }
        std::size_t after = n;
        const char32_t c = foldedAt(name, after);
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == c)) {
            ++p;
            n = after;
        } else if (starAt != pattern.size()) {
            p = starAt + 1;
            foldedAt(name, resumeAt);
            n = resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

}  // namespace

WildcardPattern::WildcardPattern(const std::string& pattern) : m_pattern(folded(pattern))
{
    const std::size_t size = pattern.size();
    m_endsWithDotStar = size >= 2 && pattern.compare(size - 2, 2, ".*") == 0;
    if (m_endsWithDotStar)
        m_withoutDotStar = folded(pattern.substr(0, size - 2));
}

bool WildcardPattern::matches(const std::string& name) const
{
    return matchesFolded(m_pattern, name) || (m_endsWithDotStar && matchesFolded(m_withoutDotStar, name));
}

bool wildcardMatch(const std::string& pattern, const std::string& name)
{
    return WildcardPattern(pattern).matches(name);
}
