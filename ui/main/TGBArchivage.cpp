#include "TGBArchivage.h"

#include <QPushButton>

TGBArchivage::TGBArchivage(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("TGBArchivage"));
    setGeometry(10, 0, 160, 60);

    BtArchi = new QPushButton(this);
    BtArchi->setObjectName(QStringLiteral("BtArchi"));
    BtArchi->setGeometry(10, 22, 140, 25);
    SetTag(0);
}

void TGBArchivage::Init(const QString& caption) { setTitle(caption); }

void TGBArchivage::SetTag(int level)
{
    m_tag = level;
    BtArchi->setProperty("Tag", level);
}
