#include "app/qt/OutcomeMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMouseEvent>

#include "filelist/qt/FileListView.h"
#include "platform/Shell.h"
#include "printing/RunRecord.h"
#include "printing/qt/RunOutcomes.h"

OutcomeMenu::OutcomeMenu(FileListView& list, RunOutcomes& outcomes, Shell& shell, std::string recordFolder, Adding add)
    : QObject(&list)
    , m_list(list)
    , m_outcomes(outcomes)
    , m_shell(shell)
    , m_recordFolder(std::move(recordFolder))
    , m_add(std::move(add))
{
    m_list.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&m_list, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        // A press of either button on an entry starts carrying it; the menu
        // takes the button's release, so the carrying ends here, or the entry
        // would follow the pointer once the menu is gone.
        QMouseEvent release(QEvent::MouseButtonRelease, at, m_list.viewport()->mapToGlobal(at), Qt::RightButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m_list.viewport(), &release);
        QMenu* menu = menuAt(at);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_list.viewport()->mapToGlobal(at));
    });
}

QMenu* OutcomeMenu::menuAt(QPoint at) const
{
    auto* menu = new QMenu(&m_list);
    const std::string record = m_outcomes.lastRecord();
    QAction* open = menu->addAction(QString::fromUtf8(OpenRecordText));
    open->setEnabled(!record.empty());
    connect(open, &QAction::triggered, menu, [this, record] { m_shell.openDocument(record); });

    const int entry = m_list.hitTest(at);
    const QString outcome = entry > 0 ? m_list.entries().outcome(entry - 1).text : QString();
    QAction* copy = menu->addAction(QString::fromUtf8(CopyOutcomeText));
    copy->setEnabled(!outcome.isEmpty());
    connect(copy, &QAction::triggered, menu, [outcome] { QApplication::clipboard()->setText(outcome); });

    std::vector<std::string> unprinted;
    try {
        const std::string newest = m_recordFolder.empty() ? std::string() : RunRecord::newest(m_recordFolder);
        if (!newest.empty())
            unprinted = RunRecord::unprintedFiles(newest);
    } catch (const std::exception&) {
        unprinted.clear();  // a record that cannot be read offers nothing
    }
    QAction* add = menu->addAction(QString::fromUtf8(AddUnprintedText));
    add->setEnabled(!unprinted.empty() && m_add);
    connect(add, &QAction::triggered, menu, [this, unprinted] { m_add(unprinted); });
    return menu;
}
