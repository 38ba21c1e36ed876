#include "wizard/updates/modCallback.h"

#include "wizard/updates/CabFile.h"

namespace {
CabFile* callbackTarget = nullptr;
}

void SetCallbackTarget(CabFile* target) { callbackTarget = target; }

void ForgetCallbackTarget(const CabFile* target) {
    if (callbackTarget == target) callbackTarget = nullptr;
}

unsigned CabinetCallback(unsigned context,
                         const platform::cabinet::Notification& notification) noexcept {
    if (callbackTarget == nullptr) return platform::cabinet::kAbort;
    return callbackTarget->CabCallBack(context, notification);
}
