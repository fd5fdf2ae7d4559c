#include <QAccessible>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "filelist/qt/FileListView.h"
#include "platform/qt/ColourContrast.h"
#include "printing/qt/ProgressBar.h"
#include "support/WindowRig.h"

class TestKeyboardAndReaders final : public QObject {
    Q_OBJECT
private slots:
    void controlsAreReadWithRoleNameAndValue();
    void keysReachTheCommands_data();
    void keysReachTheCommands();
    void focusRingAndProgressTextStandOut();
};

void TestKeyboardAndReaders::controlsAreReadWithRoleNameAndValue()
{
    WindowRig w;
    auto form = w.open();
    form->progressBar().setValue(40.0);
    form->fileList().items().add("/d/plan.vsd");
    form->fileList().entries().setOutcome(0, {QIcon(), "Not printed: the file could not be opened."});
    const auto read = [&](QObject* control) { return QAccessible::queryAccessibleInterface(control); };
    QAccessibleInterface* entry = read(&form->fileList())->tableInterface()->cellAt(0, 0);
    const struct {
        QAccessibleInterface* reader;
        QAccessible::Role role;
        QString name;  // empty: any but an empty name
        QString description;
    } controls[]
        = {{read(form->findChild<QWidget*>("PushButton1")), QAccessible::Button, "Add Visio File(s)", ""},
           {read(form->findChild<QWidget*>("PushButton2")), QAccessible::Button, "Start Printing", ""},
           {read(form->findChild<QWidget*>("PushButton3")), QAccessible::Button, "Clear List", ""},
           {read(form->findChild<QWidget*>("PushButton4")), QAccessible::Button, "Add All Visio Files In Folder", ""},
           {read(form->findChild<QWidget*>("PushButton5")), QAccessible::Button, "Move Up", ""},
           {read(form->findChild<QWidget*>("PushButton6")), QAccessible::Button, "Move Down", ""},
           {read(form->findChild<QWidget*>("PushButton7")), QAccessible::Button, "Load Sample/Example Files", ""},
           {read(form->findChild<QWidget*>("PushButton8")), QAccessible::Button, "About the pause", ""},
           {read(&form->fileList()), QAccessible::Table, "Files to print", ""},
           {read(&form->printerChoice()), QAccessible::ComboBox, "", ""},
           {read(&form->pauseChoice()), QAccessible::ComboBox, "", ""},
           {read(form->findChild<QWidget*>("Frame1")), QAccessible::Grouping, "Select Printer", ""},
           {read(form->findChild<QWidget*>("Frame2")), QAccessible::Grouping, "Pause Option", ""},
           {read(&form->progressBar()), QAccessible::ProgressBar, "Progress Bar", ""},
           {entry, QAccessible::Cell, "/d/plan.vsd", "Not printed: the file could not be opened."}};
    for (const auto& control : controls) {
        QVERIFY(control.reader);
        const QString name = control.reader->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty() && (control.name.isEmpty() || name == control.name), qPrintable(name));
        QCOMPARE(control.reader->role(), control.role);
        QCOMPARE(control.reader->text(QAccessible::Description), control.description);
    }
    QAccessibleValueInterface* bar = read(&form->progressBar())->valueInterface();
    QCOMPARE(bar->currentValue().toDouble(), 40.0);
    QCOMPARE(bar->maximumValue().toDouble(), 100.0);
}

void TestKeyboardAndReaders::keysReachTheCommands_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shift");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("pressed");  // the button the key clicks, or the menu it opens
    QTest::addColumn<QString>("entries");  // the list after it (* the selected entry), C selected before
    const int alt = Qt::AltModifier, ctrl = Qt::ControlModifier, list = Qt::Key_Up;
    QTest::newRow("Return") << "PushButton3" << int(Qt::Key_Return) << 0 << false << "PushButton3"
                            << "";
    QTest::newRow("Enter") << "PushButton6" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << "PushButton6"
                           << "A B D C*";
    QTest::newRow("Ctrl+Return") << "PushButton3" << int(Qt::Key_Return) << ctrl << false << ""
                                 << "A B C* D";
    for (auto [key, button] : {std::pair{Qt::Key_A, "PushButton1"},
                               {Qt::Key_S, "PushButton2"},
                               {Qt::Key_C, "PushButton3"},
                               {Qt::Key_F, "PushButton4"},
                               {Qt::Key_U, "PushButton5"},
                               {Qt::Key_D, "PushButton6"},
                               {Qt::Key_L, "PushButton7"},
                               {Qt::Key_Question, "PushButton8"}})
        QTest::newRow(qPrintable("Alt+" + QKeySequence(key).toString()))
            << "Combo1" << int(key) << alt << true << button << "A B C* D";
    QTest::newRow("Ctrl+Up") << "ListView1" << list << ctrl << false << ""
                             << "A C* B D";
    QTest::newRow("Ctrl+Down") << "ListView1" << int(Qt::Key_Down) << ctrl << false << ""
                               << "A B D C*";
    QTest::newRow("Ctrl+Up busy") << "ListView1" << list << ctrl << true << ""
                                  << "A B C* D";
    QTest::newRow("Up") << "ListView1" << list << 0 << false << ""
                        << "A B* C D";
    QTest::newRow("Shift+F10") << "ListView1" << int(Qt::Key_F10) << int(Qt::ShiftModifier) << false << "menu"
                               << "A B C* D";
    QTest::newRow("F10") << "ListView1" << int(Qt::Key_F10) << 0 << false << ""
                         << "A B C* D";
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
    ListItems& items = form->fileList().items();
    for (const char* entry : {"A", "B", "C", "D"})
        items.add(entry);
    items.select(3);
    std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> clicks;
    for (QPushButton* button : form->findChildren<QPushButton*>())
        clicks.emplace_back(button->objectName(), std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
    if (busy)  // an hourglass keeps the list as it is, whatever clicks
        form->setMousePointer(MousePointer::Hourglass);
    QWidget* focused = form->findChild<QWidget*>(focus);
    focused->setFocus();
    QTest::keyClick(focused, Qt::Key(key), Qt::KeyboardModifiers(shift));
    const auto answered = [&] {
        QStringList names;
        for (auto& [name, spy] : clicks)
            names << QStringList(spy->count(), name);
        if (qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            names << "menu";
        return names.join(' ');
    };
    QTRY_COMPARE_WITH_TIMEOUT(answered(), pressed, 1000);
    QStringList after;
    for (int i = 1; i <= items.count(); ++i)
        after << QString::fromStdString(items.text(i)) + (i == items.selectedIndex() ? "*" : "");
    QCOMPARE(after.join(' '), entries);
    if (focus == "ListView1")
        QVERIFY(form->fileList().hasFocus());
}

void TestKeyboardAndReaders::focusRingAndProgressTextStandOut()
{
    WindowRig w;
    auto form = w.open();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QWidget& up = form->button(MainWindow::Button::MoveUp);
    const auto ringContrast = [&](QWidget& control) {  // the ring's pixel against the gap inside it
        const QImage shot = form->grab().toImage();
        const QPoint edge = control.mapTo(form.get(), QPoint(0, control.height() / 2));
        return contrastRatio(shot.pixelColor(edge - QPoint(2, 0)), shot.pixelColor(edge - QPoint(1, 0)));
    };
    QTest::mouseClick(&up, Qt::LeftButton);
    QCOMPARE(ringContrast(up), 1.0);  // no ring for the mouse
    form->fileList().setFocus();
    QTest::keyClick(&form->fileList(), Qt::Key_Tab);
    QVERIFY(up.hasFocus() && ringContrast(up) >= 3.0);
    QTest::keyClick(&up, Qt::Key_Backtab);
    QVERIFY(ringContrast(form->fileList()) >= 3.0);

    // The text over the fill: its pixel that stands out most from the fill.
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
