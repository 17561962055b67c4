#pragma once
#include <QListWidget>
#include <QPixmap>
#include <functional>

class QDrag;

// A list whose lines the user drags with the mouse. The drag carries the row
// under MimeType and, when they are set, the program's cursors over a place
// that takes it and one that does not. With OnDrop set the list takes drops
// of its own lines: OnDrop gets the row dropped on, or the last row when the
// drop falls below the lines.
class TDragList : public QListWidget {
public:
    static constexpr const char* MimeType = "application/x-vantorel-row";

    explicit TDragList(QWidget* parent = nullptr);

    void SetDragCursors(const QPixmap& drag, const QPixmap& noDrop);
    std::function<void(int row)> OnDrop;

    // The drag of the current line, as a press-and-move starts it (null without a current line).
    QDrag* MakeDrag();

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPixmap m_dragCursor;
    QPixmap m_noDropCursor;
};
