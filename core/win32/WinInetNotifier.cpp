#include "core/win32/WinInetNotifier.h"

#include <windows.h>

#include <wininet.h>

namespace {

using SetOptionW = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, DWORD);

// Kept loaded for the rest of the run. No InternetOpen: WinINet would load its own settings
// then, and it rewrites a ProxyEnable that is not a DWORD when it does.
SetOptionW LoadSetOption() {
    HMODULE wininet = LoadLibraryExW(L"wininet.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!wininet) return nullptr;
    // Through a function type without arguments, which GCC lets any function pointer become.
    const auto address =
        reinterpret_cast<void (*)()>(GetProcAddress(wininet, "InternetSetOptionW"));
    return reinterpret_cast<SetOptionW>(address);
}

}  // namespace

void WinInetNotifier::SettingsChanged() {
    static const SetOptionW setOption = LoadSetOption();
    if (!setOption) return;
    setOption(nullptr, INTERNET_OPTION_SETTINGS_CHANGED, nullptr, 0);
    setOption(nullptr, INTERNET_OPTION_REFRESH, nullptr, 0);
}
