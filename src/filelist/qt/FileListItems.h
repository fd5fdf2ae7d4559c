#pragma once

#include <string>

#include "filelist/ListItems.h"

class FileListView;

// The list operations every command works through, over the list view and its
// entries: 1-based positions, and "Index out of bounds" for a position that
// does not exist.
class FileListItems final : public ListItems {
public:
    explicit FileListItems(FileListView& view);

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
    int selectedIndex() const override;
    void select(int position) override;
    void ensureVisible(int position) override;
    void setFocus() override;

private:
    FileListView& m_view;
};
