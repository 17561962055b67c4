#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLockFile;
class TQCContext;

// What the storage start-up ended with. The program turns each outcome other
// than Started into one message box; the companion into one line.
enum class TStartOutcome {
    Started, // everything read (or the defaults and demonstration data made)
    CannotReadData, // the configuration was there but the data file could not be read: empty lists
    AlreadyRunning, // another instance holds the folder's lock: nothing was read or touched
    NoFolder, // no folder could be found or made for the program's files
};

struct TStartResult {
    TStartOutcome Outcome = TStartOutcome::Started;
    QString Detail; // the reason behind an outcome, for support staff and tests
    QString UnreadableCopy; // where an unreadable data file was copied before it is replaced
};

// What the storage shutdown met. Every step runs whatever failed before it.
struct TStopResult {
    bool DataSaved = true; // false: "Cannot save data"
    bool FifoSaved = true; // false: "Unable to save fifo"
    bool ConfigSaved = true; // false: "Cannot save the settings"
    QString DataError, FifoError, ConfigError;
};

// The program's storage start-up and shutdown, shared by the program and the
// command-line companion. Start runs, in this order: seed the generator from the
// clock; find the program folder (BaseName = folder + "Vantorel"); take the
// folder's lock; read the settings; load the pictures; read the queue; read the
// data file, or on a first start make the demonstration data. Stop runs the
// reverse: save the data, save the queue, free the pictures, save the settings,
// release the lock.
class TStorage {
public:
    static constexpr const char* MsgCannotReadData = "Cannot read data";
    static constexpr const char* MsgCannotSaveData = "Cannot save data";
    static constexpr const char* MsgUnableToSaveFifo = "Unable to save fifo";
    static constexpr const char* MsgAlreadyRunning = "Vantorel is already running on the files of this folder.";

    // The window layer's part of the start-up and shutdown (both may be empty).
    struct THooks {
        std::function<void()> LoadPictures;
        std::function<void()> FreePictures;
    };

    explicit TStorage(TQCContext& context);
    // Releases the lock if Stop was not called; saves nothing.
    ~TStorage();

    // Starts the program's storage in `folder`, or when it is empty in the
    // folder FindProgramFolder gives. Call once.
    TStartResult Start(const QString& folder = QString(), const THooks& hooks = THooks());
    // Saves and frees what Start set up; does nothing unless Start succeeded
    // (Started or CannotReadData).
    TStopResult Stop();
    bool Running() const { return m_running; }

    // Reads the settings, the queue and the data file of `folder` (or the
    // program's folder when empty) without the lock, without writing anything
    // and without demonstration data. A missing data file gives empty lists; an
    // unreadable one gives CannotReadData.
    TStartResult OpenReadOnly(const QString& folder = QString());

    // The executable's folder when files can be written there and it is not an
    // installed copy (<prefix>/bin beside <prefix>/share/vantorel), else the
    // per-user data folder (made when `create` is true). Empty when neither
    // exists or could be made.
    static QString FindProgramFolder(bool create = true);
    // The same rule for a given executable folder.
    static QString FindProgramFolder(const QString& executableFolder, bool create);
    // The per-user data folder, ~/.local/share/Vantorel, whatever the
    // application's name: the program and the companion agree on it. Not made
    // here; empty when the system gives no data folder.
    static QString UserDataFolder();

    // Where a document shipped with the program ("UserManual.htm", "ReadMe.Txt")
    // lies: beside the executable (a build or a copied folder), else in the
    // installed package's <prefix>/share/vantorel. When it is in neither, the
    // path beside the executable, which does not exist.
    static QString FindDocument(const QString& name);
    static QString FindDocument(const QString& executableFolder, const QString& name);

private:
    bool LockFolder(TStartResult& result);
    void ReadDataStep(TStartResult& result, bool firstStart, bool readOnly);
    QString KeepUnreadableCopy(const QString& fileName) const;

    TQCContext& m_context;
    THooks m_hooks;
    std::unique_ptr<QLockFile> m_lock;
    bool m_running = false;
};
