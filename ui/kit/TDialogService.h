#pragma once
#include "TFileLog.h"

#include <QString>

class QDialog;
class QWidget;
class TAnalyte;
struct TApplyResult;
struct TCommitResult;

// Kinds of message box.
enum class TMsgType { Error, Warning, Information, Confirmation };

// Buttons of a message box; a box shows exactly the buttons asked for.
enum TMsgButton {
    mbOK = 0x1,
    mbCancel = 0x2,
    mbYes = 0x4,
    mbNo = 0x8,
    mbRetry = 0x10,
};

// One message box as an area's table of messages gives it: kind, text (UTF-8,
// with %1, %2 ... for what the caller fills in) and buttons.
struct TMessage {
    TMsgType Type;
    const char* Text;
    int Buttons;

    // The text with %1, %2 ... replaced by `args` in one pass.
    template <typename... Args> QString Format(const Args&... args) const
    {
        if constexpr (sizeof...(Args) == 0)
            return QString::fromUtf8(Text);
        else
            return QString::fromUtf8(Text).arg(args...);
    }
};

// Every message box, modal window and file chooser of the program goes through
// this service, so that tests can script the answers and record what was asked.
class TDialogService {
public:
    virtual ~TDialogService() = default;
    // Shows a modal box and returns the button pressed (one of TMsgButton).
    virtual int MessageBox(TMsgType type, const QString& text, int buttons, QWidget* parent = nullptr) = 0;
    // Runs a modal window and returns its result code.
    virtual int Exec(QDialog& dialog) = 0;
    // A file to open, or empty when the user cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
        = 0;
    // A file to write, or empty when the user cancelled.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
        = 0;

    // An existing folder, or empty when the user cancelled.
    virtual QString ExistingFolder(QWidget* parent, const QString& caption, const QString& folder) = 0;

    // Shows a message of a table, its %1 ... filled with `args`; returns the button pressed.
    template <typename... Args> int Show(const TMessage& message, QWidget* parent, const Args&... args)
    {
        return MessageBox(message.Type, message.Format(args...), message.Buttons, parent);
    }
    // Shows a message of a table with the system's reason on the next line (none when empty).
    int ShowWithReason(const TMessage& message, QWidget* parent, const QString& reason)
    {
        return MessageBox(message.Type, MessageWithReason(message.Format(), reason), message.Buttons, parent);
    }
    // Shows a question of a table (OK and Cancel); true for OK.
    template <typename... Args> bool Ask(const TMessage& message, QWidget* parent, const Args&... args)
    {
        return Show(message, parent, args...) == mbOK;
    }

    // The guard of a command that needs an analyte: `analyte` itself, or null
    // after the message `missing` was shown.
    TAnalyte* RequireAnalyte(TAnalyte* analyte, const TMessage& missing, QWidget* parent)
    {
        if (!analyte)
            Show(missing, parent);
        return analyte;
    }

    // What a user must learn of a committed change: each file that could not be
    // written (the program's message and the system's reason), and once the
    // audit trail's reason when it could not record the change.
    void ReportCommit(const TCommitResult& result, QWidget* parent);
    // The same for an editor's OK, after the archive files that could not be written.
    void ReportApply(const TApplyResult& result, QWidget* parent);

    // Shorthands for the program's usual boxes.
    void Error(const QString& text, int buttons = mbOK, QWidget* parent = nullptr)
    {
        MessageBox(TMsgType::Error, text, buttons, parent);
    }
    void Information(const QString& text, int buttons = mbOK, QWidget* parent = nullptr)
    {
        MessageBox(TMsgType::Information, text, buttons, parent);
    }
    // A question with OK and Cancel; true for OK.
    bool Confirm(const QString& text, QWidget* parent = nullptr)
    {
        return MessageBox(TMsgType::Confirmation, text, mbOK | mbCancel, parent) == mbOK;
    }
};

// The real boxes and windows.
class TQtDialogService : public TDialogService {
public:
    int MessageBox(TMsgType type, const QString& text, int buttons, QWidget* parent = nullptr) override;
    int Exec(QDialog& dialog) override;
    QString OpenFileName(
        QWidget* parent, const QString& caption, const QString& folder, const QString& filter) override;
    QString SaveFileName(
        QWidget* parent, const QString& caption, const QString& folder, const QString& filter) override;
    QString ExistingFolder(QWidget* parent, const QString& caption, const QString& folder) override;
};

// A message text as shown: a carriage return, or a line feed followed by a
// carriage return, is one line break.
QString MessageBoxText(const QString& text);
