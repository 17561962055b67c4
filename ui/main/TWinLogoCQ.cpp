#include "TWinLogoCQ.h"

#include "TFonts.h"
#include "TPictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace {

QLabel* NavyPanel(QWidget* parent, const QRect& geometry, const QString& text, const QFont& font, const QColor& fore)
{
    auto* panel = new QLabel(text, parent);
    panel->setGeometry(geometry);
    panel->setAutoFillBackground(true);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFont(font);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 128));
    pal.setColor(QPalette::WindowText, fore);
    panel->setPalette(pal);
    return panel;
}

} // namespace

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
    NavyPanel(this, QRect(20, 20, 387, 70), QStringLiteral("Vantorel"), title, Qt::yellow);

    auto* picture = new QLabel(this);
    picture->setPixmap(SplashPicture().scaled(240, 160));
    picture->setGeometry(93, 110, 240, 160);

    QFont credit = WindowFont();
    credit.setPointSize(9);
    NavyPanel(
        this, QRect(20, 290, 387, 30), QStringLiteral("Internal quality control of the laboratory"), credit, Qt::white);
    NavyPanel(this, QRect(20, 330, 387, 30), QStringLiteral("Version 3.21"), credit, Qt::white);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}
