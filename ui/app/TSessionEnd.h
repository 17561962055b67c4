#pragma once
#include <QObject>
#include <functional>

class QSessionManager;
class QSocketNotifier;

// Ends the program as Exit does, without the question, when the system asks
// it to: SIGTERM or SIGINT (the handler only writes to a pipe that the message
// loop reads), or the end of the desktop session (whose request first writes
// every file at once, as the session may not wait for the loop to end). The
// message loops are left; the program's shutdown then writes the files and
// releases the folder's lock. One instance at a time.
class TSessionEnd : public QObject {
    Q_OBJECT
public:
    // saveNow writes every file (the session's end calls it before the loop ends).
    explicit TSessionEnd(std::function<void()> saveNow, QObject* parent = nullptr);
    // Puts the previous signal handlers back.
    ~TSessionEnd() override;

    // The signal that ended the program, 0 while none did.
    int EndingSignal() const { return m_signal; }

private:
    void SignalArrived();
    void CommitData(QSessionManager& manager);

    std::function<void()> m_saveNow;
    QSocketNotifier* m_notifier = nullptr;
    int m_signal = 0;
};
