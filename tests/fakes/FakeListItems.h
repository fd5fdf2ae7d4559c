#pragma once

#include <string>
#include <vector>

#include "filelist/ListItems.h"

// The file list as a plain vector, for the routines that only append, read and
// edit entries.
class FakeListItems final : public ListItems {
public:
    int count() const override { return static_cast<int>(entries.size()); }
    std::string text(int position) const override;
    void setText(int position, const std::string& text) override;
    void add(const std::string& text) override { entries.push_back(text); }
    void insert(int position, const std::string& text) override;
    void remove(int position) override;
    void clear() override
    {
        entries.clear();
        selected = 0;
    }
    int selectedIndex() const override { return selected; }
    void select(int position) override;
    void ensureVisible(int position) override;
    void setFocus() override { ++focusCalls; }

    std::vector<std::string> entries;
    int selected = 0;
    int lastVisible = 0;
    int focusCalls = 0;

private:
    void check(int position, int last) const;
};
