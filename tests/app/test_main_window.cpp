#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/ApplicationTitle.h"
#include "base/ErrorTrap.h"
#include "app/qt/MainWindow.h"
#include "app/qt/PictureButton.h"
#include "printing/qt/ProgressBar.h"
#include "app/qt/SkinFramework.h"
#include "filelist/qt/FileListView.h"
#include "support/WindowRig.h"

class TestMainWindow final : public QObject {
    Q_OBJECT
private slots:
    void controlsStandWhereDesigned_data();
    void controlsStandWhereDesigned();
    void scriptsPressTheControlsAtTheirCentres();
    void windowIsFixedAndTitled();
    void startUpReachesOutsideInItsOrder();
    void storedPauseIsRestored_data();
    void storedPauseIsRestored();
    void failingStepsAreReportedAndStartUpGoesOn();
    void anUnwritableStoreIsToldAtItsStepsAndOnceForTheChoices();
    void cursorFileGivesTheCustomPointer();
    void homePageOpensOnlyOnTheLuckyDraw();
    void skinColoursTheWindowAndItsFrames();
    void pointerFollowsHoverAndKeepsTheHourglass();
    void closingEndsTheProgramInTheMiddleOfAnOperation();
    void tabOrderFollowsTheLayout();
};

void TestMainWindow::controlsStandWhereDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    const struct {
        const char* row;
        const char* name;
        const char* caption;
        QRect geometry;
    } controls[] = {
        {"list", "ListView1", "", QRect(8, 8, 456, 169)},
        {"up", "PushButton5", "Move Up", QRect(472, 8, 56, 80)},
        {"down", "PushButton6", "Move Down", QRect(472, 96, 56, 80)},
        {"add", "PushButton1", "Add Visio File(s)", QRect(8, 184, 256, 27)},
        {"folder", "PushButton4", "Add All Visio Files In Folder", QRect(272, 184, 256, 27)},
        {"clear", "PushButton3", "Clear List", QRect(8, 218, 256, 27)},
        {"samples", "PushButton7", "Load Sample/Example Files", QRect(272, 218, 256, 27)},
        {"frame1", "Frame1", "Select Printer", QRect(8, 250, 520, 53)},
        {"combo1", "Combo1", "", QRect(16, 20, 488, 23)},
        {"frame2", "Frame2", "Pause Option", QRect(8, 309, 520, 56)},
        {"combo2", "Combo2", "", QRect(16, 20, 448, 23)},
        {"help", "PushButton8", "?", QRect(472, 20, 32, 23)},
        {"print", "PushButton2", "Start Printing", QRect(8, 372, 520, 27)},
        {"progress", "ProgressBar1", "Progress Bar", QRect(8, 407, 520, 27)},
    };
    for (const auto& c : controls)
        QTest::newRow(c.row) << QString(c.name) << QString(c.caption) << c.geometry;
}

void TestMainWindow::controlsStandWhereDesigned()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    WindowRig w;
    auto form = w.make();
    auto* control = form->findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->geometry(), geometry);
    QString shown;
    if (auto* picture = qobject_cast<PictureButton*>(control))
        shown = picture->caption();
    else if (auto* button = qobject_cast<QPushButton*>(control))
        shown = button->text().remove('&');  // the mnemonic's mark is no character shown
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        shown = frame->title();
    else if (auto* bar = qobject_cast<ProgressBar*>(control))
        shown = bar->text();
    QCOMPARE(shown, caption);
    const double points = name.startsWith("PushButton") ? 11.25 : 9.0;
    QCOMPARE(control->font().pointSizeF(), points);
    QVERIFY(control->font().bold());
    QVERIFY(control->font().families().contains("Arial"));
}

// The script tests press controls by name at the centres of one table; each row
// must name a control that has that caption (a selector: that frame title) and
// lies centred there.
void TestMainWindow::scriptsPressTheControlsAtTheirCentres()
{
    QFile table(PLOTVANE_SOURCE_DIR "/tests/support/control-centres.tsv");
    QVERIFY2(table.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(table.fileName()));
    WindowRig w;
    auto form = w.make();
    int rows = 0;
    while (!table.atEnd()) {
        const QString line = QString::fromUtf8(table.readLine()).remove('\n');
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList row = line.split('\t');
        QCOMPARE(row.size(), 4);
        auto* control = form->findChild<QWidget*>(row[1]);
        QVERIFY2(control, qPrintable(row[1]));
        auto* button = qobject_cast<QPushButton*>(control);
        auto* frame = qobject_cast<QGroupBox*>(control->parentWidget());
        QCOMPARE(button ? button->text().remove('&') : frame ? frame->title() : control->accessibleName(), row[0]);
        QCOMPARE(QPoint(row[2].toInt(), row[3].toInt()),
                 control->mapTo(form.get(), QPoint(control->width() / 2, control->height() / 2)));
        ++rows;
    }
    QVERIFY(rows > 0);
}

void TestMainWindow::windowIsFixedAndTitled()
{
    WindowRig w;
    auto form = w.open();
    QCOMPARE(form->size(), QSize(536, 442));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form->windowTitle(), QString("Plotvane"));
    QVERIFY(form->findChild<QObject*>("CommonDialog1"));
    QVERIFY(form->findChild<QObject*>("SkinFramework1"));
    QCOMPARE(form->fileList().toolTip(),
             QString("Drag and drop files here. Double-click item to remove it. Move | line to right and out of "
                     "window to reveal full names."));
    QCOMPARE(form->fileList().entries().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString(" Visio File(s)"));
    QCOMPARE(form->fileList().horizontalHeader()->sectionSize(0), 433);
    const std::string title = w.dialogs.applicationTitle();
    QVERIFY(!title.empty());
    QVERIFY(title != ProductName);
    QVERIFY(title.size() <= 40);
    for (const char* name :
         {"Tarnwell Plotvane Batch Printer", "A very long product name with many words in it to cut"}) {
        const std::string cut = applicationTitle(name);
        QVERIFY(cut != name);
        QVERIFY(cut.size() <= 40);
    }
    QCOMPARE(applicationTitle("Tarnwell Plotvane Batch Printer"), std::string("Tarnwell Plotvane Batch"));
}

void TestMainWindow::startUpReachesOutsideInItsOrder()
{
    WindowRig w;
    w.logCalls();
    auto form = w.make();
    w.fileSystem.addFileAndFolders(w.programFolder + "/x/o.cjs");
    form->load();
    const CallLog expected = {
        "listing " + w.programFolder + "/x/o.cjs",
        "skin load " + w.programFolder + "/x/o.cjs ''",
        "skin read options",
        "skin write options 7",
        "skin option 5 true",
        "skin option 10 true",
        "skin apply window",
        "modificationTime " + w.programFolder + "/HAND-M.CUR",
        // No sample drawings beside this program: the empty record is taken
        // again, each time.
        "read Snapshot",
        "write Snapshot=",
        "read Snapshot",
        "write Snapshot=",
        "printers default",
        "printers names",
        "read Combo1",
        "write Combo1=1",
        "read Combo2",
        "write Combo2=5",
        "create Visio.Application",
        "quit",
    };
    QCOMPARE(w.log, expected);
    QCOMPARE(form->pauseChoice().count(), 10);
    QCOMPARE(form->pauseChoice().itemText(0), QString("0 seconds"));
    QCOMPARE(form->pauseChoice().itemText(9), QString("9 seconds"));
    QCOMPARE(form->pauseChoice().currentText(), QString("5 seconds"));
    QVERIFY(w.dialogs.messages.empty());
}

void TestMainWindow::storedPauseIsRestored_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("reported");
    QTest::newRow("zero") << "0" << 0 << false;
    QTest::newRow("nine") << "9" << 9 << false;
    QTest::newRow("none") << "-1" << -1 << false;
    QTest::newRow("letters") << "abc" << -1 << true;
    QTest::newRow("too big") << "70000" << -1 << true;
    QTest::newRow("below none") << "-2" << -1 << true;
    QTest::newRow("empty") << "" << -1 << true;
    QTest::newRow("past the list") << "10" << -1 << true;
}

void TestMainWindow::storedPauseIsRestored()
{
    QFETCH(QString, stored);
    QFETCH(int, selected);
    QFETCH(bool, reported);
    WindowRig w;
    w.settings.values["Combo2"] = stored.toStdString();
    auto form = w.open();
    QCOMPARE(form->pauseChoice().currentIndex(), selected);
    QCOMPARE(w.dialogs.reportedLines(), reported ? std::vector<int>{144} : std::vector<int>{});
    const std::string expectedStored = selected >= 0 ? std::to_string(selected) : stored.toStdString();
    QCOMPARE(w.settings.values["Combo2"], expectedStored);
}

void TestMainWindow::failingStepsAreReportedAndStartUpGoesOn()
{
    WindowRig w;
    w.skin.calls.failing["skin load"] = "The skin could not be loaded";
    w.fileSystem.addFileAndFolders(w.programFolder + "/x/o.cjs");
    w.writeBesideProgram("/HAND-M.CUR", "this is no picture");
    w.settings.values["Combo2"] = "abc";
    auto form = w.open();
    QCOMPARE(w.dialogs.reportedLines(), (std::vector<int>{100, 106, 144}));
    QVERIFY(!form->hasMouseIcon());
    QCOMPARE(form->windowTitle(), QString("Plotvane"));
    QCOMPARE(form->pauseChoice().count(), 10);
    const std::string& first = w.dialogs.messages.front().text;
    QVERIFY(first.find("\r\nin Sheetwick2021/08/31.Form1.Form_Load at line 100\r\rPlease email") != std::string::npos);
}

void TestMainWindow::anUnwritableStoreIsToldAtItsStepsAndOnceForTheChoices()
{
    WindowRig w;
    w.settings.unwritable = true;
    auto form = w.open();
    // The sample record is written inside trapped steps; the two choices are
    // saved by the selectors, which tell the user once, in plain words.
    QCOMPARE(w.dialogs.reportedLines(), (std::vector<int>{110, 130}));
    QCOMPARE(w.dialogs.messages.size(), 3u);
    const std::string stored
        = "could not be stored in /home/user/.config/Tarnwell/Plotvane.conf: Read-only file system";
    QVERIFY(w.dialogs.messages[0].text.find("The setting Snapshot " + stored) == 0);
    const MessageRequest& told = w.dialogs.messages[2];
    QVERIFY(told.title.empty() || told.title == w.dialogs.applicationTitle());
    QVERIFY(told.icon == MessageIcon::None);
    QVERIFY(told.text.find("The setting Combo1 " + stored) != std::string::npos);
    form->printerChoice().setCurrentIndex(0);
    QCOMPARE(form->printerChoice().currentIndex(), 0);
    QCOMPARE(form->pauseChoice().currentText(), QString("5 seconds"));
    QCOMPARE(w.dialogs.messages.size(), 3u);
}

void TestMainWindow::cursorFileGivesTheCustomPointer()
{
    WindowRig w;
    w.writeBesideProgram("/HAND-M.CUR", w.resource("HAND-M.CUR"));
    auto form = w.open();
    QVERIFY(w.dialogs.messages.empty());
    QVERIFY(form->hasMouseIcon());
    form->setMousePointer(MousePointer::Custom);
    QCOMPARE(form->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(form->cursor().hotSpot(), QPoint(11, 1));
}

void TestMainWindow::homePageOpensOnlyOnTheLuckyDraw()
{
    for (double draw : {0.0, 0.05, 0.069, 0.07, 0.99}) {
        WindowRig w;
        w.randomDraw = draw;
        auto form = w.open();
        const bool lucky = draw >= 0.06 && draw < 0.07;
        QCOMPARE(w.shell.urls.size(), lucky ? 1u : 0u);
        if (lucky)
            QCOMPARE(w.shell.urls.front(), std::string(MainWindow::HomePage));
    }
}

void TestMainWindow::skinColoursTheWindowAndItsFrames()
{
    WindowRig w;
    w.writeBesideProgram("/x/o.cjs", w.resource("x/o.cjs"));
    w.fakeSkin = false;
    auto form = w.make();
    const QColor designed = form->palette().color(QPalette::Window);
    // The list, the selectors and the buttons keep the colours they show.
    const auto ownColours = [&] {
        return QList<QColor>{form->fileList().palette().color(QPalette::Base),
                             form->printerChoice().palette().color(QPalette::Button),
                             form->button(MainWindow::Button::AddFiles).palette().color(QPalette::Button)};
    };
    const QList<QColor> before = ownColours();
    form->load();
    QVERIFY(w.dialogs.messages.empty());
    const QColor face = form->palette().color(QPalette::Button);
    QCOMPARE(designed, QColor(Qt::white));
    QCOMPARE(form->palette().color(QPalette::Window), face);
    for (const char* frame : {"Frame1", "Frame2"})
        QCOMPARE(form->findChild<QWidget*>(frame)->palette().color(QPalette::Window), face);
    QVERIFY(!form->styleSheet().isEmpty());
    auto* skin = form->findChild<SkinFramework*>("SkinFramework1");
    QCOMPARE(skin->applicationOptions() & 1, 1);
    QVERIFY(skin->option(5) && skin->option(10));
    QCOMPARE(ownColours(), before);
    QVERIFY(before.front() != face);  // the list shows its own, not the button face
    for (QWidget* control : std::initializer_list<QWidget*>{&form->fileList(), &form->printerChoice(),
                                                            &form->button(MainWindow::Button::AddFiles)})
        QVERIFY2(!control->autoFillBackground(), qPrintable(control->objectName()));

    // A skin that is a folder, or hidden, is reported or ignored; start-up goes on.
    WindowRig folderSkin;
    folderSkin.fakeSkin = false;
    QDir().mkpath(QString::fromStdString(folderSkin.programFolder + "/x/o.cjs"));
    folderSkin.fileSystem.addFileAndFolders(folderSkin.programFolder + "/x/o.cjs");
    auto second = folderSkin.open();
    QCOMPARE(folderSkin.dialogs.reportedLines(), std::vector<int>{100});
    QCOMPARE(second->windowTitle(), QString("Plotvane"));

    WindowRig hiddenSkin;
    hiddenSkin.fakeSkin = false;
    hiddenSkin.writeBesideProgram("/x/o.cjs", hiddenSkin.resource("x/o.cjs"));
    hiddenSkin.fileSystem.remove(hiddenSkin.programFolder + "/x/o.cjs");
    hiddenSkin.fileSystem.addFile(hiddenSkin.programFolder + "/x/o.cjs",
                                  FileAttribute::Archive | FileAttribute::Hidden);
    auto third = hiddenSkin.open();
    QVERIFY(hiddenSkin.dialogs.messages.empty());
    QCOMPARE(third->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(third->styleSheet().isEmpty());
}

void TestMainWindow::pointerFollowsHoverAndKeepsTheHourglass()
{
    WindowRig w;
    auto form = w.open();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QWidget* button = &form->button(MainWindow::Button::StartPrinting);
    QWidget* frame = form->findChild<QWidget*>("Frame1");
    auto moveOver = [](QWidget* widget, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    };
    moveOver(button, {5, 5});
    QCOMPARE(form->mousePointer(), MousePointer::Custom);
    moveOver(frame, {3, 45});
    QCOMPARE(form->mousePointer(), MousePointer::Default);
    moveOver(button, {5, 5});
    moveOver(&form->printerChoice(), {5, 5});
    QCOMPARE(form->mousePointer(), MousePointer::Custom);
    moveOver(form.get(), {530, 180});
    QCOMPARE(form->mousePointer(), MousePointer::Default);

    form->setMousePointer(MousePointer::Hourglass);
    QCOMPARE(form->cursor().shape(), Qt::WaitCursor);
    moveOver(button, {5, 5});
    moveOver(frame, {3, 45});
    moveOver(form.get(), {530, 180});
    QCOMPARE(form->mousePointer(), MousePointer::Hourglass);
    QCOMPARE(form->cursor().shape(), Qt::WaitCursor);
}

void TestMainWindow::closingEndsTheProgramInTheMiddleOfAnOperation()
{
    WindowRig w;
    auto form = w.open();
    form->show();
    ErrorTrap trap(w.dialogs, w.lifetime, "in Sheetwick2021/08/31.Form1.PushButton2_Click ");
    int done = 0;
    for (int i = 0; i < 10 && !trap.stopped(); ++i) {
        trap.step(116, [&] {
            if (i == 3)
                form->close();
            QCoreApplication::processEvents();
        });
        trap.step(118, [&] { ++done; });
    }
    QVERIFY(w.lifetime.ended());
    QCOMPARE(done, 3);
    QVERIFY(!form->isVisible());
}

void TestMainWindow::tabOrderFollowsTheLayout()
{
    WindowRig w;
    auto form = w.make();
    const QStringList expected
        = {"ListView1",   "PushButton5", "PushButton6", "PushButton1", "PushButton4", "PushButton3",
           "PushButton7", "Combo1",      "Combo2",      "PushButton8", "PushButton2"};
    QStringList chain;
    QWidget* widget = &form->fileList();
    for (int i = 0; i < expected.size(); ++i) {
        chain << widget->objectName();
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty()
               || widget->objectName().startsWith("qt_"));
    }
    QCOMPARE(chain, expected);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
