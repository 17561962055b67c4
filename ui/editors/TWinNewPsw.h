#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TDialogService;
class TQCContext;

// Sets, changes or removes the password. The old password is asked only while
// one is set; new password and confirmation must agree. Entries are trimmed and
// upper-cased; an empty new password removes the protection. Closes with OK once
// the password is stored; the caller saves the configuration.
class TWinNewPsw : public QDialog {
    Q_OBJECT
public:
    TWinNewPsw(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    void FormActivate();
    void BtOKClick();

    QLabel* LblOldPsw;
    QLabel* LblNewPsw;
    QLabel* LblConfirm;
    QLabel* LblMaximum;
    QLineEdit* EditOldPsw;
    QLineEdit* EditNewPsw;
    QLineEdit* EditConfirm;
    QPushButton* BtOK;
    QPushButton* BtCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* MakeEdit(const char* name, QLabel*& label, const QString& caption);
    static void SelectAndFocus(QLineEdit* edit);

    TQCContext& m_context;
};
