#pragma once
// Handles that free themselves: each kind of Win32 handle the program creates, owned by a
// unique_ptr with the call that frees it.

#include <windows.h>

#include <imm.h>

#include <memory>
#include <type_traits>

namespace Win32 {

template <typename Handle, auto Free>
struct Freer {
    void operator()(Handle handle) const {
        if (handle) Free(handle);
    }
};

template <typename Handle, auto Free>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Freer<Handle, Free>>;

using OwnedIcon = Owned<HICON, DestroyIcon>;
// A menu bar belongs to its window once SetMenu has attached it: release it then.
using OwnedMenu = Owned<HMENU, DestroyMenu>;
using OwnedBitmap = Owned<HBITMAP, DeleteObject>;
using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedBrush = Owned<HBRUSH, DeleteObject>;
using OwnedMemoryDc = Owned<HDC, DeleteDC>;

// A device context borrowed from a window (the screen when null) and given back.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd = nullptr) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() { ReleaseDC(hwnd_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// The input-method context of a window, borrowed and given back.
class InputContext {
public:
    explicit InputContext(HWND hwnd) : hwnd_(hwnd), context_(ImmGetContext(hwnd)) {}
    ~InputContext() {
        if (context_) ImmReleaseContext(hwnd_, context_);
    }
    InputContext(const InputContext&) = delete;
    InputContext& operator=(const InputContext&) = delete;
    HIMC get() const { return context_; }

private:
    HWND hwnd_;
    HIMC context_;
};

// An object selected into a device context for as long as this lives.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace Win32
