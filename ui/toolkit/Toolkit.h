#pragma once
// The program-wide services of the windowing toolkit, provided by the backend.

#include <string>

#include "core/Services.h"

namespace Toolkit {

int TwipsPerPixelX();
int TwipsPerPixelY();
int ScreenWidth();  // twips
int ScreenHeight();

// Returns the answer's number (MsgAnswer); an empty title gives the application's title.
int MsgBox(const std::wstring& prompt, int style, const std::wstring& title = L"");
void DoEvents();
void WaitForEvents(int milliseconds);
void SetMousePointer(int code);
int MousePointer();
// Runs the program's event loop until EndProgram.
void RunEventLoop();
// Closes every window and lets the event loop end.
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
