#include "ui/start/Startup.h"

#include "ui/main/Frm_Main.h"
#include "ui/start/Frm_Start.h"
#include "ui/toolkit/Toolkit.h"

namespace MainBas {

void Main(App& app, Frm_Main& mainWindow) {
    Toolkit::SetMousePointer(Pointer::AppStarting);
    Frm_Start splash;
    splash.form().Show();
    splash.ShowProgress(kLoadingList);
    LoadProxyList(app);
    splash.ShowProgress(kReadingSettings);
    for (int pass = 0; pass < 3; ++pass) Toolkit::DoEvents();
    ReadProxySettings(app);
    const int16_t seconds = 1;
    WaitSeconds(app, seconds);
    app.state.ShowMeAllowed = kTrue;
    mainWindow.form().Load();
    splash.form().Unload();
    Toolkit::SetMousePointer(Pointer::Default);
    // Without its main window the program could never be reached: the user has been told why.
    if (!mainWindow.form().Loaded()) Toolkit::EndProgram();
}

}  // namespace MainBas
