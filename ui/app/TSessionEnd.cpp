#include "TSessionEnd.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSession, "vantorel.session")

namespace {

int SignalPipe[2] = { -1, -1 };
struct sigaction Previous[2];
constexpr int Handled[2] = { SIGTERM, SIGINT };

void OnSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[1], &byte, 1);
}

} // namespace

TSessionEnd::TSessionEnd(std::function<void()> saveNow, QObject* parent)
    : QObject(parent)
    , m_saveNow(std::move(saveNow))
{
    if (::pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(lcSession) << "no pipe for the termination signals:" << strerror(errno);
    } else {
        m_notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &TSessionEnd::SignalArrived);
        struct sigaction action = {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int i = 0; i < 2; ++i)
            sigaction(Handled[i], &action, &Previous[i]);
    }
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, &TSessionEnd::CommitData);
}

TSessionEnd::~TSessionEnd()
{
    if (!m_notifier)
        return;
    for (int i = 0; i < 2; ++i)
        sigaction(Handled[i], &Previous[i], nullptr);
    ::close(SignalPipe[0]);
    ::close(SignalPipe[1]);
    SignalPipe[0] = SignalPipe[1] = -1;
}

void TSessionEnd::SignalArrived()
{
    unsigned char byte = 0;
    while (::read(SignalPipe[0], &byte, 1) == 1)
        m_signal = byte;
    qCInfo(lcSession) << "ending on signal" << m_signal;
    // Every loop ends, a modal window's too; its command then finishes as after Cancel.
    QCoreApplication::exit(0);
}

void TSessionEnd::CommitData(QSessionManager& manager)
{
    Q_UNUSED(manager);
    qCInfo(lcSession) << "the desktop session ends";
    if (m_saveNow)
        m_saveNow();
    QCoreApplication::exit(0);
}
