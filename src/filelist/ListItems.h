#pragma once

#include <string>

// The file list as every command works it: 1-based positions, entries that carry
// only their text. Operations on a position that does not exist throw Failure.
class ListItems {
public:
    virtual ~ListItems() = default;
    virtual int count() const = 0;
    virtual std::string text(int position) const = 0;
    virtual void setText(int position, const std::string& text) = 0;
    // Appends at the end.
    virtual void add(const std::string& text) = 0;
    // Inserts at position (1 to count + 1); later entries move one place down.
    virtual void insert(int position, const std::string& text) = 0;
    // Inserts a copy of the entry at `from` (its text and whatever else the
    // entry carries) at position. A move is a copy and the removal of the
    // entry copied: the copy stands for that entry from then on.
    virtual void insertCopy(int position, int from) { insert(position, text(from)); }
    // Two entries change places, with whatever else they carry.
    virtual void swapEntries(int first, int second)
    {
        const std::string firstText = text(first);
        setText(first, text(second));
        setText(second, firstText);
    }
    virtual void remove(int position) = 0;
    virtual void clear() = 0;
    // Position of the selected entry, 0 when none is selected.
    virtual int selectedIndex() const = 0;
    virtual void select(int position) = 0;
    virtual void ensureVisible(int position) = 0;
    virtual void setFocus() = 0;
};
