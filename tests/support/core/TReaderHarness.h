#pragma once
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <functional>

class QIODevice;

// One harness for the binary readers (data file, version-2 file, configuration, queue).
// A test hands it a read of a device into the test's data that answers the reader's reason
// for refusing the input, or a text starting with '<' when the input was taken or the data
// changed all the same. Each check answers an empty text when the reader behaved, else the
// first case that went wrong.
using TReadAttempt = std::function<QString(QIODevice&)>;
// A write into a device that answers the writer's error, empty when it reported none.
using TWriteAttempt = std::function<QString(QIODevice&)>;

QString ReadFromBytes(const TReadAttempt& read, QByteArray bytes);

// Columns of a table of damaged files: a named field of an image, `width` bytes `extra`
// bytes past it overwritten with a little-endian value, and a part of the reason.
void AddDamageColumns();
// The current row's damage applied to `image` (field offsets in `at`) must be refused with
// the row's reason and a byte offset.
QString DamageNotRefused(const TReadAttempt& read, QByteArray image, const QMap<QString, int>& at);

// Every proper prefix of the image must be refused, except lengths in `ends` where a file
// may end; then, when `tail` > 0, every prefix with the image's last `tail` bytes put back.
QString CutNotRefused(const TReadAttempt& read, const QByteArray& image, int tail = 0, const QList<int>& ends = {});

// A device that fails after each count of bytes short of the whole image must be reported: with
// the device's reason, or `shortRead` where a reader stops at a read that came back short.
QString ReadFailureMissed(const TReadAttempt& read, const QByteArray& image, const QString& shortRead = QString());
// A device that refuses to take more than each count of bytes short of `size` must be reported.
QString WriteFailureMissed(const TWriteAttempt& write, int size);
