#include "TGBLockedParam.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

TGBLockedParam::TGBLockedParam(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("TGBLockedParam"));
    setGeometry(0, 0, 183, 62);

    Lbl1 = new QLabel(this);
    Lbl1->setObjectName(QStringLiteral("Lbl1"));
    Lbl1->move(6, 18);
    Lbl1->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Lbl1->resize(183 - 6 - 4, Lbl1->sizeHint().height());

    BtLock = new QPushButton(QStringLiteral("Locked"), this);
    BtLock->setObjectName(QStringLiteral("BtLock"));
    BtLock->setGeometry(30, 38, 60, 18);

    BtUnLock = new QPushButton(QStringLiteral("Mobile"), this);
    BtUnLock->setObjectName(QStringLiteral("BtUnLock"));
    BtUnLock->setGeometry(100, 38, 60, 18);
    SetTag(0);
}

void TGBLockedParam::SetState(const QString& text)
{
    QFont font = this->font();
    const int room = Lbl1->width();
    for (qreal size = font.pointSizeF(); size > 5.5; size -= 0.5) {
        font.setPointSizeF(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= room)
            break;
    }
    Lbl1->setFont(font);
    Lbl1->setText(text);
    Lbl1->setToolTip(text);
}

void TGBLockedParam::Init(const QString& caption) { setTitle(caption); }

void TGBLockedParam::SetTag(int level)
{
    m_tag = level;
    BtLock->setProperty("Tag", level);
    BtUnLock->setProperty("Tag", level);
}
