#include "ui/trial/Frm_ZelkorOrder.h"

#include "text/AnsiText.h"
#include "ui/shared/A_MSG.h"
#include "ui/toolkit/Toolkit.h"

Frm_ZelkorOrder::Frm_ZelkorOrder(App& app, Form& mainWindow) : app_(app), mainWindow_(mainWindow) {
    Txt_Body0.tabIndex = 0;
    Txt_Body1.tabIndex = 1;
    CmdPF100.tabIndex = 2;
    CmdPF199.tabIndex = 3;
    CmdPF110.tabIndex = 4;
    Frm_Body.tabIndex = 5;
    Label2.tabIndex = 6;
    Label1.tabIndex = 7;
    Txt_Body0.label = &Label1;
    Txt_Body1.label = &Label2;
    // Both boxes take single-byte characters only.
    Txt_Body0.imeMode = Txt_Body1.imeMode = ImeMode::Disable;
    for (Control* c : {&Label1, &Label2, &CmdPF100, &CmdPF110, &CmdPF199})
        c->font = Font{L"ＭＳ Ｐ明朝", 9, false};
    for (Control* button : {&CmdPF100, &CmdPF110, &CmdPF199})
        button->Click = [this, button] { CmdPF_Click(button->index()); };
    for (Control* box : {&Txt_Body0, &Txt_Body1}) {
        box->Change = [this] { Txt_Body_Change(); };
        box->KeyPress = [box](int& key) { A_MSG::Mask_KeyPress(*box, box->Tag, key); };
    }
    form_.OnLoad = [this] { Form_Load(); };
}

void Frm_ZelkorOrder::Form_Load() {
    form_.Move(mainWindow_.Left(), mainWindow_.Top());
    Txt_Body0.SetText(L"");
    Txt_Body1.SetText(L"8080");
    Txt_Body0.Tag = A_MSG::kAddressMask;
    Txt_Body1.Tag = A_MSG::kPortMask;
    CmdPF100.SetEnabled(false);
    CmdPF110.SetEnabled(false);
}

void Frm_ZelkorOrder::CmdPF_Click(int index) {
    if (index == 100) Cmd_Connect();
    if (index == 110) Cmd_Save();
    if (index == 199) form_.Unload();
}

void Frm_ZelkorOrder::Txt_Body_Change() {
    const bool filled = !Trim(Txt_Body0.Text()).empty() && !Trim(Txt_Body1.Text()).empty();
    CmdPF100.SetEnabled(filled);
    CmdPF110.SetEnabled(filled);
}

void Frm_ZelkorOrder::Cmd_Connect() {
    MainBas::WriteProxyServer(app_, Txt_Body0.Text(), Txt_Body1.Text());
}

void Frm_ZelkorOrder::Cmd_Save() {
    if (!A_MSG::CheckFits(Txt_Body0, Label1.Text()) || !A_MSG::CheckFits(Txt_Body1, Label2.Text()))
        return;
    const int answer =
        Toolkit::MsgBox(kSaveQuestion, MsgStyle::YesNo | MsgStyle::Question, kSaveTitle);
    if (answer != MsgAnswer::Yes) return;
    Toolkit::SetMousePointer(Pointer::Hourglass);
    if (MainBas::AppendProxyEntry(app_, {Trim(Txt_Body0.Text()), Trim(Txt_Body1.Text()), L""}) &&
        !MainBas::SaveProxyList(app_)) {
        // Not saved: take the entry back, so a second try does not add it twice.
        app_.state.ProxyTable.pop_back();
    }
    Toolkit::SetMousePointer(Pointer::Default);
}
