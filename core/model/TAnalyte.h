#pragma once
#include "TConfigRecord.h"
#include "TListIDString.h"
#include "TPointPool.h"
#include "TQCPoint.h"
#include "TQCTypes.h"

#include <QList>
#include <QString>
#include <array>
#include <vector>

// An analyte: its settings per level, its statistics and its stored points in
// ascending date-time order (equal date-times in order of arrival). Each point
// lives at a fixed address for as long as it is stored, so windows may hold a
// pointer to one point while others are inserted or deleted.
class TAnalyte {
public:
    static constexpr int NameCapacity = 15;
    static constexpr int UnitsCapacity = 6;

    // An analyte with no points, every level mobile and without lot; Options 7,
    // reserved integer 10. Name and Units are cut to their capacity.
    TAnalyte(const QString& name = QString(), const QString& units = QString(), int decimals = 0, int nbLevels = 1);
    TAnalyte(const TAnalyte& other);
    TAnalyte& operator=(const TAnalyte& other);
    TAnalyte(TAnalyte&&) noexcept = default;
    TAnalyte& operator=(TAnalyte&&) noexcept = default;
    ~TAnalyte();

    QString Name;
    QString Units;
    qint32 Decimals = 0;
    qint32 NbLevels = 1;
    std::array<qint32, MaxLevels> SerumID { -1, -1, -1 };
    std::array<quint8, MaxLevels> LimitMode { lmMobile, lmMobile, lmMobile };
    std::array<qint32, MaxLevels> LockStart { -1, -1, -1 };
    std::array<qint32, MaxLevels> LockEnd { -1, -1, -1 };
    quint8 Options = aoWestgard | aoCommonCV | aoDefault;
    qint32 Reserved = 10;
    std::array<TLevelStats, MaxLevels> ReferenceStats;
    std::array<TLevelStats, MaxLevels> AllPointsStats;
    QList<qint32> Archives;
    TListIDString Comments;

    // Points
    int Count() const { return int(m_points.size()); }
    TQCPoint& Point(int index) { return *m_points[index]; }
    const TQCPoint& Point(int index) const { return *m_points[index]; }
    // Index of a stored point, or -1 when it is not (or no longer) stored here.
    int IndexOf(const TQCPoint* point) const;

    // Stores a result as a point at its date position, moving or growing the
    // locked intervals; returns its index. Statistics are the caller's next step.
    int AddPoint(const TResu0& result);
    // Removes a point and shifts the locked intervals. Does not recompute.
    void DeletePoint(int index);
    // True when every level in use has no value.
    bool IsPointEmpty(int index) const;
    bool DeleteIfEmpty(int index);
    // Index just after the last point dated at or before dateTime (0 when none is).
    int InsertPosition(double dateTime) const;
    // Frees all points, unlocks the levels in use (their statistics become those
    // of an empty level), empties the comments.
    void Clear();
    QString CommentText(qint32 id) const { return Comments.GetText(id); }

    // Used by file readers: appends a point as read, without touching intervals.
    void AppendLoadedPoint(const TQCPoint& point);
    // Appends the points of `count` consecutive 44-byte file records; returns the
    // index of the first damaged record (see TQCPoint::ReadRecord), of which and
    // after which nothing is appended, or -1 when all were sound.
    int AppendLoadedRecords(const char* records, int count);
    // Makes room for `count` more points.
    void ReservePoints(int count);

    bool HasOption(TAnalyteOption option) const { return (Options & option) != 0; }

private:
    void ResetLevels();

    // The points in date order; each lives in m_pool, which keeps it in place.
    TPointPool m_pool;
    std::vector<TQCPoint*> m_points;
};
