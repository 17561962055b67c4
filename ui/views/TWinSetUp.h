#pragma once
#include "TDesktopEntry.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class TDialogService;

// Places desktop entries for the program: one on the desktop, and the
// "Laboratory QC" submenu of the user's applications menu with the program, its
// user manual and its read-me. Made for the occasion and destroyed after.
class TWinSetUp : public QDialog {
    Q_OBJECT
public:
    explicit TWinSetUp(TDialogService& dialogs, QWidget* parent = nullptr);

    // Where the entries go and what they open; set from the running program and
    // the user's standard folders, replaced by tests.
    QString ProgramFile; // the running executable
    QString DocumentFolder; // the folder of UserManual.htm and ReadMe.Txt
    QString DesktopFolder;
    TMenuFolders MenuFolders; // the user's applications menu

    void FormActivate();
    // Makes the ticked entries, says "Setup OK" or "Unable to complete setup"
    // (the entries made before a failure stay), and closes with OK.
    void BtOKClick();

    QLabel* Panel1;
    QLabel* Image1;
    QCheckBox* CBShortCut;
    QCheckBox* CBStartup;
    QPushButton* BtOK;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TDialogService& m_dialogs;
};
