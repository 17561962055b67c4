#include "TDialogService.h"

#include "TEditResult.h"
#include "TKitMessages.h"
#include "TQCDocument.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

QString MessageBoxText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    return shown;
}

int TQtDialogService::MessageBox(TMsgType type, const QString& text, int buttons, QWidget* parent)
{
    QMessageBox::Icon icon = QMessageBox::Critical;
    switch (type) {
    case TMsgType::Error:
        icon = QMessageBox::Critical;
        break;
    case TMsgType::Warning:
        icon = QMessageBox::Warning;
        break;
    case TMsgType::Information:
        icon = QMessageBox::Information;
        break;
    case TMsgType::Confirmation:
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox box(icon, QApplication::applicationName(), MessageBoxText(text), QMessageBox::NoButton,
        parent ? parent : QApplication::activeWindow());
    struct Pair {
        int mine;
        QMessageBox::StandardButton qt;
    };
    const Pair pairs[] = { { mbYes, QMessageBox::Yes }, { mbNo, QMessageBox::No }, { mbOK, QMessageBox::Ok },
        { mbCancel, QMessageBox::Cancel }, { mbRetry, QMessageBox::Retry } };
    for (const Pair& p : pairs)
        if (buttons & p.mine)
            box.addButton(p.qt);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Pair& p : pairs)
        if (clicked == p.qt)
            return p.mine;
    // Closed with Escape or the title bar: the cancelling answer, else the only button.
    if (buttons & mbCancel)
        return mbCancel;
    if (buttons & mbNo)
        return mbNo;
    return buttons;
}

int TQtDialogService::Exec(QDialog& dialog)
{
    // A window whose owner is not shown yet (the About and set-up windows at
    // start-up) stands in the middle of the screen, not of the hidden owner.
    const QWidget* owner = dialog.parentWidget();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if ((!owner || !owner->isVisible()) && screen) {
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    }
    return dialog.exec();
}

QString TQtDialogService::OpenFileName(
    QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString TQtDialogService::SaveFileName(
    QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    // The program asks its own overwrite question.
    return QFileDialog::getSaveFileName(parent, caption, folder, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString TQtDialogService::ExistingFolder(QWidget* parent, const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

void TDialogService::ReportCommit(const TCommitResult& result, QWidget* parent)
{
    if (!result.Ok())
        Error(result.Text(), mbYes, parent);
    // The trail gives its reason once; it records the changes missed as a gap later.
    if (!result.JournalError.isEmpty())
        Show(KitMessages::JournalFailed, parent, result.JournalError);
}

void TDialogService::ReportApply(const TApplyResult& result, QWidget* parent)
{
    for (const QString& error : result.ArchiveErrors)
        Error(error, mbOK, parent);
    if (!result.Saved)
        Error(result.SaveError, mbYes, parent);
    if (!result.JournalError.isEmpty())
        Show(KitMessages::JournalFailed, parent, result.JournalError);
}
