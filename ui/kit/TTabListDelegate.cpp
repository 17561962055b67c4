#include "TTabListDelegate.h"

#include <QPainter>

const QColor TTabListDelegate::LightCyan(192, 255, 255);

TTabListDelegate::TTabListDelegate(QList<int> tabStops, int lineHeight, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_tabStops(std::move(tabStops))
    , m_lineHeight(lineHeight)
{
}

QList<int> TTabListDelegate::FieldPositions(const QString& text, const QFontMetrics& metrics) const
{
    QList<int> positions;
    int x = 0;
    const QStringList fields = text.split(QChar('\t'));
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            int next = x + metrics.horizontalAdvance(QChar(' ')); // past the last stop: one blank
            for (int stop : m_tabStops) {
                if (stop > x) {
                    next = stop;
                    break;
                }
            }
            x = next;
        }
        positions.append(x);
        x += metrics.horizontalAdvance(fields[i]);
    }
    return positions;
}

void TTabListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = m_showSelection && (option.state & QStyle::State_Selected);
    const QColor back = selected ? QColor(0, 0, 128) : (index.row() % 2 == 1 ? LightCyan : QColor(Qt::white));
    painter->save();
    painter->fillRect(option.rect, back);
    painter->setFont(option.font);
    painter->setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
    const QString text = index.data(Qt::DisplayRole).toString();
    const QStringList fields = text.split(QChar('\t'));
    const QList<int> positions = FieldPositions(text, option.fontMetrics);
    const int baseline = option.rect.top() + 1 + option.fontMetrics.ascent();
    for (int i = 0; i < fields.size(); ++i)
        painter->drawText(option.rect.left() + positions[i], baseline, fields[i]);
    painter->restore();
}

QSize TTabListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return { QStyledItemDelegate::sizeHint(option, index).width(), m_lineHeight };
}
