#include "wizard/base/SetupSession.h"

namespace {
SetupSession session;
}

SetupSession& Session() { return session; }

void ResetSession() { session = SetupSession(); }
