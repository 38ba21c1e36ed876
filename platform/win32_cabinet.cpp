#include <windows.h>
// setupapi.h builds on windows.h.
#include <setupapi.h>

#include "platform/Cabinet.h"

namespace platform::cabinet {
namespace {

struct Iteration {
    unsigned context;
    Callback callback;
};

std::string FromAnsiPointer(const char* text) {
    if (text == nullptr) return {};
    return std::string(text, static_cast<size_t>(lstrlenA(text)));
}

UINT CALLBACK Trampoline(PVOID context, UINT code, UINT_PTR first, UINT_PTR) {
    const auto& iteration = *static_cast<const Iteration*>(context);
    // No exception may unwind through setupapi: the copies below allocate.
    try {
        Notification notification;
        notification.code = code;
        if (code == SPFILENOTIFY_FILEINCABINET && first != 0) {
            auto* info = reinterpret_cast<FILE_IN_CABINET_INFO_A*>(first);
            notification.name = FromAnsiPointer(info->NameInCabinet);
            notification.fullTargetName = std::span<char>(info->FullTargetName);
        } else if (code == SPFILENOTIFY_FILEEXTRACTED && first != 0) {
            auto* paths = reinterpret_cast<FILEPATHS_A*>(first);
            notification.name = FromAnsiPointer(paths->Target);
            notification.win32Error = paths->Win32Error;
        } else if (code == SPFILENOTIFY_NEEDNEWCABINET && first != 0) {
            notification.name =
                FromAnsiPointer(reinterpret_cast<CABINET_INFO_A*>(first)->CabinetFile);
        }
        return iteration.callback(iteration.context, notification);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return code == SPFILENOTIFY_FILEINCABINET ? FILEOP_ABORT : ERROR_NOT_ENOUGH_MEMORY;
    }
}

static_assert(SPFILENOTIFY_FILEINCABINET == kFileInCabinet);
static_assert(SPFILENOTIFY_NEEDNEWCABINET == kNeedNewCabinet);
static_assert(SPFILENOTIFY_FILEEXTRACTED == kFileExtracted);
static_assert(FILEOP_ABORT == kAbort && FILEOP_DOIT == kExtract && FILEOP_SKIP == kSkip);
static_assert(sizeof(FILE_IN_CABINET_INFO_A::FullTargetName) == MAX_PATH);

}  // namespace

IterationResult IterateCabinet(const std::string& cabinet, unsigned context, Callback callback) {
    Iteration iteration{context, callback};
    SetLastError(0);
    BOOL ok = SetupIterateCabinetA(cabinet.c_str(), 0, Trampoline, &iteration);
    return {ok != FALSE, ok ? 0ul : GetLastError()};
}

}  // namespace platform::cabinet
