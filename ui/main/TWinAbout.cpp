#include "TWinAbout.h"
#include "TColors.h"

#include "TFonts.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The rights holder's name, kept scrambled so that it does not read plainly in
// the executable: each byte is the character exclusive-or its position and 0x5A.
const unsigned char RightsTable[16]
    = { 0x0C, 0x3A, 0x36, 0x2D, 0x31, 0x2D, 0x39, 0x31, 0x72, 0x1F, 0x31, 0x33, 0x76, 0x1B, 0x20, 0x31 };

} // namespace

QString TWinAbout::RightsHolder()
{
    QString name;
    for (int i = 0; i < 16; ++i)
        name += QChar(char(RightsTable[i] ^ 0x5A ^ i));
    return name;
}

TWinAbout::TWinAbout(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TWinAbout"));
    setWindowTitle(QStringLiteral("About Vantorel"));
    setFont(WindowFont());
    setFixedSize(360, 300);

    LblName = new QLabel(QStringLiteral("Vantorel"), this);
    QFont nameFont = font();
    nameFont.setPointSize(20);
    nameFont.setBold(true);
    LblName->setFont(nameFont);
    LblName->setAlignment(Qt::AlignCenter);
    LblName->setGeometry(10, 10, 340, 36);
    QPalette pal = LblName->palette();
    pal.setColor(QPalette::WindowText, Colors::Navy);
    LblName->setPalette(pal);

    LblVersion = new QLabel(QStringLiteral("Version : stand-alone 3.21"), this);
    LblVersion->setAlignment(Qt::AlignCenter);
    LblVersion->setGeometry(10, 50, 340, 18);

    LblRights = new QLabel(QStringLiteral("Copyright \u00A9 ") + RightsHolder(), this);
    LblRights->setAlignment(Qt::AlignCenter);
    LblRights->setGeometry(10, 70, 340, 18);

    MemoNotice = new QPlainTextEdit(this);
    MemoNotice->setReadOnly(true);
    MemoNotice->setGeometry(10, 96, 340, 130);
    MemoNotice->setPlainText(QStringLiteral(
        "Vantorel keeps the internal quality control of a medical laboratory: it computes the control limits of "
        "each level, judges every run with the Westgard multirules and draws the Levey-Jennings charts.\n\n"
        "The results it shows help the laboratory decide; they do not replace the judgement of the person in "
        "charge of the analyses. Back the data file up regularly."));

    CheckBoxAvertir = new QCheckBox(QStringLiteral("&Do not show this window again"), this);
    CheckBoxAvertir->setGeometry(10, 236, 250, 20);

    BtOK = new QPushButton(QStringLiteral("OK"), this);
    BtOK->setGeometry(140, 264, 80, 26);
    BtOK->setDefault(true);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
}

bool TWinAbout::DoNotShowAgain() const { return CheckBoxAvertir->isChecked(); }

void TWinAbout::ClearDoNotShowAgain() { CheckBoxAvertir->setChecked(false); }
