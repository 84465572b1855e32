// The Win32 window behind a Form: a top-level window of our own class with standard
// controls as its children. Frames and shapes are painted by the form itself.

#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "ui/toolkit/Form.h"
#include "ui/toolkit/Toolkit.h"
#include "ui/toolkit/win32/Win32Internal.h"

namespace {

constexpr int kFirstControlId = 1000;
constexpr int kFirstMenuId = 50000;
constexpr int kComboDropPixels = 200;

HWND Hwnd(const Control& control) { return reinterpret_cast<HWND>(control.native); }

COLORREF ToColorRef(uint32_t rgb) { return static_cast<COLORREF>(rgb); }

class GdiCache {
public:
    ~GdiCache() {
        for (auto& [key, font] : fonts_) DeleteObject(font);
        for (auto& [color, brush] : brushes_) DeleteObject(brush);
    }
    HFONT FontFor(const Font& font) {
        if (font.face.empty()) return DefaultFont();
        const auto key = std::make_tuple(font.face, static_cast<int>(font.points * 100), font.bold);
        auto& slot = fonts_[key];
        if (!slot) {
            LOGFONTW lf{};
            lf.lfHeight = -static_cast<LONG>(font.points * Win32::Dpi() / 72.0 + 0.5);
            lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
            lf.lfCharSet = DEFAULT_CHARSET;
            lf.lfQuality = DEFAULT_QUALITY;
            lstrcpynW(lf.lfFaceName, font.face.c_str(), LF_FACESIZE);
            slot = CreateFontIndirectW(&lf);
        }
        return slot;
    }
    HBRUSH BrushFor(uint32_t color) {
        auto& slot = brushes_[color];
        if (!slot) slot = CreateSolidBrush(ToColorRef(color));
        return slot;
    }

private:
    HFONT DefaultFont() {
        if (!defaultFont_) {
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof metrics;
            SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
            defaultFont_ = CreateFontIndirectW(&metrics.lfMessageFont);
        }
        return defaultFont_;
    }
    std::map<std::tuple<std::wstring, int, bool>, HFONT> fonts_;
    std::map<uint32_t, HBRUSH> brushes_;
    HFONT defaultFont_ = nullptr;
};

GdiCache& Gdi() {
    static GdiCache cache;
    return cache;
}

class Win32Peer final : public FormPeer {
public:
    explicit Win32Peer(Form& form) : form_(form) {}
    ~Win32Peer() override { Destroy(); }

    void Create() override;
    void Destroy() override;
    void Sync(Control& control, ControlProp what) override;
    void SyncForm(FormProp what) override;
    void Show() override;
    void RunModal() override;
    void Hide() override { ShowWindow(hwnd_, SW_HIDE); }
    bool Visible() const override { return hwnd_ && IsWindowVisible(hwnd_); }
    int OuterWidth() const override;
    int OuterHeight() const override;
    std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }

    // The window's messages start before CreateWindowExW returns its handle.
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    Control* ControlOf(HWND child);

private:
    void CreateControl(Control& control, int id);
    void CreateMenus();
    void ApplyTabOrder();
    void ApplyMenuStates(std::list<MenuItem>& items);
    void Paint();
    void RedrawArea(Control& control);
    void FocusFirst();
    void SyncText(Control& control);
    void SyncItems(Control& control);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnColor(HDC dc, HWND child);

    Form& form_;
    HWND hwnd_ = nullptr;
    bool shownOnce_ = false;
    int syncing_ = 0;  // notifications caused by our own updates are not the user's
    std::vector<HWND> disabledByModal_;
    std::map<int, Control*> byId_;
    std::vector<HBITMAP> bitmaps_;  // a picture control does not free the bitmap it is given
};

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* created = static_cast<Win32Peer*>(create->lpCreateParams);
        created->Attach(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* peer = reinterpret_cast<Win32Peer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!peer) return DefWindowProcW(hwnd, message, wParam, lParam);
    return peer->Handle(message, wParam, lParam);
}

int ShiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// Text boxes: key-down and key-press go through the control's handlers first; Enter and
// Escape reach the box instead of the dialog manager.
LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR data) {
    auto* control = reinterpret_cast<Control*>(data);
    Form& form = control->form();
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, EditProc, 1);  // the subclass record is ours to free
            break;
        case WM_GETDLGCODE: {
            const auto* msg = reinterpret_cast<const MSG*>(lParam);
            LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
            if (msg && msg->message == WM_KEYDOWN &&
                (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
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
            // Committed input-method text goes through the key-press filter too.
            if (lParam & GCS_RESULTSTR) {
                HIMC context = ImmGetContext(hwnd);
                const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
                std::wstring result(static_cast<size_t>(std::max<LONG>(bytes, 0)) / sizeof(wchar_t), L'\0');
                ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(), bytes);
                ImmReleaseContext(hwnd, context);
                for (const wchar_t c : result) {
                    if (!IsWindow(hwnd)) break;
                    SendMessageW(hwnd, WM_CHAR, c, 1);
                }
                return 0;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Buttons: Enter presses the focused button, as in a dialog.
LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ButtonProc, 1);
    if (message == WM_GETDLGCODE) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = DefSubclassProc(hwnd, message, wParam, lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) code |= DLGC_WANTALLKEYS;
        return code;
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        SendMessageW(hwnd, BM_CLICK, 0, 0);
        return 0;
    }
    if (message == WM_CHAR && wParam == L'\r') return 0;
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

void Win32Peer::CreateControl(Control& control, int id) {
    const Twips at = control.FormPosition();
    int x = Win32::ToPixels(at.left), y = Win32::ToPixels(at.top);
    int w = Win32::ToPixels(at.width), h = Win32::ToPixels(at.height);
    const wchar_t* cls = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD ex = 0;
    switch (control.kind()) {
        case ControlKind::Shape:
            return;  // painted by the form
        case ControlKind::Label:
            style |= AlignStyle(control.align) | SS_NOPREFIX;
            break;
        case ControlKind::Frame:
            cls = L"BUTTON";
            style |= BS_GROUPBOX;
            break;
        case ControlKind::TextBox:
            cls = L"EDIT";
            style |= ES_AUTOHSCROLL | ES_LEFT | (control.tabStop ? WS_TABSTOP : 0);
            ex = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ListBox:
            cls = L"LISTBOX";
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
            ex = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ComboBox:
            cls = L"COMBOBOX";
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
            h += kComboDropPixels;
            break;
        case ControlKind::CheckBox:
            cls = L"BUTTON";
            style |= BS_AUTOCHECKBOX | WS_TABSTOP;
            break;
        case ControlKind::Button:
            cls = L"BUTTON";
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case ControlKind::Picture:
            style |= SS_BITMAP | SS_CENTERIMAGE;
            ex = WS_EX_CLIENTEDGE;
            break;
    }
    HWND child = CreateWindowExW(ex, cls, control.Text().c_str(), style, x, y, w, h, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 Win32::Instance(), nullptr);
    control.native = reinterpret_cast<std::uintptr_t>(child);
    byId_[id] = &control;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(Gdi().FontFor(control.font)), FALSE);
    if (!control.Enabled()) EnableWindow(child, FALSE);
    if (control.kind() == ControlKind::TextBox)
        SetWindowSubclass(child, EditProc, 1, reinterpret_cast<DWORD_PTR>(&control));
    if (control.kind() == ControlKind::Button) SetWindowSubclass(child, ButtonProc, 1, 0);
    if (control.kind() == ControlKind::Picture && control.pictureResource) {
        HANDLE bitmap = LoadImageW(Win32::Instance(), MAKEINTRESOURCEW(control.pictureResource),
                                   IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        bitmaps_.push_back(static_cast<HBITMAP>(bitmap));
        SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    if (!control.Items().empty()) SyncItems(control);
    if (control.kind() == ControlKind::CheckBox) Sync(control, ControlProp::Value);
}

void Win32Peer::CreateMenus() {
    if (form_.Menus().empty()) return;
    HMENU bar = CreateMenu();
    int id = kFirstMenuId;
    for (MenuItem& menu : form_.Menus()) {
        HMENU popup = CreatePopupMenu();
        for (MenuItem& item : menu.items) {
            item.native = static_cast<std::uintptr_t>(id);
            if (item.caption == L"-")
                AppendMenuW(popup, MF_SEPARATOR, static_cast<UINT_PTR>(id), nullptr);
            else
                AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(id), item.caption.c_str());
            ++id;
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.caption.c_str());
    }
    SetMenu(hwnd_, bar);
    ApplyMenuStates(form_.Menus());
}

void Win32Peer::ApplyMenuStates(std::list<MenuItem>& items) {
    HMENU bar = GetMenu(hwnd_);
    for (MenuItem& item : items) {
        if (item.native)
            EnableMenuItem(bar, static_cast<UINT>(item.native),
                           MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
        ApplyMenuStates(item.items);
    }
}

// Tab and the dialog manager follow the z-order, so it is set to the tab order.
void Win32Peer::ApplyTabOrder() {
    std::vector<Control*> ordered;
    for (Control& control : form_.Controls())
        if (control.native) ordered.push_back(&control);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    HWND after = HWND_TOP;
    for (Control* control : ordered) {
        SetWindowPos(Hwnd(*control), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = Hwnd(*control);
    }
}

void Win32Peer::Create() {
    DWORD style = WS_CLIPSIBLINGS;
    DWORD ex = 0;
    switch (form_.border) {
        case Border::None:
            style |= WS_POPUP;
            break;
        case Border::FixedSingle:
            style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (form_.minButton ? WS_MINIMIZEBOX : 0);
            break;
        case Border::FixedDialog:
            style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
            ex |= WS_EX_DLGMODALFRAME;
            break;
    }
    RECT r{0, 0, Win32::ToPixels(form_.ClientWidth()), Win32::ToPixels(form_.ClientHeight())};
    AdjustWindowRectEx(&r, style, !form_.Menus().empty(), ex);
    const int w = r.right - r.left, h = r.bottom - r.top;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    if (form_.startPosition == StartPosition::CenterScreen) {
        x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    } else if (form_.startPosition == StartPosition::Manual) {
        x = Win32::ToPixels(form_.Left());
        y = Win32::ToPixels(form_.Top());
    }
    HWND owner = form_.showInTaskbar ? nullptr : Win32::ParkingWindow();
    hwnd_ = CreateWindowExW(ex, Win32::kFormClass, form_.Caption().c_str(), style, x, y, w, h,
                            owner, nullptr, Win32::Instance(), this);
    int id = kFirstControlId;
    for (Control& control : form_.Controls()) CreateControl(control, id++);
    CreateMenus();
    ApplyTabOrder();
    RECT placed;
    GetWindowRect(hwnd_, &placed);
    form_.UserMovedTo(Win32::ToTwips(placed.left), Win32::ToTwips(placed.top));
}

void Win32Peer::Destroy() {
    if (!hwnd_) return;
    // Give the windows back their input before this one goes, so activation returns to them.
    for (HWND disabled : disabledByModal_) EnableWindow(disabled, TRUE);
    disabledByModal_.clear();
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    HMENU menu = GetMenu(hwnd);
    for (Control& control : form_.Controls()) control.native = 0;
    DestroyWindow(hwnd);
    if (menu) DestroyMenu(menu);
    for (HBITMAP bitmap : bitmaps_) DeleteObject(bitmap);
    bitmaps_.clear();
}

void Win32Peer::SyncText(Control& control) {
    ++syncing_;
    SetWindowTextW(Hwnd(control), control.Text().c_str());
    --syncing_;
    if (control.transparent) RedrawArea(control);
}

void Win32Peer::SyncItems(Control& control) {
    HWND h = Hwnd(control);
    const bool combo = control.kind() == ControlKind::ComboBox;
    ++syncing_;
    SendMessageW(h, WM_SETREDRAW, FALSE, 0);
    SendMessageW(h, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    SendMessageW(h, combo ? CB_INITSTORAGE : LB_INITSTORAGE, control.Items().size(),
                 control.Items().size() * 32 * sizeof(wchar_t));
    for (const std::wstring& item : control.Items())
        SendMessageW(h, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(h, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(control.ListIndex()), 0);
    SendMessageW(h, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    --syncing_;
}

void Win32Peer::Sync(Control& control, ControlProp what) {
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
        case ControlProp::Items:
            SyncItems(control);
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
            SetFocus(h);
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
void Win32Peer::RedrawArea(Control& control) {
    RECT r;
    GetWindowRect(Hwnd(control), &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(hwnd_, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Win32Peer::SyncForm(FormProp what) {
    switch (what) {
        case FormProp::Caption:
            SetWindowTextW(hwnd_, form_.Caption().c_str());
            break;
        case FormProp::Position:
            SetWindowPos(hwnd_, nullptr, Win32::ToPixels(form_.Left()), Win32::ToPixels(form_.Top()),
                         0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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

void Win32Peer::FocusFirst() {
    HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (first) SetFocus(first);
}

void Win32Peer::Show() {
    ShowWindow(hwnd_, form_.State() == WindowState::Minimized ? SW_SHOWMINIMIZED : SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (!shownOnce_) {
        shownOnce_ = true;
        HWND focus = GetFocus();
        if (!focus || GetAncestor(focus, GA_ROOT) != hwnd_) FocusFirst();
    }
}

BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM data) {
    auto* windows = reinterpret_cast<std::vector<HWND>*>(data);
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) windows->push_back(hwnd);
    return TRUE;
}

void Win32Peer::RunModal() {
    std::vector<HWND> others;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&others));
    for (HWND other : others) {
        if (other == hwnd_) continue;
        EnableWindow(other, FALSE);
        disabledByModal_.push_back(other);
    }
    Show();
    MSG msg;
    while (form_.Loaded() && !Toolkit::Ended()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        Win32::ProcessMessage(msg);
    }
}

int Win32Peer::OuterWidth() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return Win32::ToTwips(r.right - r.left);
}

int Win32Peer::OuterHeight() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return Win32::ToTwips(r.bottom - r.top);
}

Control* Win32Peer::ControlOf(HWND child) {
    const auto it = byId_.find(GetDlgCtrlID(child));
    return it == byId_.end() ? nullptr : it->second;
}

void Win32Peer::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    HBRUSH back = form_.backColor ? Gdi().BrushFor(*form_.backColor)
                  : form_.systemBackColor >= 0 ? GetSysColorBrush(form_.systemBackColor)
                                               : GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &client, back);
    for (Control& control : form_.Controls()) {
        const bool frame = control.kind() == ControlKind::Frame;
        if (!frame && control.kind() != ControlKind::Shape) continue;
        const Twips at = control.FormPosition();
        RECT r{Win32::ToPixels(at.left), Win32::ToPixels(at.top),
               Win32::ToPixels(at.left + at.width), Win32::ToPixels(at.top + at.height)};
        const uint32_t color = control.backColor.value_or(GetSysColor(COLOR_BTNFACE));
        FillRect(dc, &r, frame && !control.backColor ? GetSysColorBrush(COLOR_BTNFACE)
                                                     : Gdi().BrushFor(color));
    }
    EndPaint(hwnd_, &ps);
}

LRESULT Win32Peer::OnColor(HDC dc, HWND child) {
    Control* control = ControlOf(child);
    if (!control) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    if (control->foreColor) SetTextColor(dc, ToColorRef(*control->foreColor));
    if (control->transparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    const uint32_t color = control->backColor.value_or(GetSysColor(COLOR_BTNFACE));
    SetBkColor(dc, ToColorRef(color));
    return reinterpret_cast<LRESULT>(control->backColor ? Gdi().BrushFor(color)
                                                        : GetSysColorBrush(COLOR_BTNFACE));
}

void Win32Peer::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (lParam == 0) {  // a menu item
        if (MenuItem* item = form_.FindMenuItem(static_cast<std::uintptr_t>(id)))
            if (item->Click) item->Click(item->index);
        return;
    }
    const auto it = byId_.find(id);
    if (it == byId_.end() || syncing_) return;
    Control& control = *it->second;
    HWND h = reinterpret_cast<HWND>(lParam);
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
                text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
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

LRESULT Win32Peer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    HWND hwnd = hwnd_ ? hwnd_ : nullptr;
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CLOSE:
            form_.UserClose(UnloadMode::FormControlMenu);
            return 0;
        case WM_QUERYENDSESSION:
            form_.UserClose(UnloadMode::WindowsShutdown);
            return form_.Loaded() ? FALSE : TRUE;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED && form_.State() != WindowState::Minimized)
                form_.UserChangedState(WindowState::Minimized);
            else if (wParam == SIZE_RESTORED && form_.State() != WindowState::Normal)
                form_.UserChangedState(WindowState::Normal);
            return 0;
        case WM_MOVE:
            if (hwnd && !IsIconic(hwnd)) {
                RECT r;
                GetWindowRect(hwnd, &r);
                form_.UserMovedTo(Win32::ToTwips(r.left), Win32::ToTwips(r.top));
            }
            return 0;
        case WM_MOUSEMOVE: {
            const int button = (wParam & MK_LBUTTON ? 1 : 0) | (wParam & MK_RBUTTON ? 2 : 0) |
                               (wParam & MK_MBUTTON ? 4 : 0);
            const int x = static_cast<short>(LOWORD(lParam));
            const int y = static_cast<short>(HIWORD(lParam));
            form_.UserMouseMove(button, ShiftState(), static_cast<float>(Win32::ToTwips(x)),
                                static_cast<float>(Win32::ToTwips(y)));
            return 0;
        }
        case WM_SETCURSOR:
            if (HCURSOR cursor = Win32::CurrentCursor()) {
                SetCursor(cursor);
                return TRUE;
            }
            break;
        default:
            if (message == taskbarCreated && hwnd) {
                Win32::RestoreTrayIcons(hwnd);
                return 0;
            }
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<FormPeer> MakeFormPeer(Form& form) {
    Win32::RegisterFormClass();
    return std::make_unique<Win32Peer>(form);
}

namespace Win32 {

void RegisterFormClass() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FormProc;
    wc.hInstance = Instance();
    wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(1));
    wc.hIconSm = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
}

bool IsForm(HWND hwnd) {
    wchar_t name[32];
    return GetClassNameW(hwnd, name, 32) && lstrcmpW(name, kFormClass) == 0;
}

}  // namespace Win32
