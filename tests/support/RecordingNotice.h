// A notice form that records when it is shown and unloaded.
#pragma once

#include <string>

#include "wizard/base/NoticeForm.h"

namespace testing_support {

class RecordingNotice : public NoticeForm {
public:
    void Show() override { events += "show;"; }
    void Unload() override { events += "unload;"; }
    std::string events;
};

}  // namespace testing_support
