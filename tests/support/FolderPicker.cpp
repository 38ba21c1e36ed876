#include "tests/support/FolderPicker.h"

#include <commctrl.h>

#include <vector>

#include "platform/TextConversion.h"
#include "tests/support/WaitUntil.h"

namespace testing_support {
namespace {

class RemoteTree {
  public:
    RemoteTree(HWND tree, DWORD processId)
        : tree_(tree),
          process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId)),
          memory_(process_ == nullptr
                      ? nullptr
                      : VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteTree() {
        if (memory_ != nullptr) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteTree(const RemoteTree&) = delete;
    RemoteTree& operator=(const RemoteTree&) = delete;

    bool Usable() const { return memory_ != nullptr; }

    std::string Text(HTREEITEM item) const {
        auto* remoteText =
            reinterpret_cast<wchar_t*>(static_cast<char*>(memory_) + sizeof(TVITEMW));
        TVITEMW request{};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = remoteText;
        request.cchTextMax = kChars;
        std::vector<wchar_t> text(kChars + 1, L'\0');
        if (!WriteProcessMemory(process_, memory_, &request, sizeof(request), nullptr) ||
            !SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory_)) ||
            !ReadProcessMemory(process_, remoteText, text.data(), kChars * sizeof(wchar_t),
                               nullptr)) {
            return {};
        }
        return platform::FromWide(text.data());
    }

    std::vector<HTREEITEM> Children(HTREEITEM parent) const {
        std::vector<HTREEITEM> children;
        for (auto child = Next(TVGN_CHILD, parent); child != nullptr;
             child = Next(TVGN_NEXT, child)) {
            children.push_back(child);
        }
        return children;
    }

    // Selected, then opened with the Right key as a user opens it, so that
    // the picker fills in the folders below.
    bool Open(HTREEITEM item) const {
        SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        PostMessageW(tree_, WM_KEYDOWN, VK_RIGHT, 1);
        PostMessageW(tree_, WM_KEYUP, VK_RIGHT, 0xC0000001);
        return WaitUntil([&] { return Next(TVGN_CHILD, item) != nullptr; }, 10000);
    }

    HTREEITEM Root() const { return Next(TVGN_ROOT, nullptr); }

  private:
    HTREEITEM Next(WPARAM relation, HTREEITEM item) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }

    static constexpr SIZE_T kChars = 512;
    static constexpr SIZE_T kSize = sizeof(TVITEMW) + (kChars + 1) * sizeof(wchar_t);
    HWND tree_;
    HANDLE process_;
    void* memory_;
};

std::vector<std::string> Segments(const std::string& path) {
    std::vector<std::string> segments;
    size_t start = 0;
    for (size_t slash; (slash = path.find('\\', start)) != std::string::npos; start = slash + 1) {
        if (slash > start) segments.push_back(path.substr(start, slash - start));
    }
    if (start < path.size()) segments.push_back(path.substr(start));
    return segments;
}

bool SameName(const std::string& shown, const std::string& wanted) {
    return lstrcmpiW(platform::ToWide(shown).c_str(), platform::ToWide(wanted).c_str()) == 0;
}

// The drive's item: below the desktop, in the folder that shows the drives
// (its name differs between versions and languages), shown as "... (C:)".
HTREEITEM FindDrive(const RemoteTree& tree, const std::string& drive) {
    const HTREEITEM desktop = tree.Root();
    if (desktop == nullptr || !tree.Open(desktop)) return nullptr;
    for (HTREEITEM place : tree.Children(desktop)) {
        if (!tree.Open(place)) continue;
        for (HTREEITEM child : tree.Children(place)) {
            if (tree.Text(child).find("(" + drive + ")") != std::string::npos) return child;
        }
    }
    return nullptr;
}

}  // namespace

bool ChooseInFolderPicker(HWND picker, DWORD processId, const std::string& path) {
    HWND treeWindow = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
    const std::vector<std::string> segments = Segments(path);
    if (treeWindow == nullptr || segments.empty()) return false;
    const RemoteTree tree(treeWindow, processId);
    if (!tree.Usable()) return false;
    HTREEITEM item = FindDrive(tree, segments.front());
    for (size_t i = 1; item != nullptr && i < segments.size(); ++i) {
        HTREEITEM found = nullptr;
        if (!tree.Open(item)) return false;
        for (HTREEITEM child : tree.Children(item)) {
            if (SameName(tree.Text(child), segments[i])) found = child;
        }
        item = found;
    }
    if (item == nullptr) return false;
    SendMessageW(treeWindow, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    HWND ok = GetDlgItem(picker, IDOK);
    PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    return true;
}

}  // namespace testing_support
