#include "filelist/qt/FileListItems.h"

#include <QItemSelectionModel>

#include "filelist/qt/FileListView.h"

FileListItems::FileListItems(FileListView& view) : m_view(view) {}

int FileListItems::count() const
{
    return m_view.entries().count();
}

std::string FileListItems::text(int position) const
{
    m_view.checkPosition(position, count());
    return m_view.entries().entry(position - 1);
}

void FileListItems::setText(int position, const std::string& text)
{
    m_view.checkPosition(position, count());
    m_view.entries().setEntry(position - 1, text);
}

void FileListItems::add(const std::string& text)
{
    m_view.entries().insertEntry(count(), text);
}

void FileListItems::insert(int position, const std::string& text)
{
    m_view.checkPosition(position, count() + 1);
    m_view.entries().insertEntry(position - 1, text);
}

void FileListItems::insertCopy(int position, int from)
{
    m_view.checkPosition(from, count());
    m_view.checkPosition(position, count() + 1);
    m_view.entries().insertCopy(position - 1, from - 1);
}

void FileListItems::swapEntries(int first, int second)
{
    m_view.checkPosition(first, count());
    m_view.checkPosition(second, count());
    m_view.entries().swapEntries(first - 1, second - 1);
}

void FileListItems::remove(int position)
{
    m_view.checkPosition(position, count());
    m_view.entries().removeEntry(position - 1);
}

void FileListItems::clear()
{
    m_view.entries().clearEntries();
}

int FileListItems::selectedIndex() const
{
    const QModelIndex current = m_view.currentIndex();
    if (!current.isValid() || !m_view.selectionModel()->isRowSelected(current.row(), {}))
        return 0;
    return current.row() + 1;
}

void FileListItems::select(int position)
{
    m_view.checkPosition(position, count());
    m_view.setCurrentIndex(m_view.entries().index(position - 1, 0));
}

void FileListItems::ensureVisible(int position)
{
    m_view.checkPosition(position, count());
    m_view.scrollTo(m_view.entries().index(position - 1, 0), QAbstractItemView::EnsureVisible);
}

void FileListItems::setFocus()
{
    m_view.setFocus(Qt::OtherFocusReason);
}
