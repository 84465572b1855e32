#include "ui/toolkit/headless/Headless.h"

#include <deque>
#include <map>
#include <stdexcept>
#include <utility>

#include "ui/toolkit/DpiScale.h"
#include "ui/toolkit/TaskIcon.h"
#include "ui/toolkit/Toolkit.h"

namespace {

// Window chrome at 96 dpi, in pixels; it scales with the DPI as the system's does.
constexpr int kFramePixels = 6;
constexpr int kCaptionPixels = 26;
constexpr int kMenuPixels = 20;
constexpr uint32_t kDoubleClickMilliseconds = 500;  // the system's own default

struct World {
    DpiScale scale{96};
    Headless::Screen screen;
    std::vector<Headless::Box> boxes;
    std::deque<int> answers;
    std::function<void()> whileNextBoxUp;
    bool boxInFront = false;
    std::wstring endSessionReason;
    uint32_t now = 0;  // the toolkit's clock, in milliseconds
    struct ModalScript {
        std::function<void(Form&)> run;
        bool ran = false;
    };
    std::map<std::wstring, ModalScript> modalScripts;
    std::vector<std::wstring> unused;  // scripts replaced before they ran
    std::map<std::wstring, int> modalCounts;
    std::vector<Headless::TrayIcon> icons;
    int16_t failedIconResult = TaskIcon::kAdded;
    int iconFailures = 0;  // how many of the next adds get failedIconResult
    int iconAddCalls = 0;
    std::wstring failingWindow;  // the form whose next window cannot be created
    int eventPasses = 0;
    std::vector<int> pointers;
    int pointer = 0;
    Control* focused = nullptr;
    std::map<Form*, Control*> lastFocus;  // what each form gives the focus back to
    int refuseItemAt = -1;                // lists refuse an item from this position on
    std::map<int, uint32_t> systemColors = {{SystemColor::ApplicationWorkspace, Rgb(171, 171, 171)},
                                            {SystemColor::ButtonFace, Rgb(240, 240, 240)},
                                            {SystemColor::ButtonText, Rgb(0, 0, 0)}};
    bool contrastReported = false;
    bool ended = false;
};

World& world() {
    static World w;
    return w;
}

int ChromeTwips(int pixels) {
    const DpiScale& scale = world().scale;
    return scale.ToTwips(pixels * scale.dpi() / 96);
}

// A form that becomes active gives the focus back to the control that last had it, or to the
// first in tab order, as a dialog does.
void Activate(Form& form) {
    World& w = world();
    w.boxInFront = false;
    if (w.focused && &w.focused->form() == &form) return;  // active already
    if (w.focused) w.lastFocus[&w.focused->form()] = w.focused;
    const auto last = w.lastFocus.find(&form);
    w.focused = last != w.lastFocus.end() ? last->second : form.FirstInTabOrder();
}

class HeadlessPeer final : public FormPeer {
public:
    explicit HeadlessPeer(Form& form) : form_(form) {}
    bool Create() override {
        std::wstring& failing = world().failingWindow;
        if (failing != form_.name()) return true;
        failing.clear();
        return false;
    }
    void Destroy() override {
        World& w = world();
        w.lastFocus.erase(&form_);
        if (w.focused && &w.focused->form() == &form_) w.focused = nullptr;
    }
    void Sync(Control& control, ControlProp what) override {
        if (what != ControlProp::Focus) return;
        World& w = world();
        if (visible_)
            w.focused = &control;
        else
            w.lastFocus[&form_] = &control;  // it gets the focus when the form is shown
    }
    bool FillList(Control& list) override {
        const int refusedAt = world().refuseItemAt;
        return refusedAt < 0 || list.ListCount() <= refusedAt;
    }
    void SyncForm(FormProp) override {}
    // Comes to the front, as SetForegroundWindow makes it, whether it was up already or not.
    void Show() override {
        visible_ = true;
        Activate(form_);
    }
    // Runs the test's script as the user; the window closes after it unless the script closed
    // it or ended the program, whose end lets every modal loop return at once, as on Windows.
    void RunModal() override {
        Show();
        World& w = world();
        ++w.modalCounts[form_.name()];
        const auto script = w.modalScripts.find(form_.name());
        if (script != w.modalScripts.end()) {
            script->second.ran = true;
            const std::function<void(Form&)> run = script->second.run;  // may set another
            run(form_);
        }
        if (!form_.Loaded() || w.ended) return;
        form_.UserClose(UnloadMode::FormControlMenu);
        if (form_.Loaded()) throw std::logic_error("a modal form was left open by its test");
    }
    void Hide() override { visible_ = false; }
    bool Visible() const override { return visible_; }
    int OuterWidth() const override { return form_.ClientWidth() + 2 * ChromeTwips(kFramePixels); }
    int OuterHeight() const override {
        const int chrome =
            form_.border == Border::None ? 0 : ChromeTwips(kCaptionPixels + 2 * kFramePixels);
        return form_.ClientHeight() + chrome +
               (form_.Menus().empty() ? 0 : ChromeTwips(kMenuPixels));
    }
    std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(this); }

private:
    Form& form_;
    bool visible_ = false;
};

int DefaultAnswer(int style) {
    const int buttons = style & 0xF;
    const bool second = (style & 0xF00) == MsgStyle::DefaultButton2;
    if (buttons == MsgStyle::YesNo || buttons == MsgStyle::YesNoCancel)
        return second ? MsgAnswer::No : MsgAnswer::Yes;
    return MsgAnswer::Ok;
}

// What an ordinary edit control does with a character that its filter let through.
void TypeIntoBox(Control& box, wchar_t c) {
    std::wstring text = box.Text();
    int start = box.SelStart();
    const int length = box.SelLength();
    if (c == Key::Back) {
        if (length == 0 && start == 0) return;
        const int from = length > 0 ? start : start - 1;
        text.erase(static_cast<size_t>(from), static_cast<size_t>(length > 0 ? length : 1));
        start = from;
    } else if (c >= 32) {
        text.replace(static_cast<size_t>(start), static_cast<size_t>(length), 1, c);
        ++start;
    } else {
        return;  // other control characters type nothing
    }
    box.UserChangedText(text);
    box.UserSelected(start, 0);
}

void Deliver(Control& box, int code) {
    if (box.KeyPress) box.KeyPress(code);
    if (code != 0 && box.form().Loaded()) TypeIntoBox(box, static_cast<wchar_t>(code));
}

MenuItem* FindMenu(std::list<MenuItem>& items, const std::wstring& name, int index) {
    for (MenuItem& item : items) {
        if (item.name == name && item.index == index) return &item;
        if (MenuItem* found = FindMenu(item.items, name, index)) return found;
    }
    return nullptr;
}

void RequireUsable(Control& control) {
    if (!control.form().Loaded() || !control.Enabled())
        throw std::logic_error("the control cannot be used now");
}

}  // namespace

std::unique_ptr<FormPeer> MakeFormPeer(Form& form) { return std::make_unique<HeadlessPeer>(form); }

int ShowMessageBox(const std::wstring& prompt, int style, const std::wstring& title) {
    World& w = world();
    w.boxes.push_back({prompt, style, title, w.endSessionReason});
    w.boxInFront = true;
    if (const std::function<void()> meanwhile = std::exchange(w.whileNextBoxUp, nullptr))
        meanwhile();
    w.boxInFront = false;
    if (w.answers.empty()) return DefaultAnswer(style);
    const int answer = w.answers.front();
    w.answers.pop_front();
    return answer;
}

void BringUpMessageBox() { world().boxInFront = true; }
void SetEndSessionReason(const std::wstring& reason) { world().endSessionReason = reason; }

namespace Toolkit {
int TwipsPerPixelX() { return world().scale.TwipsPerPixel(); }
int TwipsPerPixelY() { return world().scale.TwipsPerPixel(); }
int ScreenWidth() { return world().scale.ToTwips(world().screen.width); }
int ScreenHeight() { return world().scale.ToTwips(world().screen.height); }

ScreenArea WorkArea() {
    const World& w = world();
    const Headless::Screen& s = w.screen;
    return {w.scale.ToTwips(s.taskbarLeft), w.scale.ToTwips(s.taskbarTop),
            w.scale.ToTwips(s.width - s.taskbarRight), w.scale.ToTwips(s.height - s.taskbarBottom)};
}

void DoEvents() { ++world().eventPasses; }
void WaitForEvents(int) {}
void SetMousePointer(int code) {
    world().pointer = code;
    world().pointers.push_back(code);
}
int MousePointer() { return world().pointer; }
uint32_t TickCount() { return world().now; }
uint32_t DoubleClickTime() { return kDoubleClickMilliseconds; }
void RunEventLoop() {}
void EndProgram() { world().ended = true; }
bool Ended() { return world().ended; }
uint32_t SystemColorOf(int number) { return world().systemColors.at(number); }
bool ContrastThemeReported() { return world().contrastReported; }
}  // namespace Toolkit

namespace TaskIcon {
int16_t Icon_Add(Form& form, int32_t id, const std::wstring& iconFile, int16_t,
                 const std::wstring& tip) {
    World& w = world();
    ++w.iconAddCalls;
    const int16_t result = w.iconFailures > 0 ? w.failedIconResult : kAdded;
    if (w.iconFailures > 0) --w.iconFailures;
    if (result == kAdded) w.icons.push_back({&form, id, iconFile, tip});
    return result;
}

int32_t Icon_Delete(Form& form, int32_t id) {
    auto& icons = world().icons;
    for (auto it = icons.begin(); it != icons.end(); ++it) {
        if (it->form == &form && it->id == id) {
            icons.erase(it);
            return 0;
        }
    }
    return 1;
}
}  // namespace TaskIcon

namespace Headless {

void Reset() { world() = World{}; }
void SetDpi(int dpi) { world().scale = DpiScale(dpi); }
void SetScreen(const Screen& screen) { world().screen = screen; }
void RefuseListItemsFrom(int position) { world().refuseItemAt = position; }
void FailWindowOf(const std::wstring& formName) { world().failingWindow = formName; }
void SetSystemColors(const std::map<int, uint32_t>& colors, bool contrastReported) {
    World& w = world();
    for (const auto& [number, color] : colors) w.systemColors[number] = color;
    w.contrastReported = contrastReported;
}
std::vector<Box>& Boxes() { return world().boxes; }
std::vector<std::wstring> Prompts() {
    std::vector<std::wstring> prompts;
    for (const Box& box : world().boxes) prompts.push_back(box.prompt);
    return prompts;
}
void Answer(int answer) { world().answers.push_back(answer); }
void WhileNextBoxUp(std::function<void()> script) {
    World& w = world();
    if (w.whileNextBoxUp) w.unused.push_back(L"what was to come while a box was up");
    w.whileNextBoxUp = std::move(script);
}
const std::wstring& EndSessionReason() { return world().endSessionReason; }
bool BoxInFront() { return world().boxInFront; }
void OnModal(const std::wstring& formName, std::function<void(Form&)> script) {
    World& w = world();
    auto& [run, ran] = w.modalScripts[formName];
    if (run && !ran) w.unused.push_back(L"the script for " + formName);
    run = std::move(script);
    ran = false;
}
std::vector<std::wstring> Unused() {
    const World& w = world();
    std::vector<std::wstring> unused = w.unused;
    for (const auto& [name, script] : w.modalScripts)
        if (!script.ran) unused.push_back(L"the script for " + name);
    for (const int answer : w.answers) unused.push_back(L"the answer " + std::to_wstring(answer));
    if (w.whileNextBoxUp) unused.push_back(L"what comes while the next box is up");
    return unused;
}
int ModalCount(const std::wstring& formName) { return world().modalCounts[formName]; }
std::vector<TrayIcon>& Icons() { return world().icons; }
void FailIconAdd(int16_t result, int times) {
    world().failedIconResult = result;
    world().iconFailures = times;
}
int IconAddCalls() { return world().iconAddCalls; }
int EventPasses() { return world().eventPasses; }
std::vector<int>& Pointers() { return world().pointers; }
Control* Focused() { return world().focused; }

void Type(Control& box, const std::wstring& text) {
    for (const wchar_t c : text) {
        RequireUsable(box);
        Deliver(box, c);
    }
}

void PressKey(Control& control, int keyCode, int shift) {
    RequireUsable(control);
    int code = keyCode;
    if (control.KeyDown) control.KeyDown(code, shift);
    if (!control.form().Loaded() || code == 0) return;
    const bool typesCharacter = code == Key::Back || code == Key::Return || code == Key::Escape;
    if (control.kind() == ControlKind::TextBox && typesCharacter) Deliver(control, code);
    if (control.kind() == ControlKind::Button && code == Key::Return) control.UserClicked();
}

void Pick(Control& list, int index) {
    RequireUsable(list);
    list.UserPicked(index);
}

void DoubleClick(Control& list, int index) {
    Pick(list, index);
    list.UserDoubleClicked();
}

void Check(Control& box, int value) {
    RequireUsable(box);
    box.UserChecked(value);
}

void Click(Control& button) {
    RequireUsable(button);
    button.UserClicked();
}

const MenuItem& Menu(Form& form, const std::wstring& name, int index) {
    const MenuItem* item = FindMenu(form.Menus(), name, index);
    if (!item) throw std::logic_error("no such menu item");
    return *item;
}

void ClickMenu(Form& form, const std::wstring& name, int index) {
    MenuItem* item = FindMenu(form.Menus(), name, index);
    if (!item || !item->enabled || !form.Loaded()) throw std::logic_error("menu item not usable");
    if (item->Click) item->Click(item->index);
}

void CloseBox(Form& form) { form.UserClose(UnloadMode::FormControlMenu); }

void SwitchAway() {
    World& w = world();
    if (w.focused) w.lastFocus[&w.focused->form()] = w.focused;
    w.focused = nullptr;
    w.boxInFront = false;
}

void Wait(int milliseconds) { world().now += static_cast<uint32_t>(milliseconds); }

void Minimize(Form& form) { form.UserChangedState(WindowState::Minimized); }

void TrayMessage(Form& form, int message) { form.UserTrayMessage(message, 0); }

void Elapse(Control& timer) { timer.TimerElapsed(); }

}  // namespace Headless
