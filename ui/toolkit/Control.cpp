#include "ui/toolkit/Control.h"

#include <algorithm>

#include "ui/toolkit/Form.h"

Control::Control(Form& form, ControlKind kind, std::wstring name, int index, Twips position,
                 Control* container)
    : form_(form),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      position_(position),
      container_(container) {}

Twips Control::FormPosition() const {
    Twips at = position_;
    for (const Control* c = container_; c; c = c->container_) {
        at.left += c->position_.left;
        at.top += c->position_.top;
    }
    return at;
}

bool Control::TakesFocus() const {
    switch (kind_) {
        case ControlKind::TextBox:
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
        case ControlKind::CheckBox:
        case ControlKind::Button:
            return true;
        default:
            return false;
    }
}

void Control::Sync(ControlProp what) {
    if (FormPeer* peer = form_.peer()) peer->Sync(*this, what);
}

void Control::SetText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    if (kind_ == ControlKind::TextBox) {
        selStart_ = std::min(selStart_, static_cast<int>(text_.size()));
        selLength_ = 0;
    }
    Sync(ControlProp::Text);
    if (kind_ == ControlKind::TextBox) Raise(Change);
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Sync(ControlProp::Enabled);
}

void Control::SetFocus() { Sync(ControlProp::Focus); }

void Control::Refresh() { Sync(ControlProp::Repaint); }

void Control::SetSelection(int start, int length) {
    const int size = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, size);
    selLength_ = std::clamp(length, 0, size - selStart_);
    Sync(ControlProp::Selection);
}

bool Control::SetItems(std::vector<std::wstring> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    FormPeer* peer = form_.peer();
    if (!peer || peer->FillList(*this)) return true;
    items_.clear();
    return false;
}

void Control::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) index = -1;
    if (index == listIndex_) return;
    listIndex_ = index;
    Sync(ControlProp::ListIndex);
    Raise(Click);
}

void Control::SetValue(int value) {
    if (value == value_) return;
    value_ = value;
    Sync(ControlProp::Value);
    Raise(Click);
}

void Control::UserChangedText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    Raise(Change);
}

void Control::UserPicked(int index) {
    listIndex_ = index;
    Raise(Click);
}

void Control::UserChecked(int value) {
    value_ = value;
    Raise(Click);
}

void Control::UserSelected(int start, int length) {
    selStart_ = start;
    selLength_ = length;
}

void Control::UserClicked() { Raise(Click); }

void Control::UserDoubleClicked() { Raise(DblClick); }

void Control::TimerElapsed() {
    if (enabled_ && form_.Loaded()) Raise(Timer);
}
