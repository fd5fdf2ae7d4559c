// Times the file list with 100,000 entries in the real view: appending, moving,
// removing and clearing, each followed by the view's layout and repaint, and
// prints the time of each phase and the peak memory above the empty list.
//
//   build/bin/file_list_bench [entries]

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Lifetime.h"
#include "base/WindowPointer.h"
#include "filelist/EditCommands.h"
#include "filelist/qt/FileListView.h"
#include "platform/Dialogs.h"

namespace {

// Kilobytes of a field of /proc/self/status ("VmRSS", "VmHWM"); 0 where there is none.
long statusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').front().toLong();
    }
    return 0;
}

// Starts a new peak: the high-water mark falls back to what is resident now.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct IdlePointer final : WindowPointer {
    int mousePointer() const override { return MousePointer::Default; }
    void setMousePointer(int) override {}
};

struct NoDialogs final : Dialogs {
    void setApplicationTitle(const std::string&) override {}
    std::string applicationTitle() const override { return {}; }
    MessageAnswer message(const MessageRequest& request) override
    {
        std::fprintf(stderr, "unexpected box: %s\n", request.text.c_str());
        return MessageAnswer::Ok;
    }
    std::string prompt(const std::string&, const std::string&, const std::string&) override { return {}; }
    OpenFilesResult openFiles(const OpenFilesRequest&) override { return {}; }
    std::string browseFolder(const std::string&, const std::string&) override { return {}; }
};

struct Running final : Lifetime {
    void end() override {}
    bool ended() const override { return false; }
    int addCleanup(std::function<void()>) override { return 0; }
    void removeCleanup(int) override {}
};

std::string pathOf(int i)
{
    return "/home/drafting/Drawings/Project " + std::to_string(i / 1000) + "/Floor plan " + std::to_string(i) + ".vsd";
}

class Phase {
public:
    explicit Phase(const char* name) : m_name(name) { m_clock.start(); }
    void end(int operations)
    {
        // The view lays out and paints what changed before the time is read.
        QCoreApplication::processEvents();
        const double ms = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
        std::printf("%-46s %10.1f ms  %9.2f us each\n", m_name, ms, ms * 1000.0 / operations);
    }

private:
    const char* m_name;
    QElapsedTimer m_clock;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int entries = argc > 1 ? std::atoi(argv[1]) : 100000;

    FileListView list;
    list.setGeometry(8, 8, 456, 169);
    list.addColumn(QStringLiteral(" Visio File(s)"));
    list.setFirstColumnWidth(433);
    list.show();
    ListItems& items = list.items();
    IdlePointer pointer;
    NoDialogs dialogs;
    Running lifetime;
    EditCommands edit(items, pointer, dialogs, lifetime);
    QCoreApplication::processEvents();

    const long before = statusKilobytes("VmRSS");
    resetPeak();

    Phase append("append entries");
    for (int i = 0; i < entries; ++i)
        items.add(pathOf(i));
    append.end(entries);
    const long afterAppend = statusKilobytes("VmHWM");

    items.select(entries / 2);
    Phase down("Move Down x 1,000 from the middle");
    for (int i = 0; i < 1000; ++i)
        edit.moveDown();
    down.end(1000);

    Phase up("Move Up x 1,000");
    for (int i = 0; i < 1000; ++i)
        edit.moveUp();
    up.end(1000);

    items.select(entries - 1);
    Phase last("Move Down at the end x 1,000");
    for (int i = 0; i < 1000; ++i)
        (i % 2 ? edit.moveUp() : edit.moveDown());
    last.end(1000);

    Phase swaps("swap two texts x 1,000 (reorder gesture)");
    for (int i = 1; i <= 1000; ++i) {
        const std::string carried = items.text(i);
        items.setText(i, items.text(i + 1));
        items.setText(i + 1, carried);
        items.select(i + 1);
    }
    swaps.end(1000);

    Phase front("remove the first entry x 1,000");
    for (int i = 0; i < 1000; ++i) {
        items.select(1);
        edit.removeSelected();
    }
    front.end(1000);

    Phase middle("remove from the middle x 1,000");
    for (int i = 0; i < 1000; ++i)
        items.remove(items.count() / 2);
    middle.end(1000);

    Phase yielding("append 10,000 with a yield every 100");
    for (int i = 0; i < 10000; ++i) {
        items.add(pathOf(i));
        if (i % 100 == 99)
            QCoreApplication::processEvents();
    }
    yielding.end(10000);

    const int counted = items.count();
    Phase clear("Clear List");
    edit.clearList();
    clear.end(counted);

    const long peak = statusKilobytes("VmHWM");
    std::printf("entries appended: %d; list after the phases: %d\n", entries, items.count());
    std::printf("resident before: %ld KB; peak after appending: +%ld KB; peak overall: +%ld KB\n", before,
                afterAppend - before, peak - before);
    return 0;
}
