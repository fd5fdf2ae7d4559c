#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QAbstractItemView;
class QMimeData;

// Lets the file list take files and folders dragged from the file manager. A
// drag that carries no local file is refused, so the platform shows that no
// drop is possible; a drop hands the local paths, in the order the drag
// source lists them, to the intake.
class ListDropTarget final : public QObject {
    Q_OBJECT
public:
    using Intake = std::function<void(const std::vector<std::string>& paths)>;

    ListDropTarget(QAbstractItemView& list, Intake intake);

    // The local paths a drag carries, in its order, spelled natively; empty
    // when it carries none.
    static std::vector<std::string> localPaths(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Intake m_intake;
};
