#include "app/qt/RunList.h"

#include "base/Failure.h"
#include "filelist/qt/FileListModel.h"

void RunList::check(int position, int last) const
{
    if (position < 1 || position > last)
        throw Failure("Index out of bounds");
}

int RunList::count() const
{
    return m_entries.count();
}

std::string RunList::text(int position) const
{
    check(position, count());
    return m_entries.entry(position - 1);
}

void RunList::setText(int position, const std::string& text)
{
    check(position, count());
    m_entries.setEntry(position - 1, text);
}

void RunList::add(const std::string& text)
{
    m_entries.insertEntry(count(), text);
}

void RunList::insert(int position, const std::string& text)
{
    check(position, count() + 1);
    m_entries.insertEntry(position - 1, text);
}

void RunList::remove(int position)
{
    check(position, count());
    m_entries.removeEntry(position - 1);
}

void RunList::clear()
{
    m_entries.clearEntries();
}
