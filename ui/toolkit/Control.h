#pragma once
// A control of a form. Its properties live here, the same for every backend; the backend
// shows them and reports what the user does through the User* calls. Setting a text box's
// text, a list's index or a check box's value from code raises the control's event, as a
// user's change does.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/toolkit/Peer.h"

class Form;

enum class ControlKind {
    Label,
    Frame,
    TextBox,
    ListBox,
    ComboBox,
    CheckBox,
    Button,
    Shape,
    Picture,
    Timer  // no window: raises its Timer event every `interval` while it is enabled
};
enum class Align { Left, Center, Right };
// Whether the input method may be used in a text box: boxes that take single-byte characters
// only have it turned off, so that no composed text is typed into them and then dropped.
enum class ImeMode { NoControl, Disable };

struct Twips {  // left, top, width, height in twips
    int left = 0, top = 0, width = 0, height = 0;
};

struct Font {
    std::wstring face;  // empty: the form's default font
    double points = 9;
    bool bold = false;
};

constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b) << 16;
}

namespace Key {
constexpr int Back = 8;
constexpr int Return = 13;
constexpr int Escape = 27;
}  // namespace Key

class Control {
public:
    Control(Form& form, ControlKind kind, std::wstring name, int index, Twips position,
            Control* container);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    ControlKind kind() const { return kind_; }
    const std::wstring& name() const { return name_; }
    int index() const { return index_; }
    const Twips& position() const { return position_; }
    // Text boxes, lists, check boxes and buttons take the keyboard focus; the rest never do.
    bool TakesFocus() const;
    Control* container() const { return container_; }
    // The position on the form: containers' offsets added.
    Twips FormPosition() const;

    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    void SetFocus();
    // Paints the control at once.
    void Refresh();

    // Text boxes.
    std::wstring Tag;  // the input mask
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SetSelection(int start, int length);

    // List boxes and drop-down lists. Replaces every item in one go, without repainting line by
    // line; nothing is picked. False when the window could not take them all: the list is then
    // empty, so that line k always stands for item k.
    bool SetItems(std::vector<std::wstring> items);
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::wstring& List(int i) const { return items_.at(static_cast<size_t>(i)); }
    const std::vector<std::wstring>& Items() const { return items_; }
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);

    // Check boxes: 0 clear, 1 ticked.
    int Value() const { return value_; }
    void SetValue(int value);

    // Look, set before the form is loaded.
    Font font;
    Align align = Align::Left;
    bool transparent = false;           // labels: the form shows through around the text
    std::optional<uint32_t> backColor;  // labels and shapes
    std::optional<uint32_t> foreColor;  // labels
    int tabIndex = -1;
    int pictureResource = 0;               // picture boxes: the bitmap's resource id
    ImeMode imeMode = ImeMode::NoControl;  // text boxes
    // The label whose text names this control to screen readers, which take a control's name
    // from the label just before it in the window's stacking order.
    Control* label = nullptr;
    int interval = 0;  // timers: milliseconds

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> Change;
    std::function<void(int& keyCode, int shift)> KeyDown;
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void()> Timer;

    // What the user did, reported by the backend.
    void UserChangedText(const std::wstring& text);
    void UserPicked(int index);
    void UserChecked(int value);
    void UserSelected(int start, int length);
    void UserClicked();
    void UserDoubleClicked();
    // A timer's interval has passed; nothing happens once it is disabled or its form unloaded.
    void TimerElapsed();

    // Backend data: the native handle, or anything else the backend keeps per control.
    std::uintptr_t native = 0;

private:
    void Sync(ControlProp what);
    void Raise(const std::function<void()>& event) {
        if (event) event();
    }

    Form& form_;
    ControlKind kind_;
    std::wstring name_;
    int index_;
    Twips position_;
    Control* container_;

    std::wstring text_;
    bool enabled_ = true;
    int selStart_ = 0;
    int selLength_ = 0;
    std::vector<std::wstring> items_;
    int listIndex_ = -1;
    int value_ = 0;
};
