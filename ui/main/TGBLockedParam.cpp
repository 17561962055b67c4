#include "TGBLockedParam.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

TGBLockedParam::TGBLockedParam(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("TGBLockedParam"));

    // Room for two lines: a locked interval's dates do not fit one line at the window's font.
    Lbl1 = new QLabel(this);
    Lbl1->setObjectName(QStringLiteral("Lbl1"));
    Lbl1->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Lbl1->setWordWrap(true);
    Lbl1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Lbl1->setGeometry(6, 17, 183 - 6 - 4, 2 * QFontMetrics(font()).lineSpacing());

    const int buttons = Lbl1->geometry().bottom() + 3;
    BtLock = new QPushButton(QStringLiteral("Locked"), this);
    BtLock->setObjectName(QStringLiteral("BtLock"));
    BtLock->setGeometry(30, buttons, 60, 18);

    BtUnLock = new QPushButton(QStringLiteral("Mobile"), this);
    BtUnLock->setObjectName(QStringLiteral("BtUnLock"));
    BtUnLock->setGeometry(100, buttons, 60, 18);
    setGeometry(0, 0, 183, buttons + 18 + 5);
    SetTag(0);
}

void TGBLockedParam::SetState(const QString& text)
{
    // Too wide for one line, the text goes on with its end date on a second one.
    QString shown = text;
    const qsizetype to = text.lastIndexOf(QLatin1String(" to "));
    if (QFontMetrics(Lbl1->font()).horizontalAdvance(text) > Lbl1->width() && to > 0)
        shown = text.left(to) + QLatin1Char('\n') + text.mid(to + 1);
    Lbl1->setText(shown);
    Lbl1->setToolTip(text);
}

void TGBLockedParam::Init(const QString& caption) { setTitle(caption); }

void TGBLockedParam::SetTag(int level)
{
    m_tag = level;
    BtLock->setProperty("Tag", level);
    BtUnLock->setProperty("Tag", level);
}
