#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "base/Failure.h"
#include "app/qt/MainWindow.h"
#include "app/qt/OutcomeMenu.h"
#include "filelist/qt/FileListView.h"
#include "printing/qt/RunOutcomes.h"
#include "support/WindowRig.h"

namespace {

// The main window after its start-up, shown; drag.ico, unless null, stands in
// its program folder.
struct ListWindow : WindowRig {
    explicit ListWindow(const QByteArray& dragIcon = resource("drag.ico"))
    {
        if (!dragIcon.isNull())
            writeBesideProgram("/drag.ico", dragIcon);
        form = open();
        form->show();
    }

    FileListView& list() { return form->fileList(); }
    ListItems& items() { return form->fileList().items(); }
    QWidget* viewport() { return form->fileList().viewport(); }
    void fill(const QStringList& texts)
    {
        items().clear();
        for (const QString& text : texts)
            items().add(text.toStdString());
    }
    void fill(int count)
    {
        items().clear();
        for (int i = 1; i <= count; ++i)
            items().add("/drawings/" + std::to_string(i) + ".vsd");
        QCoreApplication::processEvents();
    }
    QStringList entries()
    {
        QStringList texts;
        for (int i = 1; i <= items().count(); ++i)
            texts << QString::fromStdString(items().text(i));
        return texts;
    }
    // The centre of the entry at a position, in the viewport's coordinates.
    QPoint at(int position) { return list().visualRect(list().entries().index(position - 1, 0)).center(); }
    void click(int position) { QTest::mouseClick(viewport(), Qt::LeftButton, {}, at(position)); }
    void moveWithoutButton(QPoint point)
    {
        QMouseEvent move(QEvent::MouseMove, point, viewport()->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(viewport(), &move);
    }

    std::unique_ptr<MainWindow> form;
};

}  // namespace

class TestFileList final : public QObject {
    Q_OBJECT
private slots:
    void listOperations_data();
    void listOperations();
    void entryReferenceFollowsItsEntry();
    void widenedColumnScrollsSideways();
    void buttonsAndKeysEditTheList_data();
    void buttonsAndKeysEditTheList();
    void busyPointerMakesTheFiveTriggersInert();
    void moveButtonsGiveTheListTheFocus();
    void addFilesButtonAppendsThePickedPaths();
    void carriedEntryTravelsWithThePointer();
    void equalTextsNeverSwap();
    void nothingMovesWithTheButtonUp();
    void removedCarriedEntryStopsTheGesture();
    void carryingNearAnEdgeScrolls_data();
    void carryingNearAnEdgeScrolls();
    void gestureShowsTheDragPointer_data();
    void gestureShowsTheDragPointer();
    void movingOverTheListResetsTheWindowPointer();
    void outcomesGoWithTheirEntries();
};

void TestFileList::listOperations_data()
{
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("fails");
    QTest::newRow("append keeps order and duplicates")
        << QStringList{"add A", "add B", "add A"} << QStringList{"A", "B", "A"} << 0 << false;
    QTest::newRow("insert at the front") << QStringList{"add A", "add B", "insert 1 C"} << QStringList{"C", "A", "B"}
                                         << 0 << false;
    QTest::newRow("insert past the last") << QStringList{"add A", "insert 2 B"} << QStringList{"A", "B"} << 0 << false;
    QTest::newRow("insert moves the selection along")
        << QStringList{"add A", "add B", "select 2", "insert 1 C"} << QStringList{"C", "A", "B"} << 3 << false;
    QTest::newRow("remove first and last")
        << QStringList{"add A", "add B", "add C", "remove 1", "remove 2"} << QStringList{"B"} << 0 << false;
    QTest::newRow("remove before the selection")
        << QStringList{"add A", "add B", "add C", "select 3", "remove 1"} << QStringList{"B", "C"} << 2 << false;
    QTest::newRow("texts compare exactly")
        << QStringList{"add a.vsd", "add A.vsd", "set 1 A.VSD"} << QStringList{"A.VSD", "A.vsd"} << 0 << false;
    QTest::newRow("clear") << QStringList{"add A", "add B", "select 1", "clear"} << QStringList{} << 0 << false;
    QTest::newRow("insert beyond the end") << QStringList{"add A", "insert 3 B"} << QStringList{"A"} << 0 << true;
    QTest::newRow("remove position 0") << QStringList{"add A", "remove 0"} << QStringList{"A"} << 0 << true;
    QTest::newRow("select past the last") << QStringList{"add A", "select 2"} << QStringList{"A"} << 0 << true;
    QTest::newRow("read an empty list") << QStringList{"text 1"} << QStringList{} << 0 << true;
}

void TestFileList::listOperations()
{
    QFETCH(QStringList, operations);
    QFETCH(QStringList, expected);
    QFETCH(int, selected);
    QFETCH(bool, fails);
    FileListView list;
    list.addColumn(" Visio File(s)");
    bool failed = false;
    for (const QString& operation : operations) {
        const QStringList words = operation.split(' ');
        const std::string last = words.last().toStdString();
        try {
            if (words[0] == "add")
                list.items().add(last);
            else if (words[0] == "insert")
                list.items().insert(words[1].toInt(), last);
            else if (words[0] == "set")
                list.items().setText(words[1].toInt(), last);
            else if (words[0] == "remove")
                list.items().remove(words[1].toInt());
            else if (words[0] == "select")
                list.items().select(words[1].toInt());
            else if (words[0] == "text")
                list.items().text(words[1].toInt());
            else if (words[0] == "clear")
                list.items().clear();
        } catch (const Failure&) {
            failed = true;
        }
    }
    QCOMPARE(failed, fails);
    QStringList texts;
    for (int i = 1; i <= list.items().count(); ++i)
        texts << QString::fromStdString(list.items().text(i));
    QCOMPARE(texts, expected);
    QCOMPARE(list.items().selectedIndex(), selected);
    QCOMPARE(list.entries().rowCount(), static_cast<int>(expected.size()));
}

void TestFileList::entryReferenceFollowsItsEntry()
{
    FileListView list;
    list.addColumn(" Visio File(s)");
    for (const char* text : {"A", "B", "C"})
        list.items().add(text);
    const QPersistentModelIndex b = list.entryRef(2);
    list.items().insert(1, "Z");
    QCOMPARE(FileListView::positionOf(b), 3);
    list.items().remove(1);
    list.items().remove(1);
    QCOMPARE(FileListView::positionOf(b), 1);
    list.items().setText(2, "D");
    list.items().add("E");
    QCOMPARE(FileListView::positionOf(b), 1);
    list.items().remove(1);
    QCOMPARE(FileListView::positionOf(b), 0);
    const QPersistentModelIndex d = list.entryRef(1);
    list.items().clear();
    QCOMPARE(FileListView::positionOf(d), 0);
}

void TestFileList::widenedColumnScrollsSideways()
{
    ListWindow w;
    w.fill(QStringList{QString(300, 'x') + ".vsd"});
    QCOMPARE(w.list().horizontalScrollBar()->maximum(), 0);
    w.list().horizontalHeader()->resizeSection(0, 2000);
    QCoreApplication::processEvents();
    const int hidden = 2000 - w.viewport()->width();
    QCOMPARE(w.list().horizontalScrollBar()->maximum(), hidden);
    w.list().horizontalScrollBar()->setValue(hidden / 2);
    QCOMPARE(w.list().horizontalHeader()->offset(), hidden / 2);
    QCOMPARE(w.list().entries().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString(" Visio File(s)"));
}

void TestFileList::buttonsAndKeysEditTheList_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("selectedAfter");
    const QStringList abc{"A", "B", "C"};
    QTest::newRow("move up") << "PushButton5" << 2 << QStringList{"B", "A", "C"} << 1;
    QTest::newRow("move up at the top") << "PushButton5" << 1 << abc << 1;
    QTest::newRow("move down") << "PushButton6" << 2 << QStringList{"A", "C", "B"} << 3;
    QTest::newRow("move down at the bottom") << "PushButton6" << 3 << abc << 3;
    QTest::newRow("clear") << "PushButton3" << 2 << QStringList{} << 0;
    // After a removal the list itself selects the neighbour that took the place.
    QTest::newRow("delete") << "delete" << 2 << QStringList{"A", "C"} << 2;
    QTest::newRow("shift delete") << "shift delete" << 1 << QStringList{"B", "C"} << 1;
    QTest::newRow("ctrl alt delete") << "ctrl alt delete" << 3 << QStringList{"A", "B"} << 2;
    QTest::newRow("delete without selection") << "delete" << 0 << abc << 0;
    QTest::newRow("other key") << "insert" << 2 << abc << 2;
    QTest::newRow("double-click") << "double-click" << 2 << QStringList{"A", "C"} << 2;
}

void TestFileList::buttonsAndKeysEditTheList()
{
    QFETCH(QString, trigger);
    QFETCH(int, selected);
    QFETCH(QStringList, expected);
    QFETCH(int, selectedAfter);
    ListWindow w;
    w.fill(QStringList{"A", "B", "C"});
    if (selected)
        w.items().select(selected);
    if (trigger.startsWith("PushButton"))
        QTest::mouseClick(w.form->findChild<QPushButton*>(trigger), Qt::LeftButton);
    else if (trigger == "double-click")
        QTest::mouseDClick(w.viewport(), Qt::LeftButton, {}, w.at(selected));
    else if (trigger == "insert")
        QTest::keyClick(&w.list(), Qt::Key_Insert);
    else {
        Qt::KeyboardModifiers shift;
        if (trigger.contains("shift"))
            shift |= Qt::ShiftModifier;
        if (trigger.contains("ctrl"))
            shift |= Qt::ControlModifier | Qt::AltModifier;
        QTest::keyClick(&w.list(), Qt::Key_Delete, shift);
    }
    QCOMPARE(w.entries(), expected);
    QCOMPARE(w.items().selectedIndex(), selectedAfter);
    QVERIFY(w.dialogs.messages.empty());
}

void TestFileList::busyPointerMakesTheFiveTriggersInert()
{
    ListWindow w;
    w.fill(QStringList{"A", "B", "C"});
    w.items().select(2);
    w.form->setMousePointer(MousePointer::Hourglass);
    for (const auto button : {MainWindow::Button::MoveUp, MainWindow::Button::MoveDown, MainWindow::Button::ClearList})
        QTest::mouseClick(&w.form->button(button), Qt::LeftButton);
    QTest::keyClick(&w.list(), Qt::Key_Delete);
    QTest::mouseDClick(w.viewport(), Qt::LeftButton, {}, w.at(2));
    QCOMPARE(w.entries(), (QStringList{"A", "B", "C"}));
    QCOMPARE(w.items().selectedIndex(), 2);
    QCOMPARE(w.form->mousePointer(), MousePointer::Hourglass);
}

void TestFileList::moveButtonsGiveTheListTheFocus()
{
    ListWindow w;
    w.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
    w.fill(QStringList{"A", "B", "C"});
    w.items().select(2);
    for (const auto button : {MainWindow::Button::MoveUp, MainWindow::Button::MoveUp, MainWindow::Button::MoveDown}) {
        w.form->button(button).setFocus();
        QTest::mouseClick(&w.form->button(button), Qt::LeftButton);
        QVERIFY(w.list().hasFocus());
    }
    QCOMPARE(w.entries(), (QStringList{"A", "B", "C"}));
    QCOMPARE(w.items().selectedIndex(), 2);
}

void TestFileList::addFilesButtonAppendsThePickedPaths()
{
    ListWindow w;
    w.fill(QStringList{"/plans/a.vsd"});
    w.dialogs.openFilesAnswers.push_back({{"/plans/a.vsd", "/plans/b.vsd"}, false});
    w.dialogs.openFilesAnswers.push_back({{"/plans/c.vsd", "/plans/d.vsd"}, true});
    w.dialogs.openFilesAnswers.push_back({});
    for (int click = 0; click < 3; ++click)
        QTest::mouseClick(&w.form->button(MainWindow::Button::AddFiles), Qt::LeftButton);
    QCOMPARE(w.entries(), (QStringList{"/plans/a.vsd", "/plans/a.vsd", "/plans/b.vsd"}));
    QCOMPARE(w.dialogs.openFilesRequests.size(), 3u);
    QCOMPARE(w.dialogs.texts(), (std::vector<std::string>{"You've selected too many files to add.\r\rPlease try "
                                                          "adding via the \"Add All\" button."}));
    QCOMPARE(w.dialogs.messages.front().title, w.dialogs.applicationTitle());
}

void TestFileList::carriedEntryTravelsWithThePointer()
{
    ListWindow w;
    w.fill(QStringList{"1", "2", "3", "4", "5"});
    w.click(3);
    QTest::mousePress(w.viewport(), Qt::LeftButton, {}, w.at(3));
    QTest::mouseMove(w.viewport(), w.at(1));
    QCOMPARE(w.entries(), (QStringList{"3", "2", "1", "4", "5"}));
    QCOMPARE(w.items().selectedIndex(), 1);
    QTest::mouseMove(w.viewport(), w.at(2));
    QCOMPARE(w.entries(), (QStringList{"2", "3", "1", "4", "5"}));
    QCOMPARE(w.items().selectedIndex(), 2);
    // Moving within the carried entry changes nothing.
    QTest::mouseMove(w.viewport(), w.at(2) + QPoint(20, 1));
    QCOMPARE(w.entries(), (QStringList{"2", "3", "1", "4", "5"}));
    QTest::mouseRelease(w.viewport(), Qt::LeftButton, {}, w.at(2));
    QCOMPARE(w.items().selectedIndex(), 2);

    // A press on an entry carries that entry at once, also with the right button.
    QTest::mousePress(w.viewport(), Qt::RightButton, {}, w.at(5));
    QTest::mouseMove(w.viewport(), w.at(4));
    QTest::mouseRelease(w.viewport(), Qt::RightButton, {}, w.at(4));
    QCOMPARE(w.entries(), (QStringList{"2", "3", "1", "5", "4"}));
}

void TestFileList::equalTextsNeverSwap()
{
    ListWindow w;
    w.fill(QStringList{"/p.vsd", "/q.vsd", "/p.vsd", "/P.vsd"});
    QTest::mousePress(w.viewport(), Qt::LeftButton, {}, w.at(1));
    QTest::mouseMove(w.viewport(), w.at(3));
    QCOMPARE(w.entries(), (QStringList{"/p.vsd", "/q.vsd", "/p.vsd", "/P.vsd"}));
    QCOMPARE(w.items().selectedIndex(), 1);
    // Texts differing only in case are different paths.
    QTest::mouseMove(w.viewport(), w.at(4));
    QCOMPARE(w.entries(), (QStringList{"/P.vsd", "/q.vsd", "/p.vsd", "/p.vsd"}));
    QCOMPARE(w.items().selectedIndex(), 4);
    QTest::mouseRelease(w.viewport(), Qt::LeftButton, {}, w.at(4));
}

void TestFileList::nothingMovesWithTheButtonUp()
{
    ListWindow w;
    w.fill(QStringList{"1", "2", "3"});
    w.click(2);
    for (int position : {1, 3, 2, 1})
        w.moveWithoutButton(w.at(position));
    QCOMPARE(w.entries(), (QStringList{"1", "2", "3"}));
    // A press on empty space after the release carries nothing either.
    QTest::mousePress(w.viewport(), Qt::LeftButton, {}, w.at(3) + QPoint(0, 4 * w.list().entryHeight()));
    QTest::mouseMove(w.viewport(), w.at(1));
    QTest::mouseRelease(w.viewport(), Qt::LeftButton, {}, w.at(1));
    QCOMPARE(w.entries(), (QStringList{"1", "2", "3"}));
}

void TestFileList::removedCarriedEntryStopsTheGesture()
{
    ListWindow w;
    w.fill(QStringList{"1", "2", "3"});
    QTest::mousePress(w.viewport(), Qt::LeftButton, {}, w.at(2));
    QTest::keyClick(&w.list(), Qt::Key_Delete);
    QCOMPARE(w.entries(), (QStringList{"1", "3"}));
    QTest::mouseMove(w.viewport(), w.at(1));
    QTest::mouseMove(w.viewport(), w.at(2));
    QCOMPARE(w.entries(), (QStringList{"1", "3"}));
    QTest::mouseRelease(w.viewport(), Qt::LeftButton, {}, w.at(2));
}

void TestFileList::carryingNearAnEdgeScrolls_data()
{
    QTest::addColumn<int>("top");       // first entry in view, 1-based
    QTest::addColumn<QString>("band");  // where the pointer lands: top, middle or bottom
    QTest::addColumn<int>("scrolled");  // change of the first entry in view
    QTest::newRow("top band") << 41 << "top" << -1;
    QTest::newRow("middle") << 41 << "middle" << 0;
    QTest::newRow("bottom band") << 41 << "bottom" << 1;
    QTest::newRow("top band at the first entry") << 1 << "top" << 0;
    QTest::newRow("bottom band at the last entry") << 0 << "bottom" << 0;
}

void TestFileList::carryingNearAnEdgeScrolls()
{
    QFETCH(int, top);
    QFETCH(QString, band);
    QFETCH(int, scrolled);
    ListWindow w;
    w.fill(100);
    QScrollBar* bar = w.list().verticalScrollBar();
    bar->setValue(top ? top - 1 : bar->maximum());
    const int first = bar->value();
    const int rowHeight = w.list().entryHeight();
    const int height = w.viewport()->height();
    QVERIFY(height > 5 * rowHeight);
    // The first pixel row of the bottom band lies in the last entry shown whole.
    int y = height / 2;
    if (band == "top")
        y = rowHeight / 2;
    else if (band == "bottom")
        y = height - rowHeight;
    if (top == 0)
        y = std::max(y, w.list().visualRect(w.list().entries().index(99, 0)).top() + 1);
    const int target = w.list().hitTest({20, y});
    QVERIFY(target != 0);
    // Carry an entry from the middle of the view onto the target.
    const int carried = w.list().hitTest({20, height / 2 + (band == "middle" ? rowHeight : 0)});
    QVERIFY(carried != target);
    const std::string carriedText = w.items().text(carried);
    QTest::mousePress(w.viewport(), Qt::LeftButton, {}, {20, height / 2 + (band == "middle" ? rowHeight : 0)});
    QTest::mouseMove(w.viewport(), {20, y});
    QCOMPARE(w.items().text(target), carriedText);
    QCOMPARE(bar->value() - first, scrolled);
    if (scrolled) {
        const QRect neighbour = w.list().visualRect(w.list().entries().index(target - 1 + scrolled, 0));
        QVERIFY(w.viewport()->rect().contains(neighbour));
    }
    QTest::mouseRelease(w.viewport(), Qt::LeftButton, {}, {20, y});
}

void TestFileList::gestureShowsTheDragPointer_data()
{
    QTest::addColumn<QByteArray>("dragIcon");
    QTest::addColumn<int>("pointerWhileCarrying");
    QTest::newRow("drag.ico beside the program") << WindowRig::resource("drag.ico") << 99;
    QTest::newRow("no drag.ico") << QByteArray() << 0;
    QTest::newRow("drag.ico no picture") << QByteArray("not a picture") << 0;
}

void TestFileList::gestureShowsTheDragPointer()
{
    QFETCH(QByteArray, dragIcon);
    QFETCH(int, pointerWhileCarrying);
    ListWindow w(dragIcon);
    w.fill(QStringList{"1", "2"});
    QTest::mousePress(w.viewport(), Qt::LeftButton, {}, w.at(1));
    QCOMPARE(w.list().listPointer(), pointerWhileCarrying);
    QCOMPARE(w.viewport()->cursor().shape(), pointerWhileCarrying == 99 ? Qt::BitmapCursor : Qt::ArrowCursor);
    QVERIFY(!w.list().dragEnabled());
    QTest::mouseMove(w.viewport(), w.at(2));
    QCOMPARE(w.entries(), (QStringList{"2", "1"}));
    QTest::mouseRelease(w.viewport(), Qt::LeftButton, {}, w.at(2));
    QCOMPARE(w.list().listPointer(), 1);
    QCOMPARE(w.viewport()->cursor().shape(), Qt::ArrowCursor);
}

void TestFileList::movingOverTheListResetsTheWindowPointer()
{
    ListWindow w;
    w.fill(QStringList{"1", "2"});
    w.form->setMousePointer(MousePointer::Custom);
    w.moveWithoutButton(w.at(1));
    QCOMPARE(w.form->mousePointer(), MousePointer::Default);
    // The hourglass stays, and the gesture still works under it.
    w.form->setMousePointer(MousePointer::Hourglass);
    QTest::mousePress(w.viewport(), Qt::LeftButton, {}, w.at(1));
    QTest::mouseMove(w.viewport(), w.at(2));
    QTest::mouseRelease(w.viewport(), Qt::LeftButton, {}, w.at(2));
    QCOMPARE(w.form->mousePointer(), MousePointer::Hourglass);
    QCOMPARE(w.entries(), (QStringList{"2", "1"}));
}

void TestFileList::outcomesGoWithTheirEntries()
{
    ListWindow w;
    w.fill(QStringList{"/d/a.vsd", "/d/b.vsd", "/d/c.vsd"});
    RunOutcomes& outcomes = w.form->runOutcomes();
    outcomes.runStarted(3);
    outcomes.fileStarted(2, "/d/b.vsd");
    outcomes.fileFailed(2, 120, "File not found: /d/b.vsd");
    const QString failed = QStringLiteral("Not printed: line 120: File not found: /d/b.vsd");
    const auto tooltips = [&w] {
        QStringList texts;
        for (int row = 0; row < w.items().count(); ++row)
            texts << w.list().entries().index(row, 0).data(Qt::ToolTipRole).toString();
        return texts;
    };
    QCOMPARE(tooltips(), (QStringList{"", failed, ""}));
    QVERIFY(!w.list().entries().index(1, 0).data(Qt::DecorationRole).value<QIcon>().isNull());

    // The buttons move the entry and its outcome together.
    w.items().select(2);
    const struct {
        MainWindow::Button button;
        QStringList entries;
        QStringList tooltips;
    } moves[] = {
        {MainWindow::Button::MoveUp, {"/d/b.vsd", "/d/a.vsd", "/d/c.vsd"}, {failed, "", ""}},
        {MainWindow::Button::MoveDown, {"/d/a.vsd", "/d/b.vsd", "/d/c.vsd"}, {"", failed, ""}},
        {MainWindow::Button::MoveDown, {"/d/a.vsd", "/d/c.vsd", "/d/b.vsd"}, {"", "", failed}},
    };
    for (const auto& move : moves) {
        QTest::mouseClick(&w.form->button(move.button), Qt::LeftButton);
        QCOMPARE(w.entries(), move.entries);
        QCOMPARE(tooltips(), move.tooltips);
    }

    // Carrying an entry takes its outcome along.
    QTest::mousePress(w.viewport(), Qt::LeftButton, {}, w.at(3));
    QTest::mouseMove(w.viewport(), w.at(2));
    QTest::mouseRelease(w.viewport(), Qt::LeftButton, {}, w.at(2));
    QCOMPARE(tooltips(), (QStringList{"", failed, ""}));
    // The menu ends the carrying a right press began.
    QTest::mousePress(w.viewport(), Qt::RightButton, {}, w.at(2));
    emit w.list().customContextMenuRequested(w.at(2));
    for (QMenu* popup : w.list().findChildren<QMenu*>())
        popup->close();
    w.moveWithoutButton(w.at(3));
    QCOMPARE(w.entries(), (QStringList{"/d/a.vsd", "/d/b.vsd", "/d/c.vsd"}));

    // The context menu copies the outcome of the entry under the pointer.
    OutcomeMenu menu(w.list(), outcomes, w.shell);
    const std::unique_ptr<QMenu> popup(menu.menuAt(w.at(2)));
    const QList<QAction*> actions = popup->actions();
    QCOMPARE(actions.size(), 3);
    QCOMPARE(actions[0]->text(), QString(OutcomeMenu::OpenRecordText));
    QVERIFY(!actions[0]->isEnabled());  // no run has written a record
    QVERIFY(!actions[2]->isEnabled());  // nor one to add from
    actions[1]->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), failed);

    // What did not print in the newest record is added, in its order.
    const TempTree tree;
    const QDir runs(QString::fromStdString(tree.root()));
    for (const auto& [name, rows] : {std::pair{"2026-12-01_080000.csv", "failed,/d/old.vsd\n"},
                                     std::pair{"2026-12-02_080000.csv", "sent,/d/a.vsd\nstopped,/d/b.vsd\n"
                                                                        "printed,/d/c.vsd\nnot reached,/d/d.vsd\n"}}) {
        QFile record(runs.filePath(QString::fromLatin1(name)));
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write(QByteArray("outcome,file\n") + rows);
    }
    std::vector<std::string> added;
    OutcomeMenu adding(w.list(), outcomes, w.shell, runs.path().toStdString(),
                       [&](const std::vector<std::string>& paths) { added = paths; });
    const std::unique_ptr<QMenu> offering(adding.menuAt(w.at(2)));
    QCOMPARE(offering->actions()[2]->text(), QString(OutcomeMenu::AddUnprintedText));
    offering->actions()[2]->trigger();
    QCOMPARE(added, (std::vector<std::string>{"/d/b.vsd", "/d/d.vsd"}));
    // What becomes of the file later still finds its entry after the moves.
    outcomes.fileSent(2, {"Plotter_A", {}});
    QCOMPARE(tooltips(), (QStringList{"", "Sent to Plotter_A", ""}));

    // A new run starts its entries afresh; Clear List drops every outcome.
    outcomes.runStarted(3);
    QCOMPARE(tooltips(), (QStringList{"", "", ""}));
    outcomes.fileStarted(1, "/d/a.vsd");
    QCOMPARE(tooltips(), (QStringList{"Printing now", "", ""}));
    QTest::mouseClick(&w.form->button(MainWindow::Button::ClearList), Qt::LeftButton);
    QCOMPARE(w.items().count(), 0);
    w.items().add("/d/a.vsd");
    QCOMPARE(tooltips(), QStringList{""});

    // A record that cannot be written is told once, and the outcomes still show.
    std::vector<std::string> told;
    RunOutcomes unrecorded(
        w.list().entries(), [&](const std::string& text) { told.push_back(text); }, w.lifetime, "/dev/null/runs",
        nullptr, w.events, [] { return 0; });
    unrecorded.runStarted(2);
    for (int position : {1, 2}) {
        unrecorded.fileStarted(position, "/d/a.vsd");
        unrecorded.fileFailed(position, 120, "File not found: /d/a.vsd");
    }
    QCOMPARE(told.size(), std::size_t(1));
    QVERIFY(QString::fromStdString(told.front()).startsWith("The record of this run cannot be written: "));
    QCOMPARE(tooltips(), QStringList{"Not printed: line 120: File not found: /d/a.vsd"});
}

QTEST_MAIN(TestFileList)
#include "test_file_list.moc"
