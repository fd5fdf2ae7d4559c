#include "PortableTest.h"

#include "fakes/FakePump.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakeSettings.h"
#include "fakes/FakeShell.h"
#include "fakes/MemoryFileSystem.h"
#include "filelist/SampleFiles.h"
#include "filelist/ScrambleText.h"
#include "platform/Utf8.h"

namespace {

using Paths = std::vector<std::string>;

struct Samples {
    MemoryFileSystem disk;
    FakeSettings settings;
    FakeDialogs dialogs;
    FakeShell shell;
    FakePump pump;
    FakeLifetime lifetime;
    FakeListItems list;
    SampleFiles samples{{dialogs, disk, lifetime, pump}, settings, shell, R"(C:\Prog)"};

    Samples() { disk.addFolder(R"(C:\Prog)"); }
    void withSampleFolder(const Paths& names)
    {
        disk.addFolder(R"(C:\Prog\Samples)");
        for (const auto& name : names)
            disk.addFile(R"(C:\Prog\Samples\)" + name);
    }
    std::string record() { return unscrambleText(settings.value("Snapshot"), SampleRecordKey::Value, pump); }
    void load() { samples.loadSamples(list); }
};

}  // namespace

PV_TEST(firstStartRecordsTheSamplesAndTheButtonLoadsThemOnce)
{
    Samples s;
    s.withSampleFolder({"b.vsdx", "a.vsd", ".hidden.txt"});
    PV_CHECK(s.samples.recordMissing());
    s.samples.recordSamples();
    PV_CHECK(!s.samples.recordMissing());
    PV_CHECK_EQ(s.record(), std::string(R"(C:\Prog\Samples\b.vsdx|C:\Prog\Samples\a.vsd|C:\Prog\Samples\.hidden.txt)"));

    // A file put into the folder later is never loaded.
    s.disk.addFile(R"(C:\Prog\Samples\later.vsd)");
    s.dialogs.messageAnswers = {MessageAnswer::No, MessageAnswer::Yes};
    s.load();
    const Paths loaded{R"(C:\Prog\Samples\b.vsdx)", R"(C:\Prog\Samples\a.vsd)", R"(C:\Prog\Samples\.hidden.txt)"};
    PV_CHECK_EQ(s.list.entries, loaded);
    PV_CHECK(s.shell.folders.empty());
    s.load();
    PV_CHECK_EQ(s.list.entries, loaded);
    PV_CHECK_EQ(s.dialogs.messages.size(), 2u);
    PV_CHECK_EQ(s.shell.folders, Paths{R"(C:\Prog\Samples\)"});
    const MessageRequest& question = s.dialogs.messages.at(0);
    PV_CHECK_EQ(question.buttons, MessageButtons::YesNo);
    PV_CHECK_EQ(question.icon, MessageIcon::None);
    PV_CHECK_EQ(question.text, std::string("Would you like this software to open the folder where these sample files "
                                           "are stored (so that you can view them before working with them)?"));
}

PV_TEST(onlyExistingUnlistedFilesAreLoaded)
{
    Samples s;
    s.withSampleFolder({"a.vsd", "b.vsd", "c.vsd"});
    s.samples.recordSamples();
    s.disk.remove(R"(C:\Prog\Samples\b.vsd)");
    // Replaced by a folder of the same name: no drawing to print.
    s.disk.remove(R"(C:\Prog\Samples\c.vsd)");
    s.disk.addFolder(R"(C:\Prog\Samples\c.vsd)");
    s.list.add(R"(C:\PROG\Samples\a.vsd)");  // another spelling is another entry
    s.load();
    PV_CHECK_EQ(s.list.entries, (Paths{R"(C:\PROG\Samples\a.vsd)", R"(C:\Prog\Samples\a.vsd)"}));
    PV_CHECK_EQ(s.dialogs.messages.size(), 1u);
}

PV_TEST(anEmptyOrMissingSampleFolderRecordsNothing)
{
    for (const int setup : {0, 1, 2}) {
        Samples s;
        if (setup == 1)
            s.withSampleFolder({});
        if (setup == 2)
            s.disk.addFile(R"(C:\Prog\Samples)");  // a file where the folder should be
        s.samples.recordSamples();
        PV_CHECK_EQ(s.settings.value("Snapshot"), std::string(""));
        PV_CHECK(s.samples.recordMissing());
        s.load();
        PV_CHECK(s.list.entries.empty());
        PV_CHECK_EQ(s.dialogs.messages.size(), 1u);
    }
}

PV_TEST(damagedRecordsLoadNothingWrongAndNeverFail)
{
    FakePump pump;
    const std::string good = scrambleText(R"(C:\Prog\Samples\a.vsd|C:\Prog\Samples)", SampleRecordKey::Value, pump);
    const std::string damaged[] = {
        good.substr(0, good.size() - 3),
        good.substr(0, good.size() / 2),
        "\xff\xfe garbage \x01",
        "\xe4\xb8\xad\xe6\x96\x87 \xf0\x9f\x98\x80",
        std::string(1, '\0'),
        "False",
        good,
    };
    for (const std::string& stored : damaged) {
        Samples s;
        s.withSampleFolder({"a.vsd"});
        s.settings.set("Snapshot", stored);
        s.list.add("kept");
        s.load();
        PV_CHECK(s.list.entries.size() <= 2u);
        PV_CHECK_EQ(s.list.entries.at(0), std::string("kept"));
        if (s.list.entries.size() == 2)
            PV_CHECK_EQ(s.list.entries[1], std::string(R"(C:\Prog\Samples\a.vsd)"));
        PV_CHECK(s.dialogs.reportedLines().empty());
    }
}

PV_TEST(aRecordTooLongIsReportedAndNothingIsAsked)
{
    Samples s;
    s.settings.set("Snapshot", std::string(32768, 'x'));
    s.list.add("kept");
    s.load();
    PV_CHECK_EQ(s.dialogs.reportedLines(), std::vector<int>{100});
    PV_CHECK_EQ(s.dialogs.messages.size(), 1u);
    PV_CHECK_EQ(
        s.dialogs.messages.at(0).text.find("Overflow\r\nin Sheetwick2021/08/31.Form1.PushButton7_Click at line 100"),
        0u);
    PV_CHECK_EQ(s.list.entries, Paths{"kept"});
}

PV_TEST(scramblingKeepsTheLengthAvoidsZeroAndTurnsBack)
{
    FakePump pump;
    const std::string key = SampleRecordKey::Value;
    PV_CHECK_EQ(key.size(), 8u);
    for (const char c : key)
        PV_CHECK(c >= 'a' && c <= 'z');

    std::string allBytes;
    for (int b = 1; b <= 255; ++b)
        allBytes += static_cast<char>(b);
    const std::string texts[]
        = {"", "a", "/opt/Plotvane/Samples/Übersicht – Plan €.vsd", allBytes, std::string(32767, '\xc3')};
    for (const std::string& text : texts) {
        pump.pumps = 0;
        const std::string scrambled = scrambleText(text, key, pump);
        PV_CHECK_EQ(Utf8::length(scrambled), text.size());
        PV_CHECK_EQ(pump.pumps, static_cast<int>(text.size()));
        for (std::size_t pos = 0; pos < scrambled.size();) {
            const Utf8::Character c = Utf8::next(scrambled, pos);
            PV_CHECK(c.valid && c.code >= 1 && c.code <= 255);
        }
        PV_CHECK_EQ(unscrambleText(scrambled, key, pump), text);
    }
    // The key position wraps after 8 characters.
    std::vector<char32_t> codes;
    const std::string scrambled = scrambleText("xxxxxxxxxx", key, pump);
    for (std::size_t pos = 0; pos < scrambled.size();)
        codes.push_back(Utf8::next(scrambled, pos).code);
    PV_CHECK(codes.size() == 10 && codes[0] == codes[8] && codes[1] == codes[9] && codes[0] != codes[1]);
    // One byte more than a 16-bit count holds is refused, both ways.
    for (const auto& scramble : {&scrambleText, &unscrambleText})
        PV_CHECK_EQ(portable_test::failureOf([&] { scramble(std::string(32768, 'x'), key, pump); }),
                    std::string("Overflow"));
}

PV_TEST(scramblingWithTheProgramsKeyGivesKnownCodes)
{
    // Stored records of earlier versions unscramble only with exactly this
    // arithmetic: each byte plus the next key letter, less 255 above 255.
    FakePump pump;
    const std::string plain = "A~\xff/ z\x01"
                              "9a";
    const std::vector<char32_t> expected = {178, 227, 109, 165, 132, 236, 108, 154, 210};
    const std::string scrambled = scrambleText(plain, SampleRecordKey::Value, pump);
    std::vector<char32_t> codes;
    for (std::size_t pos = 0; pos < scrambled.size();)
        codes.push_back(Utf8::next(scrambled, pos).code);
    PV_CHECK_EQ(codes, expected);
    std::string stored;
    for (const char32_t code : expected)
        Utf8::append(stored, code);
    PV_CHECK_EQ(unscrambleText(stored, SampleRecordKey::Value, pump), plain);
}
