#pragma once

#include <QTreeView>

#include "filelist/ListItems.h"
#include "filelist/qt/FileListModel.h"

// ListView1: the file list as a single-column report view. It offers the list
// operations every command works through, with 1-based positions.
class FileListView final : public QTreeView, public ListItems {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent = nullptr);

    FileListModel& model() { return m_model; }
    const FileListModel& model() const { return m_model; }

    // ColumnHeaders.Add and the column's width in pixels.
    void addColumn(const QString& header);
    void setColumnWidth(int pixels);

    int count() const override;
    std::string text(int position) const override;
    void setText(int position, const std::string& text) override;
    void add(const std::string& text) override;
    void insert(int position, const std::string& text) override;
    void remove(int position) override;
    void clear() override;
    int selectedIndex() const override;
    void select(int position) override;
    void ensureVisible(int position) override;
    void setFocus() override;

private:
    void check(int position, int last) const;

    FileListModel m_model;
};
