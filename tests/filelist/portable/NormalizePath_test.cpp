#include "PortableTest.h"

#include "filelist/NormalizePath.h"

// Windows paths collapse doubled backslashes and keep network paths; POSIX
// paths collapse every run of slashes.
PV_TEST(pathsCollapseDoubledSeparatorsAsTheirSystemDoes)
{
    const struct {
        PathStyle style;
        const char* path;
        const char* expected;
    } cases[] = {
        {PathStyle::Windows, R"(C:\Drawings\\Plan.vsd)", R"(C:\Drawings\Plan.vsd)"},
        {PathStyle::Windows, R"(C:\\\Plan.vsd)", R"(C:\\Plan.vsd)"},
        {PathStyle::Windows, R"(C:\\\\Plan.vsd)", R"(C:\\Plan.vsd)"},
        {PathStyle::Windows, R"(\\\\server\\share\x.vsd)", R"(\\server\share\x.vsd)"},
        {PathStyle::Windows, R"(\\server\share\x.vsd)", R"(\\server\share\x.vsd)"},
        {PathStyle::Windows, R"(\Drawings\Plan.vsd)", R"(\\Drawings\Plan.vsd)"},
        {PathStyle::Windows, R"(\\\)", R"(\\)"},
        {PathStyle::Windows, "", ""},
        {PathStyle::Windows, "plan.vsd", "plan.vsd"},
        {PathStyle::Posix, "/home//a.vsd", "/home/a.vsd"},
        {PathStyle::Posix, "//srv//x.vsd", "/srv/x.vsd"},
        {PathStyle::Posix, "///a///b.vsd", "/a/b.vsd"},
        {PathStyle::Posix, "/a/b.vsd", "/a/b.vsd"},
        {PathStyle::Posix, "a\\\\b.vsd", "a\\\\b.vsd"},
        {PathStyle::Posix, "", ""},
    };
    for (const auto& c : cases)
        PV_CHECK_EQ(normalizePath(c.path, c.style), std::string(c.expected));
}
