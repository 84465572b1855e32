// The entry point: the real registry, file system, clock and windows, then start-up and the
// event loop until the user ends the program.

#include <windows.h>

#include <commctrl.h>

#include "app/RunningCopy.h"
#include "core/SystemClock.h"
#include "core/win32/WinInetNotifier.h"
#include "registry/win32/Advapi32Registry.h"
#include "ui/main/Frm_Main.h"
#include "ui/start/Startup.h"
#include "ui/toolkit/Faults.h"
#include "ui/toolkit/Toolkit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Run from a download folder, a DLL planted beside the program must not be loaded.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!BecomeTheRunningCopy()) return 0;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    Advapi32Registry system;
    REGEDIT::Registry registry(system);
    ToolkitUi ui;
    SystemClock clock;
    WinInetNotifier notifier;
    App app{
        AppState{},      ui, registry, SystemFileSystem(), clock, notifier, ExecutableDirectory(),
        ExecutableStem()};
    Frm_Main mainWindow(app);
    // A fault before the event loop leaves no way into the program: it is reported and ends it.
    const bool started = Toolkit::CatchFaults(false, [&] {
        MainBas::Main(app, mainWindow);
        return true;
    });
    if (!started) return 1;
    Toolkit::RunEventLoop();
    return 0;
}
