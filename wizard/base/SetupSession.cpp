#include "wizard/base/SetupSession.h"

#include "shared/Messages.h"
#include "ui/Form.h"

namespace {
SetupSession session;
}

SetupSession& Session() { return session; }

void ResetSession() {
    session = SetupSession();
    messages::EndUnattended();
    ui::KeepWindowsHidden(false);
}
