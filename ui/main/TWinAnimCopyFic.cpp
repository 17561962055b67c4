#include "TWinAnimCopyFic.h"

#include "TFonts.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

TWinAnimCopyFic::TWinAnimCopyFic(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TWinAnimCopyFic"));
    setWindowTitle(QStringLiteral("Vantorel"));
    setFont(WindowFont());
    setFixedSize(360, 100);
    Animate = new QProgressBar(this);
    // No end known in advance: the bar runs to and fro.
    Animate->setRange(0, 0);
    Animate->setTextVisible(false);
    Animate->setGeometry(16, 20, 328, 20);
    LblWarning = new QLabel(this);
    LblWarning->setObjectName(QStringLiteral("LblWarning"));
    LblWarning->setGeometry(16, 56, 328, 32);
    LblWarning->setWordWrap(true);
}

void TWinAnimCopyFic::Start(const QString& warning)
{
    LblWarning->setText(warning);
    show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TWinAnimCopyFic::Stop() { hide(); }
