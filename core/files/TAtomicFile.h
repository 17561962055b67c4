#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;

// Replaces a file whole by new content or leaves it exactly as it was. The bytes
// go to a temporary file beside the target (the target's name + ".vantorel-tmp-"
// + 6 letters or digits, locked while it is written), which is synced to the disk
// and renamed over the target; the folder is synced after the rename. A failure
// at any step (create, write, sync, rename) removes the temporary file, leaves the
// target untouched, is logged under "vantorel.files" and gives false with
// "Cannot write <file>: <the system's reason>" in *error (when given).
[[nodiscard]] bool WriteFileAtomically(const QString& fileName, const QByteArray& bytes, QString* error = nullptr);

// The same for content that `write` puts on a device (a buffer in memory);
// `write` returns false when it could not, and nothing is written then.
[[nodiscard]] bool WriteFileAtomically(
    const QString& fileName, const std::function<bool(QIODevice&)>& write, QString* error = nullptr);

// True for a name (without folder) that WriteFileAtomically gives its temporary files.
bool IsAtomicTemporaryName(const QString& name);

// Removes from `folder` (not its subfolders) the temporary files WriteFileAtomically
// leaves when the program is killed while writing: only names of its pattern, only
// regular files that no process holds locked. Returns the names removed.
QStringList RemoveStaleTemporaryFiles(const QString& folder);

// True when a file can really be created in the folder (a backup can be written
// there); false with the system's reason in *reason otherwise.
bool FolderWritable(const QString& folder, QString* reason = nullptr);

// True when the folder's files can be listed and read (a backup can be read from
// there, also from read-only media); false with the system's reason otherwise.
bool FolderReadable(const QString& folder, QString* reason = nullptr);

// True when the folder exists: the backup "disk in the drive". What can be done
// there is asked of FolderWritable and FolderReadable.
bool DiskPresent(const QString& folder);
