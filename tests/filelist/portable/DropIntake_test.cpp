#include "PortableTest.h"

#include "base/Failure.h"
#include "fakes/FakePump.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/MemoryFileSystem.h"
#include "filelist/DropIntake.h"

namespace {

using Paths = std::vector<std::string>;

struct Drop {
    FakeDialogs dialogs;
    MemoryFileSystem disk;
    FakeLifetime lifetime;
    FakePump pump;
    FakeListItems list;
    DropIntake intake{{dialogs, disk, lifetime, pump}, list};

    Drop()
    {
        for (const char* folder : {R"(C:\A)", R"(C:\A\sub)", R"(C:\B)"})
            disk.addFolder(folder);
        for (const char* file : {R"(C:\A\plan.vsd)", R"(C:\A\notes.txt)", R"(C:\A\~lock.vsd)", R"(C:\A\sub\deep.vsdx)",
                                 R"(C:\B\b.vdx)", R"(C:\loose.txt)"})
            disk.addFile(file);
        disk.addFile(R"(C:\A\mark.vsd)", FileAttribute::Hidden | FileAttribute::Archive);
    }
};

}  // namespace

PV_TEST(droppedItemsAreAppendedInDropOrder)
{
    const Paths treeA{R"(C:\A\plan.vsd)", R"(C:\A\notes.txt)", R"(C:\A\sub\deep.vsdx)"};
    const struct {
        Paths dropped;
        Paths expected;
    } cases[] = {
        // Files go in as supplied: no filter, no existence test, no clean-up.
        {{R"(C:\loose.txt)", R"(C:\gone.vsd)", R"(C:\\x\\\y.vsd)"},
         {R"(C:\loose.txt)", R"(C:\gone.vsd)", R"(C:\\x\\\y.vsd)"}},
        {{R"(C:\A)", R"(C:\loose.txt)"}, {treeA[0], treeA[1], treeA[2], R"(C:\loose.txt)"}},
        {{R"(C:\loose.txt)", R"(C:\B)", R"(C:\A)"}, {R"(C:\loose.txt)", R"(C:\B\b.vdx)", treeA[0], treeA[1], treeA[2]}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        Drop drop;
        drop.list.add("already");
        drop.intake.dropFiles(c.dropped);
        Paths expected{"already"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        PV_CHECK_EQ(drop.list.entries, expected);
        PV_CHECK(drop.dialogs.messages.empty());
    }
}

PV_TEST(hiddenSystemAndRootFoldersAreScannedToo)
{
    Drop drop;
    drop.disk.addFolder(R"(C:\H)", FileAttribute::Hidden | FileAttribute::System);
    drop.disk.addFile(R"(C:\H\h.vsd)");
    drop.intake.dropFiles({R"(C:\H)", R"(D:\)"});
    PV_CHECK_EQ(drop.list.entries, Paths{R"(C:\H\h.vsd)"});
}

PV_TEST(aFailingItemIsReportedAndTheRestIsHandled)
{
    Drop drop;
    for (const char* refused : {R"(C:\bad.vsd)", R"(C:\A\notes.txt)"})
        drop.list.calls.failing[std::string("add ") + refused] = "Invalid property value";
    drop.intake.dropFiles({R"(C:\one.vsd)", R"(C:\bad.vsd)", R"(C:\A)", R"(C:\two.vsd)"});
    PV_CHECK_EQ(drop.list.entries,
                (Paths{R"(C:\one.vsd)", R"(C:\A\plan.vsd)", R"(C:\A\sub\deep.vsdx)", R"(C:\two.vsd)"}));
    PV_CHECK_EQ(drop.dialogs.reportedLines(), (std::vector<int>{120, 118}));
    PV_CHECK(!drop.dialogs.messages.empty()
             && drop.dialogs.messages[0].text.find("in Sheetwick2021/08/31.Form1.ListView1_OLEDragDrop at line 120")
                    != std::string::npos);
}
