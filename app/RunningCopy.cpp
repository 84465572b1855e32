#include "app/RunningCopy.h"

#include <windows.h>

#include "ui/main/Frm_Main.h"
#include "ui/toolkit/win32/NativeIds.h"

namespace {

constexpr int kPollMs = 100;

void AskToComeUp(HWND main) {
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    // This start came from the user, so it may let the first copy take the foreground.
    AllowSetForegroundWindow(pid);
    PostMessageW(main, RegisterWindowMessageW(Win32::kStartedAgainMessage), 0, 0);
}

// The running copy's mutex, asked for owned; `owned` tells whether this copy now holds it. A
// copy run elevated holds one that a copy run without may not even open: no handle then, but a
// copy runs all the same.
HANDLE Claim(bool& owned) {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, Win32::kRunningCopyMutex);
    const DWORD error = GetLastError();
    owned = mutex ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
    return mutex;
}

}  // namespace

bool BecomeTheRunningCopy() {
    bool owned = false;
    // Held, never closed, for as long as this copy runs.
    HANDLE running = Claim(owned);
    // The other copy may still be starting: its main window comes at the end of its start-up,
    // after any message it shows there, so this start waits for as long as that copy lives.
    while (!owned) {
        if (HWND main = FindWindowW(Win32::kFormClass, Frm_Main::kCaption.c_str())) {
            AskToComeUp(main);
            return false;
        }
        // The other copy ended meanwhile (its owner gone, or the name free again): this one
        // takes over.
        if (running) {
            owned = WaitForSingleObject(running, kPollMs) != WAIT_TIMEOUT;
        } else {
            Sleep(kPollMs);
            running = Claim(owned);
        }
    }
    return true;
}
