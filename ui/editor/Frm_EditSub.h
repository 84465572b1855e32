#pragma once
// The entry dialog: one proxy entry typed in, to add or to change. EditMode tells the editor
// whether anything was stored.

#include "core/MainBas.h"
#include "ui/toolkit/Form.h"

class Frm_EditSub {
public:
    explicit Frm_EditSub(App& app);
    Form& form() { return form_; }

    void Form_Load();
    void CmdPF_Click(int index);
    void PF_Run();
    void PF_Cancel();
    int Check_Body();
    void Cmd_Insert();
    void Cmd_UpDate();
    void Txt_Body_KeyDown(int index, int& keyCode, int shift);

private:
    Control& Txt_Body(int index) { return *boxes_[index]; }
    // Checks the boxes; on success returns the entry they hold.
    bool TakeEntry(ProxyEntry& entry);

    App& app_;
    AppState& state_ = app_.state;
    Form form_{L"Frm_EditSub", L"", 4680, 2265};
    Control& Lbl_SysMsg = form_.Add(ControlKind::Label, L"Lbl_SysMsg", {0, 0, 4635, 240});
    Control& Frame1 = form_.Add(ControlKind::Frame, L"Frame1", {0, 240, 4695, 1515});
    Control& Label1 = form_.Add(ControlKind::Label, L"Label1", {120, 360, 1215, 195},
                                L"サーバアドレス", -1, &Frame1);
    Control& Txt_Body0 =
        form_.Add(ControlKind::TextBox, L"Txt_Body", {1440, 300, 3075, 270}, L"", 0, &Frame1);
    Control& Label2 =
        form_.Add(ControlKind::Label, L"Label2", {120, 720, 975, 195}, L"ポート番号", -1, &Frame1);
    Control& Txt_Body1 =
        form_.Add(ControlKind::TextBox, L"Txt_Body", {1440, 660, 795, 270}, L"", 1, &Frame1);
    Control& Label3 =
        form_.Add(ControlKind::Label, L"Label3", {120, 1080, 1215, 195}, L"コメント", -1, &Frame1);
    Control& Txt_Body2 =
        form_.Add(ControlKind::TextBox, L"Txt_Body", {1440, 1020, 3075, 270}, L"", 2, &Frame1);
    Control& CmdPF100 = form_.Add(ControlKind::Button, L"CmdPF", {3420, 1860, 1215, 375}, L"", 100);
    Control& CmdPF110 =
        form_.Add(ControlKind::Button, L"CmdPF", {60, 1860, 1215, 375}, L"キャンセル", 110);
    Control* boxes_[3] = {&Txt_Body0, &Txt_Body1, &Txt_Body2};
};
