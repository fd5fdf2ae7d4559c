#pragma once

#include <QObject>
#include <string>

#include "filelist/AddFilesCommand.h"
#include "filelist/EditCommands.h"
#include "filelist/qt/ReorderGesture.h"
#include "platform/PathStyle.h"

class Dialogs;
class FileListView;
class Lifetime;
class QAbstractButton;
class WindowPointer;

// The window's buttons that edit the list or add to it.
struct FileListButtons {
    QAbstractButton* addFiles;   // PushButton1, "Add Visio File(s)"
    QAbstractButton* clearList;  // PushButton3, "Clear List"
    QAbstractButton* moveUp;     // PushButton5, "Move Up"
    QAbstractButton* moveDown;   // PushButton6, "Move Down"
};

// Connects the list's events and the window's list buttons to their commands:
// adding files by the dialog, the editing commands and the reorder gesture.
class FileListCommands final : public QObject {
    Q_OBJECT
public:
    // dragIcon: the pointer image shown over the list while an entry is carried.
    FileListCommands(FileListView& list, WindowPointer& window, Dialogs& dialogs, const Lifetime& lifetime,
                     PathStyle pathStyle, const std::string& dragIcon, const FileListButtons& buttons,
                     QObject* parent = nullptr);

    ReorderGesture& gesture() { return m_gesture; }

private:
    void connectList(FileListView& list);
    void connectButtons(const FileListButtons& buttons);

    EditCommands m_edit;
    AddFilesCommand m_addFiles;
    ReorderGesture m_gesture;
};
