#include "PortableTest.h"

#include "filelist/NormalizePath.h"

PV_TEST(windowsPathsCollapseDoubledBackslashesAndKeepNetworkPaths)
{
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {R"(C:\Drawings\\Plan.vsd)", R"(C:\Drawings\Plan.vsd)"},
        {R"(C:\\\Plan.vsd)", R"(C:\\Plan.vsd)"},
        {R"(C:\\\\Plan.vsd)", R"(C:\\Plan.vsd)"},
        {R"(\\\\server\\share\x.vsd)", R"(\\server\share\x.vsd)"},
        {R"(\\server\share\x.vsd)", R"(\\server\share\x.vsd)"},
        {R"(\Drawings\Plan.vsd)", R"(\\Drawings\Plan.vsd)"},
        {R"(\\\)", R"(\\)"},
        {"", ""},
        {"plan.vsd", "plan.vsd"},
    };
    for (const auto& c : cases)
        PV_CHECK_EQ(normalizePath(c.path, PathStyle::Windows), std::string(c.expected));
}

PV_TEST(posixPathsCollapseEveryRunOfSlashes)
{
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"/home//a.vsd", "/home/a.vsd"}, {"//srv//x.vsd", "/srv/x.vsd"}, {"///a///b.vsd", "/a/b.vsd"},
        {"/a/b.vsd", "/a/b.vsd"},        {"a\\\\b.vsd", "a\\\\b.vsd"},   {"", ""},
    };
    for (const auto& c : cases)
        PV_CHECK_EQ(normalizePath(c.path, PathStyle::Posix), std::string(c.expected));
}
