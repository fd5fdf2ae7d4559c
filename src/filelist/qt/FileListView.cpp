#include "filelist/qt/FileListView.h"

#include <QHeaderView>

#include "app/Failure.h"

FileListView::FileListView(QWidget* parent) : QTreeView(parent)
{
    QTreeView::setModel(&m_model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
}

void FileListView::addColumn(const QString& header)
{
    m_model.addColumn(header);
}

void FileListView::setColumnWidth(int pixels)
{
    if (m_model.columnCount() < 1)
        throw Failure("Index out of bounds");
    header()->resizeSection(0, pixels);
}

void FileListView::check(int position, int last) const
{
    if (position < 1 || position > last)
        throw Failure("Index out of bounds");
}

int FileListView::count() const
{
    return m_model.count();
}

std::string FileListView::text(int position) const
{
    check(position, count());
    return m_model.entry(position - 1);
}

void FileListView::setText(int position, const std::string& text)
{
    check(position, count());
    m_model.setEntry(position - 1, text);
}

void FileListView::add(const std::string& text)
{
    m_model.insertEntry(count(), text);
}

void FileListView::insert(int position, const std::string& text)
{
    check(position, count() + 1);
    m_model.insertEntry(position - 1, text);
}

void FileListView::remove(int position)
{
    check(position, count());
    m_model.removeEntry(position - 1);
}

void FileListView::clear()
{
    m_model.clearEntries();
}

int FileListView::selectedIndex() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isRowSelected(current.row(), {}))
        return 0;
    return current.row() + 1;
}

void FileListView::select(int position)
{
    check(position, count());
    setCurrentIndex(m_model.index(position - 1, 0));
}

void FileListView::ensureVisible(int position)
{
    check(position, count());
    scrollTo(m_model.index(position - 1, 0));
}

void FileListView::setFocus()
{
    QWidget::setFocus(Qt::OtherFocusReason);
}
