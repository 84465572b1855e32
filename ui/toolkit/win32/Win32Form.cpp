// Creating and destroying a form's window, showing it, its modal loop and its window procedure.

#include <windows.h>

#include <vector>

#include "ui/toolkit/Faults.h"
#include "ui/toolkit/Toolkit.h"
#include "ui/toolkit/win32/FormWindow.h"
#include "ui/toolkit/win32/Win32Controls.h"
#include "ui/toolkit/win32/Win32Internal.h"

namespace Win32 {

namespace {

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* created = static_cast<FormWindow*>(create->lpCreateParams);
        created->Attach(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* peer = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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

BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM data) {
    auto* windows = reinterpret_cast<std::vector<HWND>*>(data);
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) windows->push_back(hwnd);
    return TRUE;
}

}  // namespace

DWORD FormWindow::Style() const {
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

DWORD FormWindow::ExStyle() const {
    return form_.border == Border::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
}

POINT FormWindow::StartPosition(SIZE outer) const {
    switch (form_.startPosition) {
        case StartPosition::CenterScreen:
            return {(GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2};
        case StartPosition::Manual:
            return {ToPixels(form_.Left()), ToPixels(form_.Top())};
        case StartPosition::WindowsDefault:
            break;
    }
    return {CW_USEDEFAULT, CW_USEDEFAULT};
}

bool FormWindow::Create() {
    RECT r{0, 0, ToPixels(form_.ClientWidth()), ToPixels(form_.ClientHeight())};
    AdjustWindowRectEx(&r, Style(), !form_.Menus().empty(), ExStyle());
    const SIZE outer{r.right - r.left, r.bottom - r.top};
    const POINT at = StartPosition(outer);
    HWND owner = form_.showInTaskbar ? nullptr : ParkingWindow();
    hwnd_ = CreateWindowExW(ExStyle(), kFormClass, form_.Caption().c_str(), Style(), at.x, at.y,
                            outer.cx, outer.cy, owner, nullptr, Instance(), this);
    if (!hwnd_ || !CreateControls()) return false;
    // Run elevated, the program still hears a second start and the taskbar's (re)start.
    for (const wchar_t* heard : {kStartedAgainMessage, L"TaskbarCreated"})
        ChangeWindowMessageFilterEx(hwnd_, RegisterWindowMessageW(heard), MSGFLT_ALLOW, nullptr);
    CreateMenus();
    ApplyStackingOrder();
    OnMove();
    return true;
}

bool FormWindow::CreateControls() {
    int id = kFirstControlId;
    for (Control& control : form_.Controls()) {
        const int childId = id++;
        if (control.kind() == ControlKind::Timer) {
            byId_[childId] = &control;
            RunTimer(control);
            continue;
        }
        if (!HasWindow(control)) continue;
        HWND child = CreateChild(control, hwnd_, childId);
        if (!child) return false;
        control.native = reinterpret_cast<std::uintptr_t>(child);
        byId_[childId] = &control;
        if (control.kind() == ControlKind::Picture && control.pictureResource)
            pictures_.push_back(ShowPicture(control, child));
        if (!control.Items().empty()) FillList(control);
        if (control.kind() == ControlKind::CheckBox) Sync(control, ControlProp::Value);
    }
    return true;
}

// A timer runs under the number its control would have as a child window.
void FormWindow::RunTimer(const Control& timer) {
    for (const auto& [id, control] : byId_) {
        if (control != &timer) continue;
        if (timer.Enabled())
            SetTimer(hwnd_, static_cast<UINT_PTR>(id), static_cast<UINT>(timer.interval), nullptr);
        else
            KillTimer(hwnd_, static_cast<UINT_PTR>(id));
    }
}

void FormWindow::CreateMenus() {
    if (form_.Menus().empty()) return;
    OwnedMenu bar(CreateMenu());
    int id = kFirstMenuId;
    for (MenuItem& menu : form_.Menus()) {
        OwnedMenu popup(CreatePopupMenu());
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

void FormWindow::ApplyMenuStates(std::list<MenuItem>& items) {
    HMENU bar = GetMenu(hwnd_);
    for (MenuItem& item : items) {
        if (item.native) {
            EnableMenuItem(bar, static_cast<UINT>(item.native),
                           MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
            CheckMenuItem(bar, static_cast<UINT>(item.native),
                          MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
        }
        ApplyMenuStates(item.items);
    }
}

// Tab and the dialog manager follow the z-order, and screen readers name a box by the label
// before it there.
void FormWindow::ApplyStackingOrder() {
    HWND after = HWND_TOP;
    for (Control* control : form_.StackingOrder()) {
        if (!control->native) continue;
        SetWindowPos(Hwnd(*control), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = Hwnd(*control);
    }
}

void FormWindow::Destroy() {
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

void FormWindow::Show() {
    ShowWindow(hwnd_, form_.State() == WindowState::Minimized ? SW_SHOWMINIMIZED : SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void FormWindow::RunModal() {
    std::vector<HWND> others;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&others));
    for (HWND other : others) {
        if (other == hwnd_) continue;
        EnableWindow(other, FALSE);
        disabledByModal_.push_back(other);
    }
    Show();
    RunModalLoop([this] { return form_.Loaded(); });
}

int FormWindow::OuterWidth() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return ToTwips(r.right - r.left);
}

int FormWindow::OuterHeight() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return ToTwips(r.bottom - r.top);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    static const UINT startedAgain = RegisterWindowMessageW(kStartedAgainMessage);
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ERASEBKGND:
            return 1;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            OnSettingChange(message, wParam);
            break;
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
            OnMouseMove(lParam);
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd_)) RestoreFocus();
            return 0;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_SETCURSOR:
            if (HCURSOR cursor = CurrentCursor()) {
                SetCursor(cursor);
                return TRUE;
            }
            break;
        default:
            if (message == taskbarCreated && hwnd_) {
                form_.UserTaskbarCreated();
                return 0;
            }
            if (message == startedAgain) {
                form_.UserStartedAgain();
                return 0;
            }
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

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

std::unique_ptr<FormPeer> MakeFormPeer(Form& form) {
    Win32::RegisterFormClass();
    return std::make_unique<Win32::FormWindow>(form);
}
