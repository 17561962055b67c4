#pragma once
#include <QGroupBox>

class QLabel;
class QPushButton;

// The panel of one level on the Lock sheet: the level's limit state in red and
// the buttons that lock the limits on the selected interval or free them.
class TGBLockedParam : public QGroupBox {
    Q_OBJECT
public:
    explicit TGBLockedParam(QWidget* parent = nullptr);

    // Sets the caption (the level's name).
    void Init(const QString& caption);
    // The level number carried by the buttons (their "Tag" property).
    void SetTag(int level);
    int Tag() const { return m_tag; }
    // Writes the level's limit state in the red label, at the window's font on
    // up to two lines rather than cut; it stays whole in the tooltip too.
    void SetState(const QString& text);

    QLabel* Lbl1;
    QPushButton* BtLock;
    QPushButton* BtUnLock;

private:
    int m_tag = 0;
};
