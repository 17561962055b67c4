#include "TTabListDelegate.h"
#include "TColors.h"

#include <QPainter>

TTabListDelegate::TTabListDelegate(QList<int> tabStops, int lineHeight, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_tabStops(std::move(tabStops))
    , m_lineHeight(lineHeight)
{
}

QList<TTabListDelegate::TColumn> TTabListDelegate::Columns(
    const QString& text, const QFontMetrics& metrics, int lineWidth) const
{
    constexpr int Gap = 3; // pixels kept free before the next stop
    const QStringList fields = text.split(QChar('\t'));
    QList<TColumn> columns;
    int left = 0;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            left = i - 1 < m_tabStops.size() ? m_tabStops[i - 1]
                                             : left + metrics.horizontalAdvance(fields[i - 1] + QChar(' '));
        int right = lineWidth;
        if (i < m_tabStops.size() && i + 1 < fields.size())
            right = m_tabStops[i] - (m_markedStops.contains(m_tabStops[i]) ? MarkRoom : Gap);
        columns.append({ left, std::max(0, right - left) });
    }
    return columns;
}

QStringList TTabListDelegate::ShownFields(const QString& text, const QFontMetrics& metrics, int lineWidth) const
{
    QStringList fields = text.split(QChar('\t'));
    const QList<TColumn> columns = Columns(text, metrics, lineWidth);
    for (int i = 0; i < fields.size(); ++i)
        fields[i] = metrics.elidedText(fields[i], Qt::ElideRight, columns[i].Width);
    return fields;
}

void TTabListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = m_showSelection && (option.state & QStyle::State_Selected);
    const QColor back = selected ? Colors::Navy : (index.row() % 2 == 1 ? Colors::ListCyan : QColor(Qt::white));
    painter->save();
    painter->fillRect(option.rect, back);
    painter->setFont(option.font);
    painter->setPen(selected ? QColor(Qt::white) : QColor(Qt::black));
    const QString text = index.data(Qt::DisplayRole).toString();
    const QList<TColumn> columns = Columns(text, option.fontMetrics, option.rect.width());
    const QStringList fields = ShownFields(text, option.fontMetrics, option.rect.width());
    const int baseline = option.rect.top() + 1 + option.fontMetrics.ascent();
    for (int i = 0; i < fields.size(); ++i)
        painter->drawText(option.rect.left() + columns[i].Left, baseline, fields[i]);
    painter->restore();
}

QSize TTabListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return { QStyledItemDelegate::sizeHint(option, index).width(), m_lineHeight };
}
