#include <QDir>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "base/WindowPointer.h"
#include "app/qt/MainWindow.h"
#include "filelist/ScrambleText.h"
#include "filelist/qt/FileListView.h"
#include "settings/qt/QtSettingsStore.h"
#include "app/NativeServices.h"
#include "support/WindowRig.h"

namespace {

using Paths = std::vector<std::string>;

std::string native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

// The main window on the real file system, with the folders it scans in a
// temporary folder; its program folder is another, unless one is given.
struct IntakeWindow : WindowRig {
    explicit IntakeWindow(const std::string& folder = {})
    {
        real.fileSystem = &fs;
        if (!folder.empty())
            programFolder = folder;
        form = WindowRig::make();
    }
    std::string make(const QString& relative, bool folderEntry = false)
    {
        const QString path = disk.filePath(relative);
        if (folderEntry) {
            QDir().mkpath(path);
        } else {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write("drawing");
        }
        return native(path);
    }
    std::string path(const QString& relative) const { return native(disk.filePath(relative)); }
    Paths entries() const
    {
        Paths result;
        for (int i = 1; i <= form->fileList().items().count(); ++i)
            result.push_back(form->fileList().items().text(i));
        return result;
    }
    // Sends one drag-and-drop gesture to the list as the platform would;
    // returns whether the list accepted the drag.
    bool drop(QMimeData& data)
    {
        QWidget* target = form->fileList().viewport();
        const QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &move);
        QDropEvent dropEvent(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropEvent);
        return enter.isAccepted() && move.isAccepted();
    }
    bool dropFiles(const Paths& paths)
    {
        QList<QUrl> urls;
        for (const auto& path : paths)
            urls.push_back(QUrl::fromLocalFile(QDir::fromNativeSeparators(QString::fromStdString(path))));
        QMimeData data;
        data.setUrls(urls);
        return drop(data);
    }

    NativeServices platform = makeNativeServices(events, lifetime, DefaultConversionSeconds);
    FileSystem& fs = *platform.fileSystem;
    TempTree diskDir;
    QDir disk{QString::fromStdString(diskDir.root())};
    std::unique_ptr<MainWindow> form;
};

}  // namespace

class TestIntake final : public QObject {
    Q_OBJECT
private slots:
    void dragsWithoutLocalFilesAreRefused();
    void droppedFilesAreAppendedInOrder();
    void aDroppedFolderAndFileKeepTheirPlaces();
    void twoDroppedFoldersAddTheirFilesOnce();
    void firstStartRecordsTheSamplesAndTheButtonLoadsThemOnce_data();
    void firstStartRecordsTheSamplesAndTheButtonLoadsThemOnce();
    void folderScanButtonAddsTheTree();
    void scrambledRecordsSurviveTheSettingsStore();
};

void TestIntake::dragsWithoutLocalFilesAreRefused()
{
    IntakeWindow w;
    w.form->fileList().items().add("kept");
    QMimeData text;
    text.setText(QStringLiteral("/etc/passwd"));
    QVERIFY(!w.drop(text));
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://www.plotvane.example/plan.vsd"))});
    QVERIFY(!w.drop(web));
    QCOMPARE(w.entries(), Paths{"kept"});
    QVERIFY(w.dialogs.messages.empty());
}

void TestIntake::droppedFilesAreAppendedInOrder()
{
    IntakeWindow w;
    const std::string notes = w.make("notes.txt");
    const std::string plan = w.make("plan.vsd");
    const std::string gone = w.path("gone.vsd");
    w.form->fileList().items().add(plan);
    QVERIFY(w.dropFiles({notes, plan, gone}));
    QCOMPARE(w.entries(), (Paths{plan, notes, plan, gone}));
    // A name that is not UTF-8 keeps its bytes, as the file manager sends them.
    std::string latinName = w.path("caf.vsd");
    latinName.insert(latinName.size() - 4, "\xe9");
    QMimeData latin;
    latin.setUrls({QUrl::fromEncoded("file://" + QByteArray::fromStdString(latinName).toPercentEncoding("/"))});
    QVERIFY(w.drop(latin));
    QCOMPARE(w.entries().back(), latinName);
}

void TestIntake::aDroppedFolderAndFileKeepTheirPlaces()
{
    IntakeWindow w;
    const std::string top = w.make("A/a.vsd");
    const std::string deep = w.make("A/sub/b.txt");
    w.make("A/~lock.vsd");
    w.make("A/empty", true);
    const std::string loose = w.make("loose.vsdx");
    QVERIFY(w.dropFiles({loose, w.path("A"), loose}));
    QCOMPARE(w.entries(), (Paths{loose, top, deep, loose}));
}

void TestIntake::twoDroppedFoldersAddTheirFilesOnce()
{
    IntakeWindow w;
    const std::string a1 = w.make("A/1.vsd");
    const std::string a2 = w.make("A/2.vdx");
    const std::string b1 = w.make("B/x/1.vsd");
    QVERIFY(w.dropFiles({w.path("A"), w.path("B")}));
    // A's files in the platform's listing order, then B's.
    Paths found = w.entries();
    QCOMPARE(found.size(), std::size_t(3));
    std::sort(found.begin(), found.begin() + 2);
    QCOMPARE(found, (Paths{a1, a2, b1}));
}

void TestIntake::firstStartRecordsTheSamplesAndTheButtonLoadsThemOnce_data()
{
    QTest::addColumn<bool>("shipped");
    QTest::newRow("made here") << false;
    // The drawings the build lays beside the program.
    QTest::newRow("shipped") << true;
}

void TestIntake::firstStartRecordsTheSamplesAndTheButtonLoadsThemOnce()
{
    QFETCH(bool, shipped);
    const QByteArray programDir = qgetenv("PLOTVANE_PROGRAM_DIR");
    if (shipped && programDir.isEmpty())
        QSKIP("PLOTVANE_PROGRAM_DIR is not set");
    IntakeWindow w(shipped ? native(QString::fromLocal8Bit(programDir)) : std::string());
    const char separator = separatorOf(w.fs.style());
    const std::string samples = w.programFolder + separator + "Samples";
    if (!shipped) {
        QDir().mkpath(QString::fromStdString(samples));
        for (const char* name : {"a.vsd", "b.vsdx"}) {
            QFile file(QString::fromStdString(samples + separator + name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    Paths recorded;
    for (const auto& name : w.fs.listFiles(samples, "*.*"))
        recorded.push_back(samples + separator + name);
    QVERIFY(recorded.size() >= 2);

    w.form->load();
    std::string joined;
    for (const auto& path : recorded)
        joined += (joined.empty() ? "" : "|") + path;
    QCOMPARE(unscrambleText(w.settings.value("Snapshot"), SampleRecordKey::Value, w.events), joined);

    w.dialogs.messageAnswers = {MessageAnswer::No, MessageAnswer::Yes};
    w.form->button(MainWindow::Button::LoadSamples).click();
    QCOMPARE(w.entries(), recorded);
    QVERIFY(w.shell.folders.empty());
    w.form->button(MainWindow::Button::LoadSamples).click();
    QCOMPARE(w.entries(), recorded);
    QCOMPARE(w.dialogs.messages.size(), std::size_t(2));
    QCOMPARE(w.dialogs.messages[1].buttons, MessageButtons::YesNo);
    QCOMPARE(w.shell.folders, Paths{samples + separator});
}

void TestIntake::folderScanButtonAddsTheTree()
{
    IntakeWindow w;
    const std::string a = w.make("A/a.vsd");
    const std::string x = w.make("A/X/x.VSD");
    w.make("A/X/x.vsdx");
    w.dialogs.promptAnswers = {"vsd"};
    w.dialogs.browseAnswers = {w.path("A")};
    w.form->button(MainWindow::Button::AddFolder).click();
    QCOMPARE(w.entries(), (Paths{a, x}));
    QCOMPARE(w.form->mousePointer(), MousePointer::Default);
    QCOMPARE(w.settings.value("LastFolder"), w.path("A"));
}

void TestIntake::scrambledRecordsSurviveTheSettingsStore()
{
    // Scrambled text holds every code from 1 to 255, control characters and
    // blanks at either end among them; the store must give it back unchanged.
    std::string allBytes;
    for (int b = 1; b <= 255; ++b)
        allBytes += static_cast<char>(b);
    FakePump pump;
    const TempTree tree;
    const QDir config(QString::fromStdString(tree.root()));
    for (const std::string& record : {std::string("/opt/Plotvane/Samples/\xc3\x9c"
                                                  "bersicht.vsdx|/opt/Plotvane/Samples/a.vsd"),
                                      allBytes, std::string(" leading and trailing ")}) {
        const std::string scrambled = scrambleText(record, SampleRecordKey::Value, pump);
        QtSettingsStore(config.filePath("settings.ini")).write(Setting::SampleRecord, scrambled);
        const std::string stored = QtSettingsStore(config.filePath("settings.ini")).read(Setting::SampleRecord, "");
        QCOMPARE(stored, scrambled);
        QCOMPARE(unscrambleText(stored, SampleRecordKey::Value, pump), record);
    }
}

QTEST_MAIN(TestIntake)
#include "test_intake.moc"
