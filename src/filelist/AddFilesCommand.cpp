#include "filelist/AddFilesCommand.h"

#include "base/ErrorTrap.h"
#include "filelist/ListItems.h"
#include "filelist/NormalizePath.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"

const char* const AddFilesCommand::Location = "in Sheetwick2021/08/31.Form1.PushButton1_Click ";
const char* const AddFilesCommand::Title = "Add File(s) - Hold Ctrl to select multiple files";
const char* const AddFilesCommand::FilterDescription = "Visio Files (*.vs*)";
const char* const AddFilesCommand::FilterPattern = "*.vs*";
const char* const AddFilesCommand::TooManyText
    = "You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button.";

AddFilesCommand::AddFilesCommand(ListItems& list, Dialogs& dialogs, const Lifetime& lifetime, PathStyle style)
    : m_list(list), m_dialogs(dialogs), m_lifetime(lifetime), m_style(style)
{
}

std::string AddFilesCommand::rebuilt(const std::string& path) const
{
    const char separator = separatorOf(m_style);
    const auto last = path.find_last_of(separator);
    if (last == std::string::npos)
        return path;
    // The folder as the dialog names it: a root keeps its separator (C:\, /).
    std::string folder = path.substr(0, last);
    if (folder.empty() || folder.back() == ':')
        folder += separator;
    return normalizePath(joinPath(folder, path.substr(last + 1), m_style), m_style);
}

void AddFilesCommand::addFiles()
{
    ErrorTrap trap(m_dialogs, m_lifetime, Location);
    OpenFilesRequest request;
    trap.step(100, [&] { request.fileName.clear(); });
    trap.step(102, [&] { request.multiSelect = true; });
    trap.step(104, [&] { request.title = Title; });
    trap.step(106, [&] {
        request.filterDescription = FilterDescription;
        request.filterPattern = FilterPattern;
    });
    OpenFilesResult result;
    trap.step(108, [&] { result = m_dialogs.openFiles(request); });
    if (result.tooMany) {
        // The selection did not fit the dialog: nothing is appended, and the
        // user is pointed to the folder scan.
        trap.step(110, [&] { tell(m_dialogs, TooManyText); });
        return;
    }
    if (trap.test(112, [&] { return result.paths.empty(); }))
        return;
    if (result.paths.size() == 1) {
        trap.step(114, [&] { m_list.add(result.paths.front()); });
        return;
    }
    for (std::size_t i = 0; i < result.paths.size() && !trap.stopped(); ++i)
        trap.step(118, [&] { m_list.add(rebuilt(result.paths[i])); });
}
