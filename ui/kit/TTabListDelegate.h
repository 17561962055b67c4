#pragma once
#include <QList>
#include <QStyledItemDelegate>

// Draws the lines of the program's lists: black text whose TAB-separated fields
// start at fixed tab stops (pixels from the line's left), lines alternately white
// (even rows) and light cyan (odd rows). The selected line is navy with white
// text unless the list keeps its colours under the selection.
class TTabListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static const QColor LightCyan;

    TTabListDelegate(QList<int> tabStops, int lineHeight, QObject* parent = nullptr);

    // The tab stops change with the window's content (the data table's levels).
    void SetTabStops(QList<int> tabStops) { m_tabStops = std::move(tabStops); }
    void SetShowSelection(bool show) { m_showSelection = show; }
    bool ShowsSelection() const { return m_showSelection; }

    // The left edge of each field of text (relative to the line's left) once its
    // TABs are expanded: a field starts at the first tab stop right of the
    // previous field's end.
    QList<int> FieldPositions(const QString& text, const QFontMetrics& metrics) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QList<int> m_tabStops;
    int m_lineHeight;
    bool m_showSelection = true;
};
