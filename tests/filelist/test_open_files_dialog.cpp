#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "filelist/AddFilesCommand.h"
#include "platform/qt/QtDialogs.h"
#include "support/TempTree.h"

namespace {

OpenFilesRequest addFilesRequest()
{
    OpenFilesRequest request;
    request.title = AddFilesCommand::Title;
    request.filterDescription = AddFilesCommand::FilterDescription;
    request.filterPattern = AddFilesCommand::FilterPattern;
    request.multiSelect = true;
    return request;
}

// Shows the real dialog and lets the script work it as a user would; the
// script ends by pressing a button or closing the dialog.
OpenFilesResult showWith(const std::function<void(QFileDialog&)>& script)
{
    QtDialogs dialogs;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QTimer::singleShot(5000, dialog, &QDialog::reject);
        script(*dialog);
    });
    return dialogs.openFiles(addFilesRequest());
}

QPushButton* openButton(QFileDialog& dialog)
{
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
}

}  // namespace

class TestOpenFilesDialog final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void dialogIsSetUpForDrawingFiles();
    void typedNamesAreTakenWhetherOrNotTheyExist_data();
    void typedNamesAreTakenWhetherOrNotTheyExist();
    void severalFilesArePickedInTheView();
    void cancelGivesNothing();

private:
    const TempTree m_tree;
    const QDir m_folder{QString::fromStdString(m_tree.root())};
};

void TestOpenFilesDialog::initTestCase()
{
    // The dialog keeps its own history; keep it out of the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    for (const char* name : {"a.vsd", "b.vsdx", "c.txt"}) {
        QFile file(m_folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

void TestOpenFilesDialog::dialogIsSetUpForDrawingFiles()
{
    QString title, fileName;
    QStringList filters;
    bool multiSelect = false;
    showWith([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        fileName = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
        multiSelect = dialog.findChild<QListView*>("listView")->selectionMode() == QAbstractItemView::ExtendedSelection;
        dialog.reject();
    });
    QCOMPARE(title, QString("Add File(s) - Hold Ctrl to select multiple files"));
    QCOMPARE(filters, QStringList{"Visio Files (*.vs*)"});
    QCOMPARE(fileName, QString());
    QVERIFY(multiSelect);
}

void TestOpenFilesDialog::typedNamesAreTakenWhetherOrNotTheyExist_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one existing") << "a.vsd" << QStringList{"a.vsd"};
    QTest::newRow("one missing") << "new plan.vsd" << QStringList{"new plan.vsd"};
    QTest::newRow("several, one missing")
        << "\"b.vsdx\" \"gone.vsd\" \"a.vsd\"" << QStringList{"b.vsdx", "gone.vsd", "a.vsd"};
}

void TestOpenFilesDialog::typedNamesAreTakenWhetherOrNotTheyExist()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    bool enabled = false;
    const OpenFilesResult result = showWith([&](QFileDialog& dialog) {
        dialog.setDirectory(m_folder.path());
        // Typed into the focused field, as the user does: the view's matching
        // entries are highlighted but the field keeps what was typed.
        auto* field = dialog.findChild<QLineEdit*>("fileNameEdit");
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        field->setFocus();
        QTest::keyClicks(field, typed);
        QPushButton* open = openButton(dialog);
        enabled = open->isEnabled();
        open->click();
    });
    QVERIFY(enabled);
    std::vector<std::string> paths;
    for (const QString& name : expected)
        paths.push_back(QDir::toNativeSeparators(m_folder.filePath(name)).toStdString());
    QCOMPARE(result.paths, paths);
    QVERIFY(!result.tooMany);
}

void TestOpenFilesDialog::severalFilesArePickedInTheView()
{
    const OpenFilesResult result = showWith([&](QFileDialog& dialog) {
        dialog.setDirectory(m_folder.path());
        auto* view = dialog.findChild<QListView*>("listView");
        QTRY_COMPARE_WITH_TIMEOUT(view->model()->rowCount(view->rootIndex()), 2, 3000);
        view->selectAll();
        openButton(dialog)->click();
    });
    std::vector<std::string> paths;
    for (const char* name : {"a.vsd", "b.vsdx"})
        paths.push_back(QDir::toNativeSeparators(m_folder.filePath(name)).toStdString());
    QCOMPARE(result.paths, paths);
}

void TestOpenFilesDialog::cancelGivesNothing()
{
    const OpenFilesResult result = showWith([&](QFileDialog& dialog) {
        dialog.setDirectory(m_folder.path());
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText("a.vsd");
        dialog.reject();
    });
    QVERIFY(result.paths.empty());
    QVERIFY(!result.tooMany);
}

QTEST_MAIN(TestOpenFilesDialog)
#include "test_open_files_dialog.moc"
