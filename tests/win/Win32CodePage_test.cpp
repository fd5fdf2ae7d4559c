#include <windows.h>

#include <string>

#include "PortableTest.h"
#include "filelist/HasBadCharacters.h"
#include "platform/CodePage.h"

namespace {

// A text and what it is expected to give.
template <typename Expected> struct Case {
    const char* text;
    Expected expected;
};

// The checks of the western code page's own letters run only where it is the
// system's code page; elsewhere they are reported as skipped, with the one in use.
bool westernCodePage(const char* file, int line)
{
    if (GetACP() == 1252)
        return true;
    portable_test::skip(file, line,
                        "the western code page (1252) checks need it as the system's code page; this one is "
                            + std::to_string(GetACP()));
    return false;
}

}  // namespace

PV_TEST(charactersOutsideTheAnsiCodePageHaveNoSingleByteCode)
{
    // Whatever the code page: ASCII keeps its code, and characters no single-byte
    // code page holds come out as the question mark or a multi-byte (negative) code.
    const Case<int> everywhere[] = {
        {"A", 65}, {"~", 126}, {"?", 63}, {"\x1f", 31}, {"\x7f", 127}, {"", 63}, {"\xff", 63},
    };
    for (const auto& c : everywhere)
        PV_CHECK_EQ(singleByteCode(c.text), c.expected);
    for (const char* foreign : {"\xf0\x9f\x98\x80" /* emoji, a surrogate pair */, "\xe2\x98\x83" /* snowman */}) {
        const int code = singleByteCode(foreign);
        PV_CHECK(code == 63 || code < 32);
    }

    if (!westernCodePage(__FILE__, __LINE__))
        return;
    // The western code page: its own letters keep their codes, characters it
    // lacks are refused rather than fitted to a look-alike (A-macron is not "A").
    const Case<int> western[] = {
        {"\xc3\xa9", 233},      // e-acute
        {"\xc3\x84", 196},      // A-diaeresis
        {"\xe2\x82\xac", 128},  // euro sign
        {"\xe2\x80\x9e", 132},  // low double quote
        {"\xc2\x81", 129},      // U+0081, the C1 control the code page keeps at 0x81
        {"\xc4\x80", 63},       // A-macron
        {"\xe4\xb8\xad", 63},   // a CJK ideograph
        {"\xd0\x96", 63},       // Cyrillic Zhe
        {"\xef\xbc\xa1", 63},   // fullwidth A
    };
    for (const auto& c : western)
        PV_CHECK_EQ(singleByteCode(c.text), c.expected);
}

PV_TEST(folderNamesWithCharactersOutsideTheCodePageAreRefused)
{
    // Each name, and whether it is refused.
    const Case<bool> everywhere[] = {
        {"Plans 2021", false},      {"", false},       {"what?", true},
        {"tab\there", true},        {"del\x7f", true}, {"\xe4\xb8\xad\xe6\x96\x87", true},  // CJK ideographs
        {"\xf0\x9f\x98\x80", true},                                                         // an emoji
        {"broken \xc3", true},                                                              // not UTF-8
    };
    for (const auto& c : everywhere)
        PV_CHECK_EQ(hasBadCharacters(c.text), c.expected);

    if (!westernCodePage(__FILE__, __LINE__))
        return;
    const Case<bool> western[] = {
        {"Pl\xc3\xa4ne \xc3\x9f", false},  // a-diaeresis, sharp s
        {"caf\xc3\xa9", false},            // e-acute
        {"\xc4\x80rger", true},            // A-macron: no look-alike is taken for it
        {"\xe2\x82\xac uro", true},        // the euro sign sits at 128, among the refused codes
        {"\xd0\x96", true},                // Cyrillic Zhe
    };
    for (const auto& c : western)
        PV_CHECK_EQ(hasBadCharacters(c.text), c.expected);
}
