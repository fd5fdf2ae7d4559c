#include <functional>
#include <string>
#include <vector>

#include "PortableTest.h"
#include "base/Failure.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "fakes/FakePointer.h"
#include "filelist/EditCommands.h"

namespace {

using Entries = std::vector<std::string>;

std::string joined(const Entries& entries)
{
    std::string text;
    for (const auto& entry : entries)
        text += (text.empty() ? "" : " ") + entry;
    return text;
}

struct Commands {
    FakeListItems list;
    FakePointer pointer;
    FakeDialogs dialogs;
    FakeLifetime lifetime;
    EditCommands edit{list, pointer, dialogs, lifetime};

    void run(const std::string& command)
    {
        if (command == "up")
            edit.moveUp();
        else if (command == "down")
            edit.moveDown();
        else if (command == "remove")
            edit.removeSelected();
        else if (command == "delete key")
            edit.keyDown(EditCommands::DeleteKey);
        else if (command == "other key")
            edit.keyDown(45);
        else if (command == "clear")
            edit.clearList();
    }
};

}  // namespace

PV_TEST(editingCommandsActOnTheSelectedEntryByPosition)
{
    const struct {
        Entries entries;
        int selected;
        const char* command;
        Entries expected;
        int selectedAfter;
        int focusCalls;
        int madeVisible;
    } cases[] = {
        {{"A", "B", "C"}, 2, "up", {"B", "A", "C"}, 1, 1, 1},
        {{"B", "A", "C"}, 1, "up", {"B", "A", "C"}, 1, 1, 0},
        {{"A", "B", "C"}, 2, "down", {"A", "C", "B"}, 3, 1, 3},
        {{"A", "B", "C"}, 3, "down", {"A", "B", "C"}, 3, 1, 0},
        {{"A", "B"}, 1, "down", {"B", "A"}, 2, 1, 2},
        {{"A", "B", "C"}, 0, "up", {"A", "B", "C"}, 0, 1, 0},
        {{"A", "B", "C"}, 0, "down", {"A", "B", "C"}, 0, 1, 0},
        {{}, 0, "up", {}, 0, 0, 0},
        {{}, 0, "down", {}, 0, 0, 0},
        // Two copies of one path: the lower moves up past the upper; the texts
        // stay where they were and the upper position becomes the selected one.
        {{"X", "P", "P"}, 3, "up", {"X", "P", "P"}, 2, 1, 2},
        {{"P", "P", "X"}, 1, "down", {"P", "P", "X"}, 2, 1, 2},
        {{"A", "B", "C"}, 2, "remove", {"A", "C"}, 0, 0, 0},
        {{"A", "B", "C"}, 1, "delete key", {"B", "C"}, 0, 0, 0},
        {{"A", "B", "C"}, 3, "delete key", {"A", "B"}, 0, 0, 0},
        {{"P", "X", "P"}, 3, "remove", {"P", "X"}, 0, 0, 0},
        {{"A", "B", "C"}, 0, "remove", {"A", "B", "C"}, 0, 0, 0},
        {{"A", "B", "C"}, 2, "other key", {"A", "B", "C"}, 2, 0, 0},
        {{}, 0, "delete key", {}, 0, 0, 0},
        {{"A", "B", "C"}, 2, "clear", {}, 0, 0, 0},
    };
    for (const auto& c : cases) {
        Commands commands;
        commands.list.entries = c.entries;
        commands.list.selected = c.selected;
        commands.run(c.command);
        const std::string label = std::string(c.command) + " on " + joined(c.entries) + ": ";
        PV_CHECK_EQ(label + joined(commands.list.entries), label + joined(c.expected));
        PV_CHECK_EQ(commands.list.selected, c.selectedAfter);
        PV_CHECK_EQ(commands.list.focusCalls, c.focusCalls);
        PV_CHECK_EQ(commands.list.lastVisible, c.madeVisible);
        PV_CHECK(commands.dialogs.messages.empty());
    }
}

PV_TEST(pressingMoveAgainKeepsMovingTheSameEntry)
{
    Commands commands;
    commands.list.entries = {"A", "B", "C", "D"};
    commands.list.selected = 1;
    for (int i = 0; i < 4; ++i)
        commands.edit.moveDown();
    PV_CHECK_EQ(joined(commands.list.entries), std::string("B C D A"));
    PV_CHECK_EQ(commands.list.selected, 4);
    for (int i = 0; i < 2; ++i)
        commands.edit.moveUp();
    PV_CHECK_EQ(joined(commands.list.entries), std::string("B A C D"));
    PV_CHECK_EQ(commands.list.selected, 2);
}

PV_TEST(theBusyPointerMakesEveryEditingCommandInert)
{
    for (const char* command : {"up", "down", "remove", "delete key", "clear"}) {
        Commands commands;
        commands.list.entries = {"A", "B", "C"};
        commands.list.selected = 2;
        commands.pointer.setMousePointer(11);
        commands.run(command);
        PV_CHECK_EQ(std::string(command) + ": " + joined(commands.list.entries), std::string(command) + ": A B C");
        PV_CHECK_EQ(commands.list.selected, 2);
        PV_CHECK_EQ(commands.list.focusCalls, 0);
        PV_CHECK(commands.dialogs.messages.empty());
    }
}

PV_TEST(clearingAThousandEntriesAsksNothing)
{
    Commands commands;
    for (int i = 0; i < 1000; ++i)
        commands.list.entries.push_back("/drawings/plan" + std::to_string(i) + ".vsd");
    commands.list.selected = 500;
    commands.edit.clearList();
    PV_CHECK_EQ(commands.list.count(), 0);
    PV_CHECK_EQ(commands.list.selectedIndex(), 0);
    PV_CHECK(commands.dialogs.messages.empty());
}

PV_TEST(aFailingStepIsReportedWithItsLineAndNoPathIsLost)
{
    const struct {
        const char* command;
        const char* failing;
        Entries expected;
        std::vector<int> lines;
        const char* location;
    } cases[] = {
        // Without the copy nothing is removed: neither the moved entry nor its neighbour.
        {"up", "insert", {"A", "B", "C"}, {108}, EditCommands::MoveUpLocation},
        {"down", "insert", {"A", "B", "C"}, {108}, EditCommands::MoveDownLocation},
        // A failing removal leaves the copy: the handler goes on with its next steps.
        {"up", "remove", {"B", "A", "B", "C"}, {110}, EditCommands::MoveUpLocation},
        {"down", "select", {"A", "C", "B"}, {112}, EditCommands::MoveDownLocation},
        {"down", "setFocus", {"A", "C", "B"}, {116}, EditCommands::MoveDownLocation},
        {"clear", "clear", {"A", "B", "C"}, {100}, EditCommands::ClearLocation},
    };
    for (const auto& c : cases) {
        Commands commands;
        commands.list.entries = {"A", "B", "C"};
        commands.list.selected = 2;
        commands.list.calls.failing[c.failing] = "Out of memory";
        const std::string command = c.command;
        commands.run(command);
        const std::string label = command + " with failing " + c.failing + ": ";
        PV_CHECK_EQ(label + joined(commands.list.entries), label + joined(c.expected));
        PV_CHECK_EQ(commands.dialogs.reportedLines(), c.lines);
        if (!commands.dialogs.messages.empty())
            PV_CHECK(commands.dialogs.messages.front().text.find(std::string(c.location) + "at line ")
                     != std::string::npos);
    }
}
