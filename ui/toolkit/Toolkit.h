#pragma once
// The program-wide services of the windowing toolkit, provided by the backend.

#include <cstdint>
#include <string>

#include "core/Services.h"

namespace Toolkit {

inline const std::wstring kWindowNotCreatedText =
    L"ウィンドウを開けませんでした。Windowsのメモリが足りません。ほかのプログラムを閉じてから、"
    L"もう一度お試しください。";

// Whole numbers: mouse positions are reported in multiples of them (DpiScale).
int TwipsPerPixelX();
int TwipsPerPixelY();
int ScreenWidth();  // twips
int ScreenHeight();

// A rectangle of the screen in twips.
struct ScreenArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};
// The screen less the taskbar and other docked bars.
ScreenArea WorkArea();

// Returns the answer's number (MsgAnswer); an empty title gives the application's title.
// Once the program has ended nothing more is asked, and the answer is Cancel.
int MsgBox(const std::wstring& prompt, int style, const std::wstring& title = L"");
// A question that holds up the end of the session (sign-out, shutdown) while it is up: Windows'
// own page of the programs that hold it up gives `reason` under each window of the program.
int AskHoldingEndSession(const std::wstring& reason, const std::wstring& prompt, int style,
                         const std::wstring& title);
// Whether a message box is up, waiting for its answer.
bool MessageBoxUp();
void DoEvents();
void WaitForEvents(int milliseconds);
// A clock in milliseconds that wraps around: it tells how far apart two events came.
uint32_t TickCount();
// Two clicks closer than this, in milliseconds, make a double click.
uint32_t DoubleClickTime();
void SetMousePointer(int code);
int MousePointer();
// Runs the program's event loop until EndProgram.
void RunEventLoop();
// Lets every event loop end, the modal ones too. From then on no form loads or shows.
void EndProgram();
bool Ended();

}  // namespace Toolkit

// The core's view of the toolkit.
class ToolkitUi final : public UiServices {
public:
    int MsgBox(const std::wstring& prompt, int style, const std::wstring& title) override {
        return Toolkit::MsgBox(prompt, style, title);
    }
    void DoEvents() override { Toolkit::DoEvents(); }
    void WaitForEvents(int milliseconds) override { Toolkit::WaitForEvents(milliseconds); }
    void SetPointer(int code) override { Toolkit::SetMousePointer(code); }
};
