#include "TScriptedDialogs.h"

#include <QDialog>

int TScriptedDialogs::MessageBox(TMsgType type, const QString& text, int buttons, QWidget*)
{
    Boxes.append({ type, text, buttons });
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    for (int b : { mbOK, mbYes, mbCancel, mbNo })
        if (buttons & b)
            return b;
    return 0;
}

int TScriptedDialogs::Exec(QDialog& dialog)
{
    ExecutedWindows.append(dialog.objectName());
    if (m_execs.isEmpty())
        return QDialog::Rejected;
    return m_execs.takeFirst()(dialog);
}

QString TScriptedDialogs::OpenFileName(QWidget*, const QString&, const QString& folder, const QString& filter)
{
    FileFolders.append(folder);
    FileFilters.append(filter);
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString TScriptedDialogs::SaveFileName(
    QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    return OpenFileName(parent, title, folder, filter);
}

QString TScriptedDialogs::ExistingFolder(QWidget*, const QString&, const QString& folder)
{
    FileFolders.append(folder);
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString TScriptedDialogs::OnlyBoxDifference(TMsgType type, const QString& text, int buttons) const
{
    if (text.isEmpty()
            ? Boxes.isEmpty()
            : Boxes.size() == 1 && Boxes[0].Type == type && Boxes[0].Text == text && Boxes[0].Buttons == buttons)
        return {};
    QString shown
        = QStringLiteral("expected one box (type %1, buttons %2) \"%3\"; shown:").arg(int(type)).arg(buttons).arg(text);
    for (const TBox& box : Boxes)
        shown += QStringLiteral(" (type %1, buttons %2) \"%3\"").arg(int(box.Type)).arg(box.Buttons).arg(box.Text);
    return shown;
}
