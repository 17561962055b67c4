#pragma once
#include <QColor>
#include <QPolygon>
#include <QString>
#include <QWidget>

class QShortcut;

enum TButtonDirection { btnUP = 0, btnRIGHT = 1, btnLEFT = 2, btnDOWN = 3 };

// A push button drawn as a thick arrow filled with a colour of its own, its
// caption written inside. Only the arrow reacts to the mouse: a press inside
// it and the release (anywhere) make one click; a press outside is ignored.
// An "&" in the caption underlines the next character, and Alt + that
// character clicks the button while it is shown and enabled.
class TArrowButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int DefaultWidth = 80;
    static constexpr int DefaultHeight = 45;

    explicit TArrowButton(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    // A new non-empty caption is stored and drawn; an empty one leaves the caption as it is.
    void SetCaption(const QString& caption);
    TButtonDirection Direction() const { return m_direction; }
    void SetDirection(TButtonDirection direction);
    QColor ButtonColor() const { return m_color; }
    void SetButtonColor(const QColor& color);
    // True between a press inside the arrow and its release.
    bool IsPressed() const { return m_pressed; }

    // The seven points of the arrow of a control of the given size.
    static QPolygon ArrowPolygon(TButtonDirection direction, int width, int height);
    // The text drawn before the underlined character, that character, and the
    // text after it: the first "&" that is not the last character marks it.
    struct TCaptionParts {
        QString Before;
        QString Underlined;
        QString After;
    };
    static TCaptionParts SplitCaption(const QString& caption);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void DrawCaption(QPainter& painter);
    void UpdateMnemonic();

    QString m_caption;
    TButtonDirection m_direction = btnRIGHT;
    QColor m_color;
    bool m_pressed = false;
    QShortcut* m_mnemonic = nullptr;
};
