#pragma once
#include <QWidget>
#include <functional>

class QPainter;

// A paint box: a bare widget whose owner paints it and hears its mouse.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // Called from paintEvent with a painter on the box and the region to redraw;
    // without it nothing is painted.
    std::function<void(QPainter&, const QRect&)> OnPaint;
    // When the last press on the box came (the event's timestamp).
    ulong LastPressAt() const { return m_lastPressAt; }

signals:
    void MouseDown(QMouseEvent* event);
    void MouseMove(QMouseEvent* event);
    void DblClick(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ulong m_lastPressAt = 0;
};
