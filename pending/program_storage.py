p='ui/main/TProgram.h'
s=open(p).read()
s=s.replace('#include "TPictures.h"\n','#include "TPictures.h"\n#include "TStorage.h"\n')
s=s.replace("""    TProgram(TQCContext& context, TDialogService& dialogs);""","""    // The program's files lie in `folder`, or when it is empty in the folder
    // the storage finds (the executable's when it can be written).
    TProgram(TQCContext& context, TDialogService& dialogs, const QString& folder = QString());""")
s=s.replace("""    TQCContext& m_context;
    TDialogService& m_dialogs;
    TPictures m_pictures;""","""    TQCContext& m_context;
    TDialogService& m_dialogs;
    QString m_folder;
    TStorage m_storage;
    TPictures m_pictures;""")
s=s.replace("""    // Start-up up to the main window, not shown yet. False when the program
    // must not go on (the storage refused to start); the reason was shown.""","""    // Start-up up to the main window, not shown yet. False when the program
    // must not go on (another instance runs on the same files, or no folder
    // for them): the reason was shown and nothing was read or written.""")
s=s.replace("""    // Saves the data, queue and configuration files and frees the windows.""","""    // Frees the windows, then saves the data, queue and configuration files,
    // reporting a data or queue file that could not be written.""")
open(p,'w').write(s)
p='ui/main/TProgram.cpp'
s=open(p).read()
s=s.replace("""TProgram::TProgram(TQCContext& context, TDialogService& dialogs)
    : m_context(context)
    , m_dialogs(dialogs)
{""","""TProgram::TProgram(TQCContext& context, TDialogService& dialogs, const QString& folder)
    : m_context(context)
    , m_dialogs(dialogs)
    , m_folder(folder)
    , m_storage(context)
{""")
s=s.replace("""    m_context.SetProgramFolder(QCoreApplication::applicationDirPath());
    m_pictures.Load();
""","""    TStorage::THooks hooks;
    hooks.LoadPictures = [this] { m_pictures.Load(); };
    hooks.FreePictures = [this] { m_pictures.Free(); };
    const TStartResult started = m_storage.Start(m_folder, hooks);
    switch (started.Outcome) {
    case TStartOutcome::Started:
        break;
    case TStartOutcome::CannotReadData:
        m_dialogs.Error(QString::fromLatin1(TStorage::MsgCannotReadData), mbYes);
        break;
    case TStartOutcome::AlreadyRunning:
        m_dialogs.Error(QString::fromLatin1(TStorage::MsgAlreadyRunning), mbOK);
        return false;
    case TStartOutcome::NoFolder:
        m_dialogs.Error(QStringLiteral("No folder can hold the files of Vantorel."), mbOK);
        return false;
    }
""")
s=s.replace("""    m_main.reset();
    m_pictures.Free();
}""","""    m_main.reset();
    const TStopResult stopped = m_storage.Stop();
    if (!stopped.DataSaved)
        m_dialogs.Error(QString::fromLatin1(TStorage::MsgCannotSaveData), mbYes);
    if (!stopped.FifoSaved)
        m_dialogs.Error(QString::fromLatin1(TStorage::MsgUnableToSaveFifo), mbYes);
}""")
open(p,'w').write(s)
