// What the window reports: commands of its controls and menus, painting, focus, size,
// place and the mouse, handed to the form.

#include <windows.h>

#include <windowsx.h>

#include "ui/toolkit/win32/FormWindow.h"
#include "ui/toolkit/win32/GdiCache.h"
#include "ui/toolkit/win32/Win32Controls.h"
#include "ui/toolkit/win32/Win32Internal.h"

namespace Win32 {

namespace {

// The notification each kind of control sends when it gets the keyboard focus.
bool GainedFocus(ControlKind kind, int code) {
    switch (kind) {
        case ControlKind::TextBox:
            return code == EN_SETFOCUS;
        case ControlKind::ListBox:
            return code == LBN_SETFOCUS;
        case ControlKind::ComboBox:
            return code == CBN_SETFOCUS;
        case ControlKind::CheckBox:
        case ControlKind::Button:
            return code == BN_SETFOCUS;
        default:
            return false;
    }
}

}  // namespace

// As a dialog does: the control that had the focus when the user left, else the first in
// tab order.
void FormWindow::RestoreFocus() {
    HWND target = focus_ && IsChild(hwnd_, focus_) && IsWindowEnabled(focus_) ? focus_ : nullptr;
    if (!target)
        if (Control* first = form_.FirstInTabOrder()) target = Hwnd(*first);
    if (target) SetFocus(target);
}

Control* FormWindow::ControlOf(HWND child) {
    const auto it = byId_.find(GetDlgCtrlID(child));
    return it == byId_.end() ? nullptr : it->second;
}

RECT FormWindow::PixelRect(const Control& control) const {
    const Twips at = control.FormPosition();
    return RECT{ToPixels(at.left), ToPixels(at.top), ToPixels(at.left + at.width),
                ToPixels(at.top + at.height)};
}

void FormWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, Gdi().BrushFor(BackColorOf(form_)));
    for (Control& control : form_.Controls()) {
        if (control.kind() != ControlKind::Frame && control.kind() != ControlKind::Shape) continue;
        const RECT r = PixelRect(control);
        FillRect(dc, &r, Gdi().BrushFor(ColorsOf(control).back));
    }
    EndPaint(hwnd_, &ps);
}

// Controls without colours of their own take the system's, not whatever the context holds.
LRESULT FormWindow::OnColor(HDC dc, HWND child) {
    Control* control = ControlOf(child);
    const TextColors colors =
        control ? ColorsOf(*control)
                : TextColors{GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE)};
    SetTextColor(dc, static_cast<COLORREF>(colors.text));
    if (control && control->transparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, static_cast<COLORREF>(colors.back));
    return reinterpret_cast<LRESULT>(Gdi().BrushFor(colors.back));
}

void FormWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (lParam == 0) {  // a menu item
        if (MenuItem* item = form_.FindMenuItem(static_cast<std::uintptr_t>(id)))
            if (item->Click) item->Click(item->index);
        return;
    }
    const auto it = byId_.find(id);
    if (it == byId_.end()) return;
    const int code = HIWORD(wParam);
    if (GainedFocus(it->second->kind(), code)) focus_ = reinterpret_cast<HWND>(lParam);
    if (!syncing_) OnControlCommand(*it->second, code, reinterpret_cast<HWND>(lParam));
}

void FormWindow::OnControlCommand(Control& control, int code, HWND h) {
    switch (control.kind()) {
        case ControlKind::Button:
            if (code == BN_CLICKED) control.UserClicked();
            break;
        case ControlKind::CheckBox:
            if (code == BN_CLICKED)
                control.UserChecked(SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
            break;
        case ControlKind::TextBox:
            if (code == EN_CHANGE) {
                std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
                text.resize(static_cast<size_t>(
                    GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
                control.UserChangedText(text);
            }
            break;
        case ControlKind::ListBox:
            if (code == LBN_SELCHANGE)
                control.UserPicked(static_cast<int>(SendMessageW(h, LB_GETCURSEL, 0, 0)));
            if (code == LBN_DBLCLK) control.UserDoubleClicked();
            break;
        case ControlKind::ComboBox:
            if (code == CBN_SELCHANGE)
                control.UserPicked(static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0)));
            break;
        default:
            break;
    }
}

void FormWindow::OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED && form_.State() != WindowState::Minimized)
        form_.UserChangedState(WindowState::Minimized);
    else if (kind == SIZE_RESTORED && form_.State() != WindowState::Normal)
        form_.UserChangedState(WindowState::Normal);
}

void FormWindow::OnMove() {
    if (!hwnd_ || IsIconic(hwnd_)) return;
    RECT r;
    GetWindowRect(hwnd_, &r);
    form_.UserMovedTo(ToTwips(r.left), ToTwips(r.top));
}

// The tray icon's messages arrive as mouse moves whose x is the message number. At high
// scaling the client area is wider than those numbers, so the pointer's own moves are told
// apart, and not reported, by where the pointer was when the message was made.
void FormWindow::OnMouseMove(LPARAM at) {
    const POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (MadeByThePointer(point)) return;
    // What is left is the tray's: the icon's message in the low word, its id in the high one.
    form_.UserTrayMessage(point.x, ShiftState());
}

void FormWindow::OnTimer(WPARAM id) {
    const auto it = byId_.find(static_cast<int>(id));
    if (it != byId_.end()) it->second->TimerElapsed();
}

// The system's colours, its contrast theme or its message font changed: each control drops or
// takes its visual style and takes the font made anew, and the window paints again, hidden or
// not.
void FormWindow::OnSettingChange(UINT message, WPARAM what) {
    if (message == WM_SETTINGCHANGE && what != SPI_SETHIGHCONTRAST &&
        what != SPI_SETNONCLIENTMETRICS)
        return;
    Gdi().Renew();
    for (Control& control : form_.Controls()) {
        if (!control.native) continue;
        HWND h = Hwnd(control);
        FollowTheme(h);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(Gdi().FontFor(control.font)), FALSE);
        // As the system asks of top-level windows, for the common controls.
        if (message == WM_SYSCOLORCHANGE) SendMessageW(h, message, 0, 0);
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool FormWindow::MadeByThePointer(POINT at) const {
    if (InSendMessage()) return false;  // the pointer's moves are posted, never sent
    const DWORD made = GetMessagePos();
    POINT pointer{GET_X_LPARAM(made), GET_Y_LPARAM(made)};
    HWND under = WindowFromPoint(pointer);
    if (!under || GetAncestor(under, GA_ROOT) != hwnd_) return false;
    ScreenToClient(hwnd_, &pointer);
    return pointer.x == at.x && pointer.y == at.y;
}

}  // namespace Win32
