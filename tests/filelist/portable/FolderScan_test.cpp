#include "PortableTest.h"

#include "FolderScanRig.h"
#include "base/Failure.h"
#include "base/WindowPointer.h"
#include "fakes/MemoryFileSystem.h"

namespace {

const std::uint32_t Archive = FileAttribute::Archive;
const std::uint32_t Hidden = FileAttribute::Hidden;
const std::uint32_t System = FileAttribute::System;
const std::uint32_t ReadOnly = FileAttribute::ReadOnly;

using Scan = FolderScanRig<MemoryFileSystem>;

}  // namespace

PV_TEST(foldersAreScannedLevelByLevelInEnumerationOrder)
{
    Scan scan;
    for (const char* folder : {R"(C:\A)", R"(C:\A\X)", R"(C:\A\Y)", R"(C:\A\X\Z)"})
        scan.disk.addFolder(folder);
    for (const char* file : {R"(C:\A\X\Z\z.vsd)", R"(C:\A\Y\y.vsd)", R"(C:\A\X\x.vsd)", R"(C:\A\a.vsd)",
                             R"(C:\A\a.vsdx)", R"(C:\A\X\notes.txt)"})
        scan.disk.addFile(file);
    PV_CHECK_EQ(scan.run("vsd", R"(C:\A)"),
                (Paths{R"(C:\A\a.vsd)", R"(C:\A\X\x.vsd)", R"(C:\A\Y\y.vsd)", R"(C:\A\X\Z\z.vsd)"}));
    PV_CHECK_EQ(scan.pointer.history, (std::vector<int>{MousePointer::Hourglass, MousePointer::Default}));
    PV_CHECK(scan.dialogs.messages.empty());
    // A second scan of the same folder appends every file again.
    scan.run("vsd", R"(C:\A)");
    PV_CHECK_EQ(scan.list.count(), 8);
}

PV_TEST(filesAreJudgedByNameAndExactAttributeValue)
{
    const struct {
        const char* name;
        std::uint32_t attributes;
        bool added;
    } cases[] = {
        {"plan.vsd", Archive, true},
        {"~$plan.vsd", Archive, false},
        {"~plan.vsd", 0, false},
        {"hidden.vsd", Hidden | Archive, false},  // exactly 34
        {"hidden2.vsd", Hidden, true},
        {"hidden35.vsd", Hidden | Archive | ReadOnly, true},
        {"system.vsd", Hidden | Archive | System, true},
        {"PLAN2.VSD", 0, true},
        {"plan.vsdx", Archive, false},
        {"plan.vs", Archive, false},
    };
    for (const auto& c : cases) {
        Scan scan;
        scan.disk.addFolder(R"(C:\P)");
        scan.disk.addFile(std::string(R"(C:\P\)") + c.name, c.attributes);
        PV_CHECK_EQ(scan.run("vsd", R"(C:\P)").size(), c.added ? 1u : 0u);
    }
}

PV_TEST(hiddenSystemFoldersAreLeftOutWithTheirSubtree)
{
    const struct {
        std::uint32_t attributes;
        bool scanned;
    } cases[] = {
        {Hidden | System, false},                                // 22
        {Hidden | System | FileAttribute::ReparsePoint, false},  // 1046
        {Hidden | System | Archive, true},                       // 54
        {Hidden, true},
        {System, true},
        {FileAttribute::ReparsePoint, true},
    };
    for (const auto& c : cases) {
        Scan scan;
        scan.disk.addFolder(R"(C:\A)");
        scan.disk.addFolder(R"(C:\A\S)", c.attributes);
        scan.disk.addFolder(R"(C:\A\S\deep)");
        scan.disk.addFile(R"(C:\A\S\s.vsd)");
        scan.disk.addFile(R"(C:\A\S\deep\d.vsd)");
        scan.disk.addFile(R"(C:\A\a.vsd)");
        const Paths expected
            = c.scanned ? Paths{R"(C:\A\a.vsd)", R"(C:\A\S\s.vsd)", R"(C:\A\S\deep\d.vsd)"} : Paths{R"(C:\A\a.vsd)"};
        PV_CHECK_EQ(scan.run("vsd", R"(C:\A)"), expected);
    }
}

PV_TEST(chosenFoldersAreAlwaysListedAndRootsAlwaysDescended)
{
    // The chosen folder itself stays in the list although hidden + system,
    // but is not descended; a drive root (22 here) is descended.
    Scan scan;
    scan.disk.addFolder(R"(C:\S)", Hidden | System);
    scan.disk.addFolder(R"(C:\S\sub)");
    scan.disk.addFile(R"(C:\S\s.vsd)");
    scan.disk.addFile(R"(C:\S\sub\t.vsd)");
    scan.disk.addFile(R"(C:\root.vsd)");
    scan.disk.addFolder(R"(C:\N)");
    scan.disk.addFile(R"(C:\N\n.vsd)");
    PV_CHECK_EQ(scan.run("vsd", R"(C:\S)"), Paths{R"(C:\S\s.vsd)"});
    scan.list.clear();
    // The browser gives a root with its own backslash; the paths come out
    // with one. Below the root, the hidden system folder is left out.
    PV_CHECK_EQ(scan.run("vsd", R"(C:\)"), (Paths{R"(C:\root.vsd)", R"(C:\N\n.vsd)"}));
}

PV_TEST(refusedNamesAreSkippedWithTheirSubtreeAndSiblingsScanned)
{
    Scan scan;
    scan.disk.addFolder(R"(C:\A)");
    const char* refused[] = {"bad\x01name", "what?", "\xe4\xb8\xad\xe6\x96\x87", "ctl\xc2\x90"};
    for (const char* name : refused) {
        scan.disk.addFolder(std::string(R"(C:\A\)") + name);
        scan.disk.addFile(std::string(R"(C:\A\)") + name + R"(\r.vsd)");
    }
    scan.disk.addFolder(R"(C:\A\good)");
    scan.disk.addFile(R"(C:\A\good\g.vsd)");
    PV_CHECK_EQ(scan.run("vsd", R"(C:\A)"), Paths{R"(C:\A\good\g.vsd)"});
}

PV_TEST(unreadableFoldersAreDroppedQuietly)
{
    // 70 permission denied and 76 path not found drop the folder and its files;
    // another failure ends only the enumeration: the folder's files and the
    // subfolders named before the failure stay.
    Scan scan;
    for (const char* folder : {R"(C:\A)", R"(C:\A\D1)", R"(C:\A\D2)", R"(C:\A\N)", R"(C:\A\O)", R"(C:\A\O\early)",
                               R"(C:\A\O\late)", R"(C:\A\ok)"}) {
        scan.disk.addFolder(folder);
        scan.disk.addFile(std::string(folder) + R"(\f.vsd)");
    }
    scan.disk.failSubfolders(R"(C:\A\D1)", FolderError::PermissionDenied);
    scan.disk.failSubfolders(R"(C:\A\D2)", FolderError::PermissionDenied);
    scan.disk.failSubfolders(R"(C:\A\N)", FolderError::PathNotFound);
    scan.disk.failSubfolders(R"(C:\A\O)", FolderError::Other, 1);
    PV_CHECK_EQ(scan.run("vsd", R"(C:\A)"),
                (Paths{R"(C:\A\f.vsd)", R"(C:\A\O\f.vsd)", R"(C:\A\ok\f.vsd)", R"(C:\A\O\early\f.vsd)"}));
    PV_CHECK(scan.dialogs.messages.empty());

    // A chosen folder whose subfolders cannot be listed adds nothing at all.
    Scan denied;
    denied.disk.addFolder(R"(C:\Locked)");
    denied.disk.addFile(R"(C:\Locked\f.vsd)");
    denied.disk.failSubfolders(R"(C:\Locked)", FolderError::PermissionDenied);
    PV_CHECK(denied.run("vsd", R"(C:\Locked)").empty());
    PV_CHECK(denied.dialogs.messages.empty());
}

PV_TEST(pathsOf260CharactersAreNotDescended)
{
    // Folder paths counted with their closing backslash: 259 is descended,
    // 260 is listed but not descended, and a name of 260 is never taken.
    for (const std::size_t length : {258u, 259u, 260u, 261u}) {
        Scan scan;
        scan.disk.addFolder(R"(C:\A)");
        const std::string folder = R"(C:\A\)" + std::string(length - 6, 'n');  // + "\" = length
        scan.disk.addFolder(folder);
        scan.disk.addFolder(folder + R"(\s)");
        scan.disk.addFile(folder + R"(\f.vsd)");
        scan.disk.addFile(folder + R"(\s\g.vsd)");
        scan.disk.addFolder(folder + "m");  // one longer, with a subfolder too
        scan.disk.addFolder(folder + R"(m\s)");
        const Paths found = scan.run("vsd", R"(C:\A)");
        PV_CHECK_EQ(found.size(), length < 260 ? 2u : 1u);
        // The folders the walk could not go below are told once per scan,
        // naming the first.
        const auto& told = scan.dialogs.messages;
        PV_CHECK_EQ(told.size(), length < 259 ? 0u : 1u);
        const std::string text = length == 259 ? "below 1 folder whose path is 260 characters or longer; drawings "
                                                 "in their subfolders were not added. The first: "
                                                     + folder + "m\\"
                                               : "below 2 folders whose path is 260 characters or longer; drawings "
                                                 "in their subfolders were not added. The first: "
                                                     + folder + "\\";
        PV_CHECK(told.empty() || told[0].text.find(text) != std::string::npos);
    }
    Scan scan;
    scan.disk.addFolder(R"(C:\A)");
    scan.disk.addFolder(R"(C:\A\)" + std::string(260, 'n'));
    scan.disk.addFile(R"(C:\A\)" + std::string(260, 'n') + R"(\f.vsd)");
    PV_CHECK(scan.run("vsd", R"(C:\A)").empty());
}

PV_TEST(extensionAnswerIsStoredAndProposedAgain)
{
    Scan scan;
    scan.disk.addFolder(R"(C:\A)");
    for (const char* file : {R"(C:\A\a.vsd)", R"(C:\A\notes.txt)", R"(C:\A\README)"})
        scan.disk.addFile(file);

    // Cancelled browser: the answer is kept, nothing else happens.
    PV_CHECK(scan.run("txt", "").empty());
    PV_CHECK_EQ(scan.dialogs.prompts.at(0).initial, std::string("vsd"));
    PV_CHECK_EQ(scan.dialogs.prompts.at(0).text,
                std::string("Enter file extension to load:\r\r(* for all files, txt for all txt files, doc for all "
                            "doc files, etc.)"));
    PV_CHECK_EQ(scan.settings.value("Extension"), std::string("txt"));
    PV_CHECK(scan.pointer.history.empty());
    PV_CHECK_EQ(scan.dialogs.browses.at(0).prompt, std::string("Please select folder:"));
    PV_CHECK_EQ(scan.dialogs.browses.at(0).startFolder, std::string(""));

    // An empty answer ends the command before the browser, storing nothing.
    const int writes = scan.settings.writes;
    scan.dialogs.promptAnswers.push_back("");
    scan.command.addFolder();
    PV_CHECK_EQ(scan.dialogs.browses.size(), 1u);
    PV_CHECK_EQ(scan.settings.writes, writes);

    PV_CHECK_EQ(scan.run("*", R"(C:\A\)"), (Paths{R"(C:\A\a.vsd)", R"(C:\A\notes.txt)", R"(C:\A\README)"}));
    PV_CHECK_EQ(scan.dialogs.prompts.at(1).initial, std::string("txt"));
    PV_CHECK_EQ(scan.settings.value("Extension"), std::string("*"));
    // The browser's closing backslash is dropped before the folder is stored.
    PV_CHECK_EQ(scan.settings.value("LastFolder"), std::string(R"(C:\A)"));
    scan.run("vsd", "");
    PV_CHECK_EQ(scan.dialogs.browses.back().startFolder, std::string(R"(C:\A)"));
}

PV_TEST(failuresAreReportedWithTheirLineAndTheScanGoesOn)
{
    Scan scan;
    scan.list.calls.failing[R"(add C:\A\b.vsd)"] = "Out of memory";
    scan.disk.addFolder(R"(C:\A)");
    scan.disk.addFolder(R"(C:\A\X)");
    for (const char* file : {R"(C:\A\a.vsd)", R"(C:\A\b.vsd)", R"(C:\A\c.vsd)", R"(C:\A\X\x.vsd)"})
        scan.disk.addFile(file);
    // The first yield inside the walk fails: reported under the walk's own
    // location, and the walk goes on.
    bool failed = false;
    scan.pump.onPump = [&] {
        if (!failed) {
            failed = true;
            throw Failure("Automation error");
        }
    };
    PV_CHECK_EQ(scan.run("vsd", R"(C:\A)"), (Paths{R"(C:\A\a.vsd)", R"(C:\A\c.vsd)", R"(C:\A\X\x.vsd)"}));
    const FakeDialogs& dialogs = scan.dialogs;
    PV_CHECK_EQ(dialogs.reportedLines(), (std::vector<int>{104, 138}));
    PV_CHECK_EQ(dialogs.messages.size(), 2u);
    if (dialogs.messages.size() == 2) {
        PV_CHECK(dialogs.messages[0].text.find("in BrenholtTitle2021/08/31.AddFolder.GetSubDirectories2016 at line 104")
                 != std::string::npos);
        PV_CHECK_EQ(dialogs.messages[1].text.find(
                        "Out of memory\r\nin Sheetwick2021/08/31.Form1.PushButton4_Click at line 138"),
                    0u);
    }
    PV_CHECK_EQ(scan.pointer.history, (std::vector<int>{MousePointer::Hourglass, MousePointer::Default}));
}

PV_TEST(foldersThatVanishDuringTheScanAreSkipped)
{
    Scan scan;
    for (const char* folder : {R"(C:\A)", R"(C:\A\X)", R"(C:\A\Y)", R"(C:\A\X\Z)"}) {
        scan.disk.addFolder(folder);
        scan.disk.addFile(std::string(folder) + R"(\f.vsd)");
    }
    // While the walk yields, another program removes A\X with its subtree.
    scan.pump.onPump = [&] {
        if (scan.pump.pumps == 3)
            scan.disk.remove(R"(C:\A\X)");
    };
    const Paths found = scan.run("vsd", R"(C:\A)");
    PV_CHECK_EQ(found, (Paths{R"(C:\A\f.vsd)", R"(C:\A\Y\f.vsd)"}));
    PV_CHECK(scan.dialogs.messages.empty());
}

PV_TEST(closingTheWindowStopsTheScan)
{
    Scan scan;
    scan.disk.addFolder(R"(C:\A)");
    scan.disk.addFolder(R"(C:\A\X)");
    scan.disk.addFile(R"(C:\A\a.vsd)");
    scan.pump.onPump = [&] { scan.lifetime.end(); };
    PV_CHECK(scan.run("vsd", R"(C:\A)").empty());
    PV_CHECK_EQ(scan.pump.pumps, 1);
    PV_CHECK(scan.dialogs.messages.empty());
}

PV_TEST(theWalkYieldsAtEveryFolderNameAndCollectedFolder)
{
    // The window stays alive through a long walk: it yields before looking at
    // a folder (A, then X and Y one level down), before each subfolder name (X,
    // Y), and before adding each collected folder (X, Y); the file pass does not.
    Scan scan;
    for (const char* folder : {R"(C:\A)", R"(C:\A\X)", R"(C:\A\Y)"})
        scan.disk.addFolder(folder);
    scan.disk.addFile(R"(C:\A\X\x.vsd)");
    scan.run("vsd", R"(C:\A)");
    PV_CHECK_EQ(scan.pump.pumps, 7);
}

PV_TEST(answersThatCannotBeStoredAreReportedAndTheScanGoesOn)
{
    Scan scan;
    scan.settings.unwritable = true;
    scan.disk.addFolder(R"(C:\A)");
    scan.disk.addFile(R"(C:\A\a.vsd)");
    PV_CHECK_EQ(scan.run("vsd", R"(C:\A)"), Paths{R"(C:\A\a.vsd)"});
    PV_CHECK_EQ(scan.dialogs.reportedLines(), (std::vector<int>{104, 118}));
    PV_CHECK_EQ(scan.dialogs.texts()[0].rfind("The setting Extension could not be stored in "
                                              "/home/user/.config/Tarnwell/Plotvane.conf: Read-only file system\r\n",
                                              0),
                0u);
}
