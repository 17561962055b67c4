#include "TWinNewPsw.h"

#include "TFonts.h"
#include "TPassword.h"
#include "TQCContext.h"
#include "TWinEntryPsw.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TWinNewPsw::TWinNewPsw(TQCContext& context, TDialogService&, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("TWinNewPsw"));
    setWindowTitle(QStringLiteral("Change password"));
    setFont(WindowFont());

    auto* form = new QFormLayout;
    EditOldPsw = MakeEdit("EditOldPsw", LblOldPsw, QStringLiteral("&Old password"));
    EditNewPsw = MakeEdit("EditNewPsw", LblNewPsw, QStringLiteral("&New password"));
    EditConfirm = MakeEdit("EditConfirm", LblConfirm, QStringLiteral("&Confirm password"));
    form->addRow(LblOldPsw, EditOldPsw);
    form->addRow(LblNewPsw, EditNewPsw);
    form->addRow(LblConfirm, EditConfirm);
    LblMaximum = new QLabel(QStringLiteral("( maximum 10 characters)"), this);

    BtOK = new QPushButton(QStringLiteral("OK"), this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    BtCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtOK);
    buttons->addWidget(BtCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(LblMaximum);
    layout->addLayout(buttons);

    connect(BtOK, &QPushButton::clicked, this, &TWinNewPsw::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TWinNewPsw::MakeEdit(const char* name, QLabel*& label, const QString& caption)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(TConfigRecord::PasswordCapacity);
    TWinEntryPsw::MaskWithStars(*edit);
    label = new QLabel(caption, this);
    label->setBuddy(edit);
    return edit;
}

void TWinNewPsw::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinNewPsw::FormActivate()
{
    EditOldPsw->clear();
    EditNewPsw->clear();
    EditConfirm->clear();
    const bool set = PasswordIsSet(m_context.Config);
    EditOldPsw->setVisible(set);
    LblOldPsw->setVisible(set);
    (set ? EditOldPsw : EditNewPsw)->setFocus();
}

void TWinNewPsw::SelectAndFocus(QLineEdit* edit)
{
    edit->selectAll();
    edit->setFocus();
}

void TWinNewPsw::BtOKClick()
{
    // A hidden old-password field counts as empty, which matches "no password".
    const QString old = EditOldPsw->isHidden() ? QString() : EditOldPsw->text();
    switch (ChangePassword(m_context.Config, old, EditNewPsw->text(), EditConfirm->text())) {
    case TPasswordChange::Accepted:
        accept();
        break;
    case TPasswordChange::WrongOld:
        SelectAndFocus(EditOldPsw);
        break;
    case TPasswordChange::Mismatch:
    case TPasswordChange::Unstorable:
        SelectAndFocus(EditNewPsw);
        break;
    }
}
