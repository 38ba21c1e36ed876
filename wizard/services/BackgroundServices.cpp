#include "wizard/services/BackgroundServices.h"

#include "platform/Platform.h"
#include "shared/BoxedWarning.h"
#include "shared/basService.h"
#include "shared/modRegistry.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"

namespace {

constexpr const char* kMonitorProgram = "Zevrin.App.ZevrinFTPLookUp.exe";
constexpr const char* kDefaultBackupService = "ZVBKPSRV";
constexpr const char* kBackupServices[] = {kDefaultBackupService, "ZEVRIN Backup Service",
                                           "DatensicherungsDienst"};
constexpr const char* kExchangeSyncService = "ZevrinExchangeSync";

std::string BackupStoppedMessage() {
    return JoinWarningLines({
        "",
        "   Der    D A T E N S I C H E R U N G S D I E N S T    läuft noch.",
        "",
        "",
        "   Um das Setup fortzusetzen wird der Datensicherungsdienst   ",
        "   jetzt beendet.",
        "",
        "",
        "   A C H T U N G    W I C H T I G !!!  ",
        "",
        "   - Starten Sie nach dem Setup Ihren Computer neu !",
        "",
        "   - Starten Sie das ZEVRIN Datensicherungsprogramm und ",
        "     und prüfen Sie die korrekte Funktion der Datensicherung !",
        "",
        "",
    });
}

std::string ExchangeSyncStoppedMessage() {
    return JoinWarningLines({
        "",
        "   Die    E X C H A N G E  S Y N C H R O N I S I E R U N G    läuft noch.",
        "",
        "",
        "   Um das Setup fortzusetzen wird der Synchronisationsdienst   ",
        "   jetzt beendet.",
        "",
        "",
        "   A C H T U N G    W I C H T I G !!!  ",
        "",
        "   - Starten Sie nach dem Setup Ihren Computer neu !",
        "",
        "   - Starten Sie die ZEVRIN Exchange-Synchronisierung und ",
        "     und prüfen Sie die korrekte Funktion!",
        "",
        "",
    });
}

std::string MonitorStoppedMessage() {
    return JoinWarningLines({
        "",
        "                                       Die",
        "",
        "   N O T F A L L A U F T R A G S Ü B E R W A C H U N G",
        "",
        "                                 läuft noch.",
        "",
        "",
        "            Um das Setup fortzusetzen wird die ",
        "                  Notfallauftragsüberwachung   ",
        "                              jetzt beendet.",
        "",
        "",
        "   A C H T U N G    W I C H T I G !!!  ",
        "",
        "   - Starten Sie nach dem Setup Ihren Computer neu !",
        "",
        "   - Starten Sie die ZEVRIN Notfallauftragsüberwachung und ",
        "     und prüfen Sie die korrekte Funktion!",
        "",
        "",
    });
}

// Only a running service is stopped; pending or unreadable ones are left alone.
bool IsRunning(const char* service) { return GetServiceState("", service) == kServiceRunning; }

}  // namespace

void StopEmergencyOrderMonitor() {
    SetupSession& session = Session();
    session.MonitorWasStopped = false;
    if (!IsProcessRunning(kMonitorProgram)) return;
    session.MonitorWasStopped = true;
    // Not waited for: the warning shows while taskkill may still run.
    platform::Current().RunCommandLine("taskkill /F /IM Zevrin.App.ZevrinFTPLookUp.exe",
                                       platform::WindowStyle::MinimizedFocus);
    ShowBoxedWarning(MonitorStoppedMessage());
    WriteSuiteValue("StarteNotfallauftragsueberwachung", "1");
}

void StopBackupService() {
    // Each name on its own; with several running the last one stopped is
    // the name the post-setup program restarts.
    for (const char* service : kBackupServices) {
        if (!IsRunning(service)) continue;
        StopServiceByName("", service);
        ShowBoxedWarning(BackupStoppedMessage());
        WriteSuiteValue("StarteDatensicherung", "1");
        // The default service is recorded as an empty name.
        WriteSuiteValue("SicherungsName",
                        std::string(service) == kDefaultBackupService ? "" : service);
    }
}

void StopExchangeSyncService() {
    if (!IsRunning(kExchangeSyncService)) return;
    StopServiceByName("", kExchangeSyncService);
    ShowBoxedWarning(ExchangeSyncStoppedMessage());
    WriteSuiteValue("StarteExchangeSynchronisierung", "1");
}
