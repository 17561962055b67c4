#include "TWinOptions.h"

#include "TControls.h"
#include "TDialogService.h"
#include "TEditInput.h"
#include "TFonts.h"
#include "TQCContext.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>

TWinOptions::TWinOptions(TQCContext& context, TDialogService& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TWinOptions"));
    setWindowTitle(QStringLiteral("Backup / restore options"));
    setFont(WindowFont());
    setFixedSize(400, 170);

    QLabel* lblDelay = MakeLabel(this, 16, 20, QStringLiteral("&Interval between backups"));
    EditDelay = Named(MakeEdit(this, QRect(180, 16, 40, 21)), "EditDelay");
    EditDelay->setMaxLength(3);
    lblDelay->setBuddy(EditDelay);
    MakeLabel(this, 228, 20, QStringLiteral("days"));

    QLabel* lblDrive = MakeLabel(this, 16, 56, QStringLiteral("&Backup / restore Drive"));
    CBDrive = Named(new QComboBox(this), "CBDrive");
    CBDrive->setGeometry(16, 74, 332, 22);
    lblDrive->setBuddy(CBDrive);
    BtBrowse = Named(MakeButton(this, QRect(352, 74, 32, 22), QStringLiteral("...")), "BtBrowse");
    BtBrowse->setToolTip(QStringLiteral("Another folder"));

    BtOK = Named(MakeButton(this, QRect(64, 124, 80, 25), QStringLiteral("OK"), QStringLiteral("ok")), "BtOK");
    BtCancel = Named(
        MakeButton(this, QRect(160, 124, 80, 25), QStringLiteral("Cancel"), QStringLiteral("cancel")), "BtCancel");
    BtUndo = Named(MakeButton(this, QRect(256, 124, 80, 25), QStringLiteral("&Undo")), "BtUndo");
    BtOK->setDefault(true);

    connect(BtOK, &QPushButton::clicked, this, &TWinOptions::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtUndo, &QPushButton::clicked, this, &TWinOptions::BtUndoClick);
    connect(BtBrowse, &QPushButton::clicked, this, &TWinOptions::BtBrowseClick);
}

void TWinOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TWinOptions::FormActivate()
{
    FillTargets(m_context.Config.BackupFolder);
    EditDelay->setText(QString::number(m_context.Config.BackupInterval));
}

void TWinOptions::BtUndoClick()
{
    FormActivate();
    EditDelay->setFocus();
}

void TWinOptions::FillTargets(const QString& folder)
{
    CBDrive->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || volume.isReadOnly())
            continue;
        const QString root = QDir::cleanPath(volume.rootPath());
        const QString name = volume.displayName();
        CBDrive->addItem(name == root || name.isEmpty() ? root : root + QStringLiteral("  (") + name + ')', root);
    }
    if (folder.isEmpty()) {
        CBDrive->setCurrentIndex(-1);
        return;
    }
    const QString clean = QDir::cleanPath(folder);
    int index = CBDrive->findData(clean);
    if (index < 0) {
        CBDrive->addItem(clean, clean);
        index = CBDrive->count() - 1;
    }
    CBDrive->setCurrentIndex(index);
}

void TWinOptions::BtBrowseClick()
{
    const QString start = CBDrive->currentData().toString();
    const QString folder = m_dialogs.ExistingFolder(this, QStringLiteral("Backup / restore folder"), start);
    if (!folder.isEmpty())
        FillTargets(folder);
}

void TWinOptions::BtOKClick()
{
    int interval = 0;
    if (!CheckIntegerEdit(*EditDelay, m_dialogs, 1, 1000, interval))
        return;
    m_context.Config.BackupInterval = interval;
    m_context.Config.BackupFolder = CBDrive->currentData().toString();
    accept();
}
