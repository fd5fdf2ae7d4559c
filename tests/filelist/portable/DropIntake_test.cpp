#include "PortableTest.h"

#include "base/Failure.h"
#include "fakes/FakeClock.h"
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
    FakeClock pump;
    FakeListItems list;
    DropIntake intake{dialogs, disk, lifetime, pump, list};

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
        {{R"(C:\loose.txt)", R"(C:\B)", R"(C:\A)"},
         {R"(C:\loose.txt)", R"(C:\B\b.vdx)", treeA[0], treeA[1], treeA[2]}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        Drop drop;
        drop.list.add("already");
        drop.intake.dropFiles(c.dropped);
        Paths expected{"already"};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        PV_CHECK((drop.list.entries == expected));
        PV_CHECK(drop.dialogs.messages.empty());
    }
}

PV_TEST(hiddenSystemAndRootFoldersAreScannedToo)
{
    Drop drop;
    drop.disk.addFolder(R"(C:\H)", FileAttribute::Hidden | FileAttribute::System);
    drop.disk.addFile(R"(C:\H\h.vsd)");
    drop.intake.dropFiles({R"(C:\H)", R"(D:\)"});
    PV_CHECK((drop.list.entries == Paths{R"(C:\H\h.vsd)"}));
}

namespace {

// A list whose control fails on one text.
class FailingList final : public ListItems {
public:
    int count() const override { return inner.count(); }
    std::string text(int position) const override { return inner.text(position); }
    void setText(int position, const std::string& text) override { inner.setText(position, text); }
    void add(const std::string& text) override
    {
        if (text == R"(C:\bad.vsd)" || text == R"(C:\A\notes.txt)")
            throw Failure("Invalid property value");
        inner.add(text);
    }
    void insert(int position, const std::string& text) override { inner.insert(position, text); }
    void remove(int position) override { inner.remove(position); }
    void clear() override { inner.clear(); }
    int selectedIndex() const override { return 0; }
    void select(int) override {}
    void ensureVisible(int) override {}
    void setFocus() override {}
    FakeListItems inner;
};

}  // namespace

PV_TEST(aFailingItemIsReportedAndTheRestIsHandled)
{
    Drop drop;
    FailingList list;
    DropIntake intake(drop.dialogs, drop.disk, drop.lifetime, drop.pump, list);
    intake.dropFiles({R"(C:\one.vsd)", R"(C:\bad.vsd)", R"(C:\A)", R"(C:\two.vsd)"});
    PV_CHECK((list.inner.entries
              == Paths{R"(C:\one.vsd)", R"(C:\A\plan.vsd)", R"(C:\A\sub\deep.vsdx)", R"(C:\two.vsd)"}));
    PV_CHECK((drop.dialogs.reportedLines() == std::vector<int>{120, 118}));
    PV_CHECK(!drop.dialogs.messages.empty()
             && drop.dialogs.messages[0].text.find("in Sheetwick2021/08/31.Form1.ListView1_OLEDragDrop at line 120")
                    != std::string::npos);
}
