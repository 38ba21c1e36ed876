#include <windows.h>
// setupapi.h builds on windows.h.
#include <setupapi.h>

#include "platform/Cabinet.h"
#include "platform/TextConversion.h"
#include "platform/TextEncoding.h"

namespace platform::cabinet {
namespace {

struct Iteration {
    unsigned context;
    Callback callback;
};

// The cabinet flags a name stored in UTF-8 with this attribute.
constexpr USHORT kNameIsUtf8 = 0x80;

// Setupapi turns a stored name into UTF-16 through the ANSI code page, also
// one that the cabinet flags as UTF-8 (Wine does; Windows is not documented
// to do otherwise). Such a name, taken back to its stored bytes, is read as
// UTF-8. A name that does not go back to valid UTF-8 was decoded already.
std::string StoredName(const wchar_t* name, USHORT attributes) {
    const std::string decoded = FromWide(name);
    if ((attributes & kNameIsUtf8) == 0) return decoded;
    const std::wstring wide(name);
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                           static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                           &lost);
    std::string stored(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        stored.data(), length, nullptr, &lost);
    if (lost) return decoded;
    for (size_t at = 0; at < stored.size();) {
        const encoding::CodePoint point = encoding::DecodeUtf8At(stored, at);
        if (!point.valid) return decoded;
        at += point.length;
    }
    return stored;
}

// The answer kExtract needs the target in setupapi's fixed buffer.
UINT PlaceTarget(const std::string& target, FILE_IN_CABINET_INFO_W& info) {
    const std::wstring wide = ToWide(target);
    if (wide.empty() || wide.size() >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FILEOP_ABORT;
    }
    wide.copy(info.FullTargetName, wide.size());
    info.FullTargetName[wide.size()] = L'\0';
    return FILEOP_DOIT;
}

UINT FileInCabinet(const Iteration& iteration, FILE_IN_CABINET_INFO_W& info) {
    Notification notification;
    notification.code = SPFILENOTIFY_FILEINCABINET;
    notification.name = StoredName(info.NameInCabinet, info.DosAttribs);
    std::string target;
    notification.targetPath = &target;
    const unsigned answer = iteration.callback(iteration.context, notification);
    return answer == kExtract ? PlaceTarget(target, info) : answer;
}

UINT CALLBACK Trampoline(PVOID context, UINT code, UINT_PTR first, UINT_PTR) {
    const auto& iteration = *static_cast<const Iteration*>(context);
    // No exception may unwind through setupapi: the copies below allocate.
    try {
        if (code == SPFILENOTIFY_FILEINCABINET && first != 0) {
            return FileInCabinet(iteration, *reinterpret_cast<FILE_IN_CABINET_INFO_W*>(first));
        }
        Notification notification;
        notification.code = code;
        if (code == SPFILENOTIFY_FILEEXTRACTED && first != 0) {
            auto* paths = reinterpret_cast<FILEPATHS_W*>(first);
            notification.name = FromWide(paths->Target);
            notification.win32Error = paths->Win32Error;
        } else if (code == SPFILENOTIFY_NEEDNEWCABINET && first != 0) {
            notification.name = FromWide(reinterpret_cast<CABINET_INFO_W*>(first)->CabinetFile);
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
static_assert(sizeof(FILE_IN_CABINET_INFO_W::FullTargetName) / sizeof(WCHAR) ==
              kMaxTargetPath + 1);

}  // namespace

IterationResult IterateCabinet(const std::string& cabinet, unsigned context, Callback callback) {
    Iteration iteration{context, callback};
    SetLastError(0);
    BOOL ok = SetupIterateCabinetW(ToWide(cabinet).c_str(), 0, Trampoline, &iteration);
    return {ok != FALSE, ok ? 0ul : GetLastError()};
}

}  // namespace platform::cabinet
