#pragma once

#include <QCursor>
#include <QPersistentModelIndex>
#include <QTableView>
#include <optional>

#include "filelist/ListItems.h"
#include "filelist/qt/FileListModel.h"

// ListView1: the file list as a single-column report view. It offers the list
// operations every command works through, with 1-based positions, and reports
// the list's mouse and key events to whoever handles them. The view does no
// item dragging and no drag-selecting of its own: pressing and moving belongs to
// the reorder gesture. It is a table view with fixed row heights, which lays out
// no row by row, so that moving or removing one of 100,000 entries stays cheap.
class FileListView final : public QTableView, public ListItems {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent = nullptr);

    FileListModel& model() { return m_model; }
    const FileListModel& model() const { return m_model; }

    // The column headers.
    QHeaderView* header() const { return horizontalHeader(); }
    // ColumnHeaders.Add and the column's width in pixels.
    void addColumn(const QString& header);
    void setColumnWidth(int pixels);

    int count() const override;
    std::string text(int position) const override;
    void setText(int position, const std::string& text) override;
    void add(const std::string& text) override;
    void insert(int position, const std::string& text) override;
    // The copy carries the entry's outcome along.
    void insertCopy(int position, int from) override;
    // Two entries change places, each with its outcome.
    void swapEntries(int first, int second);
    void remove(int position) override;
    void clear() override;
    int selectedIndex() const override;
    void select(int position) override;
    void ensureVisible(int position) override;
    void setFocus() override;

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
    void check(int position, int last) const;

    FileListModel m_model;
    int m_listPointer = 0;
    std::optional<QCursor> m_mouseIcon;
};
