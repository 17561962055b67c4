#pragma once
#include <QDateTime>

// "Today" and "now" for the whole program. Tests install a fixed clock.
class TClock {
public:
    virtual ~TClock() = default;
    virtual QDateTime Now() const;
    // Today at midnight, as a day count.
    double TodayDays() const;
};

// A clock that always answers the date-time it was given.
class TFixedClock : public TClock {
public:
    explicit TFixedClock(const QDateTime& now)
        : m_now(now)
    {
    }
    QDateTime Now() const override { return m_now; }
    void Set(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now;
};
