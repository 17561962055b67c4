#include "TDesktopEntry.h"

#include "TAtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStandardPaths>

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

bool WriteText(const QString& fileName, const QByteArray& text, QString* error)
{
    return WriteFileAtomically(
        fileName, [&](QIODevice& device) { return device.write(text) == text.size(); }, error);
}

} // namespace

QString DesktopEntryText(const QString& name, const QString& target, bool inGroup)
{
    const QFileInfo info(target);
    const bool program = info.isFile() && info.isExecutable();
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nVersion=1.4\n");
    text += QStringLiteral("Name=") + Value(name) + '\n';
    if (program) {
        text += QStringLiteral("Exec=") + ExecArgument(info.absoluteFilePath()) + '\n';
        text += QStringLiteral("Icon=vantorel\n");
    } else {
        text += QStringLiteral("Exec=xdg-open ") + ExecArgument(info.absoluteFilePath()) + '\n';
        const bool web = info.suffix().startsWith(QLatin1String("htm"), Qt::CaseInsensitive);
        text += web ? QStringLiteral("Icon=text-html\n") : QStringLiteral("Icon=text-x-generic\n");
    }
    if (!inGroup)
        text += program ? QStringLiteral("Categories=Science;MedicalSoftware;\n")
                        : QStringLiteral("Categories=Science;MedicalSoftware;Documentation;\n");
    text += QStringLiteral("Path=") + Value(info.absolutePath()) + '\n';
    text += QStringLiteral("Terminal=false\n");
    return text;
}

bool CreateShortcut(const QString& target, const QString& shortcutFile, QString* error, bool inGroup)
{
    const QByteArray text = DesktopEntryText(QFileInfo(shortcutFile).completeBaseName(), target, inGroup).toUtf8();
    if (!WriteText(shortcutFile, text, error))
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

TMenuFolders UserMenuFolders(const QString& programFile)
{
    TMenuFolders folders;
    folders.Programs = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    folders.MergedMenus = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                              .filePath(QStringLiteral("menus/applications-merged"));
    folders.Directories = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                              .filePath(QStringLiteral("desktop-directories"));
    QStringList system = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    system.removeAll(folders.Programs);
    folders.InstalledEntry = InstalledEntryId(programFile, system);
    return folders;
}

QString InstalledEntryId(const QString& programFile, const QStringList& systemFolders)
{
    const QString program = QFileInfo(programFile).canonicalFilePath();
    if (program.isEmpty())
        return {};
    const QString id = QStringLiteral("vantorel.desktop");
    for (const QString& folder : systemFolders) {
        QFile entry(QDir(folder).filePath(id));
        if (!entry.open(QIODevice::ReadOnly))
            continue;
        for (const QString& line : QString::fromUtf8(entry.readAll()).split('\n')) {
            if (!line.startsWith(QLatin1String("Exec=")))
                continue;
            const QString command = line.mid(5).section(' ', 0, 0).remove('"');
            const QString found = QFileInfo(command).isAbsolute() ? command : QStandardPaths::findExecutable(command);
            if (!found.isEmpty() && QFileInfo(found).canonicalFilePath() == program)
                return id;
        }
    }
    return {};
}

bool CreateStartMenuEntries(
    const QString& programFile, const QString& documentFolder, const TMenuFolders& folders, QString* error)
{
    if (folders.Programs.isEmpty()) {
        if (error)
            *error = QStringLiteral("No applications folder");
        return false;
    }
    const QString groupName = QStringLiteral("Laboratory QC");
    const QString group = QDir(folders.Programs).filePath(groupName);
    for (const QString& folder : { group, folders.MergedMenus, folders.Directories }) {
        if (folder.isEmpty() || !QDir().mkpath(folder)) {
            if (error)
                *error = QStringLiteral("Cannot make the folder %1").arg(folder);
            return false;
        }
    }
    const QDir docs(documentFolder);
    const QDir menu(group);
    // The entries of the submenu, by their desktop-file ids (folder name, "-", file name).
    QStringList ids;
    const auto make = [&](const QString& target, const QString& file) {
        ids.append(groupName + '-' + file);
        return CreateShortcut(target, menu.filePath(file), error, true);
    };
    const QString programEntry = QStringLiteral("Programme Vantorel.desktop");
    bool made = true;
    if (folders.InstalledEntry.isEmpty()) {
        made = make(programFile, programEntry);
    } else {
        // The installed copy's own entry stands in the submenu; one left by a
        // copy run from its folder before would show the program twice.
        QFile::remove(menu.filePath(programEntry));
        ids.append(folders.InstalledEntry);
    }
    made = made && make(docs.filePath(QStringLiteral("UserManual.htm")), QStringLiteral("User manual.desktop"))
        && make(docs.filePath(QStringLiteral("ReadMe.Txt")), QStringLiteral("Read me.desktop"));
    if (!made)
        return false;

    const QString directory = QStringLiteral("vantorel-laboratory-qc.directory");
    const QByteArray directoryText
        = QStringLiteral("[Desktop Entry]\nType=Directory\nVersion=1.4\nName=%1\nIcon=vantorel\n")
              .arg(groupName)
              .toUtf8();
    QString menuText = QStringLiteral("<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
                                      " \"http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd\">\n"
                                      "<Menu>\n  <Name>Applications</Name>\n  <Menu>\n    <Name>%1</Name>\n"
                                      "    <Directory>%2</Directory>\n    <Include>\n")
                           .arg(groupName.toHtmlEscaped(), directory);
    for (const QString& id : ids)
        menuText += QStringLiteral("      <Filename>%1</Filename>\n").arg(id.toHtmlEscaped());
    menuText += QStringLiteral("    </Include>\n  </Menu>\n</Menu>\n");
    return WriteText(QDir(folders.Directories).filePath(directory), directoryText, error)
        && WriteText(QDir(folders.MergedMenus).filePath(QStringLiteral("vantorel-laboratory-qc.menu")),
            menuText.toUtf8(), error);
}
