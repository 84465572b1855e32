#include "ui/toolkit/Form.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "ui/toolkit/FlagSet.h"
#include "ui/toolkit/TaskIcon.h"
#include "ui/toolkit/Toolkit.h"

MenuItem& MenuItem::Add(const std::wstring& itemName, int itemIndex,
                        const std::wstring& itemCaption) {
    MenuItem& item = items.emplace_back();
    item.name = itemName;
    item.index = itemIndex;
    item.caption = itemCaption;
    item.form = form;
    return item;
}

void MenuItem::SetEnabled(bool on) {
    if (on == enabled) return;
    enabled = on;
    if (form && form->peer()) form->peer()->SyncForm(FormProp::Menus);
}

void MenuItem::SetChecked(bool on) {
    if (on == checked) return;
    checked = on;
    if (form && form->peer()) form->peer()->SyncForm(FormProp::Menus);
}

Form::Form(std::wstring name, std::wstring caption, int clientWidth, int clientHeight)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight) {}

Form::~Form() {
    if (peer_) peer_->Destroy();
}

Control& Form::Add(ControlKind kind, const std::wstring& name, Twips position,
                   const std::wstring& text, int index, Control* container) {
    Control& control = controls_.emplace_back(*this, kind, name, index, position, container);
    control.SetText(text);
    control.tabIndex = static_cast<int>(controls_.size());
    return control;
}

MenuItem& Form::AddMenu(const std::wstring& name, int index, const std::wstring& caption) {
    MenuItem& menu = menus_.emplace_back();
    menu.name = name;
    menu.index = index;
    menu.caption = caption;
    menu.form = this;
    return menu;
}

Control& Form::Ctl(const std::wstring& name, int index) {
    for (Control& control : controls_)
        if (control.name() == name && control.index() == index) return control;
    throw std::out_of_range("no control of that name");
}

namespace {

// The forms shown modally, in the order they were opened; the last is on top.
std::vector<Form*>& ModalForms() {
    static std::vector<Form*> forms;
    return forms;
}

MenuItem* FindIn(std::list<MenuItem>& items, std::uintptr_t native) {
    for (MenuItem& item : items) {
        if (item.native == native) return &item;
        if (MenuItem* found = FindIn(item.items, native)) return found;
    }
    return nullptr;
}
}  // namespace

MenuItem* Form::FindMenuItem(std::uintptr_t native) { return FindIn(menus_, native); }

Control* Form::FirstInTabOrder() {
    Control* first = nullptr;
    for (Control& control : controls_) {
        if (!control.TakesFocus() || !control.Enabled()) continue;
        if (!first || control.tabIndex < first->tabIndex) first = &control;
    }
    return first;
}

std::vector<Control*> Form::StackingOrder() {
    std::vector<Control*> order;
    for (Control& control : controls_) order.push_back(&control);
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    for (Control& named : controls_) {
        if (!named.label) continue;
        const auto label = std::find(order.begin(), order.end(), named.label);
        if (label == order.end()) continue;
        order.erase(label);
        order.insert(std::find(order.begin(), order.end(), &named), named.label);
    }
    return order;
}

void Form::Load() {
    if (peer_ || Toolkit::Ended()) return;
    retired_.reset();
    peer_ = MakeFormPeer(*this);
    if (!peer_->Create()) {
        // Without this window a modal loop would wait for ever with every other one disabled.
        peer_.reset();
        Toolkit::MsgBox(Toolkit::kWindowNotCreatedText, MsgStyle::OkOnly);
        return;
    }
    if (OnLoad) OnLoad();
}

void Form::Show() {
    Load();
    if (peer_ && !Toolkit::Ended()) peer_->Show();
}

void Form::ShowModal() {
    Load();
    if (!peer_ || Toolkit::Ended()) return;
    std::vector<Form*>& modal = ModalForms();
    modal.push_back(this);
    struct Pop {
        std::vector<Form*>& modal;
        ~Pop() { modal.pop_back(); }
    } pop{modal};
    peer_->RunModal();
}

void Form::Hide() {
    if (peer_) peer_->Hide();
}

bool Form::Unload(int unloadMode) {
    if (!peer_) return true;
    if (!answeringQuery_ && OnQueryUnload) {
        int16_t cancel = 0;
        {
            // Reset however the handler ends: a fault in it must not skip the next question.
            const FlagSet answering(answeringQuery_);
            OnQueryUnload(cancel, unloadMode);
        }
        if (cancel) return false;
        if (!peer_) return true;  // the handler unloaded the form itself
    }
    // The peer may still be running this form's modal loop: it is kept until the next load.
    retired_ = std::move(peer_);
    retired_->Destroy();
    state_ = WindowState::Normal;
    return true;
}

void Form::UserClose(int unloadMode) {
    if (answeringQuery_ || closing_) return;
    const FlagSet closing(closing_);
    if (CloseModalFormsAbove(unloadMode)) Unload(unloadMode);
}

bool Form::CloseModalFormsAbove(int unloadMode) {
    const std::vector<Form*>& modal = ModalForms();
    const auto self = std::find(modal.begin(), modal.end(), this);
    const size_t below = self == modal.end() ? 0 : static_cast<size_t>(self - modal.begin()) + 1;
    // A closed form stays in the list until its modal loop has returned.
    for (size_t i = modal.size(); i > below; --i) {
        Form* form = modal[i - 1];
        if (!form->Loaded()) continue;
        // One that is asking its own question already is answered by the user, not by us.
        if (form->answeringQuery_ || form->closing_ || !form->Unload(unloadMode)) return false;
    }
    return true;
}

void Form::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    if (peer_) peer_->SyncForm(FormProp::Caption);
}

void Form::SetState(WindowState state) {
    if (state == state_) return;
    state_ = state;
    if (peer_) peer_->SyncForm(FormProp::State);
}

int Form::Width() const { return peer_ ? peer_->OuterWidth() : clientWidth_; }
int Form::Height() const { return peer_ ? peer_->OuterHeight() : clientHeight_; }

void Form::Move(int left, int top) {
    left_ = left;
    top_ = top;
    if (peer_) peer_->SyncForm(FormProp::Position);
}

void Form::UserMovedTo(int left, int top) {
    left_ = left;
    top_ = top;
}

void Form::UserChangedState(WindowState state) {
    state_ = state;
    if (OnResize) OnResize();
}

void Form::UserMouseMove(int button, int shift, float x, float y) {
    if (OnMouseMove) OnMouseMove(button, shift, x, y);
}

void Form::UserTrayMessage(int message, int shift) {
    if (message == TaskIcon::kKeySelect && RepeatedKeySelection()) return;
    const int pixels = TaskIcon::AsMouseMessage(message);
    if (Toolkit::MessageBoxUp()) {
        if (pixels == TaskIcon::kLeftButtonDown) BringUpMessageBox();
        return;
    }
    UserMouseMove(0, shift, static_cast<float>(pixels * Toolkit::TwipsPerPixelX()), 0);
}

// Shells send the keyboard's selection twice for Enter: one that follows the last within the
// double-click time is the same selection.
bool Form::RepeatedKeySelection() {
    const uint32_t now = Toolkit::TickCount();
    const bool repeated = keySelectedAt_ && now - *keySelectedAt_ < Toolkit::DoubleClickTime();
    keySelectedAt_ = now;
    return repeated;
}

// A message box waiting for its answer comes up when the user asks for the program, by the
// icon or a second start, not the window it holds disabled, and nothing runs beneath it.
void Form::UserStartedAgain() {
    if (Toolkit::MessageBoxUp()) {
        BringUpMessageBox();
        return;
    }
    const std::vector<Form*>& modal = ModalForms();
    const auto open =
        std::find_if(modal.rbegin(), modal.rend(), [](const Form* form) { return form->Loaded(); });
    if (open != modal.rend())
        (*open)->Show();
    else if (OnStartedAgain)
        OnStartedAgain();
}

void Form::UserTaskbarCreated() {
    if (OnTaskbarCreated) OnTaskbarCreated();
}
