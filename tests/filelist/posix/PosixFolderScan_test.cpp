#include "PortableTest.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>

#include "FolderScanRig.h"
#include "PosixTree.h"
#include "fakes/FakeShell.h"
#include "filelist/DropIntake.h"
#include "filelist/SampleFiles.h"
#include "filelist/ScrambleText.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

struct Scan : FolderScanRig<PosixFileSystem> {
    PosixTree tree;

    // The entries as paths below the tree, in list order.
    Paths relative() const
    {
        Paths result;
        for (const auto& entry : list.entries)
            result.push_back(entry.substr(tree.root().size() + 1));
        return result;
    }
};

Paths slice(const Paths& paths, std::size_t from, std::size_t count)
{
    return Paths(paths.begin() + std::min(from, paths.size()), paths.begin() + std::min(from + count, paths.size()));
}

}  // namespace

PV_TEST(aRealTreeIsScannedLevelByLevel)
{
    for (const char* extension : {"txt", "*"}) {
        Scan scan;
        for (const char* folder : {"A", "A/X", "A/Y", "A/X/Z"})
            scan.tree.folder(folder);
        for (const char* file :
             {"A/a.txt", "A/noext", "A/~lock.txt", "A/X/x.txt", "A/X/~$x.txt", "A/Y/y.TXT", "A/Y/y.vsd", "A/X/Z/z.txt"})
            scan.tree.file(file);
        // The chosen folder comes back from the browser with a closing slash.
        scan.run(extension, scan.tree.path("A") + "/");
        const Paths found = scan.relative();
        const bool all = std::string(extension) == "*";
        PV_CHECK_EQ(found.size(), all ? 6u : 4u);
        PV_CHECK_EQ(sorted(slice(found, 0, all ? 2 : 1)), (all ? Paths{"A/a.txt", "A/noext"} : Paths{"A/a.txt"}));
        PV_CHECK_EQ(sorted(slice(found, all ? 2 : 1, all ? 3 : 2)),
                    (all ? Paths{"A/X/x.txt", "A/Y/y.TXT", "A/Y/y.vsd"} : Paths{"A/X/x.txt", "A/Y/y.TXT"}));
        PV_CHECK(!found.empty() && found.back() == "A/X/Z/z.txt");
        PV_CHECK(scan.dialogs.messages.empty());
        PV_CHECK_EQ(scan.settings.value("LastFolder"), scan.tree.path("A"));
    }
}

PV_TEST(unreadableFoldersOnDiskAreDroppedQuietly)
{
    Scan scan;
    scan.tree.folder("A");
    scan.tree.file("A/a.vsd");
    for (const char* folder : {"A/D1", "A/D2", "A/ok"}) {
        scan.tree.folder(folder);
        scan.tree.file(std::string(folder) + "/f.vsd");
        scan.tree.folder(std::string(folder) + "/deeper");
        scan.tree.file(std::string(folder) + "/deeper/g.vsd");
    }
    chmod(scan.tree.path("A/D1").c_str(), 0);
    chmod(scan.tree.path("A/D2").c_str(), 0311);
    AsOrdinaryUser user;
    if (!user.works())
        PV_SKIP("permissions do not count for this user");
    scan.run("vsd", scan.tree.path("A"));
    PV_CHECK_EQ(scan.relative(), (Paths{"A/a.vsd", "A/ok/f.vsd", "A/ok/deeper/g.vsd"}));
    PV_CHECK(scan.dialogs.messages.empty());

    // Chosen itself, an unreadable folder adds nothing.
    scan.list.clear();
    PV_CHECK(scan.run("vsd", scan.tree.path("A/D1")).empty());
    PV_CHECK(scan.dialogs.messages.empty());
}

PV_TEST(eachRealFolderIsListedOnceHoweverLinksLeadToIt)
{
    alarm(30);  // a walk that followed the links back up would not end
    for (const bool dropped : {false, true}) {
        Scan scan;
        scan.tree.folder("outside");
        scan.tree.file("outside/o.vsd");
        scan.tree.folder("A");
        scan.tree.file("A/a.vsd");
        scan.tree.folder("A/X");
        scan.tree.file("A/X/x.vsd");
        scan.tree.folder("A/X/Y");
        scan.tree.file("A/X/Y/y.vsd");
        // Back to the chosen folder, to its parent, to the root and to a
        // folder's parent below: none is entered.
        scan.tree.link("A/self", ".");
        scan.tree.link("A/up", "..");
        scan.tree.link("A/root", "/");
        scan.tree.link("A/X/Y/home", "../..");
        // Two links to one folder outside the tree: the first in the walk's
        // order is listed; a second one, and one to a folder listed already,
        // are not.
        scan.tree.link("A/L1", "../outside");
        scan.tree.link("A/L2", scan.tree.path("outside"));
        scan.tree.link("A/X/Y/again", "../../L1");
        scan.tree.link("A/Z", "X");
        Paths expected{"A/a.vsd", "A/L1/o.vsd", "A/X/x.vsd", "A/X/Y/y.vsd"};
        if (dropped) {
            // Each dropped folder is a scan of its own: X comes again, and
            // from there the outside folder is first met through "again".
            DropIntake drop({scan.dialogs, scan.disk, scan.lifetime, scan.pump}, scan.list);
            drop.dropFiles({scan.tree.path("A"), scan.tree.path("A/X")});
            expected.insert(expected.end(), {"A/X/x.vsd", "A/X/Y/y.vsd", "A/X/Y/again/o.vsd"});
        } else {
            scan.run("vsd", scan.tree.path("A"));
        }
        PV_CHECK_EQ(scan.relative(), expected);
        PV_CHECK(scan.dialogs.messages.empty());
    }
    alarm(0);
}

PV_TEST(aFolderChosenThroughALinkKeepsBothItsParentsOut)
{
    // U/entry leads to R/A: above the chosen folder are U by name and R in
    // truth, and a link back to either stays out.
    Scan scan;
    for (const char* folder : {"R", "R/A", "U"})
        scan.tree.folder(folder);
    for (const char* file : {"R/r.vsd", "R/A/a.vsd", "U/u.vsd"})
        scan.tree.file(file);
    scan.tree.link("U/entry", "../R/A");
    scan.tree.link("R/A/up", "..");
    scan.tree.link("R/A/toU", "../../U");
    scan.run("vsd", scan.tree.path("U/entry"));
    PV_CHECK_EQ(scan.relative(), Paths{"U/entry/a.vsd"});
}

PV_TEST(foldersAndFilesComeInTheWindowsOrderLevelByLevel)
{
    // Made in reverse order, so that neither the order of making nor the order
    // of the bytes is the one Windows lists: letters compare by their upper
    // case, so "_" comes after them.
    Scan scan;
    scan.tree.folder("T");
    for (const char* name : {"_x", "z", "b", "B2", "a"}) {
        scan.tree.file("T/" + std::string(name) + ".vsd");
        scan.tree.folder("T/" + std::string(name));
        scan.tree.file("T/" + std::string(name) + "/f.vsd");
    }
    for (const char* name : {"z", "a"}) {
        scan.tree.folder("T/" + std::string(name) + "/deep");
        scan.tree.file("T/" + std::string(name) + "/deep/f.vsd");
    }
    scan.run("vsd", scan.tree.path("T"));
    PV_CHECK_EQ(scan.relative(),
                (Paths{"T/a.vsd", "T/b.vsd", "T/B2.vsd", "T/z.vsd", "T/_x.vsd", "T/a/f.vsd", "T/b/f.vsd", "T/B2/f.vsd",
                       "T/z/f.vsd", "T/_x/f.vsd", "T/a/deep/f.vsd", "T/z/deep/f.vsd"}));
}

PV_TEST(fifosAndDevicesAreNeverOpenedOrAppended)
{
    alarm(30);  // opening the FIFO for reading would hang the scan
    for (const char* extension : {"vsd", "*"}) {
        Scan scan;
        scan.tree.folder("A");
        scan.tree.file("A/real.vsd");
        scan.tree.fifo("A/pipe.vsd");
        scan.tree.link("A/null.vsd", "/dev/null");
        // A device node of our own, where this user may make one.
        mknod(scan.tree.path("A/zero.vsd").c_str(), S_IFCHR | 0644, makedev(1, 5));
        scan.run(extension, scan.tree.path("A"));
        PV_CHECK_EQ(scan.relative(), Paths{"A/real.vsd"});

        // Dropped as a folder, the same holds.
        scan.list.clear();
        DropIntake drop({scan.dialogs, scan.disk, scan.lifetime, scan.pump}, scan.list);
        drop.dropFiles({scan.tree.path("A")});
        PV_CHECK_EQ(scan.relative(), Paths{"A/real.vsd"});
    }
    alarm(0);
}

PV_TEST(sampleFilesOnDiskAreRecordedAndLoaded)
{
    for (const bool folderIsAFile : {false, true}) {
        // The rig's disk and fakes, with a shell beside them.
        Scan scan;
        FakeShell shell;
        SampleFiles samples({scan.dialogs, scan.disk, scan.lifetime, scan.pump}, scan.settings, shell,
                            scan.tree.root());
        Paths names;
        if (folderIsAFile) {
            scan.tree.file("Samples");
        } else {
            scan.tree.folder("Samples");
            for (const char* name : {"one.vsdx", "two.vdx"})
                scan.tree.file(std::string("Samples/") + name);
            names = scan.disk.listFiles(scan.tree.path("Samples"), "*.*");
        }
        samples.recordSamples();
        std::string expected;
        for (const auto& name : names)
            expected += (expected.empty() ? "" : "|") + scan.tree.path("Samples/" + name);
        PV_CHECK_EQ(unscrambleText(scan.settings.value("Snapshot"), SampleRecordKey::Value, scan.pump), expected);

        scan.list.add("kept");
        samples.loadSamples(scan.list);
        samples.loadSamples(scan.list);
        PV_CHECK_EQ(scan.list.entries.size(), 1 + names.size());
        PV_CHECK_EQ(scan.dialogs.messages.size(), 2u);
        PV_CHECK_EQ(shell.folders.size(), 2u);
        PV_CHECK(scan.dialogs.reportedLines().empty());
        if (!shell.folders.empty())
            PV_CHECK_EQ(shell.folders[0], scan.tree.path("Samples/"));
    }
}
