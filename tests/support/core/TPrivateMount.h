#pragma once
#include <QString>

// A small tmpfs mounted on a folder in a private mount namespace of the calling
// thread: a real file system that tests can fill up or make read-only without
// touching the machine's own mounts. Needs root (CAP_SYS_ADMIN); where that is
// not given, Ok() is false and Reason() says why, for QSKIP.
class TPrivateMount {
public:
    TPrivateMount(const QString& folder, int kilobytes);
    ~TPrivateMount();
    bool Ok() const { return m_ok; }
    const QString& Reason() const { return m_reason; }

    // Fills the free space with a ballast file, or removes it.
    bool Fill();
    void Drain();
    // Binds the folder read-only over itself, or removes that binding. Files
    // opened before keep their access; files opened after are read-only.
    bool SetReadOnly(bool readOnly);

private:
    QString m_folder;
    bool m_ok = false;
    bool m_readOnly = false;
    QString m_reason;
};
