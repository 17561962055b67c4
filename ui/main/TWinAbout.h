#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The About window: the program's name and version, the holder of its rights,
// a notice, and the check box that stops its showing at start-up.
class TWinAbout : public QDialog {
    Q_OBJECT
public:
    explicit TWinAbout(QWidget* parent = nullptr);

    // True when "&Do not show this window again" is ticked.
    bool DoNotShowAgain() const;
    void ClearDoNotShowAgain();

    // The holder of the rights, decoded from the table kept with the program.
    static QString RightsHolder();

    QLabel* LblName;
    QLabel* LblVersion;
    QLabel* LblRights;
    QPlainTextEdit* MemoNotice;
    QCheckBox* CheckBoxAvertir;
    QPushButton* BtOK;
};
