// The event loops of the Win32 backend: the program's own, the modal forms', and the single
// passes of DoEvents.

#include <windows.h>

#include <algorithm>

#include "ui/toolkit/Toolkit.h"
#include "ui/toolkit/win32/Win32Internal.h"

namespace {
bool g_ended = false;
}  // namespace

namespace Win32 {

void ProcessMessage(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsForm(root) && IsDialogMessageW(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void RunModalLoop(const std::function<bool()>& stillUp) {
    MSG msg;
    while (stillUp() && !Toolkit::Ended()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside this one
            break;
        }
        ProcessMessage(msg);
    }
}

}  // namespace Win32

namespace Toolkit {

void DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Win32::ProcessMessage(msg);
    }
}

void WaitForEvents(int milliseconds) {
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::max(milliseconds, 0)),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void RunEventLoop() {
    MSG msg;
    while (!g_ended && GetMessageW(&msg, nullptr, 0, 0) > 0) Win32::ProcessMessage(msg);
}

void EndProgram() {
    g_ended = true;
    PostQuitMessage(0);
}

bool Ended() { return g_ended; }

}  // namespace Toolkit
