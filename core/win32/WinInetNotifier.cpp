#include "core/win32/WinInetNotifier.h"

#include <windows.h>

#include <wininet.h>

#include "core/win32/SystemLibrary.h"

namespace {

using SetOptionW = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, DWORD);

// No InternetOpen: telling needs no session, and WinINet would load its settings then,
// rewriting as off a ProxyEnable that an older version left as one byte.
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
