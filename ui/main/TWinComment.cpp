#include "TWinComment.h"
#include "TColors.h"

#include "TFonts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TWinComment::TWinComment(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TWinComment"));
    setFont(WindowFont());
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, Colors::Yellow);
    yellow.setColor(QPalette::WindowText, Qt::black);
    setPalette(yellow);
}

void TWinComment::Clear()
{
    m_lines.clear();
    m_largest = 0;
}

void TWinComment::AddCommentLine(const QString& text, const QPixmap& bitmap)
{
    m_lines.append({ text, bitmap });
    int width = fontMetrics().horizontalAdvance(text);
    if (!bitmap.isNull())
        width += PictureSpace;
    m_largest = std::max(m_largest, width);
}

QSize TWinComment::PopupSize() const
{
    // The design's height counts a caption bar of 22 pixels, which the window
    // system adds outside this size: the lines keep 3 pixels above and below.
    return { std::max(m_largest + 14, 110) + 14, LineHeight * int(m_lines.size()) + 6 };
}

void TWinComment::ShowAt(const QString& caption, const QPoint& topLeft)
{
    setWindowTitle(caption);
    resize(PopupSize());
    move(topLeft);
    show();
    raise();
    activateWindow();
    update();
}

void TWinComment::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QColor(Qt::black));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int i = 0; i < m_lines.size(); ++i) {
        const int top = LineHeight * i + 3;
        painter.drawText(QRect(3, top, width() - 6, LineHeight), Qt::AlignLeft | Qt::AlignTop, m_lines[i].Text);
        if (!m_lines[i].Bitmap.isNull())
            painter.drawPixmap(width() - PictureSpace, top, m_lines[i].Bitmap);
    }
}

void TWinComment::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    hide();
}

void TWinComment::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    m_closedByPressAt = event->timestamp();
    hide();
}
