// System facts: WMI's computer system type, folders, the command line, the
// clock and the user's date format.
#include <windows.h>
#include <wbemidl.h>

#include <vector>

#include "platform/ComScope.h"
#include "platform/ScopedHandle.h"
#include "platform/TextConversion.h"
#include "platform/Win32Platform.h"

namespace platform {
namespace {

class ScopedBstr {
public:
    explicit ScopedBstr(const wchar_t* text) : bstr_(SysAllocString(text)) {}
    ~ScopedBstr() { SysFreeString(bstr_); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR Get() const { return bstr_; }

private:
    BSTR bstr_;
};

class ScopedVariant {
public:
    ScopedVariant() { VariantInit(&value_); }
    ~ScopedVariant() { VariantClear(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT* Receive() { return &value_; }
    const VARIANT& Get() const { return value_; }

private:
    VARIANT value_;
};

ScopedComPointer<IWbemServices> ConnectCimv2() {
    ScopedComPointer<IWbemLocator> locator;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(locator.Receive())))) {
        return {};
    }
    ScopedComPointer<IWbemServices> services;
    ScopedBstr space(L"\\\\.\\root\\CIMV2");
    if (FAILED(locator.Get()->ConnectServer(space.Get(), nullptr, nullptr, nullptr, 0, nullptr,
                                            nullptr, services.Receive()))) {
        return {};
    }
    CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                      RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    return services;
}

}  // namespace

Win32Platform::Win32Platform()
    : comInitialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

Win32Platform::~Win32Platform() {
    if (comInitialised_) CoUninitialize();
}

std::vector<std::string> Win32Platform::ComputerSystemTypes() {
    ComScope com;
    std::vector<std::string> types;
    ScopedComPointer<IWbemServices> services = ConnectCimv2();
    if (!services) return types;
    ScopedBstr language(L"WQL");
    ScopedBstr query(L"SELECT * FROM Win32_ComputerSystem");
    ScopedComPointer<IEnumWbemClassObject> rows;
    if (FAILED(services.Get()->ExecQuery(language.Get(), query.Get(),
                                         WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                         nullptr, rows.Receive()))) {
        return types;
    }
    for (;;) {
        ScopedComPointer<IWbemClassObject> row;
        ULONG returned = 0;
        if (rows.Get()->Next(WBEM_INFINITE, 1, row.Receive(), &returned) != WBEM_S_NO_ERROR ||
            returned == 0) {
            break;
        }
        ScopedVariant systemType;
        if (FAILED(row.Get()->Get(L"SystemType", 0, systemType.Receive(), nullptr, nullptr))) break;
        types.push_back(systemType.Get().vt == VT_BSTR ? FromWide(systemType.Get().bstrVal)
                                                       : std::string());
    }
    return types;
}

std::string Win32Platform::WindowsFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return FromWide(std::wstring_view(buffer, length));
}

std::string Win32Platform::ProgramFilePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return FromWide(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32Platform::CommandLineArguments() {
    const wchar_t* cursor = GetCommandLineW();
    if (cursor == nullptr) return {};
    // Skip the program name, quoted or not, then the blanks after it.
    if (*cursor == L'"') {
        ++cursor;
        while (*cursor != L'\0' && *cursor != L'"') ++cursor;
        if (*cursor == L'"') ++cursor;
    } else {
        while (*cursor != L'\0' && *cursor != L' ' && *cursor != L'\t') ++cursor;
    }
    while (*cursor == L' ' || *cursor == L'\t') ++cursor;
    return FromWide(cursor);
}

LocalTime Win32Platform::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth,  now.wDay,         now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds};
}

std::uint64_t Win32Platform::TickMilliseconds() { return GetTickCount64(); }

std::string Win32Platform::FormatShortDate(int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    wchar_t buffer[80] = {};
    const int length =
        GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, 80);
    return length > 0 ? FromWide(buffer) : std::string();
}

}  // namespace platform
