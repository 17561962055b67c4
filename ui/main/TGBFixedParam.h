#pragma once
#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;
class TDialogService;

// The panel of one level on the Fix sheet: the target value and the deviations
// allowed before the warning and the action limits, typed by the user.
class TGBFixedParam : public QGroupBox {
    Q_OBJECT
public:
    TGBFixedParam(TDialogService& dialogs, QWidget* parent = nullptr);

    // Sets the caption (the level's name) and the unit shown beside the target.
    void Init(const QString& caption, const QString& unit);
    // The level number carried by the buttons (their "Tag" property).
    void SetTag(int level);
    int Tag() const { return m_tag; }

    // Reads and checks the three edits. On success writes the target and the two
    // half-widths and returns true. On a refusal (not a number, a negative
    // deviation, or "Action < Warning") the error box has been shown, nothing is
    // written and false is returned.
    bool GetFields(double& target, double& warning, double& action);

    QLineEdit* EditTarget;
    QLineEdit* EditWarning;
    QLineEdit* EditAction;
    QLabel* LblTarget;
    QLabel* LblWarning;
    QLabel* LblAction;
    QLabel* LblUnite;
    QLabel* LblLimits;
    QPushButton* BtFix;
    QPushButton* BtUnfix;

private:
    TDialogService& m_dialogs;
    int m_tag = 0;
};
