#pragma once
// A window of the program, with its controls and menus, described in twips as designed.

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/toolkit/Colors.h"
#include "ui/toolkit/Control.h"
#include "ui/toolkit/Peer.h"

enum class Border { None, FixedSingle, FixedDialog };
enum class StartPosition { Manual, CenterScreen, WindowsDefault };
enum class WindowState { Normal, Minimized };

struct MenuItem {
    std::wstring name;
    int index = -1;
    std::wstring caption;  // "-" is a separator
    bool enabled = true;
    bool checked = false;
    std::list<MenuItem> items;
    std::function<void(int index)> Click;
    std::uintptr_t native = 0;
    Form* form = nullptr;

    MenuItem& Add(const std::wstring& itemName, int itemIndex, const std::wstring& itemCaption);
    void SetEnabled(bool on);
    void SetChecked(bool on);
};

class Form {
public:
    Form(std::wstring name, std::wstring caption, int clientWidth, int clientHeight);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Design.
    Control& Add(ControlKind kind, const std::wstring& name, Twips position,
                 const std::wstring& text = L"", int index = -1, Control* container = nullptr);
    MenuItem& AddMenu(const std::wstring& name, int index, const std::wstring& caption);
    Control& Ctl(const std::wstring& name, int index = -1);
    std::list<Control>& Controls() { return controls_; }
    std::list<MenuItem>& Menus() { return menus_; }
    MenuItem* FindMenuItem(std::uintptr_t native);
    // The control that takes the focus when the form opens: the first in tab order that can.
    Control* FirstInTabOrder();
    // The controls from the top of the window's stacking order down: in tab order, each label
    // moved to just before the control it names. Tab passes over labels, so the order in which
    // it reaches the controls stays the tab order.
    std::vector<Control*> StackingOrder();

    const std::wstring& name() const { return name_; }
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }

    Border border = Border::FixedSingle;
    bool minButton = false;
    bool showInTaskbar = true;
    StartPosition startPosition = StartPosition::WindowsDefault;
    std::optional<uint32_t> backColor;
    int systemBackColor = -1;  // a system colour number instead of backColor

    // Running. Once the program has ended, none of these loads or shows anything.
    // Creates the window hidden and raises Load, once. A window the system cannot create (out
    // of window memory) is reported, and the form stays unloaded.
    void Load();
    void Show();
    void ShowModal();  // returns when the form has been unloaded or the program has ended
    void Hide();
    // Asks QueryUnload (unless this form is already answering it), then destroys the window.
    // Returns false when the unload was cancelled.
    bool Unload(int unloadMode = 1);
    bool Loaded() const { return peer_ != nullptr; }
    bool Visible() const { return peer_ && peer_->Visible(); }

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);
    WindowState State() const { return state_; }
    void SetState(WindowState state);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const;  // outer size in twips
    int Height() const;
    void Move(int left, int top);
    std::uintptr_t NativeHandle() const { return peer_ ? peer_->NativeHandle() : 0; }
    FormPeer* peer() { return peer_.get(); }

    std::function<void()> OnLoad;
    std::function<void()> OnResize;
    std::function<void(int16_t& cancel, int unloadMode)> OnQueryUnload;
    std::function<void(int button, int shift, float x, float y)> OnMouseMove;
    std::function<void()> OnStartedAgain;
    std::function<void()> OnTaskbarCreated;

    // What the user or the system did, reported by the backend. A close request closes the
    // modal forms opened above this one first, each through its own closing (its question,
    // if it asks one); when one of them stays open, so does this form.
    void UserClose(int unloadMode);
    void UserMovedTo(int left, int top);
    void UserChangedState(WindowState state);
    void UserMouseMove(int button, int shift, float x, float y);
    // A message of the form's tray icon, given to the form as a mouse move (TaskIcon.h).
    void UserTrayMessage(int message, int shift);
    // The program was started a second time and asks this form to come up: while a message
    // box is up, the box comes to the front instead, and while a modal form is up, that form.
    void UserStartedAgain();
    // The taskbar has started, or restarted without the icons it had.
    void UserTaskbarCreated();

private:
    bool CloseModalFormsAbove(int unloadMode);
    bool RepeatedKeySelection();

    std::wstring name_;
    std::wstring caption_;
    int clientWidth_;
    int clientHeight_;
    int left_ = 0;
    int top_ = 0;
    WindowState state_ = WindowState::Normal;
    bool answeringQuery_ = false;
    bool closing_ = false;                   // a close request is being handled
    std::optional<uint32_t> keySelectedAt_;  // when the icon was last selected with the keyboard
    std::list<Control> controls_;
    std::list<MenuItem> menus_;
    std::unique_ptr<FormPeer> peer_;
    std::unique_ptr<FormPeer> retired_;
};

namespace UnloadMode {
constexpr int FormControlMenu = 0;  // the close box
constexpr int FromCode = 1;
constexpr int WindowsShutdown = 2;
}  // namespace UnloadMode
