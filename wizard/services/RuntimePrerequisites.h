// Runtime libraries the suite needs, installed from the packages that the
// setup image names in Install.ini, and a stale localisation library of the
// old MFC runtime moved aside.
#pragma once

class NoticeForm;

// Renames SysWOW64\Mfc42loc.dll to Mfc42loc.dl_, replacing an older backup.
void DisableMfc42Loc();

// Each runs its package when the runtime's Version value is missing. The x64
// members test the x86 key too, so they run only when the x86 package failed.
void InstallVcRuntime110x86();
void InstallVcRuntime120x86();
void InstallVcRuntime140x86();
void InstallVcRuntime110x64();
void InstallVcRuntime120x64();

// The whole prerequisites step, with the notice form on the screen while
// the packages run.
void InstallRuntimePrerequisites(NoticeForm& notice);
