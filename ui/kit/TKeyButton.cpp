#include "TKeyButton.h"
#include "TColors.h"

#include "TPassword.h"
#include "TQCContext.h"
#include "TWinEntryPsw.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

namespace {

// A key lying on its side: a ring on the left, the shaft with two teeth.
QPixmap KeyGlyph(const QColor& metal, const QColor& outline)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(metal);
    QPainterPath key;
    key.addEllipse(QRectF(1.5, 5.5, 8, 8));
    key.addRect(QRectF(8.5, 8.5, 10, 2.5));
    key.addRect(QRectF(14.5, 11, 2, 3));
    key.addRect(QRectF(11.5, 11, 2, 2.5));
    key.setFillRule(Qt::WindingFill);
    painter.drawPath(key.simplified());
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(3.5, 7.5, 4, 4));
    return pixmap;
}

} // namespace

TKeyButton::TKeyButton(TQCContext& context, TDialogService& dialogs, QWidget* parent)
    : QToolButton(parent)
    , m_context(context)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("BtCle"));
    setCheckable(true);
    setToolTip(QStringLiteral("Password"));
    // Up, disabled, down and held down: the key's four looks.
    QIcon icon;
    icon.addPixmap(KeyGlyph(Colors::KeyGold, Colors::KeyGoldEdge), QIcon::Normal, QIcon::Off);
    icon.addPixmap(KeyGlyph(Colors::KeyDisabled, Colors::Grey), QIcon::Disabled, QIcon::Off);
    icon.addPixmap(KeyGlyph(Colors::KeyPressed, Colors::KeyPressedEdge), QIcon::Active, QIcon::On);
    icon.addPixmap(KeyGlyph(Colors::KeyPressed, Colors::KeyPressedEdge), QIcon::Normal, QIcon::On);
    setIcon(icon);
    setIconSize(QSize(20, 20));
    connect(this, &QToolButton::clicked, this, &TKeyButton::BtCleClick);
}

void TKeyButton::Protect(const QList<QWidget*>& controls)
{
    for (QWidget* control : controls)
        m_controls.append(control);
    Reset();
}

void TKeyButton::Reset() { SetLocked(PasswordIsSet(m_context.Config)); }

void TKeyButton::SetLocked(bool locked)
{
    m_locked = locked;
    for (const QPointer<QWidget>& control : std::as_const(m_controls))
        if (control)
            control->setEnabled(!locked);
    setVisible(locked);
}

void TKeyButton::BtCleClick()
{
    setChecked(true);
    const bool right = TWinEntryPsw::AskPassword(m_context, m_dialogs, window());
    setChecked(false);
    if (!right)
        return;
    SetLocked(false);
    emit Unlocked();
}
