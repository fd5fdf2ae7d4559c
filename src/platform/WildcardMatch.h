#pragma once

#include <string>
#include <vector>

// Matches file names against a wildcard pattern the way Windows listings do:
// "*" stands for any run of characters, "?" for exactly one, letters compare
// without regard to case, and a pattern ending in ".*" also takes names without
// that part ("*.*" takes every name, "plan.*" takes "plan"). The pattern is
// prepared once for the many names of a listing.
class WildcardPattern final {
public:
    explicit WildcardPattern(const std::string& pattern);
    bool matches(const std::string& name) const;

private:
    std::vector<char32_t> m_pattern;
    std::vector<char32_t> m_withoutDotStar;  // empty unless the pattern ends in ".*"
    bool m_endsWithDotStar = false;
};

bool wildcardMatch(const std::string& pattern, const std::string& name);
