#include "core/win32/WinInetNotifier.h"

#include <windows.h>

#include <wininet.h>

#include "core/win32/SystemLibrary.h"

namespace {

using SetOptionW = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, DWORD);

// No InternetOpen: WinINet would load its own settings then, and it rewrites a ProxyEnable
// that is not a DWORD when it does.
SetOptionW LoadSetOption() {
    return reinterpret_cast<SetOptionW>(SystemFunction(L"wininet.dll", "InternetSetOptionW"));
}

}  // namespace

void WinInetNotifier::SettingsChanged() {
    static const SetOptionW setOption = LoadSetOption();
    if (!setOption) return;
    setOption(nullptr, INTERNET_OPTION_SETTINGS_CHANGED, nullptr, 0);
    setOption(nullptr, INTERNET_OPTION_REFRESH, nullptr, 0);
}
