#pragma once
#include <QString>
#include <functional>

class QIODevice;

// Writes a file through a temporary file renamed over the target on success, so
// a crash, a full disk or a failing write leaves the previous file as it was.
// `write` fills the device and returns false when it could not; the result is
// false then, or when the file cannot be created or committed, and *error (when
// given) holds the system's reason.
bool WriteFileAtomically(
    const QString& fileName, const std::function<bool(QIODevice&)>& write, QString* error = nullptr);

// True when the folder exists and can really be written (the backup "disk in the drive").
bool DiskPresent(const QString& folder);
