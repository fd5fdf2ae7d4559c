#pragma once

#include <QObject>
#include <QPoint>

class FileListView;
class QMenu;
class RunOutcomes;
class Shell;

// The file list's context menu: "Open Last Run Record" opens the last run's
// record in the desktop's application for CSV files, and "Copy Outcome" puts
// the outcome of the entry under the pointer on the clipboard.
class OutcomeMenu final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* OpenRecordText = "Open Last Run Record";
    static constexpr const char* CopyOutcomeText = "Copy Outcome";

    OutcomeMenu(FileListView& list, RunOutcomes& outcomes, Shell& shell);

    // The menu for a point of the list's viewport; the caller owns it.
    QMenu* menuAt(QPoint at) const;

private:
    FileListView& m_list;
    RunOutcomes& m_outcomes;
    Shell& m_shell;
};
