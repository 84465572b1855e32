#include "app/RunningCopy.h"

#include <windows.h>

#include "ui/main/Frm_Main.h"
#include "ui/toolkit/win32/NativeIds.h"

namespace {

// "Local\" is the sign-in session's namespace: another user's session runs its own copy.
// The running copy owns it until it ends.
constexpr wchar_t kRunningName[] = L"Local\\Zelkor.Running.6F1B2C1E";

// The first copy may still be starting: its main window comes at the end of its start-up.
constexpr int kWaitForMainWindowMs = 10000;
constexpr int kPollMs = 100;

void AskToComeUp(HWND main) {
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    // This start came from the user, so it may let the first copy take the foreground.
    AllowSetForegroundWindow(pid);
    PostMessageW(main, RegisterWindowMessageW(Win32::kStartedAgainMessage), 0, 0);
}

}  // namespace

bool HandedToRunningCopy() {
    // Held, never closed, for as long as this copy runs.
    const HANDLE running = CreateMutexW(nullptr, TRUE, kRunningName);
    if (!running || GetLastError() != ERROR_ALREADY_EXISTS) return false;
    for (int waited = 0; waited < kWaitForMainWindowMs; waited += kPollMs) {
        if (HWND main = FindWindowW(Win32::kFormClass, Frm_Main::kCaption.c_str())) {
            AskToComeUp(main);
            return true;
        }
        // The other copy ended meanwhile (its owner gone): this one takes over.
        if (WaitForSingleObject(running, kPollMs) != WAIT_TIMEOUT) return false;
    }
    return true;
}
