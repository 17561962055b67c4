#pragma once
#include <QList>
#include <QStyledItemDelegate>

// Draws the lines of the program's lists: black text whose TAB-separated fields
// start at fixed tab stops (pixels from the line's left), lines alternately white
// (even rows) and light cyan (odd rows). The selected line is navy with white
// text unless the list keeps its colours under the selection. Each field keeps
// to its column: a text wider than its column is cut there with an ellipsis and
// never moves the fields after it under other heads.
class TTabListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TTabListDelegate(QList<int> tabStops, int lineHeight, QObject* parent = nullptr);

    // The tab stops change with the window's content (the data table's levels).
    void SetTabStops(QList<int> tabStops) { m_tabStops = std::move(tabStops); }
    void SetShowSelection(bool show) { m_showSelection = show; }

    // Room kept free left of a stop for a level's mark, drawn at MarkLeft(stop).
    static constexpr int MarkRoom = 15;
    static int MarkLeft(int stop) { return stop - MarkRoom; }
    // The stops that have a mark left of them: the field before ends short of it.
    void SetMarkedStops(QList<int> stops) { m_markedStops = std::move(stops); }

    // Where a field is drawn and how wide it may be, from the line's left.
    struct TColumn {
        int Left = 0;
        int Width = 0;
        bool operator==(const TColumn&) const = default;
    };
    // The column of each TAB-separated field of `text` on a line `lineWidth`
    // wide: field i starts at stop i - 1 and ends a few pixels before the next
    // stop (or its mark); fields beyond the last stop follow the text before
    // them after one blank, the last field runs to the line's end.
    QList<TColumn> Columns(const QString& text, const QFontMetrics& metrics, int lineWidth) const;
    // The fields of `text` as drawn: each cut with an ellipsis to its column.
    QStringList ShownFields(const QString& text, const QFontMetrics& metrics, int lineWidth) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QList<int> m_tabStops;
    QList<int> m_markedStops;
    int m_lineHeight;
    bool m_showSelection = true;
};
