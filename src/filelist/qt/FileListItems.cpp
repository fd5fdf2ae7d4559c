#include "filelist/qt/FileListItems.h"

#include <QItemSelectionModel>

#include "base/Failure.h"
#include "filelist/qt/FileListView.h"

void EntryItems::check(int position, int last)
{
    if (position < 1 || position > last)
        throw Failure("Index out of bounds");
}

int EntryItems::count() const
{
    return m_entries.count();
}

std::string EntryItems::text(int position) const
{
    check(position, count());
    return m_entries.entry(position - 1);
}

void EntryItems::setText(int position, const std::string& text)
{
    check(position, count());
    m_entries.setEntry(position - 1, text);
}

void EntryItems::add(const std::string& text)
{
    m_entries.insertEntry(count(), text);
}

void EntryItems::insert(int position, const std::string& text)
{
    check(position, count() + 1);
    m_entries.insertEntry(position - 1, text);
}

void EntryItems::insertCopy(int position, int from)
{
    check(from, count());
    check(position, count() + 1);
    m_entries.insertCopy(position - 1, from - 1);
}

void EntryItems::swapEntries(int first, int second)
{
    check(first, count());
    check(second, count());
    m_entries.swapEntries(first - 1, second - 1);
}

void EntryItems::remove(int position)
{
    check(position, count());
    m_entries.removeEntry(position - 1);
}

void EntryItems::clear()
{
    m_entries.clearEntries();
}

FileListItems::FileListItems(FileListView& view) : EntryItems(view.entries()), m_view(view) {}

int FileListItems::selectedIndex() const
{
    const QModelIndex current = m_view.currentIndex();
    if (!current.isValid() || !m_view.selectionModel()->isRowSelected(current.row(), {}))
        return 0;
    return current.row() + 1;
}

void FileListItems::select(int position)
{
    check(position, count());
    m_view.setCurrentIndex(m_entries.index(position - 1, 0));
}

void FileListItems::ensureVisible(int position)
{
    check(position, count());
    m_view.scrollTo(m_entries.index(position - 1, 0), QAbstractItemView::EnsureVisible);
}

void FileListItems::setFocus()
{
    m_view.setFocus(Qt::OtherFocusReason);
}
