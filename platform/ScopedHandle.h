// One RAII owner for every kind of Win32 handle; a traits type per kind says
// what an invalid handle is and how it is closed.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <utility>

namespace platform {

template <typename Traits>
class ScopedHandle {
public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    bool IsValid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return IsValid(); }
    Handle Get() const { return handle_; }
    // For out-parameters of Win32 calls; closes what is held first.
    Handle* Receive() {
        Close();
        return &handle_;
    }
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    void Reset(Handle handle) {
        Close();
        handle_ = handle;
    }

private:
    void Close() {
        if (IsValid()) {
            // Closing must not change the error code a caller is about to read.
            DWORD error = GetLastError();
            Traits::Close(handle_);
            SetLastError(error);
        }
        handle_ = Traits::Invalid();
    }

    Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct ServiceHandleTraits {
    using Handle = SC_HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { CloseServiceHandle(h); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { FindClose(h); }
};

template <typename Interface>
struct ComPointerTraits {
    using Handle = Interface*;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { h->Release(); }
};

using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;
using ScopedServiceHandle = ScopedHandle<ServiceHandleTraits>;
using ScopedFindHandle = ScopedHandle<FindHandleTraits>;
template <typename Interface>
using ScopedComPointer = ScopedHandle<ComPointerTraits<Interface>>;

}  // namespace platform
