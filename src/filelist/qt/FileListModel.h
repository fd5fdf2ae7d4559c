#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

// The entries of the file list: one text each, the full path of one file, in
// print order. Columns are added by the window at start-up (one, in practice).
class FileListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void addColumn(const QString& header);

    int count() const { return static_cast<int>(m_entries.size()); }
    const std::string& entry(int row) const { return m_entries[static_cast<std::size_t>(row)]; }
    void setEntry(int row, const std::string& text);
    void insertEntry(int row, const std::string& text);
    void removeEntry(int row);
    void clearEntries();

private:
    std::vector<std::string> m_entries;
    std::vector<QString> m_headers;
};
