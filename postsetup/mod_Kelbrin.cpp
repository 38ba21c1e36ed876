#include "postsetup/mod_Kelbrin.h"

#include <exception>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/BoxedWarning.h"
#include "shared/LoggedPlatform.h"
#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "shared/basService.h"
#include "shared/modRegistry.h"

namespace {

constexpr const char* kDefaultBackupService = "ZVBKPSRV";
constexpr const char* kExchangeSyncService = "ZevrinExchangeSync";
constexpr const char* kMonitorProgram = "Zevrin.App.ZevrinFTPLookUp.exe";
constexpr const char* kFinalProgram = "ZVNGen.exe";

std::string qnInstallFolder;

std::string BackupRestartedMessage() {
    return JoinWarningLines({
        "",
        "   Der    D A T E N S I C H E R U N G S D I E N S T    wird          ",
        "",
        "                      wieder gestartet!   ",
        "",
        "",
        "",
        "A C H T U N G    W I C H T I G !!!  ",
        "",
        "Starten Sie das ZEVRIN Datensicherungsprogramm und ",
        "und prüfen Sie die korrekte Funktion der Datensicherung !",
        "",
        "",
    });
}

std::string ExchangeSyncRestartedMessage() {
    return JoinWarningLines({
        "",
        "   Der    E X C H A N G E  S Y N C H R O N I S I E R U N G    wird          ",
        "",
        "                      wieder gestartet!   ",
        "",
        "",
        "",
        "A C H T U N G    W I C H T I G !!!  ",
        "",
        "Starten Sie die ZEVRIN Exchange-Synchronisierung und ",
        "und prüfen Sie die korrekte Funktion!",
        "",
        "",
    });
}

std::string MonitorRestartedMessage() {
    return JoinWarningLines({
        "",
        "                                       Die",
        "",
        "   N O T F A L L A U F T R A G S Ü B E R W A C H U N G",
        "",
        "                        wird wieder gestartet.",
        "",
        "",
        "A C H T U N G    W I C H T I G !!!  ",
        "",
        "Starten Sie die ZEVRIN Notfallauftragsüberwachung ",
        "und prüfen Sie die korrekte Funktion!",
        "",
        "",
    });
}

bool SuiteFlagSet(const char* name) {
    return IsFlagSet(ReadRegistryValue(RegistryRoot::LocalMachine, kSuiteKey, name));
}

// A path handed to the process start as one argument, spaces included.
std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// A component that could not be started again stays down until someone
// starts it: that person must learn it, never read that it runs again.
void ReportRestartRefused(const std::string& what, const std::string& action) {
    messages::Show(MessageKind::Failure,
                   what + " konnte nicht wieder gestartet werden!\r\n" + action +
                       " und prüfen Sie die korrekte Funktion!",
                   kWarningTitle, platform::mb::Ok | platform::mb::IconError);
}

}  // namespace

void ReadQnInstallFolder() {
    qnInstallFolder.clear();
    try {
        const char* key = Is64BitSystem() ? kDestinationsKeyWow : kDestinationsKey;
        qnInstallFolder = ReadRegistryValue(RegistryRoot::LocalMachine, key, "Quenor").AsText();
    } catch (const std::exception&) {
        // An unreadable folder must not keep the components down.
    }
    if (!text::EndsWith(qnInstallFolder, "\\")) qnInstallFolder += "\\";
}

const std::string& QnInstallFolder() { return qnInstallFolder; }

void RestartEmergencyOrderMonitor() {
    if (!SuiteFlagSet("StarteNotfallauftragsueberwachung")) return;
    ShowBoxedWarning(MonitorRestartedMessage());
    WriteSuiteValue("StarteNotfallauftragsueberwachung", "0");
    // The folder already ends in a backslash; a second one would turn an
    // empty folder ("\") into a network path.
    if (!platform::Current().RunCommandLine(
            Quoted(text::JoinPath(qnInstallFolder, kMonitorProgram)),
            platform::WindowStyle::MinimizedFocus)) {
        ReportRestartRefused("Die Notfallauftragsüberwachung",
                             "Bitte starten Sie die ZEVRIN Notfallauftragsüberwachung von Hand");
    }
}

void RestartBackupService() {
    if (!SuiteFlagSet("StarteDatensicherung")) return;
    const std::string name = ReadSuiteValue("SicherungsName");
    const bool defaultService = text::Trim(name).empty();
    const std::string service = defaultService ? kDefaultBackupService : name;
    // Anything but stopped (running, pending, not installed) keeps the flags
    // so that the next run tries again.
    if (GetServiceState("", service) != kServiceStopped) return;
    // A start the manager refused keeps the flags as well.
    if (!StartServiceByName("", service)) {
        ReportRestartRefused("Der Datensicherungsdienst \"" + service + "\"",
                             "Bitte starten Sie ihn von Hand");
        return;
    }
    ShowBoxedWarning(BackupRestartedMessage());
    WriteSuiteValue("StarteDatensicherung", "0");
    if (!defaultService) WriteSuiteValue("SicherungsName", "");
}

void RestartExchangeSync() {
    if (!SuiteFlagSet("StarteExchangeSynchronisierung")) return;
    if (GetServiceState("", kExchangeSyncService) != kServiceStopped) return;
    if (!StartServiceByName("", kExchangeSyncService)) {
        ReportRestartRefused("Die Exchange-Synchronisierung \"" + std::string(kExchangeSyncService) +
                                 "\"",
                             "Bitte starten Sie sie von Hand");
        return;
    }
    ShowBoxedWarning(ExchangeSyncRestartedMessage());
    WriteSuiteValue("StarteExchangeSynchronisierung", "0");
}

void StartZvnGen() {
    const std::string program = qnInstallFolder + kFinalProgram;
    platform::Platform& system = platform::Current();
    const int style = platform::mb::Ok | platform::mb::IconExclamation;
    if (!platform::files::CanOpenForReading(program)) {
        messages::Show(MessageKind::Failure,
                       "Das Programm \"" + program + "\" wurde nicht gefunden.\r\n" +
                           "Bitte starten Sie es nach der Installation von Hand.",
                       kKelbrinTitle, style);
        return;
    }
    if (!system.RunCommandLine(Quoted(program), platform::WindowStyle::Normal)) {
        messages::Show(MessageKind::Failure,
                       "Das Programm \"" + program + "\" konnte nicht gestartet werden.",
                       kKelbrinTitle, style);
    }
}

void FollowASilentSetup() {
    const RegistryValue record =
        ReadRegistryValue(RegistryRoot::LocalMachine, kSuiteKey, kSilentSetupRecordValue);
    if (record.IsEmpty()) return;  // not there: a run as ever
    // Reset first: a later run, with someone at the screen, shows its boxes.
    DeleteSuiteValue(kSilentSetupRecordValue);
    run_log::Open(record.AsText());
    run_log::Write("run-start",
                   {{"program", platform::Current().ProgramFilePath()}, {"role", "post-setup"}});
    // Nothing follows its one failure, the final program that could not be
    // started, and its exit code stays what the product installer knows.
    messages::BeginUnattended([](const std::string& reason) {
        run_log::Write("silent-end", {{"at", "post-setup"}, {"reason", reason}});
    });
}

int RunKelbrin() {
    // Without a silent setup before it there is no record, and nothing is written.
    LoggedPlatform logged(platform::Current());
    platform::ScopedPlatform withRecord(logged);
    try {
        FollowASilentSetup();
        ReadQnInstallFolder();
        RestartEmergencyOrderMonitor();
        RestartBackupService();
        RestartExchangeSync();
        StartZvnGen();
        run_log::Write("exit", {{"code", "0"}});
        return 0;
    } catch (const std::exception&) {
        run_log::Write("exit", {{"code", "1"}});
        return 1;
    }
}
