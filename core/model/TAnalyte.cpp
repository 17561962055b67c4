#include "TAnalyte.h"

TAnalyte::TAnalyte(const QString& name, const QString& units, int decimals, int nbLevels)
    : Name(name.left(NameCapacity))
    , Units(units.left(UnitsCapacity))
    , Decimals(decimals)
    , NbLevels(nbLevels)
{
    // With no points every level has the statistics of an empty level, the
    // default TLevelStats, as the statistics would compute them.
}

TAnalyte::TAnalyte(const TAnalyte& other) { *this = other; }

TAnalyte& TAnalyte::operator=(const TAnalyte& other)
{
    if (this == &other)
        return *this;
    Name = other.Name;
    Units = other.Units;
    Decimals = other.Decimals;
    NbLevels = other.NbLevels;
    SerumID = other.SerumID;
    LimitMode = other.LimitMode;
    LockStart = other.LockStart;
    LockEnd = other.LockEnd;
    Options = other.Options;
    Reserved = other.Reserved;
    ReferenceStats = other.ReferenceStats;
    AllPointsStats = other.AllPointsStats;
    Archives = other.Archives;
    Comments = other.Comments;
    m_points.clear();
    m_pool.Clear();
    ReservePoints(other.Count());
    for (const TQCPoint* point : other.m_points)
        m_points.push_back(m_pool.New(*point));
    return *this;
}

TAnalyte::~TAnalyte() = default;

int TAnalyte::IndexOf(const TQCPoint* point) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (m_points[size_t(i)] == point)
            return i;
    return -1;
}

int TAnalyte::InsertPosition(double dateTime) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (m_points[size_t(i)]->DateTime <= dateTime)
            return i + 1;
    return 0;
}

int TAnalyte::AddPoint(const TResu0& result)
{
    TQCPoint point;
    point.DateTime = result.DateTime;
    point.Values = result.Values;
    point.SetOperator(result.Operator);
    point.CommentID = result.Comment.isEmpty() ? -1 : Comments.Add(result.Comment);
    const int index = InsertPosition(result.DateTime);
    m_points.insert(m_points.begin() + index, m_pool.New(point));
    for (int l = 0; l < NbLevels && l < MaxLevels; ++l) {
        if (LimitMode[l] != lmLocked)
            continue;
        if (LockStart[l] >= index) {
            ++LockStart[l];
            ++LockEnd[l];
        } else if (LockEnd[l] >= index) {
            ++LockEnd[l];
        }
    }
    return index;
}

void TAnalyte::DeletePoint(int index)
{
    m_pool.Free(m_points[size_t(index)]);
    m_points.erase(m_points.begin() + index);
    for (int l = 0; l < NbLevels && l < MaxLevels; ++l) {
        if (LimitMode[l] != lmLocked)
            continue;
        if (index < LockStart[l]) {
            --LockStart[l];
            --LockEnd[l];
        } else if (index <= LockEnd[l]) {
            --LockEnd[l];
        }
    }
}

bool TAnalyte::IsPointEmpty(int index) const
{
    const TQCPoint& point = *m_points[size_t(index)];
    for (int l = 0; l < NbLevels && l < MaxLevels; ++l)
        if (point.Values[l].Status != psNoValue)
            return false;
    return true;
}

bool TAnalyte::DeleteIfEmpty(int index)
{
    if (!IsPointEmpty(index))
        return false;
    DeletePoint(index);
    return true;
}

void TAnalyte::ResetLevels()
{
    for (int l = 0; l < NbLevels && l < MaxLevels; ++l) {
        LockStart[l] = -1;
        LockEnd[l] = -1;
        LimitMode[l] = lmMobile;
    }
}

void TAnalyte::Clear()
{
    m_points.clear();
    m_pool.Clear();
    ResetLevels();
    // Mobile levels without points: the statistics of an empty level.
    for (int l = 0; l < NbLevels && l < MaxLevels; ++l)
        AllPointsStats[l] = ReferenceStats[l] = TLevelStats();
    Comments.Clear();
}

void TAnalyte::AppendLoadedPoint(const TQCPoint& point) { m_points.push_back(m_pool.New(point)); }

int TAnalyte::AppendLoadedRecords(const char* records, int count)
{
    ReservePoints(count);
    for (int i = 0; i < count; ++i) {
        TQCPoint* point = m_pool.New(TQCPoint());
        if (!point->ReadRecord(records + qint64(i) * TQCPoint::RecordSize)) {
            m_pool.Free(point);
            return i;
        }
        m_points.push_back(point);
    }
    return -1;
}

void TAnalyte::ReservePoints(int count)
{
    m_points.reserve(m_points.size() + size_t(count));
    m_pool.Reserve(count);
}
