#pragma once
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

// Version-2 files for tests and fuzzing, built field by field from the old layout. An old point:
// a whole-day date, three (value, old status) cells, a comment id.
struct TOldPoint {
    double Date;
    float Values[3];
    quint8 Statuses[3];
    qint32 CommentId;
};

struct TOldAnalyte {
    QString Name;
    QString Units;
    qint32 Decimals = 1;
    QList<TOldPoint> Points;
    qint32 LockStart[3] = { -1, -1, -1 };
    qint32 LockEnd[3] = { -1, -1, -1 };
    QList<QPair<qint32, QString>> Comments;
};

// A version-2 file of these analytes; `at` receives the offsets of named parts ("materials",
// "analytes", "a0.points", "a0.header", "a0.ignored", "a0.comments", ..., "stamp").
QByteArray V2Image(const QList<TOldAnalyte>& analytes, QMap<QString, int>* at = nullptr);

// Glucose with five points (one without a level-3 value, one discarded, comments by ids 2, 5, 9
// and 14) locked on points 1..3 at level 1, and Urea whose level-2 interval holds equal values.
QList<TOldAnalyte> OldSample();
