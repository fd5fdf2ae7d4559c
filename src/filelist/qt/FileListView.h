#pragma once

#include <QCursor>
#include <QPersistentModelIndex>
#include <QTableView>
#include <optional>

#include "filelist/qt/FileListItems.h"
#include "filelist/qt/FileListModel.h"

// ListView1: the file list as a single-column report view. It holds the
// entries, offers the list operations every command works through (items()),
// and reports the list's mouse and key events to whoever handles them. The view does no
// item dragging and no drag-selecting of its own: pressing and moving belongs to
// the reorder gesture. It is a table view with fixed row heights, which lays out
// no row by row, so that moving or removing one of 100,000 entries stays cheap.
class FileListView final : public QTableView {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent = nullptr);

    FileListModel& entries() { return m_model; }
    const FileListModel& entries() const { return m_model; }
    // The list operations, with 1-based positions.
    ListItems& items() { return m_items; }

    // ColumnHeaders.Add, and the first column's width in pixels ("Index out of
    // bounds" while the list has no column).
    void addColumn(const QString& header);
    void setFirstColumnWidth(int pixels);

    // The entry under a point of the list's viewport; 0 over empty space.
    int hitTest(QPoint at) const;
    // A reference that follows its entry as entries are added, moved or removed
    // around it, and becomes empty when the entry itself is removed.
    QPersistentModelIndex entryRef(int position) const;
    // The current position of a referenced entry; 0 when it is gone.
    static int positionOf(const QPersistentModelIndex& ref);
    // The height of the rows, in viewport pixels.
    int entryHeight() const;

    // The pointer shown over the entries: 0 default, 1 arrow, 99 the mouse icon.
    int listPointer() const { return m_listPointer; }
    void setListPointer(int value);
    void setMouseIcon(const QCursor& icon);

signals:
    // The reported events. Mouse positions are in the viewport's coordinates;
    // the key code is the platform-neutral virtual key code (46 for Delete).
    // Shift+F10 and the menu key are no key-down event: they ask for the
    // context menu (customContextMenuRequested).
    void itemClick();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPoint at);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint at);
    void doubleClick();
    void keyDown(int keyCode, Qt::KeyboardModifiers shift);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitRowsToFont();
    void announceOutcome(const QModelIndex& first, const QModelIndex& last, const QList<int>& roles);
    // Where a context menu opened by key stands: the selected entry's middle,
    // or outside every entry when none is selected and in view.
    QPoint menuPoint() const;

    FileListModel m_model;
    FileListItems m_items{*this};
    int m_listPointer = 0;
    std::optional<QCursor> m_mouseIcon;
};
