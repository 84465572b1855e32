// Properties a form or control changes from code, put into the window.

#include <windows.h>

#include "ui/toolkit/win32/FormWindow.h"
#include "ui/toolkit/win32/Win32Internal.h"

namespace Win32 {

void FormWindow::SyncText(Control& control) {
    SetWindowTextW(Hwnd(control), control.Text().c_str());
    if (control.transparent) RedrawArea(control);
}

// A line longer than any screen is wide shows no more for it, and is cut to this.
constexpr size_t kMaxLineChars = 1024;

bool FormWindow::FillList(Control& list) {
    HWND h = Hwnd(list);
    if (!h) return true;
    const bool combo = list.kind() == ControlKind::ComboBox;
    const UINT reset = combo ? CB_RESETCONTENT : LB_RESETCONTENT;
    const UINT add = combo ? CB_ADDSTRING : LB_ADDSTRING;
    const LRESULT refused[] = {combo ? CB_ERR : LB_ERR, combo ? CB_ERRSPACE : LB_ERRSPACE};
    ++syncing_;
    SendMessageW(h, WM_SETREDRAW, FALSE, 0);
    SendMessageW(h, reset, 0, 0);
    SendMessageW(h, combo ? CB_INITSTORAGE : LB_INITSTORAGE, list.Items().size(),
                 static_cast<LPARAM>(list.Items().size() * 32 * sizeof(wchar_t)));
    bool whole = true;
    for (const std::wstring& item : list.Items()) {
        const std::wstring cut = item.size() > kMaxLineChars ? item.substr(0, kMaxLineChars) : L"";
        const wchar_t* line = cut.empty() ? item.c_str() : cut.c_str();
        const LRESULT at = SendMessageW(h, add, 0, reinterpret_cast<LPARAM>(line));
        if (at == refused[0] || at == refused[1]) {
            whole = false;
            SendMessageW(h, reset, 0, 0);
            break;
        }
    }
    SendMessageW(h, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(list.ListIndex()), 0);
    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    --syncing_;
    return whole;
}

void FormWindow::Sync(Control& control, ControlProp what) {
    if (control.kind() == ControlKind::Timer) {
        if (what == ControlProp::Enabled) RunTimer(control);
        return;
    }
    HWND h = Hwnd(control);
    if (!h) {
        if (what == ControlProp::Repaint) InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    ++syncing_;
    switch (what) {
        case ControlProp::Text:
            SyncText(control);
            break;
        case ControlProp::Enabled:
            EnableWindow(h, control.Enabled());
            break;
        case ControlProp::ListIndex:
            SendMessageW(h, control.kind() == ControlKind::ComboBox ? CB_SETCURSEL : LB_SETCURSEL,
                         static_cast<WPARAM>(control.ListIndex()), 0);
            break;
        case ControlProp::Value:
            SendMessageW(h, BM_SETCHECK, control.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlProp::Selection:
            SendMessageW(h, EM_SETSEL, static_cast<WPARAM>(control.SelStart()),
                         control.SelStart() + control.SelLength());
            break;
        case ControlProp::Focus:
            // A form that is not active yet gives the control the focus when it is.
            focus_ = h;
            if (GetActiveWindow() == hwnd_) SetFocus(h);
            break;
        case ControlProp::Repaint:
            if (control.transparent)
                RedrawArea(control);
            else
                RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            break;
    }
    --syncing_;
}

// A transparent control shows the form through it, so the form repaints beneath it first.
void FormWindow::RedrawArea(Control& control) {
    RECT r;
    GetWindowRect(Hwnd(control), &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(hwnd_, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void FormWindow::SyncForm(FormProp what) {
    switch (what) {
        case FormProp::Caption:
            SetWindowTextW(hwnd_, form_.Caption().c_str());
            break;
        case FormProp::Position:
            SetWindowPos(hwnd_, nullptr, ToPixels(form_.Left()), ToPixels(form_.Top()), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case FormProp::State:
            if (form_.State() == WindowState::Minimized)
                ShowWindow(hwnd_, SW_MINIMIZE);
            else if (IsIconic(hwnd_))
                ShowWindow(hwnd_, SW_RESTORE);
            break;
        case FormProp::Menus:
            ApplyMenuStates(form_.Menus());
            DrawMenuBar(hwnd_);
            break;
    }
}

}  // namespace Win32
