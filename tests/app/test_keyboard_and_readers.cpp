#include <QAccessible>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "filelist/qt/FileListView.h"
#include "platform/qt/ColourContrast.h"
#include "printing/qt/ProgressBar.h"
#include "support/WindowRig.h"

namespace {
QString joined(FileListView& list)
{
    QStringList entries;
    for (int i = 1; i <= list.items().count(); ++i)
        entries << QString::fromStdString(list.items().text(i));
    return entries.join(' ');
}
}  // namespace

class TestKeyboardAndReaders final : public QObject {
    Q_OBJECT
private slots:
    void controlsHaveRolesAndNames_data();
    void controlsHaveRolesAndNames();
    void progressAndOutcomesAreRead();
    void keysReachTheCommands_data();
    void keysReachTheCommands();
    void focusRingAndProgressTextStandOut();
};

void TestKeyboardAndReaders::controlsHaveRolesAndNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");  // empty: any name but an empty one
    const int button = QAccessible::Button;
    for (auto [control, name] : {std::pair{"PushButton1", "Add Visio File(s)"}, {"PushButton2", "Start Printing"},
                                {"PushButton3", "Clear List"}, {"PushButton4", "Add All Visio Files In Folder"},
                                {"PushButton5", "Move Up"}, {"PushButton6", "Move Down"},
                                {"PushButton7", "Load Sample/Example Files"}, {"PushButton8", "About the pause"}})
        QTest::newRow(control) << control << button << name;
    QTest::newRow("list") << "ListView1" << int(QAccessible::Table) << "Files to print";
    QTest::newRow("printer") << "Combo1" << int(QAccessible::ComboBox) << "";
    QTest::newRow("pause") << "Combo2" << int(QAccessible::ComboBox) << "";
    QTest::newRow("frame1") << "Frame1" << int(QAccessible::Grouping) << "Select Printer";
    QTest::newRow("frame2") << "Frame2" << int(QAccessible::Grouping) << "Pause Option";
    QTest::newRow("progress") << "ProgressBar1" << int(QAccessible::ProgressBar) << "Progress Bar";
}

void TestKeyboardAndReaders::controlsHaveRolesAndNames()
{
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    WindowRig w;
    auto form = w.open();
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(form->findChild<QWidget*>(control));
    QVERIFY(reader);
    QCOMPARE(int(reader->role()), role);
    QVERIFY(!reader->text(QAccessible::Name).isEmpty());
    if (!name.isEmpty())
        QCOMPARE(reader->text(QAccessible::Name), name);
}

void TestKeyboardAndReaders::progressAndOutcomesAreRead()
{
    WindowRig w;
    auto form = w.open();
    form->progressBar().setValue(40.0);
    form->progressBar().setText("Processing: plan.vsd");
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(&form->progressBar());
    QCOMPARE(bar->valueInterface()->currentValue().toDouble(), 40.0);
    QCOMPARE(bar->valueInterface()->maximumValue().toDouble(), 100.0);
    QCOMPARE(bar->text(QAccessible::Name), QString("Processing: plan.vsd"));

    FileListView& list = form->fileList();
    list.items().add("/d/plan.vsd");
    list.items().add("/d/wall.vsd");
    list.entries().setOutcome(1, {7, QIcon(), "Not printed: the file could not be opened."});
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(&list)->tableInterface();
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QString("/d/wall.vsd"));
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Description), QString("Not printed: the file could not be opened."));
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Description), QString());
}

void TestKeyboardAndReaders::keysReachTheCommands_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("pressed");  // the button the key clicks, or the menu it opens
    QTest::addColumn<QString>("entries");  // the list after it, B selected before
    const int alt = Qt::AltModifier, ctrl = Qt::ControlModifier;
    QTest::newRow("Return") << "PushButton3" << int(Qt::Key_Return) << 0 << false << "PushButton3" << "";
    QTest::newRow("Enter") << "PushButton6" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false
                           << "PushButton6" << "A C B";
    QTest::newRow("Ctrl+Return") << "PushButton3" << int(Qt::Key_Return) << ctrl << false << "" << "A B C";
    const std::pair<int, const char*> mnemonics[] = {{Qt::Key_A, "PushButton1"}, {Qt::Key_S, "PushButton2"},
        {Qt::Key_C, "PushButton3"}, {Qt::Key_F, "PushButton4"}, {Qt::Key_U, "PushButton5"},
        {Qt::Key_D, "PushButton6"}, {Qt::Key_L, "PushButton7"}, {Qt::Key_Question, "PushButton8"}};
    for (auto [key, button] : mnemonics)
        QTest::newRow(qPrintable("Alt+" + QKeySequence(key).toString())) << "Combo1" << key << alt << true << button
                                                                          << "A B C";
    QTest::newRow("Ctrl+Up") << "ListView1" << int(Qt::Key_Up) << ctrl << false << "" << "B A C";
    QTest::newRow("Ctrl+Down") << "ListView1" << int(Qt::Key_Down) << ctrl << false << "" << "A C B";
    QTest::newRow("Ctrl+Up busy") << "ListView1" << int(Qt::Key_Up) << ctrl << true << "" << "A B C";
    QTest::newRow("Up") << "ListView1" << int(Qt::Key_Up) << 0 << false << "" << "A B C";
    QTest::newRow("Shift+F10") << "ListView1" << int(Qt::Key_F10) << int(Qt::ShiftModifier) << false << "menu"
                               << "A B C";
    QTest::newRow("F10") << "ListView1" << int(Qt::Key_F10) << 0 << false << "" << "A B C";
}

void TestKeyboardAndReaders::keysReachTheCommands()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, shift);
    QFETCH(bool, busy);
    QFETCH(QString, pressed);
    QFETCH(QString, entries);
    WindowRig w;
    auto form = w.open();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    FileListView& list = form->fileList();
    for (const char* entry : {"A", "B", "C"})
        list.items().add(entry);
    list.items().select(2);
    QList<std::pair<QString, std::shared_ptr<QSignalSpy>>> clicks;
    for (QPushButton* button : form->findChildren<QPushButton*>())
        clicks.append({button->objectName(), std::make_shared<QSignalSpy>(button, &QPushButton::clicked)});
    if (busy)  // an hourglass keeps the list as it is, whatever clicks
        form->setMousePointer(MousePointer::Hourglass);
    QWidget* focused = form->findChild<QWidget*>(focus);
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key(key), Qt::KeyboardModifiers(shift));
    const auto clicked = [&] {
        QStringList names;
        for (auto& [name, spy] : clicks)
            names << QStringList(spy->count(), name);
        if (qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            names << "menu";
        return names.join(' ');
    };
    QTRY_COMPARE_WITH_TIMEOUT(clicked(), pressed, 1000);
    QCOMPARE(joined(list), entries);
    if (focus == "ListView1") {
        QVERIFY(list.hasFocus());
        QCOMPARE(list.currentIndex().row() + 1, list.items().selectedIndex());
    }
}

void TestKeyboardAndReaders::focusRingAndProgressTextStandOut()
{
    WindowRig w;
    auto form = w.open();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QWidget& up = form->button(MainWindow::Button::MoveUp);
    const auto ringContrast = [&](QWidget& control) {
        const QImage shot = form->grab().toImage();
        const QPoint edge = control.mapTo(form.get(), QPoint(0, control.height() / 2));
        return contrastRatio(shot.pixelColor(edge - QPoint(2, 0)), shot.pixelColor(edge - QPoint(1, 0)));
    };
    QTest::mouseClick(&up, Qt::LeftButton);
    QCOMPARE(ringContrast(up), 1.0);  // no ring for the mouse
    form->fileList().setFocus();
    QTest::keyClick(&form->fileList(), Qt::Key_Tab);
    QVERIFY(up.hasFocus());
    QVERIFY(ringContrast(up) >= 3.0);
    QTest::keyClick(&up, Qt::Key_Backtab);
    QVERIFY(ringContrast(form->fileList()) >= 3.0);

    // The text over the bar's fill: its most distinct pixel against the fill.
    ProgressBar& bar = form->progressBar();
    bar.setValue(100.0);
    bar.setText("Processing: WWWWWWWWWWWW.vsd");
    const QImage shot = bar.grab().toImage();
    const QColor fill = shot.pixelColor(6, bar.height() / 2);
    double best = 1.0;
    for (int x = bar.width() / 4; x < bar.width() * 3 / 4; ++x)
        best = std::max(best, contrastRatio(fill, shot.pixelColor(x, bar.height() / 2)));
    QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
}

QTEST_MAIN(TestKeyboardAndReaders)
#include "test_keyboard_and_readers.moc"
