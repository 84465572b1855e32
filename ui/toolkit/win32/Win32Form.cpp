// The Win32 window behind a Form: a top-level window of our own class with standard
// controls as its children. Frames and shapes are painted by the form itself.

#include <windows.h>

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <vector>

#include "ui/toolkit/Faults.h"
#include "ui/toolkit/Form.h"
#include "ui/toolkit/Toolkit.h"
#include "ui/toolkit/win32/GdiCache.h"
#include "ui/toolkit/win32/Handles.h"
#include "ui/toolkit/win32/Win32Controls.h"
#include "ui/toolkit/win32/Win32Internal.h"

namespace {

HWND Hwnd(const Control& control) { return reinterpret_cast<HWND>(control.native); }

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

class Win32Peer final : public FormPeer {
public:
    explicit Win32Peer(Form& form) : form_(form) {}
    ~Win32Peer() override { Destroy(); }

    void Create() override;
    void Destroy() override;
    void Sync(Control& control, ControlProp what) override;
    bool FillList(Control& list) override;
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

private:
    DWORD Style() const;
    DWORD ExStyle() const;
    POINT StartPosition(SIZE outer) const;
    void CreateControls();
    void CreateMenus();
    void ApplyTabOrder();
    void ApplyMenuStates(std::list<MenuItem>& items);
    void RedrawArea(Control& control);
    void RestoreFocus();
    void SyncText(Control& control);
    Control* ControlOf(HWND child);
    RECT PixelRect(const Control& control) const;

    void OnPaint();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnControlCommand(Control& control, int code, HWND h);
    LRESULT OnColor(HDC dc, HWND child);
    void OnSize(WPARAM kind);
    void OnMove();
    void OnMouseMove(WPARAM keys, LPARAM at);
    bool MadeByThePointer(POINT at) const;

    Form& form_;
    HWND hwnd_ = nullptr;
    // The control that last had the focus, given it back when the form is activated again.
    HWND focus_ = nullptr;
    int syncing_ = 0;  // notifications caused by our own updates are not the user's
    std::vector<HWND> disabledByModal_;
    std::map<int, Control*> byId_;
    std::vector<Win32::OwnedBitmap> pictures_;  // a picture control does not free its bitmap
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
    bool faulted = true;
    const LRESULT result = Toolkit::CatchFaults<LRESULT>(message == WM_QUERYENDSESSION, [&] {
        const LRESULT handled = peer->Handle(message, wParam, lParam);
        faulted = false;
        return handled;
    });
    // A paint stopped by a fault would otherwise be asked for again and again.
    if (faulted && message == WM_PAINT)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
    return result;
}

DWORD Win32Peer::Style() const {
    switch (form_.border) {
        case Border::None:
            return WS_CLIPSIBLINGS | WS_POPUP;
        case Border::FixedDialog:
            return WS_CLIPSIBLINGS | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        case Border::FixedSingle:
            break;
    }
    return WS_CLIPSIBLINGS | WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU |
           (form_.minButton ? WS_MINIMIZEBOX : 0);
}

DWORD Win32Peer::ExStyle() const {
    return form_.border == Border::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
}

POINT Win32Peer::StartPosition(SIZE outer) const {
    switch (form_.startPosition) {
        case StartPosition::CenterScreen:
            return {(GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2};
        case StartPosition::Manual:
            return {Win32::ToPixels(form_.Left()), Win32::ToPixels(form_.Top())};
        case StartPosition::WindowsDefault:
            break;
    }
    return {CW_USEDEFAULT, CW_USEDEFAULT};
}

void Win32Peer::Create() {
    RECT r{0, 0, Win32::ToPixels(form_.ClientWidth()), Win32::ToPixels(form_.ClientHeight())};
    AdjustWindowRectEx(&r, Style(), !form_.Menus().empty(), ExStyle());
    const SIZE outer{r.right - r.left, r.bottom - r.top};
    const POINT at = StartPosition(outer);
    HWND owner = form_.showInTaskbar ? nullptr : Win32::ParkingWindow();
    hwnd_ = CreateWindowExW(ExStyle(), Win32::kFormClass, form_.Caption().c_str(), Style(), at.x,
                            at.y, outer.cx, outer.cy, owner, nullptr, Win32::Instance(), this);
    CreateControls();
    CreateMenus();
    ApplyTabOrder();
    OnMove();
}

void Win32Peer::CreateControls() {
    int id = Win32::kFirstControlId;
    for (Control& control : form_.Controls()) {
        HWND child = Win32::CreateChild(control, hwnd_, id);
        if (child) {
            control.native = reinterpret_cast<std::uintptr_t>(child);
            byId_[id] = &control;
            if (control.kind() == ControlKind::Picture && control.pictureResource)
                pictures_.push_back(Win32::ShowPicture(control, child));
            if (!control.Items().empty()) FillList(control);
            if (control.kind() == ControlKind::CheckBox) Sync(control, ControlProp::Value);
        }
        ++id;
    }
}

void Win32Peer::CreateMenus() {
    if (form_.Menus().empty()) return;
    Win32::OwnedMenu bar(CreateMenu());
    int id = Win32::kFirstMenuId;
    for (MenuItem& menu : form_.Menus()) {
        Win32::OwnedMenu popup(CreatePopupMenu());
        for (MenuItem& item : menu.items) {
            item.native = static_cast<std::uintptr_t>(id);
            if (item.caption == L"-")
                AppendMenuW(popup.get(), MF_SEPARATOR, static_cast<UINT_PTR>(id), nullptr);
            else
                AppendMenuW(popup.get(), MF_STRING, static_cast<UINT_PTR>(id),
                            item.caption.c_str());
            ++id;
        }
        // The bar owns the popup from here on.
        AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.release()),
                    menu.caption.c_str());
    }
    // The window owns the bar from here on and destroys it with itself.
    SetMenu(hwnd_, bar.release());
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

void Win32Peer::Destroy() {
    if (!hwnd_) return;
    // Give the windows back their input before this one goes, so activation returns to them.
    for (HWND disabled : disabledByModal_) EnableWindow(disabled, TRUE);
    disabledByModal_.clear();
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    for (Control& control : form_.Controls()) control.native = 0;
    DestroyWindow(hwnd);  // its menu bar and controls go with it
    pictures_.clear();
}

void Win32Peer::SyncText(Control& control) {
    SetWindowTextW(Hwnd(control), control.Text().c_str());
    if (control.transparent) RedrawArea(control);
}

// A line longer than any screen is wide shows no more for it, and is cut to this.
constexpr size_t kMaxLineChars = 1024;

bool Win32Peer::FillList(Control& list) {
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
        const std::wstring line = item.substr(0, kMaxLineChars);
        const LRESULT at = SendMessageW(h, add, 0, reinterpret_cast<LPARAM>(line.c_str()));
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
            SetWindowPos(hwnd_, nullptr, Win32::ToPixels(form_.Left()),
                         Win32::ToPixels(form_.Top()), 0, 0,
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

// As a dialog does: the control that had the focus when the user left, else the first in
// tab order.
void Win32Peer::RestoreFocus() {
    HWND target = focus_ && IsChild(hwnd_, focus_) && IsWindowEnabled(focus_) ? focus_ : nullptr;
    if (!target)
        if (Control* first = form_.FirstInTabOrder()) target = Hwnd(*first);
    if (target) SetFocus(target);
}

void Win32Peer::Show() {
    ShowWindow(hwnd_, form_.State() == WindowState::Minimized ? SW_SHOWMINIMIZED : SW_SHOW);
    SetForegroundWindow(hwnd_);
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
    Win32::RunModalLoop([this] { return form_.Loaded(); });
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

RECT Win32Peer::PixelRect(const Control& control) const {
    const Twips at = control.FormPosition();
    return RECT{Win32::ToPixels(at.left), Win32::ToPixels(at.top),
                Win32::ToPixels(at.left + at.width), Win32::ToPixels(at.top + at.height)};
}

void Win32Peer::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    HBRUSH back = form_.backColor              ? Win32::Gdi().BrushFor(*form_.backColor)
                  : form_.systemBackColor >= 0 ? GetSysColorBrush(form_.systemBackColor)
                                               : GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &client, back);
    for (Control& control : form_.Controls()) {
        const bool frame = control.kind() == ControlKind::Frame;
        if (!frame && control.kind() != ControlKind::Shape) continue;
        const RECT r = PixelRect(control);
        const uint32_t color = control.backColor.value_or(GetSysColor(COLOR_BTNFACE));
        FillRect(dc, &r,
                 frame && !control.backColor ? GetSysColorBrush(COLOR_BTNFACE)
                                             : Win32::Gdi().BrushFor(color));
    }
    EndPaint(hwnd_, &ps);
}

LRESULT Win32Peer::OnColor(HDC dc, HWND child) {
    Control* control = ControlOf(child);
    if (!control) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    if (control->foreColor) SetTextColor(dc, static_cast<COLORREF>(*control->foreColor));
    if (control->transparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    const uint32_t color = control->backColor.value_or(GetSysColor(COLOR_BTNFACE));
    SetBkColor(dc, static_cast<COLORREF>(color));
    return reinterpret_cast<LRESULT>(control->backColor ? Win32::Gdi().BrushFor(color)
                                                        : GetSysColorBrush(COLOR_BTNFACE));
}

void Win32Peer::OnCommand(WPARAM wParam, LPARAM lParam) {
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

void Win32Peer::OnControlCommand(Control& control, int code, HWND h) {
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

void Win32Peer::OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED && form_.State() != WindowState::Minimized)
        form_.UserChangedState(WindowState::Minimized);
    else if (kind == SIZE_RESTORED && form_.State() != WindowState::Normal)
        form_.UserChangedState(WindowState::Normal);
}

void Win32Peer::OnMove() {
    if (!hwnd_ || IsIconic(hwnd_)) return;
    RECT r;
    GetWindowRect(hwnd_, &r);
    form_.UserMovedTo(Win32::ToTwips(r.left), Win32::ToTwips(r.top));
}

// The tray icon's messages arrive as mouse moves whose x is the message number. At high
// scaling the client area is wider than those numbers, so the pointer's own moves are told
// apart, and not reported, by where the pointer was when the message was made.
void Win32Peer::OnMouseMove(WPARAM keys, LPARAM at) {
    const POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (MadeByThePointer(point)) return;
    const int button =
        (keys & MK_LBUTTON ? 1 : 0) | (keys & MK_RBUTTON ? 2 : 0) | (keys & MK_MBUTTON ? 4 : 0);
    const DpiScale& scale = Win32::Scale();
    form_.UserMouseMove(button, Win32::ShiftState(), static_cast<float>(scale.MouseTwips(point.x)),
                        static_cast<float>(scale.MouseTwips(point.y)));
}

bool Win32Peer::MadeByThePointer(POINT at) const {
    if (InSendMessage()) return false;  // the pointer's moves are posted, never sent
    const DWORD made = GetMessagePos();
    POINT pointer{GET_X_LPARAM(made), GET_Y_LPARAM(made)};
    HWND under = WindowFromPoint(pointer);
    if (!under || GetAncestor(under, GA_ROOT) != hwnd_) return false;
    ScreenToClient(hwnd_, &pointer);
    return pointer.x == at.x && pointer.y == at.y;
}

LRESULT Win32Peer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
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
            OnPaint();
            return 0;
        case WM_CLOSE:
            form_.UserClose(UnloadMode::FormControlMenu);
            return 0;
        case WM_QUERYENDSESSION:
            form_.UserClose(UnloadMode::WindowsShutdown);
            return form_.Loaded() ? FALSE : TRUE;
        case WM_SIZE:
            OnSize(wParam);
            return 0;
        case WM_MOVE:
            OnMove();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd_)) RestoreFocus();
            return 0;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_SETCURSOR:
            if (HCURSOR cursor = Win32::CurrentCursor()) {
                SetCursor(cursor);
                return TRUE;
            }
            break;
        default:
            if (message == taskbarCreated && hwnd_) {
                Win32::RestoreTrayIcons(hwnd_);
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
    // The class keeps both icons for the whole run.
    wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(1));
    wc.hIconSm = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
}

bool IsForm(HWND hwnd) {
    wchar_t name[32];
    return GetClassNameW(hwnd, name, 32) && lstrcmpW(name, kFormClass) == 0;
}

}  // namespace Win32
