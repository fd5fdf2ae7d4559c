#include "filelist/qt/FileListModel.h"

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
    if (role == Qt::DisplayRole)
        return QString::fromStdString(entry(index.row()));
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
    m_entries[static_cast<std::size_t>(row)] = text;
    const QModelIndex changed = index(row, 0);
    emit dataChanged(changed, changed);
}

void FileListModel::insertEntry(int row, const std::string& text)
{
    beginInsertRows({}, row, row);
    m_entries.insert(m_entries.begin() + row, text);
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
