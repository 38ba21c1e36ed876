#include <windows.h>

#include "platform/ScopedHandle.h"
#include "platform/WorkAside.h"

namespace platform {
namespace {

constexpr DWORD kBetweenMilliseconds = 10;

// One helper for the whole run, started on first use. It is never ended:
// the program ends it with everything else.
class Helper {
  public:
    static Helper* Get() {
        // Left to the end of the program on purpose: a destructor at exit
        // would wait for a thread that waits for work.
        static Helper* helper = new Helper;
        return helper->thread_ ? helper : nullptr;
    }

    bool Busy() const { return job_ != nullptr; }

    void Run(const std::function<void()>& work, const std::function<void()>& between) {
        job_ = &work;
        SetEvent(ready_.Get());
        try {
            while (WaitForSingleObject(done_.Get(), kBetweenMilliseconds) == WAIT_TIMEOUT) {
                between();
            }
        } catch (...) {
            // The work still uses what the caller is about to give up.
            WaitForSingleObject(done_.Get(), INFINITE);
            job_ = nullptr;
            throw;
        }
        job_ = nullptr;
        SetLastError(lastError_);
    }

  private:
    Helper()
        : ready_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
          done_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
        if (ready_ && done_) thread_.Reset(CreateThread(nullptr, 0, &Helper::Loop, this, 0, nullptr));
    }

    static DWORD WINAPI Loop(void* self) {
        Helper& helper = *static_cast<Helper*>(self);
        for (;;) {
            WaitForSingleObject(helper.ready_.Get(), INFINITE);
            try {
                (*helper.job_)();
                helper.lastError_ = GetLastError();
            } catch (...) {
                // Nothing may escape a thread; the caller sees a failure.
                helper.lastError_ = ERROR_GEN_FAILURE;
            }
            SetEvent(helper.done_.Get());
        }
    }

    ScopedKernelHandle ready_, done_, thread_;
    const std::function<void()>* job_ = nullptr;
    DWORD lastError_ = 0;
};

}  // namespace

void RunAside(const std::function<void()>& work, const std::function<void()>& between) {
    Helper* helper = Helper::Get();
    if (helper == nullptr || helper->Busy()) {
        work();
        return;
    }
    helper->Run(work, between);
}

}  // namespace platform
