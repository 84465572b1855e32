#include "e2e/Desktop.h"

#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ui/toolkit/win32/Handles.h"

namespace e2e {

namespace {

constexpr int kPromptId = 0xFFFF;  // the message box's text
constexpr int kIconId = 0x0440;    // the message box's icon

struct Search {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid) search->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
    return TRUE;
}

bool IsList(HWND list) { return ClassOf(list) == L"ListBox"; }

void NotifyParent(HWND control, WORD code, bool wait = false) {
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(control), code);
    if (wait)
        SendMessageW(GetParent(control), WM_COMMAND, command, reinterpret_cast<LPARAM>(control));
    else
        PostMessageW(GetParent(control), WM_COMMAND, command, reinterpret_cast<LPARAM>(control));
}

void Select(HWND list, int index, bool wait) {
    SendMessageW(list, IsList(list) ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    NotifyParent(list, IsList(list) ? LBN_SELCHANGE : CBN_SELCHANGE, wait);
}

// A button pressed or released where it is given. Under Wine the X server echoes earlier moves
// of the pointer back late, and one that came between the move and the press would otherwise
// take the press to where the pointer had been.
void SendMouseAt(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

std::wstring PathFromEnvironment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    std::wstring path = value ? value : L"";
    if (!path.empty() && path.front() == L'/') {
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        path = L"Z:" + path;
    }
    return path;
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs, int pollMs) {
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!done()) {
        if (GetTickCount64() > until) return false;
        // The driver's own windows (a stand-in taskbar, a window to switch to) answer meanwhile.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(pollMs), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return true;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    // Another process's controls keep their text to themselves: only they answer WM_GETTEXT.
    if (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)
        SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    else
        GetWindowTextW(hwnd, text, 1024);
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::vector<HWND> WindowsOf(DWORD pid, const std::wstring& caption, const std::wstring& cls) {
    Search search{pid, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    std::erase_if(search.found, [&](HWND hwnd) {
        return (!caption.empty() && TextOf(hwnd) != caption) ||
               (!cls.empty() && ClassOf(hwnd) != cls);
    });
    return search.found;
}

HWND WindowOf(DWORD pid, const std::wstring& caption, const std::wstring& cls) {
    const std::vector<HWND> found = WindowsOf(pid, caption, cls);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
    std::vector<HWND> windows = WindowsOf(pid);
    std::erase_if(windows, [](HWND hwnd) { return !IsWindowVisible(hwnd); });
    return windows;
}

std::vector<HWND> ChildrenOf(HWND parent, const std::wstring& cls) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&children));
    std::erase_if(children,
                  [&](HWND child) { return lstrcmpiW(ClassOf(child).c_str(), cls.c_str()) != 0; });
    std::sort(children.begin(), children.end(),
              [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
    return children;
}

HWND ChildWithText(HWND parent, const std::wstring& cls, const std::wstring& text) {
    for (HWND child : ChildrenOf(parent, cls))
        if (TextOf(child) == text) return child;
    return nullptr;
}

void Press(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void Pick(HWND list, int index) { Select(list, index, false); }

void PickNow(HWND list, int index) { Select(list, index, true); }

void DoubleClickItem(HWND listBox, int index) {
    Pick(listBox, index);
    NotifyParent(listBox, LBN_DBLCLK);
}

int ItemCount(HWND list) {
    return static_cast<int>(SendMessageW(list, IsList(list) ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
}

std::wstring ItemText(HWND list, int index) {
    const bool listBox = IsList(list);
    const auto item = static_cast<WPARAM>(index);
    const auto length = SendMessageW(list, listBox ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, item, 0);
    if (length < 0) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, listBox ? LB_GETTEXT : CB_GETLBTEXT, item,
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int SelectedItem(HWND list) {
    return static_cast<int>(SendMessageW(list, IsList(list) ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

void Type(HWND edit, const std::wstring& text) {
    for (const wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

void PressKey(HWND target, WORD virtualKey) {
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(target, WM_KEYUP, virtualKey, 0xC0000001);
}

void SetCaret(HWND edit, int start, int length) {
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

void ChooseMenu(HWND window, UINT commandId) { PostMessageW(window, WM_COMMAND, commandId, 0); }

void Close(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

bool Gone(HWND window, int timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

HWND FocusIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD pid, int timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : WindowsOf(pid, L"", L"#32770"))
                if (IsWindowVisible(hwnd)) box = hwnd;
            return box != nullptr;
        },
        timeoutMs);
    if (!box) return std::nullopt;
    MessageBoxSeen seen;
    seen.hwnd = box;
    seen.title = TextOf(box);
    seen.prompt = TextOf(GetDlgItem(box, kPromptId));
    HWND icon = GetDlgItem(box, kIconId);
    seen.icon = icon && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0) != 0;
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (!button || !IsWindowVisible(button)) continue;
        seen.buttons.push_back(id);
        if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            seen.defaultButton = id;
    }
    return seen;
}

void Answer(const MessageBoxSeen& box, int buttonId) {
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.hwnd, buttonId)));
    Gone(box.hwnd);  // before the next look for a box, so that look never finds this one again
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

namespace {

// Whether the tray slot at `at` shows an icon: some of its pixels differ from the bare taskbar.
bool IconDrawnAt(POINT at) {
    const Win32::WindowDc screen;
    const RECT bar = RectOf(FindWindowW(L"Shell_TrayWnd", nullptr));
    const COLORREF bare = GetPixel(screen.get(), (bar.left + bar.right) / 2, at.y);
    const int half = GetSystemMetrics(SM_CXSMICON) / 2;
    int differing = 0;
    for (int y = at.y - half; y < at.y + half; ++y)
        for (int x = at.x - half; x < at.x + half; ++x)
            if (GetPixel(screen.get(), x, y) != bare) ++differing;
    return differing > half * half / 4;
}

// The slot left of a tray icon, where a second icon would be drawn.
POINT NextTraySlot(POINT icon) { return POINT{icon.x - GetSystemMetrics(SM_CXSMICON) - 4, icon.y}; }

std::optional<RECT> ShellsIconRect(HWND owner) {
    NOTIFYICONIDENTIFIER icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uID = 0;
    RECT r{};
    if (!owner || FAILED(Shell_NotifyIconGetRect(&icon, &r))) return std::nullopt;
    return r;
}

}  // namespace

POINT TrayIconPoint(HWND owner) {
    if (!UnderWine())
        if (const std::optional<RECT> r = ShellsIconRect(owner))
            return POINT{(r->left + r->right) / 2, (r->top + r->bottom) / 2};
    const RECT bar = RectOf(FindWindowW(L"Shell_TrayWnd", nullptr));
    const int slot = GetSystemMetrics(SM_CXSMICON) + 4;
    return POINT{bar.right - slot / 2, (bar.top + bar.bottom) / 2};
}

bool IconShown(HWND owner) {
    return UnderWine() ? IconDrawnAt(TrayIconPoint()) : ShellsIconRect(owner).has_value();
}

bool NoSecondIcon() {
    if (UnderWine()) return !IconDrawnAt(NextTraySlot(TrayIconPoint()));
    std::printf("one icon, not two: not checked here, where the shell's other icons stand\n");
    return true;
}

namespace {

int g_calls[NIM_SETVERSION + 1];  // by the shell's message
bool g_tookItLate = false;

LRESULT CALLBACK RefusingTaskbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcW(hwnd, message, wParam, lParam);
    const ULONG_PTR call = reinterpret_cast<const COPYDATASTRUCT*>(lParam)->dwData;
    if (call <= NIM_SETVERSION) ++g_calls[call];
    return g_tookItLate && call != NIM_ADD;
}

}  // namespace

RefusingTaskbar::RefusingTaskbar(bool tookItLate) {
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RefusingTaskbarProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"Shell_TrayWnd";
        return RegisterClassW(&wc);
    }();
    std::fill(std::begin(g_calls), std::end(g_calls), 0);
    g_tookItLate = tookItLate;
    // Created last and topmost, it is the first of its class that a search finds.
    hwnd_ =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, MAKEINTATOM(registered), L"", WS_POPUP, 0,
                        0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

RefusingTaskbar::~RefusingTaskbar() { DestroyWindow(hwnd_); }

int RefusingTaskbar::Offers(UINT call) const { return g_calls[call]; }

bool MoveTo(POINT at) {
    const auto standsThere = [&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == at.x && now.y == at.y;
    };
    // Under Wine the X server echoes each move back a little later, and on a busy machine
    // may drop one: wait for this one to stand, and send it again while it does not.
    for (int attempt = 0; attempt < 50; ++attempt) {
        SetCursorPos(at.x, at.y);
        if (WaitUntil(standsThere, 100, 1)) return true;
    }
    return false;
}

void PostTrayMessage(HWND window, UINT mouseMessage) {
    PostMessageW(window, WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
}

void ClickAt(POINT at) {
    // Two presses closer than the double-click time would be one double click.
    static ULONGLONG lastClick = 0;
    const ULONGLONG apart = GetDoubleClickTime() + 100;
    const ULONGLONG now = GetTickCount64();
    if (now < lastClick + apart) Sleep(static_cast<DWORD>(lastClick + apart - now));
    MoveTo(at);
    Sleep(50);
    SendMouseAt(MOUSEEVENTF_LEFTDOWN, at);
    Sleep(50);
    SendMouseAt(MOUSEEVENTF_LEFTUP, at);
    lastClick = GetTickCount64();
}

OtherProgram::OtherProgram() {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                            0, 320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(hwnd_);
}

OtherProgram::~OtherProgram() { DestroyWindow(hwnd_); }

std::wstring AccessibleNameOf(HWND control) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // once per thread; later calls are no-ops
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))))
        return L"";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring text;
    if (accessible->get_accName(self, &name) == S_OK && name) text.assign(name, SysStringLen(name));
    SysFreeString(name);
    accessible->Release();
    return text;
}

RECT RectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT ScreenRect() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

RECT WorkArea() {
    RECT work = ScreenRect();
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

int ScreenDpi() { return GetDeviceCaps(Win32::WindowDc().get(), LOGPIXELSY); }

int Pixels(int twips) { return MulDiv(twips, ScreenDpi(), 1440); }

int PixelsOfColor(HWND hwnd, COLORREF color) {
    const RECT r = RectOf(hwnd);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const Win32::WindowDc screen;
    const Win32::OwnedMemoryDc memory(CreateCompatibleDC(screen.get()));
    const Win32::OwnedBitmap copy(CreateCompatibleBitmap(screen.get(), w, h));
    const Win32::Selected drawingInto(memory.get(), copy.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
    int count = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) count += GetPixel(memory.get(), x, y) == color;
    return count;
}

void Screenshot(const std::wstring& name, HWND hwnd) {
    Sleep(300);  // the program paints what it was just told in its own time
    const RECT r = hwnd ? RectOf(hwnd) : ScreenRect();
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    const Win32::WindowDc screen;
    const Win32::OwnedMemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const Win32::OwnedBitmap bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const Win32::Selected drawingInto(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3);
    const DWORD imageBytes = stride * static_cast<DWORD>(h);
    BITMAPFILEHEADER file{
        0x4D42,
        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageBytes), 0, 0,
        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
    info.bmiHeader.biSizeImage = imageBytes;
    const std::wstring dpi = ScreenDpi() == 96 ? L"" : L"-" + std::to_wstring(ScreenDpi()) + L"dpi";
    std::ofstream out(
        std::filesystem::path(PathFromEnvironment(L"ZELKOR_SHOTS")) / (name + dpi + L".bmp"),
        std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageBytes);
}

}  // namespace e2e
