#pragma once
#include "TPictures.h"
#include "TStorage.h"

#include <functional>
#include <memory>

class TAuditTrail;
class TDialogService;
class TQCContext;
class TWinAbout;
class TWinAnimCopyFic;
class TWinComment;
class TWinDefAnalytes;
class TWinDefSerum;
class TWinEmployees;
class TWinNewPsw;
class TWinOptions;
class TWinSerumByAnal;
class TWinPrnCharts;
class TWinPrnData;
class TWinArchives;
class TWinAudit;
class TWinDailyQC;
class TWinShowArchive;
class TWinShowData;
class TWinShowLimits;
class TWinRandom;
class TWinSigma;
class TWinRisks;
class TPrinterService;
class TWinImport;
class TWinLogoCQ;
class TWinMain;
class TWinValidCQ;
struct TScreenMetrics;

// The life of the program: the storage start-up, the splash window, the
// windows created once in their order, the main window's showing, and the
// shutdown that saves everything.
class TProgram {
public:
    // The program's files lie in `folder`, or when it is empty in the folder
    // the storage finds (the executable's when it can be written).
    TProgram(TQCContext& context, TDialogService& dialogs, const QString& folder = QString());
    ~TProgram();

    // How long the splash window stays (tests and benchmarks set 0).
    int SplashMilliseconds = 2000;
    // The screen the start-up checks see; the primary screen when empty.
    std::function<TScreenMetrics()> ScreenMetrics;

    // Start-up up to the main window, not shown yet. False when the program
    // must not go on (another instance runs on the same files, or no folder
    // for them): the reason was shown and nothing was read or written.
    bool Start();
    // Shows the main window (its start-up checks run first). False when a
    // check refused the screen: the program then ends without the exit question.
    bool ShowMain();
    // Start, ShowMain, the message loop until the main window closes, Shutdown.
    int Run();
    // Frees the windows, then saves the data, queue and configuration files,
    // reporting a data or queue file that could not be written.
    void Shutdown();

    TWinMain* MainWindow() const { return m_main.get(); }
    TWinAbout* WinAbout() const { return m_about.get(); }
    const TPictures& Pictures() const { return m_pictures; }

private:
    void ShowSplash();
    void CreateWindows();

    TQCContext& m_context;
    TDialogService& m_dialogs;
    QString m_folder;
    TStorage m_storage;
    TPictures m_pictures;
    std::unique_ptr<TWinLogoCQ> m_splash;
    std::unique_ptr<TWinMain> m_main;
    std::unique_ptr<TWinImport> m_import;
    std::unique_ptr<TWinValidCQ> m_validCQ;
    std::unique_ptr<TWinEmployees> m_employees;
    std::unique_ptr<TWinNewPsw> m_newPsw;
    std::unique_ptr<TWinComment> m_comment;
    std::unique_ptr<TWinAbout> m_about;
    std::unique_ptr<TWinSerumByAnal> m_serumByAnal;
    std::unique_ptr<TWinDefAnalytes> m_defAnalytes;
    std::unique_ptr<TWinDefSerum> m_defSerum;
    std::unique_ptr<TPrinterService> m_printers;
    std::unique_ptr<TWinPrnData> m_prnData;
    std::unique_ptr<TWinPrnCharts> m_prnCharts;
    std::unique_ptr<TWinShowData> m_showData;
    std::unique_ptr<TWinShowLimits> m_showLimits;
    std::unique_ptr<TWinDailyQC> m_dailyQC;
    std::unique_ptr<TWinShowArchive> m_showArchive;
    std::unique_ptr<TWinArchives> m_archives;
    std::unique_ptr<TWinAnimCopyFic> m_animCopyFic;
    std::unique_ptr<TWinOptions> m_options;
    std::unique_ptr<TWinRisks> m_risks;
    std::unique_ptr<TWinRandom> m_random;
    std::unique_ptr<TWinAudit> m_audit;
    // The audit trail of the program's folder, the document's journal from start-up to shutdown.
    std::unique_ptr<TAuditTrail> m_trail;
    std::unique_ptr<TWinSigma> m_sigma;
};
