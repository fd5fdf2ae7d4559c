#include "PortableTest.h"

#include "filelist/HasBadCharacters.h"
#include "platform/WildcardMatch.h"
#include "platform/WindowsNameOrder.h"

PV_TEST(wildcardsMatchAsWindowsListingsDo)
{
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.vsd", "plan.vsd", true},
        {"*.vsd", "PLAN.VSD", true},
        {"*.VSD", "plan.vsd", true},
        {"*.vsd", "plan.vsdx", false},
        {"*.vsd", "plan.vsd.bak", false},
        {"*.vsd", ".vsd", true},
        {"*.vs*", "plan.vsdx", true},
        {"*.vs*", "plan.vdx", false},
        {"*.*", "README", true},
        {"*.*", "a.b.c", true},
        {"*.*", "", true},
        {"plan.*", "plan", true},
        {"plan.*", "plans", false},
        {"?.vsd", "a.vsd", true},
        {"?.vsd", "ab.vsd", false},
        {"?.vsd", "\xc3\xa9.vsd", true},           // one character of two bytes
        {"*.txt", "\xc3\x89T\xc3\x89.TXT", true},  // É and é compare alike
        {"\xc3\xa9*", "\xc3\x89t\xc3\xa9.vsd", true},
        {"*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
        {"*.vsd", "bad\xff.vsd", true},
    };
    for (const auto& c : cases)
        PV_CHECK_EQ(wildcardMatch(c.pattern, c.name), c.matches);
}

PV_TEST(folderNamesWithControlAndUnknownCharactersAreRefused)
{
    const struct {
        const char* name;
        bool refused;
    } cases[] = {
        {"", false},
        {"Plans 2021 (final)", false},
        {"tab\there", true},
        {"a\x1f", true},
        {"del\x7f", true},
        {"c1\xc2\x85", true},  // U+0085, a control character
        {"why?", true},
        {"\xe4\xb8\xad\xe6\x96\x87", true},  // not in a single-byte code page
        {"\xf0\x9f\x93\x90", true},
        {"lone\xe9", true},  // not UTF-8 at all
    };
    for (const auto& c : cases)
        PV_CHECK_EQ(hasBadCharacters(c.name), c.refused);
}

PV_TEST(namesSortAsWindowsListsThem)
{
    // Each pair in the order Windows lists it, and never the other way round.
    const struct {
        const char* first;
        const char* second;
    } pairs[] = {
        {"a", "B"},
        {"b", "B2"},
        {"B2", "z"},
        {"Z", "_"},  // by the upper case: "_" after the letters
        {"plan", "plan.vsd"},
        {"01.vsd", "2.vsd"},
        {"Z", "\xc3\xa9"},         // É after Z
        {"\xc4\x81", "\xc3\xbf"},  // ā before ÿ: as Ā (U+0100) before Ÿ (U+0178)
        {"\xc3\xa9"
         "a",
         "\xc3\x89"
         "B"},                                 // é and É compare alike
        {"\xed\x9f\xbf", "\xf0\x9f\x93\x90"},  // U+D7FF before U+1F4D0
        {"\xf0\x9f\x93\x90", "\xee\x80\x80"},  // UTF-16: a surrogate pair before U+E000
        {"\xef\xbf\xbd", "\xff"},              // a lone byte after every character
        {"A", "a"},                            // alike but for case: by the bytes
    };
    for (const auto& p : pairs) {
        PV_CHECK(precedesInWindowsOrder(p.first, p.second));
        PV_CHECK(!precedesInWindowsOrder(p.second, p.first));
    }
    PV_CHECK(!precedesInWindowsOrder("same", "same"));
}
