#include "ui/editor/Frm_EditSub.h"

#include "text/AnsiText.h"
#include "ui/shared/A_MSG.h"

Frm_EditSub::Frm_EditSub(App& app) : app_(app) {
    form_.startPosition = StartPosition::CenterScreen;
    A_MSG::StyleStatusLine(Lbl_SysMsg);
    for (Control* c : {&Label1, &Label2, &Label3, &CmdPF100, &CmdPF110})
        c->font = Font{L"ＭＳ Ｐ明朝", 9, false};
    Txt_Body0.tabIndex = 0;
    Txt_Body1.tabIndex = 1;
    Txt_Body2.tabIndex = 2;
    CmdPF100.tabIndex = 3;
    CmdPF110.tabIndex = 4;
    Frame1.tabIndex = 5;
    Label1.tabIndex = 6;
    Label2.tabIndex = 7;
    Label3.tabIndex = 8;
    Lbl_SysMsg.tabIndex = 9;
    Txt_Body0.label = &Label1;
    Txt_Body1.label = &Label2;
    Txt_Body2.label = &Label3;
    // Address and port take single-byte characters only; the comment takes Japanese.
    Txt_Body0.imeMode = Txt_Body1.imeMode = ImeMode::Disable;

    form_.OnLoad = [this] { Form_Load(); };
    for (Control* button : {&CmdPF100, &CmdPF110})
        button->Click = [this, button] { CmdPF_Click(button->index()); };
    for (int index = 0; index < 3; ++index) {
        Control& box = Txt_Body(index);
        box.Change = [this] { Lbl_SysMsg.SetText(L""); };
        box.KeyDown = [this, index](int& key, int shift) { Txt_Body_KeyDown(index, key, shift); };
        box.KeyPress = [&box](int& key) { A_MSG::Mask_KeyPress(box, box.Tag, key); };
    }
}

void Frm_EditSub::Form_Load() {
    Lbl_SysMsg.SetText(L"");
    for (int index = 0; index < 3; ++index) Txt_Body(index).SetText(L"");
    Txt_Body0.Tag = A_MSG::kAddressMask;
    Txt_Body1.Tag = A_MSG::kPortMask;
    Txt_Body2.Tag = A_MSG::kCommentMask;
    if (state_.EditMode == EditModes::Add) {
        form_.SetCaption(L"Proxy追加");
        CmdPF100.SetText(L"追加");
    } else if (state_.EditMode == EditModes::Change) {
        form_.SetCaption(L"Proxy変更");
        const ProxyEntry& entry = state_.ProxyTable.at(static_cast<size_t>(state_.EditIndex));
        Txt_Body0.SetText(Trim(entry.Address));
        Txt_Body1.SetText(Trim(entry.Port));
        Txt_Body2.SetText(Trim(entry.Comment));
        CmdPF100.SetText(L"変更");
    }
    Txt_Body0.SetFocus();
}

void Frm_EditSub::CmdPF_Click(int index) {
    Lbl_SysMsg.SetText(L"");
    if (index == 100) PF_Run();
    if (index == 110) PF_Cancel();
}

void Frm_EditSub::PF_Run() {
    if (state_.EditMode == EditModes::Add) Cmd_Insert();
    if (state_.EditMode == EditModes::Change) Cmd_UpDate();
}

void Frm_EditSub::PF_Cancel() { form_.Unload(); }

int Frm_EditSub::Check_Body() {
    if (Trim(Txt_Body0.Text()).empty()) return 0;
    if (Trim(Txt_Body1.Text()).empty()) return 1;
    return -1;
}

bool Frm_EditSub::TakeEntry(ProxyEntry& entry) {
    const int empty = Check_Body();
    if (empty != -1) {
        A_MSG::Show_Msg(L"E002", Lbl_SysMsg);
        Txt_Body(empty).SetFocus();
        return false;
    }
    const Control* labels[3] = {&Label1, &Label2, &Label3};
    for (int index = 0; index < 3; ++index)
        if (!A_MSG::CheckFits(Txt_Body(index), labels[index]->Text())) return false;
    entry = {Trim(Txt_Body0.Text()), Trim(Txt_Body1.Text()), Trim(Txt_Body2.Text())};
    return true;
}

void Frm_EditSub::Cmd_Insert() {
    ProxyEntry entry;
    if (!TakeEntry(entry) || !MainBas::AppendProxyEntry(app_, std::move(entry))) return;
    state_.EditMode = EditModes::Stored;
    form_.Unload();
}

void Frm_EditSub::Cmd_UpDate() {
    ProxyEntry entry;
    if (!TakeEntry(entry)) return;
    state_.ProxyTable.at(static_cast<size_t>(state_.EditIndex)) = std::move(entry);
    state_.EditMode = EditModes::Stored;
    form_.Unload();
}

void Frm_EditSub::Txt_Body_KeyDown(int index, int& keyCode, int) {
    if (keyCode == Key::Return) {
        if (index < 2)
            Txt_Body(index + 1).SetFocus();
        else
            CmdPF100.SetFocus();
    } else if (keyCode == Key::Escape) {
        PF_Cancel();
    }
}
