#include "fakes/FakeListItems.h"

#include "base/Failure.h"

void FakeListItems::check(int position, int last) const
{
    if (position < 1 || position > last)
        throw Failure("Index out of bounds");
}

std::string FakeListItems::text(int position) const
{
    calls("text", std::to_string(position));
    check(position, count());
    return entries[position - 1];
}

void FakeListItems::setText(int position, const std::string& text)
{
    calls("setText", std::to_string(position) + " " + text);
    check(position, count());
    entries[position - 1] = text;
}

void FakeListItems::add(const std::string& text)
{
    calls("add", text);
    entries.push_back(text);
}

void FakeListItems::insert(int position, const std::string& text)
{
    calls("insert", std::to_string(position) + " " + text);
    check(position, count() + 1);
    entries.insert(entries.begin() + (position - 1), text);
    if (selected >= position)
        ++selected;
}

void FakeListItems::remove(int position)
{
    calls("remove", std::to_string(position));
    check(position, count());
    entries.erase(entries.begin() + (position - 1));
    if (selected == position)
        selected = 0;
    else if (selected > position)
        --selected;
}

void FakeListItems::clear()
{
    calls("clear");
    entries.clear();
    selected = 0;
}

void FakeListItems::select(int position)
{
    calls("select", std::to_string(position));
    check(position, count());
    selected = position;
}

void FakeListItems::ensureVisible(int position)
{
    calls("ensureVisible", std::to_string(position));
    check(position, count());
    lastVisible = position;
}

void FakeListItems::setFocus()
{
    calls("setFocus");
    ++focusCalls;
}
