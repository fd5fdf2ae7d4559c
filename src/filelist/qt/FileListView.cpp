#include "filelist/qt/FileListView.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "base/Failure.h"
#include "base/WindowPointer.h"
#include "filelist/qt/KeyCode.h"

FileListView::FileListView(QWidget* parent) : QTableView(parent)
{
    QTableView::setModel(&m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    // A report list: rows without grid or row headers, and Tab leaves the list.
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fitRowsToFont();
    // A widened column scrolls sideways pixel by pixel, not a whole column at once.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Moves without a button are reported too: they give the window its pointer back.
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, &FileListView::announceOutcome);
}

void FileListView::announceOutcome(const QModelIndex& first, const QModelIndex& last, const QList<int>& roles)
{
    // One entry's new outcome is told as a change of its description; a
    // whole list cleared at once is not read out entry by entry.
    if (first != last || !roles.contains(Qt::AccessibleDescriptionRole) || !QAccessible::isActive())
        return;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface* table = list ? list->tableInterface() : nullptr;
    QAccessibleInterface* cell = table ? table->cellAt(first.row(), first.column()) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent changed(cell, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QPoint FileListView::menuPoint() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.isEmpty())
        return {-1, -1};
    const QRect entry = visualRect(selected.front());
    return viewport()->rect().intersects(entry) ? entry.center() : QPoint(-1, -1);
}

void FileListView::fitRowsToFont()
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}

void FileListView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        fitRowsToFont();
    QTableView::changeEvent(event);
}

void FileListView::addColumn(const QString& header)
{
    m_model.addColumn(header);
}

void FileListView::setFirstColumnWidth(int pixels)
{
    if (m_model.columnCount() < 1)
        throw Failure("Index out of bounds");
    horizontalHeader()->resizeSection(0, pixels);
}

int FileListView::hitTest(QPoint at) const
{
    const QModelIndex index = indexAt(at);
    return index.isValid() ? index.row() + 1 : 0;
}

QPersistentModelIndex FileListView::entryRef(int position) const
{
    EntryItems::check(position, m_model.count());
    return QPersistentModelIndex(m_model.index(position - 1, 0));
}

int FileListView::positionOf(const QPersistentModelIndex& ref)
{
    return ref.isValid() ? ref.row() + 1 : 0;
}

int FileListView::entryHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void FileListView::setListPointer(int value)
{
    m_listPointer = value;
    if (value == MousePointer::Arrow)
        viewport()->setCursor(Qt::ArrowCursor);
    else if (value == MousePointer::Custom && m_mouseIcon)
        viewport()->setCursor(*m_mouseIcon);
    else if (value == MousePointer::Custom || value == MousePointer::Default)
        viewport()->unsetCursor();
}

void FileListView::setMouseIcon(const QCursor& icon)
{
    m_mouseIcon = icon;
    if (m_listPointer == MousePointer::Custom)
        viewport()->setCursor(icon);
}

void FileListView::mousePressEvent(QMouseEvent* event)
{
    // The view selects the pressed entry first, so that the item click finds it
    // as the selected item.
    QTableView::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    if (hitTest(at) != 0)
        emit itemClick();
    emit mouseDown(event->button(), event->modifiers(), at);
}

void FileListView::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
    if (event->buttons() == Qt::NoButton)
        QTableView::mouseMoveEvent(event);
    else
        event->accept();
}

void FileListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClick();
}

void FileListView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers shift = event->modifiers() & ~Qt::KeypadModifier;
    // Shift+F10 and the menu key open the context menu at the selected entry.
    if (contextMenuPolicy() == Qt::CustomContextMenu
        && ((key == Qt::Key_F10 && shift == Qt::ShiftModifier) || (key == Qt::Key_Menu && shift == Qt::NoModifier))) {
        event->accept();
        emit customContextMenuRequested(menuPoint());
        return;
    }
    emit keyDown(virtualKeyCode(key), event->modifiers());
    // Ctrl+Up and Ctrl+Down move the selected entry: the view does not move
    // its current entry for them as well.
    if (key == Qt::Key_Delete || (shift == Qt::ControlModifier && (key == Qt::Key_Up || key == Qt::Key_Down)))
        event->accept();
    else
        QTableView::keyPressEvent(event);
}
