#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <memory>
#include <string>
#include <vector>

// What became of an entry's file in the last run that reached it: the icon
// shown at the start of the entry, and the sentence of its tooltip.
struct EntryOutcome {
    QIcon icon;
    QString text;
};

// The entries of the file list: one text each, the full path of one file, in
// print order, and each entry's outcome, which goes where the entry goes. Each
// entry has an id of its own (from 1) that stays with it wherever it moves, so
// that what becomes of its file later finds it. Columns are added by the
// window at start-up (one, in practice).
class FileListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // The roles an entry's outcome shows in.
    static inline const QList<int> OutcomeRoles{Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole};

    explicit FileListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void addColumn(const QString& header);

    int count() const { return static_cast<int>(m_entries.size()); }
    const std::string& entry(int row) const { return at(row).text; }
    void setEntry(int row, const std::string& text);
    void insertEntry(int row, const std::string& text);
    // Inserts a copy of the entry at `from`, its outcome with it. A move is a
    // copy and the removal of the entry copied, so the copy takes over the
    // entry's id and the entry copied gets a new one.
    void insertCopy(int row, int from);
    void removeEntry(int row);
    void clearEntries();
    // The id of the entry at the row, 0 where there is no such row.
    quint64 idOf(int row) const { return row >= 0 && row < count() ? at(row).id : 0; }
    // The row of the entry with the id; -1 once it is gone.
    int rowOf(quint64 id) const;

    // The entry's outcome; an empty one where it has none.
    const EntryOutcome& outcome(int row) const;
    void setOutcome(int row, EntryOutcome outcome);
    void swapEntries(int first, int second);
    void clearOutcomes();

private:
    struct Entry {
        std::string text;
        quint64 id = 0;
        // Most entries have none: a null pointer keeps the list's moves cheap.
        std::unique_ptr<EntryOutcome> outcome;
    };
    Entry& at(int row) { return m_entries[static_cast<std::size_t>(row)]; }
    const Entry& at(int row) const { return m_entries[static_cast<std::size_t>(row)]; }
    void rowChanged(int row, const QList<int>& roles = {}) { emit dataChanged(index(row, 0), index(row, 0), roles); }

    std::vector<Entry> m_entries;
    quint64 m_lastId = 0;
    std::vector<QString> m_headers;
};
