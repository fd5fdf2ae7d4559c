#include "filelist/NormalizePath.h"

namespace {

// Replaces each pair of separators by one, left to right, without overlap: a run
// of three becomes two, a run of four becomes two.
std::string collapsePairs(const std::string& text, char separator)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == separator && i + 1 < text.size() && text[i + 1] == separator)
            ++i;
    }
    return result;
}

// Replaces every run of separators by one.
std::string collapseRuns(const std::string& text, char separator)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == separator && !result.empty() && result.back() == separator)
            continue;
        result += c;
    }
    return result;
}

}  // namespace

std::string normalizePath(const std::string& path, PathStyle style)
{
    const char separator = separatorOf(style);
    if (style == PathStyle::Posix)
        return collapseRuns(path, separator);
    if (path.empty() || path[0] != separator)
        return collapsePairs(path, separator);
    std::size_t k = 1;
    while (k < path.size() && path[k] == separator)
        ++k;
    return std::string(2, separator) + collapsePairs(path.substr(k), separator);
}
