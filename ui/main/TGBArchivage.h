#pragma once
#include <QGroupBox>

class QPushButton;

// The panel of one level on the Archi sheet: one button that marks the level
// for erasing and archiving, or unmarks it.
class TGBArchivage : public QGroupBox {
    Q_OBJECT
public:
    explicit TGBArchivage(QWidget* parent = nullptr);

    // Sets the caption (the level's name).
    void Init(const QString& caption);
    // The level number carried by the button (its "Tag" property).
    void SetTag(int level);
    int Tag() const { return m_tag; }

    QPushButton* BtArchi;

private:
    int m_tag = 0;
};
