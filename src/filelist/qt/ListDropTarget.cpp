#include "filelist/qt/ListDropTarget.h"

#include <QAbstractItemView>
#include <QDir>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

ListDropTarget::ListDropTarget(QAbstractItemView& list, Intake intake) : QObject(&list), m_intake(std::move(intake))
{
    list.setAcceptDrops(true);
    list.viewport()->setAcceptDrops(true);
    list.viewport()->installEventFilter(this);
}

namespace {

// The dropped file's path as the disk has it. A name that is not UTF-8 (a
// Latin-1 name from an old share) arrives percent-encoded byte by byte; read
// as text its bytes would be lost, so they are taken as they are.
std::string localPath(const QUrl& url)
{
    const QString path = url.toLocalFile();
    if (path.contains(QChar::ReplacementCharacter) && url.host().isEmpty())
        return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
    return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

std::vector<std::string> ListDropTarget::localPaths(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths.push_back(localPath(url));
    }
    return paths;
}

bool ListDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (localPaths(drag->mimeData()).empty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::vector<std::string> paths = localPaths(drop->mimeData());
        if (paths.empty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        // The drop has no report of its own beyond the intake's: nothing that
        // goes wrong in it may end the program.
        try {
            m_intake(paths);
        } catch (...) {
        }
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
