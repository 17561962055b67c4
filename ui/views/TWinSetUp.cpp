#include "TWinSetUp.h"
#include "TColors.h"
#include "TViewMessages.h"

#include "TControls.h"
#include "TDesktopEntry.h"
#include "TDialogService.h"
#include "TFonts.h"
#include "TStorage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>

TWinSetUp::TWinSetUp(TDialogService& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TWinSetUp"));
    setWindowTitle(QStringLiteral("Quality control"));
    // No close box: the window ends through its two buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(WindowFont());
    setFixedSize(400, 170);

    ProgramFile = QCoreApplication::applicationFilePath();
    DocumentFolder = QFileInfo(TStorage::FindDocument(QStringLiteral("UserManual.htm"))).absolutePath();
    DesktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    MenuFolders = UserMenuFolders(ProgramFile);

    Panel1 = Named(
        MakePanel(this, QRect(8, 8, 384, 48), Colors::Navy, Qt::yellow, QStringLiteral("Programme setup")), "Panel1");
    QFont heading = Panel1->font();
    heading.setPointSize(14);
    heading.setBold(true);
    Panel1->setFont(heading);
    Image1 = Named(new QLabel(this), "Image1");
    Image1->setPixmap(QPixmap(QStringLiteral(":/icons/vantorel-32.png")));
    Image1->setGeometry(16, 16, 32, 32);

    CBShortCut = Named(
        new QCheckBox(QStringLiteral("Create a shortcut  on the desktop for < Vantorel.exe >."), this), "CBShortCut");
    CBShortCut->setGeometry(16, 70, 370, 20);
    CBStartup = Named(
        new QCheckBox(QStringLiteral("Create an entry < Laboratory QC > in the start menu"), this), "CBStartup");
    CBStartup->setGeometry(16, 96, 370, 20);

    BtOK = Named(MakeButton(this, QRect(110, 132, 80, 26), QStringLiteral("OK"), QStringLiteral("ok")), "BtOK");
    BtOK->setDefault(true);
    BitBtn1 = Named(
        MakeButton(this, QRect(210, 132, 80, 26), QStringLiteral("Cancel"), QStringLiteral("cancel")), "BitBtn1");
    connect(BtOK, &QPushButton::clicked, this, &TWinSetUp::BtOKClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TWinSetUp::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinSetUp::FormActivate()
{
    CBShortCut->setChecked(true);
    CBStartup->setChecked(true);
}

void TWinSetUp::BtOKClick()
{
    bool done = true;
    if (CBShortCut->isChecked())
        done = CreateDesktopShortcut(ProgramFile, DesktopFolder);
    if (done && CBStartup->isChecked())
        done = CreateStartMenuEntries(ProgramFile, DocumentFolder, MenuFolders);
    m_dialogs.Show(done ? ViewMessages::SetupDone : ViewMessages::SetupFailed, this);
    accept();
}
