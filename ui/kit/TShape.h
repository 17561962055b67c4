#pragma once
#include <QColor>
#include <QWidget>

// A small filled shape, the blinking lights of the backup and queue buttons.
class TShape : public QWidget {
    Q_OBJECT
public:
    enum TKind { Rectangle, Circle };
    TShape(TKind kind, QWidget* parent = nullptr);

    QColor BrushColor() const { return m_colour; }
    void SetBrushColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TKind m_kind;
    QColor m_colour { 0, 255, 0 };
};
