// The process list through a tool-help snapshot, and the end of this one.
#include "platform/ScopedHandle.h"
#include "platform/TextConversion.h"
#include "platform/Win32Platform.h"

namespace platform {

std::optional<std::vector<std::string>> Win32Platform::RunningProcessNames() {
    ScopedKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return std::nullopt;
    std::vector<std::string> names;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        // szExeFile is a fixed array; never read past it even without a NUL.
        names.push_back(
            FromWide(std::wstring_view(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH))));
    }
    return names;
}

void Win32Platform::ExitProgram(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

namespace {

class MutexLock final : public InstanceLock {
  public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
    ~MutexLock() override {
        if (mutex_) ReleaseMutex(mutex_.Get());
    }

  private:
    ScopedKernelHandle mutex_;
};

}  // namespace

std::unique_ptr<InstanceLock> Win32Platform::LockMachineWide(const std::string& name) {
    // "Global\\": one lock for every session of the machine, terminal
    // server sessions included.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, ToWide("Global\\" + name).c_str());
    const DWORD error = GetLastError();
    if (mutex != nullptr && error != ERROR_ALREADY_EXISTS) {
        return std::make_unique<MutexLock>(mutex);
    }
    if (mutex != nullptr) CloseHandle(mutex);
    // Another session's lock may be closed to this user; it is held all the
    // same. A lock that cannot be made at all must not keep the setup from
    // running.
    if (mutex != nullptr || error == ERROR_ACCESS_DENIED) return nullptr;
    return std::make_unique<MutexLock>(nullptr);
}

}  // namespace platform
