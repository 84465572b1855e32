#include "ui/toolkit/win32/Win32Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/win32/SystemLibrary.h"
#include "ui/toolkit/Colors.h"
#include "ui/toolkit/Faults.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/win32/GdiCache.h"
#include "ui/toolkit/win32/Win32Internal.h"

namespace Win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// The open drop-down list of a combo box, below its edit part.
constexpr int kComboDropTwips = 3000;

bool WantsKey(LPARAM lParam, WPARAM key) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    return msg && msg->message == WM_KEYDOWN && msg->wParam == key;
}

// Committed input-method text goes through the key-press filter too, a character at a time.
void TypeComposition(HWND hwnd) {
    std::wstring result;
    {
        InputContext context(hwnd);
        const LONG bytes = ImmGetCompositionStringW(context.get(), GCS_RESULTSTR, nullptr, 0);
        result.assign(static_cast<size_t>(std::max<LONG>(bytes, 0)) / sizeof(wchar_t), L'\0');
        ImmGetCompositionStringW(context.get(), GCS_RESULTSTR, result.data(),
                                 static_cast<DWORD>(bytes));
    }
    for (const wchar_t c : result) {
        if (!IsWindow(hwnd)) break;
        SendMessageW(hwnd, WM_CHAR, c, 1);
    }
}

LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

// Text boxes: key-down and key-press go through the control's handlers first; Enter and
// Escape reach the box instead of the dialog manager.
LRESULT OnEditMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Control* control) {
    Form& form = control->form();
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, EditProc, kSubclassId);  // the record is ours to free
            break;
        case WM_GETDLGCODE: {
            LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
            if (WantsKey(lParam, VK_RETURN) || WantsKey(lParam, VK_ESCAPE))
                code |= DLGC_WANTALLKEYS;
            return code;
        }
        case WM_KEYDOWN: {
            int code = static_cast<int>(wParam);
            if (control->KeyDown) control->KeyDown(code, ShiftState());
            if (!form.Loaded() || code == 0) return 0;
            return DefSubclassProc(hwnd, message, static_cast<WPARAM>(code), lParam);
        }
        case WM_CHAR: {
            DWORD start = 0, end = 0;
            SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            control->UserSelected(static_cast<int>(start), static_cast<int>(end - start));
            int code = static_cast<int>(wParam);
            if (control->KeyPress) control->KeyPress(code);
            if (!form.Loaded() || code == 0) return 0;
            return DefSubclassProc(hwnd, message, static_cast<WPARAM>(code), lParam);
        }
        case WM_IME_COMPOSITION:
            if (lParam & GCS_RESULTSTR) {
                TypeComposition(hwnd);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    return Toolkit::CatchFaults<LRESULT>(0, [&] {
        return OnEditMessage(hwnd, message, wParam, lParam, reinterpret_cast<Control*>(data));
    });
}

// Buttons: Enter presses the focused button, as in a dialog.
LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, ButtonProc, kSubclassId);
            break;
        case WM_GETDLGCODE: {
            LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
            if (WantsKey(lParam, VK_RETURN)) code |= DLGC_WANTALLKEYS;
            return code;
        }
        case WM_KEYDOWN:
            if (wParam != VK_RETURN) break;
            SendMessageW(hwnd, BM_CLICK, 0, 0);
            return 0;
        case WM_CHAR:
            if (wParam == L'\r') return 0;
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

DWORD AlignStyle(Align align) {
    switch (align) {
        case Align::Center:
            return SS_CENTER;
        case Align::Right:
            return SS_RIGHT;
        default:
            return SS_LEFT;
    }
}

struct WindowKind {
    const wchar_t* cls;
    DWORD style;
    DWORD ex;
};

WindowKind KindOf(const Control& control) {
    switch (control.kind()) {
        case ControlKind::Label:
            return {L"STATIC", AlignStyle(control.align) | SS_NOPREFIX, 0};
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::TextBox:
            return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::ListBox:
            return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::ComboBox:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | BS_NOTIFY | WS_TABSTOP, 0};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0};  // notify: focus
        case ControlKind::Picture:
            return {L"STATIC", SS_BITMAP | SS_CENTERIMAGE, WS_EX_CLIENTEDGE};
        case ControlKind::Shape:
        case ControlKind::Timer:
            break;
    }
    return {nullptr, 0, 0};
}

}  // namespace

bool HasWindow(const Control& control) { return KindOf(control).cls != nullptr; }

void FollowTheme(HWND child) {
    using SetTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const auto setWindowTheme =
        reinterpret_cast<SetTheme>(SystemFunction(L"uxtheme.dll", "SetWindowTheme"));
    const bool plain = Toolkit::ContrastTheme();
    if (setWindowTheme) setWindowTheme(child, plain ? L" " : nullptr, plain ? L" " : nullptr);
}

HWND CreateChild(Control& control, HWND parent, int id) {
    const WindowKind kind = KindOf(control);
    const Twips at = control.FormPosition();
    int height = ToPixels(at.height);
    if (control.kind() == ControlKind::ComboBox) height += ToPixels(kComboDropTwips);
    HWND child = CreateWindowExW(
        kind.ex, kind.cls, control.Text().c_str(), WS_CHILD | WS_VISIBLE | kind.style,
        ToPixels(at.left), ToPixels(at.top), ToPixels(at.width), height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
    if (!child) return nullptr;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Gdi().FontFor(control.font)), FALSE);
    if (!control.Enabled()) EnableWindow(child, FALSE);
    if (Toolkit::ContrastTheme()) FollowTheme(child);
    if (control.kind() == ControlKind::TextBox)
        SetWindowSubclass(child, EditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(&control));
    if (control.imeMode == ImeMode::Disable) ImmAssociateContextEx(child, nullptr, 0);
    if (control.kind() == ControlKind::Button) SetWindowSubclass(child, ButtonProc, kSubclassId, 0);
    return child;
}

OwnedBitmap ShowPicture(const Control& control, HWND child) {
    const OwnedBitmap original(
        static_cast<HBITMAP>(LoadImageW(Instance(), MAKEINTRESOURCEW(control.pictureResource),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    RECT box;
    GetClientRect(child, &box);
    OwnedBitmap fitted = SmoothlyScaled(original.get(), box.right, box.bottom);
    SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fitted.get()));
    return fitted;
}

}  // namespace Win32
