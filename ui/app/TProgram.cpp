#include "TProgram.h"
#include "TAppMessages.h"

#include "TAuditTrail.h"
#include "TDialogService.h"
#include "TFileLog.h"
#include "TPrinterService.h"
#include "TQCContext.h"
#include "TQCDocument.h"
#include "TSessionEnd.h"
#include "TWinAbout.h"
#include "TWinAnimCopyFic.h"
#include "TWinArchives.h"
#include "TWinAudit.h"
#include "TWinComment.h"
#include "TWinDailyQC.h"
#include "TWinDefAnalytes.h"
#include "TWinDefSerum.h"
#include "TWinEmployees.h"
#include "TWinImport.h"
#include "TWinLogoCQ.h"
#include "TWinMain.h"
#include "TWinNewPsw.h"
#include "TWinOptions.h"
#include "TWinPrnCharts.h"
#include "TWinPrnData.h"
#include "TWinRandom.h"
#include "TWinRisks.h"
#include "TWinSerumByAnal.h"
#include "TWinShowArchive.h"
#include "TWinShowData.h"
#include "TWinShowLimits.h"
#include "TWinSigma.h"
#include "TWinValidCQ.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

TProgram::TProgram(TQCContext& context, TDialogService& dialogs, const QString& folder)
    : m_context(context)
    , m_dialogs(dialogs)
    , m_folder(folder)
    , m_storage(context)
{
}

TProgram::~TProgram()
{
    if (m_trail)
        m_context.Document().SetJournal(nullptr);
}

bool TProgram::Start()
{
    TStorage::THooks hooks;
    hooks.LoadPictures = [this] { m_pictures.Load(); };
    hooks.FreePictures = [this] { m_pictures.Free(); };
    const TStartResult started = m_storage.Start(m_folder, hooks);
    switch (started.Outcome) {
    case TStartOutcome::Started:
        break;
    case TStartOutcome::CannotReadData:
        m_dialogs.Show(AppMessages::CannotReadData, nullptr);
        break;
    case TStartOutcome::AlreadyRunning:
        m_dialogs.Show(AppMessages::AlreadyRunning, nullptr);
        return false;
    case TStartOutcome::NoFolder:
        m_dialogs.Show(AppMessages::NoFolder, nullptr);
        return false;
    }
    // A trail that cannot be written now counts the changes; the first one tells the user.
    m_trail = std::make_unique<TAuditTrail>(m_context);
    QString trailError;
    if (!m_trail->Open(m_context.ProgramFolder(), &trailError))
        qCWarning(lcDocument).noquote() << "audit trail:" << trailError;
    m_context.Document().SetJournal(m_trail.get());
    ShowSplash();
    QGuiApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationName(QStringLiteral("Vantorel"));
    CreateWindows();
    if (m_context.FirstStart)
        m_main->MnuShortCutsClick();
    return true;
}

void TProgram::ShowSplash()
{
    // It stays on top until the main window shows, SplashMilliseconds later (Run).
    m_splash = std::make_unique<TWinLogoCQ>();
    m_splash->show();
    m_splash->repaint();
}

void TProgram::CreateWindows()
{
    m_main = std::make_unique<TWinMain>(m_context, m_dialogs, m_pictures);
    m_main->SetSplash(std::move(m_splash));
    if (ScreenMetrics)
        m_main->ScreenMetrics = ScreenMetrics;
    QWidget* owner = m_main.get();
    m_import = std::make_unique<TWinImport>(m_context, m_dialogs, owner);
    m_serumByAnal = std::make_unique<TWinSerumByAnal>(m_context, m_dialogs, m_pictures, owner);
    m_defAnalytes = std::make_unique<TWinDefAnalytes>(m_context, m_dialogs, owner);
    m_defSerum = std::make_unique<TWinDefSerum>(m_context, m_dialogs, m_pictures, owner);
    m_validCQ = std::make_unique<TWinValidCQ>(m_context, m_dialogs, owner);
    m_employees = std::make_unique<TWinEmployees>(m_context, m_dialogs, owner);
    m_newPsw = std::make_unique<TWinNewPsw>(m_context, m_dialogs, owner);
    m_printers = std::make_unique<TQtPrinterService>(m_dialogs);
    m_prnData = std::make_unique<TWinPrnData>(m_context, m_dialogs, *m_printers, owner);
    m_comment = std::make_unique<TWinComment>(owner);
    m_about = std::make_unique<TWinAbout>(owner);
    m_prnCharts = std::make_unique<TWinPrnCharts>(m_context, m_dialogs, *m_printers, owner);
    m_main->WinAbout = m_about.get();
    m_main->WinValidCQ = m_validCQ.get();
    m_main->WinEmployees = m_employees.get();
    m_main->WinNewPsw = m_newPsw.get();
    m_main->WinImport = m_import.get();
    m_main->WinComment = m_comment.get();
    m_main->WinDefAnalytes = m_defAnalytes.get();
    m_main->WinDefSerum = m_defSerum.get();
    m_main->WinSerumByAnal = m_serumByAnal.get();
    m_main->WinPrnCharts = m_prnCharts.get();
    m_showData = std::make_unique<TWinShowData>(m_context, m_dialogs, m_pictures, owner);
    m_showData->WinPrnData = m_prnData.get();
    m_main->WinShowData = m_showData.get();
    m_showLimits = std::make_unique<TWinShowLimits>(m_context, m_dialogs, *m_printers, owner);
    m_main->WinShowLimits = m_showLimits.get();
    m_dailyQC = std::make_unique<TWinDailyQC>(m_context, m_dialogs, *m_printers, owner);
    m_dailyQC->Pictures = &m_pictures;
    m_main->WinDailyQC = m_dailyQC.get();
    m_showArchive = std::make_unique<TWinShowArchive>(m_context, m_dialogs, *m_printers, owner);
    m_archives = std::make_unique<TWinArchives>(m_context, m_dialogs, *m_printers, owner);
    m_archives->WinShowArchive = m_showArchive.get();
    m_main->WinArchives = m_archives.get();
    m_animCopyFic = std::make_unique<TWinAnimCopyFic>(owner);
    m_options = std::make_unique<TWinOptions>(m_context, m_dialogs, owner);
    m_main->WinAnimCopyFic = m_animCopyFic.get();
    m_main->WinOptions = m_options.get();
    m_risks = std::make_unique<TWinRisks>(m_context, m_dialogs, owner);
    m_main->WinRisks = m_risks.get();
    m_random = std::make_unique<TWinRandom>(m_context, m_dialogs, owner);
    m_main->WinRandom = m_random.get();
    m_audit = std::make_unique<TWinAudit>(m_context, m_dialogs, *m_printers, owner);
    m_main->WinAudit = m_audit.get();
    m_main->AuditTrail = m_trail.get();
    m_sigma = std::make_unique<TWinSigma>(m_context, m_dialogs, *m_printers, owner);
    m_main->WinSigma = m_sigma.get();
    m_main->UpdateCommands();
}

bool TProgram::ShowMain()
{
    m_main->ShowMainWindow();
    return !m_main->StartupRefused();
}

int TProgram::Run()
{
    // SIGTERM, SIGINT and the session's end close the program as Exit does, without the question,
    // also while the start-up's own windows (set-up, messages) are open.
    const TSessionEnd ending([this] {
        if (!m_storage.Running())
            return;
        // Failures are logged by the document; the shutdown tries again and shows them.
        [[maybe_unused]] const TCommitResult saved
            = m_context.Document().Save(TFile::Data | TFile::Queue | TFile::Settings);
    });
    if (!Start())
        return 1;
    if (ending.EndingSignal() != 0) {
        Shutdown();
        return 0;
    }
    // The main window follows the splash from the message loop, which answers
    // the splash's messages meanwhile.
    QTimer::singleShot(SplashMilliseconds, m_main.get(), [this] {
        if (!ShowMain())
            QCoreApplication::exit(0);
    });
    QApplication::exec();
    Shutdown();
    return 0;
}

void TProgram::Shutdown()
{
    m_audit.reset();
    m_sigma.reset();
    m_archives.reset();
    m_showArchive.reset();
    m_dailyQC.reset();
    m_showLimits.reset();
    m_showData.reset();
    m_random.reset();
    m_risks.reset();
    m_options.reset();
    m_animCopyFic.reset();
    m_defSerum.reset();
    m_defAnalytes.reset();
    m_serumByAnal.reset();
    m_prnCharts.reset();
    m_prnData.reset();
    m_printers.reset();
    m_about.reset();
    m_comment.reset();
    m_newPsw.reset();
    m_employees.reset();
    m_validCQ.reset();
    m_import.reset();
    m_main.reset();
    const TStopResult stopped = m_storage.Stop();
    const auto report = [this](bool saved, const char* message, const QString& reason) {
        if (!saved)
            m_dialogs.Error(MessageWithReason(message, reason), mbYes);
    };
    report(stopped.DataSaved, TStorage::MsgCannotSaveData, stopped.DataError);
    report(stopped.FifoSaved, TStorage::MsgUnableToSaveFifo, stopped.FifoError);
    report(stopped.ConfigSaved, "Cannot save the settings", stopped.ConfigError);
    // After the last save, whose changes the trail still records.
    m_context.Document().SetJournal(nullptr);
    m_trail.reset();
}
