#pragma once

#include "filelist/ListItems.h"

class FileListModel;

// The list of a run without a window: the list operations over entries that
// no view shows. Nothing is selected and nothing takes the focus.
class RunList final : public ListItems {
public:
    explicit RunList(FileListModel& entries) : m_entries(entries) {}

    int count() const override;
    std::string text(int position) const override;
    void setText(int position, const std::string& text) override;
    void add(const std::string& text) override;
    void insert(int position, const std::string& text) override;
    void remove(int position) override;
    void clear() override;
    int selectedIndex() const override { return 0; }
    void select(int) override {}
    void ensureVisible(int) override {}
    void setFocus() override {}

private:
    // Throws "Index out of bounds" unless 1 <= position <= last.
    void check(int position, int last) const;

    FileListModel& m_entries;
};
