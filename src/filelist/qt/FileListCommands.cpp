#include "filelist/qt/FileListCommands.h"

#include <QAbstractButton>

#include "filelist/qt/FileListView.h"
#include "platform/Dialogs.h"

namespace {

// The list's own event handlers have no error report: a failure there is
// dropped, and never ends the program.
template <typename Handler> void untrapped(Handler&& handler)
{
    try {
        handler();
    } catch (...) {
    }
}

}  // namespace

FileListCommands::FileListCommands(FileListView& list, WindowPointer& window, Dialogs& dialogs,
                                   const Lifetime& lifetime, PathStyle pathStyle, const std::string& dragIcon,
                                   const FileListButtons& buttons, QObject* parent)
    : QObject(parent)
    , m_edit(list.items(), window, dialogs, lifetime)
    , m_addFiles(list.items(), dialogs, lifetime, pathStyle)
    , m_gesture(list, window, QString::fromStdString(dragIcon))
{
    connectList(list);
    connectButtons(buttons);
}

void FileListCommands::connectList(FileListView& list)
{
    connect(&list, &FileListView::itemClick, this, [this] { untrapped([&] { m_gesture.itemClick(); }); });
    connect(&list, &FileListView::mouseDown, this, [this] { untrapped([&] { m_gesture.buttonDown(); }); });
    connect(&list, &FileListView::mouseMove, this, [this](Qt::MouseButtons, Qt::KeyboardModifiers, QPoint at) {
        untrapped([&] { m_gesture.mouseMove(at); });
    });
    connect(&list, &FileListView::mouseUp, this, [this] { untrapped([&] { m_gesture.buttonUp(); }); });
    connect(&list, &FileListView::doubleClick, this, [this] { untrapped([&] { m_edit.removeSelected(); }); });
    connect(&list, &FileListView::keyDown, this, [this](int keyCode, Qt::KeyboardModifiers shift) {
        const bool controlOnly = (shift & ~Qt::KeypadModifier) == Qt::ControlModifier;
        untrapped([&] { m_edit.keyDown(keyCode, controlOnly); });
    });
}

void FileListCommands::connectButtons(const FileListButtons& buttons)
{
    // The commands trap their own failures.
    connect(buttons.addFiles, &QAbstractButton::clicked, this, [this] { m_addFiles.addFiles(); });
    connect(buttons.clearList, &QAbstractButton::clicked, this, [this] { m_edit.clearList(); });
    connect(buttons.moveUp, &QAbstractButton::clicked, this, [this] { m_edit.moveUp(); });
    connect(buttons.moveDown, &QAbstractButton::clicked, this, [this] { m_edit.moveDown(); });
}
