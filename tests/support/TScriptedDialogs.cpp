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

QString TScriptedDialogs::SaveFileName(QWidget*, const QString&, const QString& folder, const QString& filter)
{
    FileFolders.append(folder);
    FileFilters.append(filter);
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}
