#pragma once
#include <QList>
#include <QPointer>
#include <QToolButton>

class TDialogService;
class TQCContext;

// The key button (`BtCle`) of the windows that change or delete stored data.
// While a password is set the window opens with its protected controls disabled
// and the key shown; the key asks for the password and, when it is right,
// enables the controls and hides itself until the window is shown again. While
// no password is set the key is hidden and the controls are enabled.
class TKeyButton : public QToolButton {
    Q_OBJECT
public:
    TKeyButton(TQCContext& context, TDialogService& dialogs, QWidget* parent = nullptr);

    // The controls the password unlocks.
    void Protect(const QList<QWidget*>& controls);
    // Locks or opens the window by the password state; call it each time the window is shown.
    void Reset();
    // True while the protected controls are kept disabled.
    bool IsLocked() const { return m_locked; }
    // Runs the password window; on the right password unlocks. The key is released in every case.
    void BtCleClick();

signals:
    // The right password was typed (the controls are enabled already).
    void Unlocked();

private:
    void SetLocked(bool locked);

    TQCContext& m_context;
    TDialogService& m_dialogs;
    QList<QPointer<QWidget>> m_controls;
    bool m_locked = false;
};
