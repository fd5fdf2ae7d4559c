#include "filelist/qt/ReorderGesture.h"

#include <QPixmap>

#include "base/WindowPointer.h"
#include "filelist/qt/FileListView.h"

ReorderGesture::ReorderGesture(FileListView& list, WindowPointer& window, QString dragIcon)
    : m_list(list), m_window(window), m_dragIcon(std::move(dragIcon))
{
}

int ReorderGesture::dragItem() const
{
    return FileListView::positionOf(m_dragItem);
}

void ReorderGesture::loadDragPointer()
{
    // Loaded once; a missing or unreadable image leaves the list's pointer as it is.
    if (!m_dragIconLoaded) {
        QPixmap picture;
        if (!picture.load(m_dragIcon))
            return;
        m_list.setMouseIcon(QCursor(picture));
        m_dragIconLoaded = true;
    }
    m_list.setListPointer(MousePointer::Custom);
}

void ReorderGesture::itemClick()
{
    loadDragPointer();
    m_list.setDragEnabled(false);
    const int selected = m_list.items().selectedIndex();
    m_dragItem = selected ? m_list.entryRef(selected) : QPersistentModelIndex();
}

void ReorderGesture::buttonDown()
{
    m_dragging = true;
}

void ReorderGesture::mouseMove(QPoint at)
{
    if (!m_window.isBusy())
        m_window.setMousePointer(MousePointer::Default);
    if (!m_dragging)
        return;
    const int target = m_list.hitTest(at);
    const int carried = dragItem();
    if (target == 0 || carried == 0)
        return;
    const std::string carriedText = m_list.items().text(carried);
    const std::string targetText = m_list.items().text(target);
    if (carriedText == targetText)
        return;
    m_list.items().swapEntries(carried, target);
    m_list.items().select(target);
    m_dragItem = m_list.entryRef(target);
    autoScroll(target, at.y());
}

void ReorderGesture::autoScroll(int target, int y)
{
    const int band = m_list.entryHeight();
    if (y < band) {
        if (target >= 2)
            m_list.items().ensureVisible(target - 1);
    } else if (y >= m_list.viewport()->height() - band) {
        if (target + 1 <= m_list.items().count())
            m_list.items().ensureVisible(target + 1);
    }
}

void ReorderGesture::buttonUp()
{
    m_dragging = false;
    m_dragItem = QPersistentModelIndex();
    m_list.setListPointer(MousePointer::Arrow);
}
