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
    // A file written under a stand-in name, moved to its target once written.
    std::wstring standIn, target;
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

bool FitsTheCodePage(const std::wstring& text) {
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr,
                        &lost);
    return !lost;
}

// Wine's setupapi opens the target through the ANSI code page, so a path
// outside it cannot be written there. Such a file is written under a
// stand-in name in the target's folder, reached by its short name, and moved
// into place once written. Where the folder has no such short name the
// target is handed over as it is.
std::wstring StandInFor(const std::wstring& target) {
    const size_t slash = target.find_last_of(L'\\');
    if (FitsTheCodePage(target) || slash == std::wstring::npos) return {};
    std::wstring folder(MAX_PATH, L'\0');
    const DWORD length = GetShortPathNameW(target.substr(0, slash).c_str(), folder.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    folder.resize(length);
    const std::wstring standIn = folder + L"\\~cabinet-file.tmp";
    return FitsTheCodePage(standIn) ? standIn : std::wstring();
}

// The answer kExtract needs the target in setupapi's fixed buffer.
UINT PlaceTarget(Iteration& iteration, const std::string& target, FILE_IN_CABINET_INFO_W& info) {
    const std::wstring wide = ToWide(target);
    if (wide.empty() || wide.size() >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FILEOP_ABORT;
    }
    iteration.standIn = StandInFor(wide);
    iteration.target = wide;
    const std::wstring& placed = iteration.standIn.empty() ? wide : iteration.standIn;
    placed.copy(info.FullTargetName, placed.size());
    info.FullTargetName[placed.size()] = L'\0';
    return FILEOP_DOIT;
}

UINT FileInCabinet(Iteration& iteration, FILE_IN_CABINET_INFO_W& info) {
    Notification notification;
    notification.code = SPFILENOTIFY_FILEINCABINET;
    notification.name = StoredName(info.NameInCabinet, info.DosAttribs);
    std::string target;
    notification.targetPath = &target;
    const unsigned answer = iteration.callback(iteration.context, notification);
    return answer == kExtract ? PlaceTarget(iteration, target, info) : answer;
}

// The file written: moved from its stand-in name when it has one.
UINT FileExtracted(Iteration& iteration, const FILEPATHS_W& paths) {
    Notification notification;
    notification.code = SPFILENOTIFY_FILEEXTRACTED;
    notification.name = FromWide(paths.Target);
    notification.win32Error = paths.Win32Error;
    if (!iteration.standIn.empty() && lstrcmpiW(paths.Target, iteration.standIn.c_str()) == 0) {
        notification.name = FromWide(iteration.target);
        if (notification.win32Error == 0 &&
            !MoveFileExW(iteration.standIn.c_str(), iteration.target.c_str(),
                         MOVEFILE_REPLACE_EXISTING)) {
            notification.win32Error = GetLastError();
        }
        DeleteFileW(iteration.standIn.c_str());
        iteration.standIn.clear();
    }
    return iteration.callback(iteration.context, notification);
}

UINT CALLBACK Trampoline(PVOID context, UINT code, UINT_PTR first, UINT_PTR) {
    auto& iteration = *static_cast<Iteration*>(context);
    // No exception may unwind through setupapi: the copies below allocate.
    try {
        if (code == SPFILENOTIFY_FILEINCABINET && first != 0) {
            return FileInCabinet(iteration, *reinterpret_cast<FILE_IN_CABINET_INFO_W*>(first));
        }
        if (code == SPFILENOTIFY_FILEEXTRACTED && first != 0) {
            return FileExtracted(iteration, *reinterpret_cast<FILEPATHS_W*>(first));
        }
        Notification notification;
        notification.code = code;
        if (code == SPFILENOTIFY_NEEDNEWCABINET && first != 0) {
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
    Iteration iteration{context, callback, {}, {}};
    SetLastError(0);
    BOOL ok = SetupIterateCabinetW(ToWide(cabinet).c_str(), 0, Trampoline, &iteration);
    return {ok != FALSE, ok ? 0ul : GetLastError()};
}

}  // namespace platform::cabinet
