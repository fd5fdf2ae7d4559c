#include "filelist/qt/FileListModel.h"

#include <algorithm>

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != 0 || index.row() >= count())
        return {};
    const Entry& shown = at(index.row());
    if (role == Qt::DisplayRole)
        return QString::fromStdString(shown.text);
    if (!shown.outcome)
        return {};
    if (role == Qt::DecorationRole)
        return shown.outcome->icon;
    // The tooltip's sentence is also what a screen reader reads after the path.
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        return shown.outcome->text;
    return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= static_cast<int>(m_headers.size()))
        return {};
    return m_headers[static_cast<std::size_t>(section)];
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

void FileListModel::addColumn(const QString& header)
{
    const int column = static_cast<int>(m_headers.size());
    beginInsertColumns({}, column, column);
    m_headers.push_back(header);
    endInsertColumns();
}

void FileListModel::setEntry(int row, const std::string& text)
{
    at(row).text = text;
    rowChanged(row);
}

void FileListModel::insertEntry(int row, const std::string& text)
{
    beginInsertRows({}, row, row);
    m_entries.insert(m_entries.begin() + row, Entry{text, ++m_lastId, nullptr});
    endInsertRows();
}

void FileListModel::insertCopy(int row, int from)
{
    Entry& copied = at(from);
    Entry copy{copied.text, copied.id, copied.outcome ? std::make_unique<EntryOutcome>(*copied.outcome) : nullptr};
    copied.id = ++m_lastId;
    beginInsertRows({}, row, row);
    m_entries.insert(m_entries.begin() + row, std::move(copy));
    endInsertRows();
}

void FileListModel::removeEntry(int row)
{
    beginRemoveRows({}, row, row);
    m_entries.erase(m_entries.begin() + row);
    endRemoveRows();
}

void FileListModel::clearEntries()
{
    beginResetModel();
    m_entries.clear();
    endResetModel();
}

int FileListModel::rowOf(quint64 id) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
    return found == m_entries.end() ? -1 : static_cast<int>(found - m_entries.begin());
}

const EntryOutcome& FileListModel::outcome(int row) const
{
    static const EntryOutcome none;
    const auto& noted = at(row).outcome;
    return noted ? *noted : none;
}

void FileListModel::setOutcome(int row, EntryOutcome outcome)
{
    at(row).outcome = std::make_unique<EntryOutcome>(std::move(outcome));
    rowChanged(row, OutcomeRoles);
}

void FileListModel::swapEntries(int first, int second)
{
    std::swap(at(first), at(second));
    rowChanged(first);
    rowChanged(second);
}

void FileListModel::clearOutcomes()
{
    for (auto& entry : m_entries)
        entry.outcome.reset();
    if (count() > 0)
        emit dataChanged(index(0, 0), index(count() - 1, 0), OutcomeRoles);
}
