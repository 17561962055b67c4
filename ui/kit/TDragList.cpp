#include "TDragList.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

TDragList::TDragList(QWidget* parent)
    : QListWidget(parent)
{
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TDragList::SetDragCursors(const QPixmap& drag, const QPixmap& noDrop)
{
    m_dragCursor = drag;
    m_noDropCursor = noDrop;
}

QDrag* TDragList::MakeDrag()
{
    if (currentRow() < 0)
        return nullptr;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(MimeType), QByteArray::number(currentRow()));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    if (!m_dragCursor.isNull()) {
        drag->setDragCursor(m_dragCursor, Qt::CopyAction);
        drag->setDragCursor(m_dragCursor, Qt::MoveAction);
    }
    if (!m_noDropCursor.isNull())
        drag->setDragCursor(m_noDropCursor, Qt::IgnoreAction);
    return drag;
}

void TDragList::startDrag(Qt::DropActions)
{
    // The list itself never removes a dragged line: whoever takes the drop acts.
    if (QDrag* drag = MakeDrag())
        drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

void TDragList::dragEnterEvent(QDragEnterEvent* event)
{
    if (OnDrop && event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDragList::dragMoveEvent(QDragMoveEvent* event)
{
    if (OnDrop && event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDragList::dropEvent(QDropEvent* event)
{
    if (!OnDrop || event->source() != this || count() == 0) {
        event->ignore();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    event->acceptProposedAction();
    OnDrop(index.isValid() ? index.row() : count() - 1);
}
