#include "TWinLogoCQ.h"

#include "TColors.h"
#include "TControls.h"
#include "TFonts.h"
#include "TPictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TWinLogoCQ::TWinLogoCQ(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TWinLogoCQ"));
    setFixedSize(FormWidth, FormHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    QFont title = WindowFont();
    title.setPointSize(24);
    title.setBold(true);
    MakePanel(this, QRect(20, 20, 387, 70), Colors::Navy, Qt::yellow, QStringLiteral("Vantorel"), TPanelFrame::Flat)
        ->setFont(title);

    auto* picture = new QLabel(this);
    picture->setPixmap(SplashPicture().scaled(240, 160));
    picture->setGeometry(93, 110, 240, 160);

    QFont credit = WindowFont();
    credit.setPointSize(9);
    MakePanel(this, QRect(20, 290, 387, 30), Colors::Navy, Qt::white,
        QStringLiteral("Internal quality control of the laboratory"), TPanelFrame::Flat)
        ->setFont(credit);
    MakePanel(this, QRect(20, 330, 387, 30), Colors::Navy, Qt::white, QStringLiteral("Version 3.21"), TPanelFrame::Flat)
        ->setFont(credit);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}
