#pragma once

#include <string>

#include "filelist/ListItems.h"

class FileListModel;
class FileListView;

// The list operations over the entries alone: 1-based positions, and "Index
// out of bounds" for a position that does not exist. Nothing is selected and
// nothing takes the focus, as in the list of a run without a window.
class EntryItems : public ListItems {
public:
    explicit EntryItems(FileListModel& entries) : m_entries(entries) {}

    int count() const override;
    std::string text(int position) const override;
    void setText(int position, const std::string& text) override;
    void add(const std::string& text) override;
    void insert(int position, const std::string& text) override;
    // The copy carries the entry's outcome and its id along.
    void insertCopy(int position, int from) override;
    // Two entries change places, each with its outcome.
    void swapEntries(int first, int second) override;
    void remove(int position) override;
    void clear() override;
    int selectedIndex() const override { return 0; }
    void select(int) override {}
    void ensureVisible(int) override {}
    void setFocus() override {}

    // Throws "Index out of bounds" unless 1 <= position <= last.
    static void check(int position, int last);

protected:
    FileListModel& m_entries;
};

// The list operations every command works through, over the list view and its
// entries: the view's selection, scrolling and focus as well.
class FileListItems final : public EntryItems {
public:
    explicit FileListItems(FileListView& view);

    int selectedIndex() const override;
    void select(int position) override;
    void ensureVisible(int position) override;
    void setFocus() override;

private:
    FileListView& m_view;
};
