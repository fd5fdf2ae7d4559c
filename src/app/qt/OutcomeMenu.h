#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <string>
#include <vector>

class FileListView;
class QMenu;
class RunOutcomes;
class Shell;

// The file list's context menu: "Open Last Run Record" opens the last run's
// record in the desktop's application for CSV files, and "Copy Outcome" puts
// the outcome of the entry under the pointer on the clipboard, and "Add What
// Did Not Print" appends the files of the newest run record that failed,
// stopped or were not reached, as a drop appends them.
class OutcomeMenu final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* OpenRecordText = "Open Last Run Record";
    static constexpr const char* CopyOutcomeText = "Copy Outcome";
    static constexpr const char* AddUnprintedText = "Add What Did Not Print";
    using Adding = std::function<void(const std::vector<std::string>& paths)>;

    OutcomeMenu(FileListView& list, RunOutcomes& outcomes, Shell& shell, std::string recordFolder = {},
                Adding add = {});

    // The menu for a point of the list's viewport; the caller owns it.
    QMenu* menuAt(QPoint at) const;

private:
    FileListView& m_list;
    RunOutcomes& m_outcomes;
    Shell& m_shell;
    std::string m_recordFolder;
    Adding m_add;
};
