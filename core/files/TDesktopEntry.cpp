#include "TDesktopEntry.h"

#include "TAtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

namespace {

// One argument of an Exec line: quoted, with the characters the quoting
// reserves escaped, then the string value's own escape of the backslash.
QString ExecArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted.replace('\\', QStringLiteral("\\\\"));
    quoted.replace('%', QStringLiteral("%%"));
    return '"' + quoted + '"';
}

// A plain string value: backslashes and line breaks escaped.
QString Value(const QString& text)
{
    QString value = text;
    value.replace('\\', QStringLiteral("\\\\"));
    value.replace('\n', QStringLiteral("\\n"));
    value.replace('\r', QStringLiteral("\\r"));
    value.replace('\t', QStringLiteral("\\t"));
    return value;
}

} // namespace

QString DesktopEntryText(const QString& name, const QString& target)
{
    const QFileInfo info(target);
    const bool program = info.isFile() && info.isExecutable();
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.4\n");
    text += QStringLiteral("Name=") + Value(name) + '\n';
    if (program) {
        text += QStringLiteral("Exec=") + ExecArgument(info.absoluteFilePath()) + '\n';
        text += QStringLiteral("Icon=vantorel\nCategories=Science;MedicalSoftware;\n");
    } else {
        text += QStringLiteral("Exec=xdg-open ") + ExecArgument(info.absoluteFilePath()) + '\n';
        text += QStringLiteral("Icon=text-html\nCategories=Science;MedicalSoftware;Documentation;\n");
    }
    text += QStringLiteral("Path=") + Value(info.absolutePath()) + '\n';
    text += QStringLiteral("Terminal=false\n");
    return text;
}

bool CreateShortcut(const QString& target, const QString& shortcutFile, QString* error)
{
    const QByteArray text = DesktopEntryText(QFileInfo(shortcutFile).completeBaseName(), target).toUtf8();
    if (!WriteFileAtomically(
            shortcutFile, [&](QIODevice& device) { return device.write(text) == text.size(); }, error))
        return false;
    QFile::setPermissions(shortcutFile,
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::ExeOther);
    return true;
}

bool CreateDesktopShortcut(const QString& programFile, const QString& desktopFolder, QString* error)
{
    // A desktop without icons may never have made its folder: it is made as the
    // applications folder is, rather than costing the menu entries that follow.
    if (desktopFolder.isEmpty() || !QDir().mkpath(desktopFolder)) {
        if (error)
            *error = QStringLiteral("No desktop folder: %1").arg(desktopFolder);
        return false;
    }
    return CreateShortcut(programFile, QDir(desktopFolder).filePath(QStringLiteral("Vantorel.desktop")), error);
}

bool CreateStartMenuEntries(
    const QString& programFile, const QString& documentFolder, const QString& programsFolder, QString* error)
{
    if (programsFolder.isEmpty()) {
        if (error)
            *error = QStringLiteral("No applications folder");
        return false;
    }
    const QString group = QDir(programsFolder).filePath(QStringLiteral("Laboratory QC"));
    if (!QDir().mkpath(group)) {
        if (error)
            *error = QStringLiteral("Cannot make the folder %1").arg(group);
        return false;
    }
    const QDir docs(documentFolder);
    const QDir menu(group);
    return CreateShortcut(programFile, menu.filePath(QStringLiteral("Programme Vantorel.desktop")), error)
        && CreateShortcut(docs.filePath(QStringLiteral("UserManual.htm")),
            menu.filePath(QStringLiteral("User manual.desktop")), error)
        && CreateShortcut(
            docs.filePath(QStringLiteral("ReadMe.Txt")), menu.filePath(QStringLiteral("Read me.desktop")), error);
}
