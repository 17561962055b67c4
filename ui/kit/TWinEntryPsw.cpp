#include "TWinEntryPsw.h"

#include "TDialogService.h"
#include "TFonts.h"
#include "TPassword.h"
#include "TQCContext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TWinEntryPsw::TWinEntryPsw(TQCContext& context, TDialogService&, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("TWinEntryPsw"));
    setWindowTitle(QStringLiteral("QC : enter password"));
    setFont(WindowFont());

    LblPassword = new QLabel(QStringLiteral("&Password : "), this);
    Password = new QLineEdit(this);
    Password->setObjectName(QStringLiteral("Password"));
    MaskWithStars(*Password);
    LblPassword->setBuddy(Password);

    BtOK = new QPushButton(QStringLiteral("OK"), this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto* field = new QHBoxLayout;
    field->addWidget(LblPassword);
    field->addWidget(Password);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtOK);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(buttons);

    connect(BtOK, &QPushButton::clicked, this, &TWinEntryPsw::BtOKClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TWinEntryPsw::MaskWithStars(QLineEdit& edit)
{
    edit.setEchoMode(QLineEdit::Password);
    edit.setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

bool TWinEntryPsw::AskPassword(TQCContext& context, TDialogService& dialogs, QWidget* parent)
{
    if (!PasswordIsSet(context.Config))
        return true;
    TWinEntryPsw window(context, dialogs, parent);
    return dialogs.Exec(window) == QDialog::Accepted;
}

void TWinEntryPsw::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinEntryPsw::FormActivate()
{
    Password->clear();
    Password->setFocus();
}

void TWinEntryPsw::BtOKClick()
{
    if (PasswordMatches(m_context.Config, Password->text())) {
        accept();
        return;
    }
    Password->clear();
    Password->setFocus();
}
