#pragma once
// The Win32 window behind a Form: a top-level window of our own class with standard controls
// as its children. Frames and shapes are painted by the form itself. Its work is split by
// job: creation, the window procedure and the modal loop (Win32Form.cpp); properties set from
// code (Win32FormSync.cpp); what the window reports (Win32FormEvents.cpp).

#include <windows.h>

#include <list>
#include <map>
#include <vector>

#include "ui/toolkit/Form.h"
#include "ui/toolkit/Peer.h"
#include "ui/toolkit/win32/Handles.h"

namespace Win32 {

inline HWND Hwnd(const Control& control) { return reinterpret_cast<HWND>(control.native); }

class FormWindow final : public FormPeer {
public:
    explicit FormWindow(Form& form) : form_(form) {}
    ~FormWindow() override { Destroy(); }

    bool Create() override;
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
    bool CreateControls();
    void CreateMenus();
    void ApplyStackingOrder();
    void RunTimer(const Control& timer);  // started or stopped as it is enabled
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
    void OnMouseMove(LPARAM at);
    void OnTimer(WPARAM id);
    void OnSettingChange(UINT message, WPARAM what);
    bool MadeByThePointer(POINT at) const;

    Form& form_;
    HWND hwnd_ = nullptr;
    // The control that last had the focus, given it back when the form is activated again.
    HWND focus_ = nullptr;
    int syncing_ = 0;  // notifications caused by our own updates are not the user's
    std::vector<HWND> disabledByModal_;
    std::map<int, Control*> byId_;       // the controls by their child window's id, timers too
    std::vector<OwnedBitmap> pictures_;  // a picture control does not free its bitmap
};

}  // namespace Win32
