#pragma once
// The trial window: a typed address and port put into force at once, or appended to the list.

#include "core/MainBas.h"
#include "ui/toolkit/Form.h"

class Frm_ZelkorOrder {
public:
    Frm_ZelkorOrder(App& app, Form& mainWindow);
    Form& form() { return form_; }

    void Form_Load();
    void CmdPF_Click(int index);
    void Txt_Body_Change();
    void Cmd_Connect();
    void Cmd_Save();

    static inline const std::wstring kSaveQuestion = L"このプロクシを追加してよろしいですか？";
    static inline const std::wstring kSaveTitle = L"保存";

private:
    App& app_;
    Form& mainWindow_;
    Form form_{L"Frm_ZelkorOrder", L"試し串刺し", 4395, 1185};
    Control& Frm_Body = form_.Add(ControlKind::Frame, L"Frm_Body", {0, 0, 4395, 735});
    Control& Label1 = form_.Add(ControlKind::Label, L"Label1", {60, 180, 1215, 195},
                                L"サーバアドレス", -1, &Frm_Body);
    Control& Txt_Body0 = form_.Add(ControlKind::TextBox, L"Txt_Body", {1260, 120, 3075, 270},
                                   std::wstring(27, L'X'), 0, &Frm_Body);
    Control& Label2 = form_.Add(ControlKind::Label, L"Label2", {300, 480, 855, 195}, L"ポート番号",
                                -1, &Frm_Body);
    Control& Txt_Body1 = form_.Add(ControlKind::TextBox, L"Txt_Body", {1260, 420, 795, 270},
                                   L"XXXXXX", 1, &Frm_Body);
    Control& CmdPF110 =
        form_.Add(ControlKind::Button, L"CmdPF", {60, 780, 1215, 375}, L"一覧登録", 110);
    Control& CmdPF199 =
        form_.Add(ControlKind::Button, L"CmdPF", {1800, 780, 1215, 375}, L"終了", 199);
    Control& CmdPF100 =
        form_.Add(ControlKind::Button, L"CmdPF", {3120, 780, 1215, 375}, L"接続", 100);
};
