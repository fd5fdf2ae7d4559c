#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <memory>
#include <string>
#include <vector>

// What became of an entry's file in the last run that reached it: a tag that
// names that file of that run (0: none), the icon shown at the start of the
// entry, and the sentence of its tooltip.
struct EntryOutcome {
    quint64 tag = 0;
    QIcon icon;
    QString text;
};

// The entries of the file list: one text each, the full path of one file, in
// print order, and each entry's outcome, which goes where the entry goes.
// Columns are added by the window at start-up (one, in practice).
class FileListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // The tag of an entry's outcome (quint64, 0 where it has none).
    static constexpr int OutcomeTagRole = Qt::UserRole + 1;

    // The roles an entry's outcome shows in.
    static inline const QList<int> OutcomeRoles{Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole,
                                                OutcomeTagRole};

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
    void insertEntry(int row, const std::string& text, EntryOutcome outcome = {});
    void removeEntry(int row);
    void clearEntries();

    const EntryOutcome& outcome(int row) const;
    void setOutcome(int row, EntryOutcome outcome);
    void swapEntries(int first, int second);
    // The row whose outcome carries the tag; -1 when none does.
    int rowOfOutcome(quint64 tag) const;
    void clearOutcomes();

private:
    std::vector<std::string> m_entries;
    // Most entries have none: a null pointer keeps the list's moves cheap.
    std::vector<std::unique_ptr<EntryOutcome>> m_outcomes;
    std::vector<QString> m_headers;
};
