#pragma once

#include <string>
#include <vector>

#include "fakes/CallRecord.h"
#include "filelist/ListItems.h"

// The file list as a plain vector, for the routines that only append, read and
// edit entries. Its calls read "add C:\a.vsd", "insert 2 C:\a.vsd", "remove 2",
// "select 2", "setFocus" and so on; `calls` logs them and fails chosen ones.
class FakeListItems final : public ListItems {
public:
    int count() const override { return static_cast<int>(entries.size()); }
    std::string text(int position) const override;
    void setText(int position, const std::string& text) override;
    void add(const std::string& text) override;
    void insert(int position, const std::string& text) override;
    void remove(int position) override;
    void clear() override;
    int selectedIndex() const override { return selected; }
    void select(int position) override;
    void ensureVisible(int position) override;
    void setFocus() override;

    std::vector<std::string> entries;
    int selected = 0;
    int lastVisible = 0;
    int focusCalls = 0;
    CallRecord calls;

private:
    void check(int position, int last) const;
};
