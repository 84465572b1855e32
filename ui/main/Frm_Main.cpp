#include "ui/main/Frm_Main.h"

#include <algorithm>
#include <cmath>

#include "text/AnsiText.h"
#include "ui/about/Frm_About.h"
#include "ui/editor/Frm_Edit.h"
#include "ui/toolkit/FlagSet.h"
#include "ui/toolkit/TaskIcon.h"
#include "ui/toolkit/Toolkit.h"
#include "ui/trial/Frm_ZelkorOrder.h"

namespace {
constexpr int kBottomMarginTwips = 500;
const Font kProportional{L"ＭＳ Ｐ明朝", 9, false};
const Font kFixedPitch{L"ＭＳ 明朝", 9, false};
}  // namespace

Frm_Main::Frm_Main(App& app) : app_(app) {
    form_.minButton = true;
    form_.systemBackColor = SystemColor::ApplicationWorkspace;
    form_.startPosition = StartPosition::Manual;
    Frm_Head.font = Chk_ProxyEnable.font = Label1.font = Lbl_Comment.font = kProportional;
    Lbl_NowProxyName.font = Lbl_NowPortNo.font = Cmb_ProxyName.font = kFixedPitch;

    form_.OnLoad = [this] { Clear_Load(); };
    form_.OnResize = [this] { Form_Resize(); };
    form_.OnQueryUnload = [this](int16_t& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    form_.OnMouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
    form_.OnStartedAgain = [this] { Show_Me(); };  // as the left press on the icon does
    form_.OnTaskbarCreated = [this] { AddTrayIcon(); };
    Tmr_IconAdd.interval = kIconRetryMilliseconds;
    Tmr_IconAdd.SetEnabled(false);
    Tmr_IconAdd.Timer = [this] { Tmr_IconAdd_Timer(); };
    Cmb_ProxyName.Click = [this] { Cmb_ProxyName_Click(); };
    Chk_ProxyEnable.Click = [this] { Chk_ProxyEnable_Click(); };
    for (MenuItem* item : {&MnuPfEdit, &MnuPfTest, &MnuPfAllProtocols, &MnuPfSeparator, &MnuPfExit})
        item->Click = [this](int index) { MnuPf_Click(index); };
    MnuPf2About.Click = [this](int index) { MnuPf2_Click(index); };
}

void Frm_Main::Clear_Load() {
    AddTrayIcon();
    form_.Move(Toolkit::ScreenWidth() - form_.Width(),
               Toolkit::ScreenHeight() - form_.Height() - kBottomMarginTwips);
    KeepOffTheTaskbar();
    FillServerList();
    Lbl_Comment.SetText(L"");
}

// At sign-in the shell may be up but too busy to answer and refuse the icon; without it the
// window could not be reached for the whole session, so a refused icon is offered again until
// the shell takes it, every two seconds for two minutes. The taskbar's announcement that it has
// (re)started brings the icon back as well, at any time; whoever places it stops the offers.
void Frm_Main::AddTrayIcon() {
    const std::wstring exe = app_.directory + L"\\" + app_.executableStem + L".EXE";
    const int16_t result = TaskIcon::Icon_Add(form_, kIconId, exe, 0, kTip);
    Tmr_IconAdd.SetEnabled(result == TaskIcon::kRefused && iconRetries_ < kIconRetries);
}

void Frm_Main::Tmr_IconAdd_Timer() {
    ++iconRetries_;
    AddTrayIcon();
}

// The lower right corner 500 twips above the screen's bottom cleared the taskbars of old;
// today's are thicker, may stand at the right or the top, and may come only after start-up.
// Where the window would lie outside the work area it moves up or left just enough.
void Frm_Main::KeepOffTheTaskbar() {
    const Toolkit::ScreenArea work = Toolkit::WorkArea();
    const int left = std::max(std::min(form_.Left(), work.right - form_.Width()), work.left);
    const int top = std::max(std::min(form_.Top(), work.bottom - form_.Height()), work.top);
    if (left != form_.Left() || top != form_.Top()) form_.Move(left, top);
}

void Frm_Main::FillServerList() {
    std::vector<std::wstring> addresses;
    addresses.reserve(state_.ProxyTable.size());
    for (const ProxyEntry& entry : state_.ProxyTable) addresses.push_back(entry.Address);
    if (!Cmb_ProxyName.SetItems(std::move(addresses)))
        Toolkit::MsgBox(MainBas::kListNotShown, MsgStyle::OkOnly);
}

void Frm_Main::EnableByProxyState() {
    const bool on = MainBas::NumberOf(state_.NowProxyEnable) == 1;
    Cmb_ProxyName.SetEnabled(on);
    MnuPfTest.SetEnabled(on);
}

// There is nothing to rewrite while no value could be read, or it names no http proxy.
bool Frm_Main::FormSwitchable() const {
    const std::optional<std::wstring>& value = state_.ProxyServerInForce;
    return value && !ProxyServerValue::HttpServerOf(*value).address.empty();
}

// Checked while the value in force is one proxy for all protocols.
void Frm_Main::ShowServerForm() {
    MnuPfAllProtocols.SetEnabled(FormSwitchable());
    MnuPfAllProtocols.SetChecked(MainBas::FormInForce(state_) ==
                                 ProxyServerValue::Form::AllProtocols);
}

void Frm_Main::Show_Me() {
    // Its message box, or the events its resizing lets through, may bring the icon's message
    // (or the shell's second one for Enter) while it runs: it does not run again inside itself.
    if (!state_.ShowMeAllowed || showingMe_) return;
    const FlagSet showing(showingMe_);
    MainBas::ReadProxySettings(app_);
    ShowSettings();
    form_.SetState(WindowState::Normal);
    KeepOffTheTaskbar();
    form_.Show();
}

// What was read last, in the labels, the check box and what it enables.
void Frm_Main::ShowSettings() {
    Lbl_NowProxyName.SetText(L"ｱﾄﾞﾚｽ[" + state_.NowProxyName + L"]");
    Lbl_NowPortNo.SetText(L"PortNo[" + state_.NowPortNo + L"]");
    Chk_ProxyEnable.SetValue(MainBas::NumberOf(state_.NowProxyEnable));
    EnableByProxyState();
    ShowServerForm();
}

void Frm_Main::Cmb_ProxyName_Click() {
    const int k = Cmb_ProxyName.ListIndex();
    if (k < 0 || k > state_.ProxyLastIndex()) return;
    const ProxyEntry entry = state_.ProxyTable[static_cast<size_t>(k)];
    if (IsInForce(entry)) return;
    if (MainBas::WriteProxyServer(app_, entry.Address, entry.Port) !=
        MainBas::WriteOutcome::Written)
        return;
    Show_Me();
    // A later pick that the write's events let through has shown its own comment.
    if (Cmb_ProxyName.ListIndex() == k) Lbl_Comment.SetText(Trim(entry.Comment));
}

// In force when its write would store just what the registry holds: after a failed write the
// same pick tries again, and an old "HTTP=" value the browsers ignore is rewritten.
bool Frm_Main::IsInForce(const ProxyEntry& entry) const {
    return state_.ProxyServerInForce &&
           *state_.ProxyServerInForce ==
               ProxyServerValue::Compose(MainBas::FormInForce(state_),
                                         {Trim(entry.Address), Trim(entry.Port)});
}

void Frm_Main::Chk_ProxyEnable_Click() {
    const int checked = Chk_ProxyEnable.Value();
    if (checked == MainBas::NumberOf(state_.NowProxyEnable)) return;
    MainBas::WriteProxyEnable(app_, checked, [this] { EnableByProxyState(); });
}

void Frm_Main::ShowModalWindow(Form& window) {
    state_.ShowMeAllowed = kFalse;
    window.ShowModal();
}

void Frm_Main::MnuPf_Click(int index) {
    if (index == 100 || index == 110) {
        const bool wasShown = form_.Visible();
        if (index == 100) {
            Frm_Edit editor(app_);
            ShowModalWindow(editor.form());
        } else {
            Frm_ZelkorOrder trial(app_, form_);
            ShowModalWindow(trial.form());
        }
        if (Toolkit::Ended()) return;  // ended from the modal window: nothing comes back
        MainBas::LoadProxyList(app_);
        state_.ShowMeAllowed = kTrue;
        // A close request answered "to the tray" while the window was up stays answered.
        const bool sentToTray = wasShown && !form_.Visible();
        if (!sentToTray) Show_Me();
        FillServerList();
        Lbl_Comment.SetText(L"");
    } else if (index == 112) {
        Cmd_AllProtocols();
    } else if (index == 199) {
        form_.Unload();
    }
}

// The check mark shows the form read when the window came up; another program may have put
// another server into force since, so the value is read again and its server written in the
// form the user asked for.
void Frm_Main::Cmd_AllProtocols() {
    using ProxyServerValue::Form;
    const Form wanted =
        MainBas::FormInForce(state_) == Form::AllProtocols ? Form::HttpOnly : Form::AllProtocols;
    MainBas::ReadProxySettings(app_);
    if (!FormSwitchable()) return ShowSettings();
    const std::wstring valueInForce = *state_.ProxyServerInForce;
    MainBas::WriteServerForm(app_, valueInForce, wanted);
    Show_Me();
}

void Frm_Main::MnuPf2_Click(int) {
    Frm_About about;
    ShowModalWindow(about.form());
    state_.ShowMeAllowed = kTrue;
}

void Frm_Main::Form_QueryUnload(int16_t& cancel, int) {
    const int answer = Toolkit::AskHoldingEndSession(
        kCloseReason, kCloseQuestion,
        MsgStyle::YesNoCancel | MsgStyle::Question | MsgStyle::DefaultButton2, kCloseTitle);
    if (answer == MsgAnswer::Yes) {
        Cmd_Exit();
    } else if (answer == MsgAnswer::No) {
        cancel = kTrue;
        Cmd_Min();
    } else {
        cancel = kTrue;
    }
}

void Frm_Main::Cmd_Exit() {
    // The icon must not come back in the events below.
    Tmr_IconAdd.SetEnabled(false);
    form_.OnTaskbarCreated = nullptr;
    TaskIcon::Icon_Delete(form_, kIconId);
    Toolkit::DoEvents();
    form_.Unload();
    Toolkit::DoEvents();
    Toolkit::EndProgram();
}

void Frm_Main::Cmd_Min() { form_.Hide(); }

void Frm_Main::Form_Resize() {
    Toolkit::DoEvents();
    if (form_.State() == WindowState::Minimized) Cmd_Min();
}

// The tray icon's messages arrive as mouse moves whose x, in pixels, is the message number.
void Frm_Main::Form_MouseMove(int, int, float x, float) {
    const long twips = std::lround(x);
    const long perPixel = std::lround(static_cast<float>(Toolkit::TwipsPerPixelX()));
    if (perPixel > 0 && twips / perPixel == TaskIcon::kLeftButtonDown) Show_Me();
}
