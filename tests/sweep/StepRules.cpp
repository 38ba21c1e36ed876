#include "tests/sweep/StepRules.h"

#include <algorithm>
#include <string_view>

namespace fault_sweep {
namespace {

namespace code = platform::faults::code;

// What a component's end or restart leaves, by the words of its warning.
constexpr const char* kBackupWarning = "D A T E N S I C H E R U N G S D I E N S T";
constexpr const char* kExchangeWarning = "E X C H A N G E";
constexpr const char* kMonitorWarning = "N O T F A L L A U F T R A G";

// clang-format off
const std::vector<StepRule> kRules = {
    // --- The run's record ---------------------------------------------------
    {.step = "a line of the run's record", .call = "files::AppendToFile", .detail = "setup.log",
     .recordLineLost = true,
     .why = "A record that cannot be written is dropped without a word: keeping it never "
            "changes the run."},

    // --- Windows and boxes ------------------------------------------------------
    {.step = "the notice while runtimes are installed", .call = "CreatePageWindow",
     .detail = "Systemaktualisierung",
     .why = "A notice that cannot be shown is left out; the work goes on without it."},
    {.step = "a page shown", .call = "CreatePageWindow", .detail = "",
     .report = Report{.orSkipped = true},
     .why = "A page that cannot be shown is said; the user stays where he was (without a "
            "first page the run ends on it). A window made ahead is made again when needed."},
    {.step = "the program's own file", .call = "ProgramFilePath", .detail = "",
     .report = Report{.failureLine = true, .exitCode = 1603, .orSkipped = true},
     .leeway = {{"starts", May::OneDiffers, "Dravik.exe"}},
     .why = "Asked until the system tells it, then kept, so that role and folder stay one: a "
            "wizard that cannot learn it at its start says so and ends; a page on its own "
            "starts the setup-type program in the current folder."},
    {.step = "the exit question", .call = "ShowMessage", .detail = "Die Installation wurde noch nicht",
     .leeway = {{"boxes", May::GainOne, "Die Installation wurde noch nicht"}},
     .why = "An exit question that cannot be shown answers No: the wizard goes on, and the "
            "user, still wanting to leave, asks again."},
    {.step = "the question whether to install the update", .call = "ShowMessage",
     .detail = "Es ist ein Update vorhanden", .report = Report{.shows = "failure ", .exitCode = 1603},
     .why = "A question no one could be asked is no \"no\": the run ends as a failure."},
    {.step = "a question about an existing version folder", .call = "ShowMessage",
     .detail = "Installations-Verzeichnis", .flows = "server copy",
     .leeway = {{"boxes", May::Differ}, {"pages", May::LoseOne, "DBTools"},
                {"file ", May::AsBefore}, {"registry ", May::AsBefore}},
     .why = "A question that cannot be shown counts as Cancel (the exit question follows): "
            "nothing is copied or recorded, and the page stays."},
    {.step = "another wizard running", .call = "LockMachineWide", .detail = "",
     .report = Report{.shows = "already-running", .exitCode = 1618},
     .why = "A lock that cannot be taken is another wizard holding it: the second one ends, "
            "and the distribution tool tries again later."},

    // --- Starting files and programs ------------------------------------------
    {.step = "the update assistant's own files", .call = "files::CanOpenForReading",
     .detail = "ZVTLM.exe", .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "Without them no update can be checked for: said, and the run ends on it."},
    {.step = "the update assistant's own files", .call = "files::CanOpenForReading",
     .detail = "Ubrel.exe", .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "Without them no update can be checked for: said, and the run ends on it."},
    {.step = "the update tool's start", .call = "ShellStartProgram", .detail = "Ubrel.exe",
     .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "An update tool that did not run downloaded nothing: that is no \"no updates\"."},
    {.step = "the post-setup program's final program", .call = "files::CanOpenForReading",
     .detail = "ZVNGen.exe", .report = Report{},
     .why = "The program the person waits for after the installation: said when it cannot "
            "start."},
    {.step = "the post-setup program's final program", .call = "RunCommandLine",
     .detail = "ZVNGen.exe", .report = Report{},
     .why = "The program the person waits for after the installation: said when it cannot "
            "start."},
    {.step = "the answer file of a silent run", .call = "files::CanOpenForReading",
     .detail = "answers.ini", .flows = "silent",
     .report = Report{.shows = "invalid-command-line ", .exitCode = 1639},
     .why = "A silent run without answers it can read must not begin."},
    {.step = "the setup-type program's start", .call = "ShellStartProgram", .detail = "Dravik.exe",
     .leeway = {{"starts", May::LoseOne, "Dravik.exe"}},
     .why = "Not reported: the values the program would have written are read as they are."},
    {.step = "the product installer's start", .call = "files::CanOpenForReading",
     .detail = "\\Setup.exe", .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "The run's purpose: it ends on a failure a person and the exit code must tell."},
    {.step = "the product installer's start", .call = "ShellStartProgram", .detail = "\\Setup.exe",
     .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "The run's purpose: it ends on a failure a person and the exit code must tell."},
    {.step = "a runtime package's or the database tools' start", .call = "files::CanOpenForReading",
     .detail = "\\VC\\", .report = Report{.failureLine = true},
     .why = "Said, and a failure of the run unless the installer still starts."},
    {.step = "a runtime package's or the database tools' start", .call = "ShellStartProgram",
     .detail = "\\VC\\", .report = Report{.failureLine = true},
     .why = "Said, and a failure of the run unless the installer still starts."},
    {.step = "a runtime package's or the database tools' start", .call = "files::CanOpenForReading",
     .detail = "DBToolsSetup.exe", .report = Report{.failureLine = true},
     .why = "Said, and a failure of the run unless the installer still starts."},
    {.step = "a runtime package's or the database tools' start", .call = "ShellStartProgram",
     .detail = "DBToolsSetup.exe", .report = Report{.failureLine = true},
     .why = "Said, and a failure of the run unless the installer still starts."},
    {.step = "a document opened", .call = "files::CanOpenForReading", .detail = ".pdf",
     .report = Report{},
     .why = "The person clicked for it: the box says it is missing; the run goes on."},
    {.step = "a document opened", .call = "ShellStart", .detail = ".pdf", .report = Report{},
     .why = "The person clicked for it: the box says it did not open; the run goes on."},
    {.step = "a path made whole", .call = "files::CanonicalizeWithShell", .detail = "",
     .report = Report{.orSkipped = true},
     .why = "A path the shell rejects names no file: whoever needs it says so (not found, or "
            "the copy's failure); the help file's path, kept for later, is not needed here."},
    {.step = "the installer's end", .call = "StartedProgram::ExitCode", .detail = "\\Setup.exe",
     .report = Report{.shows = "installer-ended code=unknown", .exitCode = 1603},
     .why = "An installer whose result cannot be read is no success."},

    // --- Reading the image's INI files ----------------------------------------
    {.step = "an INI file of the image, tested", .call = "files::IsPlainFile", .detail = ".ini",
     .report = Report{.orSkipped = true},
     .why = "A file the system cannot tell to be there is said unreadable. A read that need "
            "not be said (a package's command, read again for its process name) leaves no "
            "trace, or the command that reads as empty is not found, and that is said."},
    {.step = "an INI file of the image, read", .call = "files::ReadWholeFile", .detail = ".ini",
     .report = Report{.orSkipped = true},
     .why = "Each of its values would read as empty and lead the wizard astray: said. A read "
            "that need not be said leaves no trace, or its empty command is not found, said."},

    // --- Folders of the image and the server -------------------------------------
    {.step = "the server image test", .call = "files::FolderExists", .detail = "*\\Shared_Files",
     .why = "Not reported: the image is taken as one of the medium, with the same paths."},
    {.step = "the server image test", .call = "files::FolderExists", .detail = "*\\Setups",
     .why = "Not reported: the image is taken as one of the medium, with the same paths."},
    {.step = "the server image test", .call = "files::FolderExists", .detail = "*\\WSROOT",
     .why = "Not reported: the image is taken as one of the medium, with the same paths."},
    {.step = "the server folder at the server copy page", .call = "files::FolderExists",
     .detail = "*\\",
     .report = Report{.shows = "message kind=information caption=Achtung text=\"Das Installations-Verzeichnis auf dem Server"},
     .why = "A server folder that cannot be found is said; the page stays usable."},
    {.step = "an existing version folder", .call = "files::FolderExists", .detail = "Version_",
     .why = "A folder the system cannot tell about may be there: it is asked about as one that "
            "is, so nothing is overwritten unasked."},
    {.step = "the update's folder deleted before the unpacking", .call = "files::FolderExists",
     .detail = "TmpSetup",
     .why = "A folder that cannot be found is not deleted; the unpacking writes over it."},
    {.step = "the setup image folder", .call = "files::FolderExists", .detail = "",
     .report = Report{.shows = "folder-picker ", .orSkipped = true},
     .why = "An image folder that cannot be found is asked for with the folder picker; a "
            "folder an answer names that may be there is taken as there."},

    // --- The server copy --------------------------------------------------------
    {.step = "the copy marked incomplete before it begins", .call = "files::WriteWholeFile",
     .detail = "*Kopie_unvollstaendig.txt", .flows = "copy", .report = Report{.failureLine = true},
     .why = "A copy that could not be marked could be taken for complete if it broke off: it "
            "does not begin, and that is said."},
    {.step = "the mark removed as the copy's last step", .call = "files::DeleteFileAt",
     .detail = "*Kopie_unvollstaendig.txt", .flows = "copy", .report = Report{.failureLine = true},
     .why = "A copy whose mark stays counts as incomplete: said, and nothing goes on from it."},
    {.step = "the mark of a server copy tested", .call = "files::FileExists",
     .detail = "*Kopie_unvollstaendig.txt",
     .report = Report{.shows = "message kind=question caption=Achtung "
                               "text=\"Das Installations-Verzeichnis¶¶|message kind=failure ",
                      .orSkipped = true},
     .why = "A copy whose mark the system cannot tell about is taken for incomplete, never for "
            "complete: it is offered only to be copied again, and nothing installs from it; an "
            "incomplete copy stays what it was."},
    {.step = "the current-version file written", .call = "files::CopyFileInSteps",
     .detail = "*AktVersion.ini.neu", .flows = "copy", .leeway = {{"AktVersion.ini", May::AsBefore}},
     .why = "A closing step left out: the earlier AktVersion.ini stays as it was."},
    {.step = "the current-version file written", .call = "files::MoveReplacing",
     .detail = "*AktVersion.ini", .flows = "copy", .leeway = {{"AktVersion.ini", May::AsBefore}},
     .why = "A closing step left out: the earlier AktVersion.ini stays as it was."},
    {.step = "the workstation setup in the image", .call = "files::IsPlainFile",
     .detail = "WSROOT\\Selvor.exe", .report = Report{},
     .why = "An image without it is no image to copy: the medium is asked for."},
    {.step = "a folder of the image or the target listed", .call = "files::ListPlainFiles",
     .detail = "", .flows = "copy", .report = Report{.failureLine = true, .orSkipped = true},
     .leeway = {{"file ", May::AsBefore}},
     .why = "An image folder that cannot be listed is the copy's failure, said; one that is not "
            "there holds nothing to copy; a target folder that cannot be listed keeps its "
            "earlier files, which the copy overwrites or leaves."},
    {.step = "a target folder made", .call = "files::CreateOneFolder", .detail = "",
     .flows = "copy", .report = Report{.failureLine = true, .orSkipped = true},
     .why = "Not itself reported: a folder already there takes the copy; into one that is not, "
            "the copies fail and that is said."},
    {.step = "an earlier file in a target folder deleted", .call = "files::DeleteFileAt",
     .detail = "", .flows = "copy", .leeway = {{kFileNamed, May::AsBefore}},
     .why = "Emptying the target is best effort: a file that stays is overwritten or left."},
    {.step = "the wizard copied as the workstation setup", .call = "files::IsPlainFile",
     .detail = "Paldrix.exe", .leeway = {{"Selvor.exe", May::Differ}},
     .why = "A closing step: without the wizard the image's own Selvor.exe stays."},
    {.step = "a closing step of the copy", .call = "files::IsPlainFile", .detail = "",
     .flows = "copy",
     .why = "A closing step whose source is not there is left out."},
    {.step = "a file of the image copied", .call = "files::CopyFileInSteps", .detail = "",
     .flows = "copy",
     .report = Report{.failureLine = true, .orSkipped = true},
     .leeway = {{kFileNamed, May::AsBefore}},
     .why = "An image file that cannot be copied is the copy's failure, said; a closing step "
            "(the workstation setup, AktVersion.ini) that fails is left out."},

    // --- The update assistant and its patch package ------------------------------
    {.step = "the download folder listed", .call = "files::ListPlainFiles", .detail = "Download",
     .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "A folder that cannot be listed is no folder without updates: said, and the run "
            "ends on it."},
    {.step = "the patch package unpacked", .call = "cabinet::IterateCabinet", .detail = "",
     .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "An update that cannot be unpacked is said, and the run ends on it."},
    {.step = "the patch package unpacked", .call = "files::CreateOneFolder", .detail = "",
     .flows = "update assistant", .report = Report{.failureLine = true, .exitCode = 1603, .orSkipped = true},
     .why = "Not itself reported: a folder already there takes the files; into one that is not, "
            "the unpacking fails and that is said."},
    {.step = "the package's other files taken along", .call = "files::ListAllFiles",
     .detail = "Download", .report = Report{.failureLine = true, .exitCode = 1603, .orSkipped = true},
     .leeway = {{"file ", May::AsBefore}},
     .why = "A download folder that cannot be read is said, and the run ends on it; one that is "
            "not there holds nothing to take along."},
    {.step = "the dialog settings saved", .call = "files::CopyFileReplacing",
     .detail = "NeueDialoge", .leeway = {{kFileNamed, May::AsBefore}},
     .why = "A copy kept in case; its failure ends the step without a word."},
    {.step = "the package's other files taken along", .call = "files::CopyFileReplacing",
     .detail = "", .flows = "update assistant", .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "An update without its files is said, and the run ends on it."},
    {.step = "an INF file of the patch package edited", .call = "files::ReadWholeFile",
     .detail = ".inf", .flows = "-EDITINF", .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "An edit that could not be made is said, and -EDITINF ends with 1603."},
    {.step = "an INF file of the patch package edited", .call = "files::WriteWholeFile",
     .detail = ".inf", .flows = "-EDITINF", .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "An edit that could not be made is said, and -EDITINF ends with 1603."},
    {.step = "an INF file of the patch package edited or read", .call = "files::ReadWholeFile",
     .detail = "", .flows = "update assistant", .report = Report{},
     .why = "An edit or a record of the patch that could not be made is said; the update goes "
            "on without it."},
    {.step = "an INF file of the patch package edited", .call = "files::WriteWholeFile",
     .detail = "", .flows = "update assistant", .report = Report{},
     .why = "An edit or a record of the patch that could not be made is said; the update goes "
            "on without it."},

    // --- The old installation files page ---------------------------------------
    {.step = "an old version folder deleted", .call = "files::ListEntries", .detail = "Version_",
     .flows = "old installation", .report = Report{},
     .why = "A deletion that stops is said once; what was deleted stays deleted."},
    {.step = "the version folders on the server listed", .call = "files::ListEntries",
     .detail = "", .flows = "old installation",
     .leeway = {{"pages", May::LoseOne, "VersionsListe"}, {"file ", May::AsBefore}},
     .why = "A server folder that cannot be listed holds no version folders to offer: the page "
            "of old files does not come, and nothing is deleted."},
    {.step = "an old version folder deleted", .call = "files::DeleteFileIfWritable", .detail = "",
     .flows = "old installation", .report = Report{},
     .why = "A deletion that stops is said once; what was deleted stays deleted."},
    {.step = "an old version folder deleted", .call = "files::RemoveEmptyFolder", .detail = "",
     .flows = "old installation", .report = Report{},
     .why = "A deletion that stops is said once; what was deleted stays deleted."},

    // --- Answers recorded and replayed -------------------------------------------
    {.step = "an answer recorded", .call = "profile::WriteString", .detail = "answers.ini",
     .report = Report{},
     .why = "A file that lacks an answer would lead a later replay astray: the person "
            "recording is told."},
    {.step = "an answer recorded", .call = "profile::DeleteSection", .detail = "answers.ini",
     .report = Report{},
     .why = "A page's earlier answers that stay would be replayed: the person recording is "
            "told."},
    {.step = "an answer recorded", .call = "files::WriteWholeFile", .detail = "answers.ini",
     .report = Report{},
     .why = "A file that keeps an earlier run's answers would lead a replay astray: the person "
            "recording is told."},
    {.step = "an answer replayed", .call = "profile::ReadString", .detail = "answers.ini",
     .flows = "silent", .report = Report{.shows = "replay-stopped ", .exitCode = 1603, .orSkipped = true},
     .why = "An answer that cannot be read stops the replay there; with no one at the screen "
            "the run ends on it. One the page does not need is not missed."},

    // --- The registry -----------------------------------------------------------
    {.step = "a registry value written", .call = "WriteRegistryString", .detail = "",
     .leeway = {{kValueWritten, May::Differ}},
     .why = "Registry writes are skipped without a word (no rights): the value stays as it "
            "was (before the run, or as the run wrote it earlier)."},
    {.step = "a registry value removed", .call = "DeleteRegistryValue", .detail = "",
     .leeway = {{kValueWritten, May::AsBefore}},
     .why = "Not reported: the value stays."},
    {.step = "the runtime already installed", .call = "ReadRegistry", .detail = "VCRedist2",
     .report = Report{.shows = "failure ", .orSkipped = true},
     .leeway = {{"starts", May::GainOne, "vcredist2.exe"}},
     .why = "A value that cannot be read is not set: the package runs once more (an image "
            "without it says so)."},
    {.step = "a runtime already installed", .call = "ReadRegistry", .detail = "\\VC\\Runtimes",
     .report = Report{.shows = "failure ", .orSkipped = true},
     .leeway = {{"starts", May::GainOne, "\\VC\\"}},
     .why = "A runtime whose key cannot be read counts as missing: its package runs once more "
            "(an image without it says so), or, read after its package, it is a runtime still "
            "missing: the record's failure, which the run ends on unless the installer starts."},
    {.step = "the installation folder of the patch record", .call = "ReadRegistry",
     .detail = "^SOFTWARE\\Wow6432Node\\Zevrin\\Setup\\Destinations\\QUENOR",
     .flows = "update assistant", .leeway = {{"Tolvane.inf", May::AsBefore}},
     .why = "Read as empty, the other key names the folder as stored, without the backslash the "
            "record needs: the product INF is not found there and the record is not made, as "
            "for a product installed without it."},
    {.step = "the installation folder of the update assistant", .call = "ReadRegistry",
     .detail = "Destinations\\QUENOR", .flows = "update assistant",
     .report = Report{.failureLine = true, .exitCode = 1603},
     .why = "No folder, no assistant: said, and the run ends on it."},
    {.step = "a version record taken back", .call = "ReadRegistry", .detail = "Quenor\\Build",
     .flows = "exit question", .leeway = {{"registry HKLM\\software\\zevrin\\quenor\\build", May::Empty}},
     .why = "An earlier value that cannot be read is empty, and the exit question puts back an "
            "empty one: the registry cannot tell a failed read from a missing value."},
    {.step = "a version record taken back", .call = "ReadRegistry", .detail = "Quenor\\Release",
     .flows = "exit question", .leeway = {{"registry HKLM\\software\\zevrin\\quenor\\release", May::Empty}},
     .why = "An earlier value that cannot be read is empty, and the exit question puts back an "
            "empty one: the registry cannot tell a failed read from a missing value."},
    {.step = "the silent setup before", .call = "ReadRegistry", .detail = "StillesSetupProtokoll",
     .leeway = {{"boxes", May::Differ}, {"record-exit", May::Differ},
                {"registry HKLM\\software\\zevrin\\quenor\\stillessetupprotokoll", May::AsBefore}},
     .why = "A value that cannot be read is not there: the program runs as after a setup with a "
            "person at the screen, with its boxes and without the setup's record."},
    {.step = "the system type", .call = "ComputerSystemTypes", .detail = "", .flows = "post-setup",
     .report = Report{},
     .why = "WMI that cannot be reached reads as 32-bit: the other key names no folder here, and "
            "the final program not found there is said."},
    {.step = "the installation folder of the post-setup program", .call = "ReadRegistry",
     .detail = "Destinations\\Quenor", .flows = "post-setup", .report = Report{},
     .why = "No folder: its final program is not found there, and that is said."},
    {.step = "a restart flag", .call = "ReadRegistry", .detail = "StarteDatensicherung",
     .flows = "post-setup",
     .leeway = {{"services", May::LoseOne, "ZVBKPSRV"}, {"boxes", May::LoseOne, kBackupWarning},
                {"registry HKLM\\software\\zevrin\\quenor\\startedatensicherung", May::AsBefore}},
     .why = "A flag that cannot be read is not set: the component is left, its flag stays, and "
            "the next run starts it."},
    {.step = "a restart flag", .call = "ReadRegistry", .detail = "StarteExchangeSynchronisierung",
     .flows = "post-setup",
     .leeway = {{"services", May::LoseOne, "ZevrinExchangeSync"}, {"boxes", May::LoseOne, kExchangeWarning},
                {"registry HKLM\\software\\zevrin\\quenor\\starteexchangesynchronisierung", May::AsBefore}},
     .why = "A flag that cannot be read is not set: the component is left, its flag stays, and "
            "the next run starts it."},
    {.step = "a restart flag", .call = "ReadRegistry", .detail = "StarteNotfallauftragsueberwachung",
     .flows = "post-setup",
     .leeway = {{"starts", May::LoseOne, "Zevrin.App.ZevrinFTPLookUp.exe"},
                {"boxes", May::LoseOne, kMonitorWarning},
                {"registry HKLM\\software\\zevrin\\quenor\\startenotfallauftragsueberwachung", May::AsBefore}},
     .why = "A flag that cannot be read is not set: the component is left, its flag stays, and "
            "the next run starts it."},

    // --- Services and processes ----------------------------------------------------
    {.step = "the backup service's state", .call = "QueryServiceState", .detail = "ZVBKPSRV",
     .flows = "post-setup",
     .leeway = {{"services", May::LoseOne, "ZVBKPSRV"}, {"boxes", May::LoseOne, kBackupWarning},
                {"registry HKLM\\software\\zevrin\\quenor\\startedatensicherung", May::AsBefore}},
     .why = "A service whose state cannot be read is left alone; its flag stays for the next "
            "run."},
    {.step = "the Exchange synchronisation's state", .call = "QueryServiceState",
     .detail = "ZevrinExchangeSync", .flows = "post-setup",
     .leeway = {{"services", May::LoseOne, "ZevrinExchangeSync"}, {"boxes", May::LoseOne, kExchangeWarning},
                {"registry HKLM\\software\\zevrin\\quenor\\starteexchangesynchronisierung", May::AsBefore}},
     .why = "A service whose state cannot be read is left alone; its flag stays for the next "
            "run."},
    {.step = "the backup service's state", .call = "QueryServiceState", .detail = "ZVBKPSRV",
     .leeway = {{"services", May::LoseOne, "ZVBKPSRV"}, {"boxes", May::LoseOne, kBackupWarning},
                {"registry HKLM\\software\\zevrin\\quenor\\startedatensicherung", May::AsBefore},
                {"registry HKLM\\software\\zevrin\\quenor\\sicherungsname", May::AsBefore}},
     .why = "A service whose state cannot be read counts as not running: it is left alone, "
            "without warning or flag."},
    {.step = "the Exchange synchronisation's state", .call = "QueryServiceState",
     .detail = "ZevrinExchangeSync",
     .leeway = {{"services", May::LoseOne, "ZevrinExchangeSync"}, {"boxes", May::LoseOne, kExchangeWarning},
                {"registry HKLM\\software\\zevrin\\quenor\\starteexchangesynchronisierung", May::AsBefore}},
     .why = "A service whose state cannot be read counts as not running: it is left alone, "
            "without warning or flag."},
    {.step = "a service stopped", .call = "SendServiceStop", .detail = "",
     .leeway = {{"services", May::LoseOne, "stop "}},
     .why = "Whether the stop succeeds is not checked: the warning and the flag stand, the "
            "record says the request was refused, and the post-setup program finds the "
            "service running."},
    {.step = "a service started again", .call = "StartServiceNoArguments", .detail = "",
     .report = Report{},
     .why = "A component that stays down must be said, never said to run again; its flag "
            "stays for the next run."},
    {.step = "the emergency-order monitor started again", .call = "RunCommandLine",
     .detail = "Zevrin.App.ZevrinFTPLookUp.exe\"", .report = Report{},
     .why = "A component that stays down must be said."},
    {.step = "the process list", .call = "RunningProcessNames", .detail = "",
     .leeway = {{"starts", May::LoseOne, "taskkill /F /IM"}, {"boxes", May::LoseOne, kMonitorWarning},
                {"registry HKLM\\software\\zevrin\\quenor\\startenotfallauftragsueberwachung", May::AsBefore}},
     .why = "A list that cannot be taken reads as no process running: the monitor is left "
            "running, without warning or flag; waits end at once."},
    {.step = "a program ended with taskkill", .call = "RunCommandLine", .detail = "taskkill",
     .leeway = {{"starts", May::LoseOne, "taskkill"}},
     .why = "Not checked: the warning and the flag stand."},
};
// clang-format on

bool Matches(const StepRule& rule, const platform::faults::CountedCall& call, unsigned long code,
             const std::string& flow) {
    const std::string_view detail = rule.detail;
    const std::string_view called = call.detail;
    const bool named = detail.starts_with('*')   ? called.ends_with(detail.substr(1))
                       : detail.starts_with('^') ? called.starts_with(detail.substr(1))
                                                 : called.find(detail) != std::string_view::npos;
    return call.name == rule.call && named && flow.find(rule.flows) != std::string::npos &&
           (rule.codes.empty() ||
            std::find(rule.codes.begin(), rule.codes.end(), code) != rule.codes.end());
}

}  // namespace

const std::vector<StepRule>& StepRules() { return kRules; }

const StepRule* RuleFor(const platform::faults::CountedCall& call, unsigned long code,
                        const std::string& flow) {
    for (const StepRule& rule : kRules) {
        if (Matches(rule, call, code, flow)) return &rule;
    }
    return nullptr;
}

bool IsExemption(const StepRule& rule) { return !rule.leeway.empty() || rule.recordLineLost; }

}  // namespace fault_sweep
