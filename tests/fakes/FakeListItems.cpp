#include "fakes/FakeListItems.h"

#include "base/Failure.h"

void FakeListItems::check(int position, int last) const
{
    if (position < 1 || position > last)
        throw Failure("Index out of bounds");
}

std::string FakeListItems::text(int position) const
{
    check(position, count());
    return entries[position - 1];
}

void FakeListItems::setText(int position, const std::string& text)
{
    check(position, count());
    entries[position - 1] = text;
}

void FakeListItems::insert(int position, const std::string& text)
{
    check(position, count() + 1);
    entries.insert(entries.begin() + (position - 1), text);
    if (selected >= position)
        ++selected;
}

void FakeListItems::remove(int position)
{
    check(position, count());
    entries.erase(entries.begin() + (position - 1));
    if (selected == position)
        selected = 0;
    else if (selected > position)
        --selected;
}

void FakeListItems::select(int position)
{
    check(position, count());
    selected = position;
}

void FakeListItems::ensureVisible(int position)
{
    check(position, count());
    lastVisible = position;
}
