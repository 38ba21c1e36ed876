// Starting documents and programs through the shell or a plain command line,
// and the one late-bound COM call the wizard makes.
#include <windows.h>
// shellapi.h builds on windows.h.
#include <shellapi.h>

#include <optional>
#include <vector>

#include "platform/ComScope.h"
#include "platform/ScopedHandle.h"
#include "platform/TextConversion.h"
#include "platform/Win32Platform.h"

namespace platform {

std::intptr_t Win32Platform::ShellStart(const std::string& operation, const std::string& file,
                                        const std::string& parameters,
                                        const std::string& workingFolder, WindowStyle style) {
    const std::wstring wideParameters = ToWide(parameters);
    const std::wstring wideFolder = ToWide(workingFolder);
    HINSTANCE result = ShellExecuteW(nullptr, ToWide(operation).c_str(), ToWide(file).c_str(),
                                     parameters.empty() ? nullptr : wideParameters.c_str(),
                                     workingFolder.empty() ? nullptr : wideFolder.c_str(),
                                     static_cast<int>(style));
    return reinterpret_cast<std::intptr_t>(result);
}

namespace {

class Win32StartedProgram final : public StartedProgram {
  public:
    explicit Win32StartedProgram(HANDLE process) : process_(process) {}

    bool WaitForEnd(unsigned milliseconds) override {
        const ULONGLONG deadline = GetTickCount64() + milliseconds;
        HANDLE process = process_.Get();
        for (;;) {
            // The windows answer at once; no time passes in polling.
            Current().PumpEvents();
            const ULONGLONG now = GetTickCount64();
            const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
            const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
            if (woken == WAIT_OBJECT_0) return true;
            if (woken != WAIT_OBJECT_0 + 1) return false;  // time is up, or the wait failed
        }
    }

    std::optional<long> ExitCode() override {
        DWORD code = 0;
        if (!GetExitCodeProcess(process_.Get(), &code) || code == STILL_ACTIVE) return std::nullopt;
        return static_cast<long>(code);
    }

  private:
    ScopedKernelHandle process_;
};

// The program of a command line that names it without a folder, taken from
// the system folder; CreateProcess would look beside the wizard first, on a
// CD or share where anyone may have put a taskkill.exe of their own. Empty
// when the command names a folder itself. nullopt when the system folder
// has no such program: it is not looked for anywhere else.
std::optional<std::wstring> SystemProgramOf(const std::string& commandLine) {
    std::string program = commandLine.substr(0, commandLine.find(' '));
    if (program.size() >= 2 && program.front() == '"' && program.back() == '"') {
        program = program.substr(1, program.size() - 2);
    }
    if (program.find_first_of("\\/:") != std::string::npos) return std::wstring();
    if (program.empty() || program.find('"') != std::string::npos) return std::nullopt;
    if (program.find('.') == std::string::npos) program += ".exe";
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    const std::wstring path = std::wstring(folder, length) + L"\\" + ToWide(program);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return path;
}

}  // namespace

ShellStartResult Win32Platform::ShellStartProgram(const std::string& operation,
                                                  const std::string& file,
                                                  const std::string& parameters,
                                                  const std::string& workingFolder,
                                                  WindowStyle style) {
    const std::wstring wideOperation = ToWide(operation);
    const std::wstring wideFile = ToWide(file);
    const std::wstring wideParameters = ToWide(parameters);
    const std::wstring wideFolder = ToWide(workingFolder);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = wideOperation.c_str();
    info.lpFile = wideFile.c_str();
    info.lpParameters = parameters.empty() ? nullptr : wideParameters.c_str();
    info.lpDirectory = workingFolder.empty() ? nullptr : wideFolder.c_str();
    info.nShow = static_cast<int>(style);
    ShellStartResult result;
    const BOOL started = ShellExecuteExW(&info);
    result.code = reinterpret_cast<std::intptr_t>(info.hInstApp);
    if (!started && result.code > 32) result.code = SE_ERR_NOASSOC;
    if (info.hProcess != nullptr) {
        result.program = std::make_unique<Win32StartedProgram>(info.hProcess);
    }
    return result;
}

bool Win32Platform::RunCommandLine(const std::string& commandLine, WindowStyle style) {
    const std::optional<std::wstring> program = SystemProgramOf(commandLine);
    if (!program) return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(style);
    PROCESS_INFORMATION process{};
    std::wstring mutableLine = ToWide(commandLine);
    if (!CreateProcessW(program->empty() ? nullptr : program->c_str(), mutableLine.data(), nullptr,
                        nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    ScopedKernelHandle thread(process.hThread);
    ScopedKernelHandle owner(process.hProcess);
    return true;
}

bool Win32Platform::SetCurrentDrive(const std::string& drive) {
    // "D:" on its own means that drive's current folder.
    return !drive.empty() && SetCurrentDirectoryW(ToWide(drive).c_str());
}

bool Win32Platform::SetCurrentFolder(const std::string& folder) {
    return !folder.empty() && SetCurrentDirectoryW(ToWide(folder).c_str());
}

bool Win32Platform::CallComMethod(const std::string& progId, const std::string& method) {
    ComScope com;
    CLSID classId{};
    if (FAILED(CLSIDFromProgID(ToWide(progId).c_str(), &classId))) return false;
    ScopedComPointer<IDispatch> object;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_ALL, IID_IDispatch,
                                reinterpret_cast<void**>(object.Receive())))) {
        return false;
    }
    std::wstring wideMethod = ToWide(method);
    LPOLESTR names[] = {wideMethod.data()};
    DISPID id = 0;
    if (FAILED(object.Get()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return false;
    }
    DISPPARAMS noArguments{};
    return SUCCEEDED(object.Get()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                          &noArguments, nullptr, nullptr, nullptr));
}

}  // namespace platform
