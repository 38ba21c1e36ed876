// The first failure of a copy run: its Win32 code and the system's
// description. Later failures never replace it.
#pragma once

#include <string>

#include "platform/Files.h"

// Win32 codes the copy records for failures it finds itself.
inline constexpr unsigned long kPathNotFound = 3;     // ERROR_PATH_NOT_FOUND
inline constexpr unsigned long kGeneralFailure = 31;  // ERROR_GEN_FAILURE
inline constexpr unsigned long kPathTooLong = 206;    // ERROR_FILENAME_EXCED_RANGE

struct CopyError {
    unsigned long code = 0;  // 0: no failure
    std::string text;

    bool Failed() const { return code != 0; }
    // A failure whose cause the system did not say still counts as one.
    void Record(unsigned long failure) {
        if (Failed()) return;
        code = failure != 0 ? failure : kGeneralFailure;
        text = platform::files::ErrorDescription(code);
    }
};
