#include <string>
#include <vector>

#include "PortableTest.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeLifetime.h"
#include "fakes/FakeListItems.h"
#include "filelist/AddFilesCommand.h"

namespace {

using Paths = std::vector<std::string>;

struct AddFiles {
    explicit AddFiles(PathStyle style) : command(list, dialogs, lifetime, style)
    {
        dialogs.setApplicationTitle("Plotvane");
    }
    FakeListItems list;
    FakeDialogs dialogs;
    FakeLifetime lifetime;
    AddFilesCommand command;
};

}  // namespace

PV_TEST(theDialogIsSetUpAfreshForSeveralDrawingFiles)
{
    AddFiles add(PathStyle::Posix);
    add.command.addFiles();
    add.command.addFiles();
    PV_CHECK_EQ(add.dialogs.openFilesRequests.size(), std::size_t{2});
    for (const OpenFilesRequest& request : add.dialogs.openFilesRequests) {
        PV_CHECK_EQ(request.fileName, std::string());
        PV_CHECK_EQ(request.title, std::string("Add File(s) - Hold Ctrl to select multiple files"));
        PV_CHECK_EQ(request.filterDescription, std::string("Visio Files (*.vs*)"));
        PV_CHECK_EQ(request.filterPattern, std::string("*.vs*"));
        PV_CHECK(request.multiSelect);
    }
}

PV_TEST(pickedFilesAreAppendedAsFullPathsInTheDialogsOrder)
{
    const struct {
        PathStyle style;
        Paths listed;
        Paths picked;
        Paths expected;
    } cases[] = {
        {PathStyle::Windows, {}, {}, {}},
        {PathStyle::Windows, {}, {R"(C:\Plans\a.vsd)"}, {R"(C:\Plans\a.vsd)"}},
        // One path is appended exactly as the dialog gave it.
        {PathStyle::Windows, {}, {R"(C:\Plans\\a.vsd)"}, {R"(C:\Plans\\a.vsd)"}},
        {PathStyle::Posix, {}, {"/home//a.vsd"}, {"/home//a.vsd"}},
        {PathStyle::Windows,
         {},
         {R"(C:\Plans\b.vsd)", R"(C:\Plans\a.vsd)"},
         {R"(C:\Plans\b.vsd)", R"(C:\Plans\a.vsd)"}},
        {PathStyle::Windows, {}, {R"(C:\a.vsd)", R"(C:\b.vsd)"}, {R"(C:\a.vsd)", R"(C:\b.vsd)"}},
        {PathStyle::Windows,
         {},
         {R"(\\srv\share\a.vsd)", R"(\\srv\share\b.vsd)"},
         {R"(\\srv\share\a.vsd)", R"(\\srv\share\b.vsd)"}},
        {PathStyle::Posix, {}, {"/plans/a.vsd", "/plans/b.vsdx"}, {"/plans/a.vsd", "/plans/b.vsdx"}},
        {PathStyle::Posix, {}, {"/a.vsd", "/b.vsd"}, {"/a.vsd", "/b.vsd"}},
        {PathStyle::Posix, {}, {"/home//a.vsd", "/home//b.vsd"}, {"/home/a.vsd", "/home/b.vsd"}},
        // Already listed paths and names that match no file are appended all the same.
        {PathStyle::Posix, {"/plans/a.vsd"}, {"/plans/a.vsd"}, {"/plans/a.vsd", "/plans/a.vsd"}},
        {PathStyle::Posix,
         {"/plans/a.vsd"},
         {"/plans/a.vsd", "/plans/no such file.txt"},
         {"/plans/a.vsd", "/plans/a.vsd", "/plans/no such file.txt"}},
    };
    for (const auto& c : cases) {
        AddFiles add(c.style);
        add.list.entries = c.listed;
        add.dialogs.openFilesAnswers.push_back({c.picked, false});
        add.command.addFiles();
        PV_CHECK_EQ(add.list.entries, c.expected);
        PV_CHECK(add.dialogs.messages.empty());
    }
}

PV_TEST(aSelectionThatDidNotFitIsToldAndNothingIsAppended)
{
    AddFiles add(PathStyle::Windows);
    add.list.entries = {R"(C:\x.vsd)"};
    add.dialogs.openFilesAnswers.push_back({{R"(C:\Plans\a.vsd)", R"(C:\Plans\b.vsd)"}, true});
    add.command.addFiles();
    PV_CHECK_EQ(add.list.entries, Paths{R"(C:\x.vsd)"});
    PV_CHECK_EQ(add.dialogs.messages.size(), std::size_t{1});
    const MessageRequest& box = add.dialogs.messages.front();
    PV_CHECK_EQ(box.text, std::string("You've selected too many files to add.\r\r"
                                      "Please try adding via the \"Add All\" button."));
    PV_CHECK_EQ(box.title, std::string("Plotvane"));
    PV_CHECK_EQ(box.buttons, MessageButtons::Ok);
    PV_CHECK_EQ(box.icon, MessageIcon::None);
}
