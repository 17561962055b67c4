#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TDialogService;
class TQCContext;

// Asks for the password. Closes with OK only when the right password was typed
// (any mix of upper and lower case, blanks counting); a wrong one empties the
// field and the window stays, without a message.
class TWinEntryPsw : public QDialog {
    Q_OBJECT
public:
    TWinEntryPsw(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    // True when no password is set, or when the window, run through the dialog
    // service, was closed with the right password.
    static bool AskPassword(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    // A password edit showing "*" for every character.
    static void MaskWithStars(QLineEdit& edit);

    void FormActivate();
    void BtOKClick();

    QLabel* LblPassword;
    QLineEdit* Password;
    QPushButton* BtOK;
    QPushButton* BitBtn2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TQCContext& m_context;
};
