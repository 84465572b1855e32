#pragma once
// The list editor: every entry as one line; add, change and delete through the entry dialog,
// and the save question when the window closes.

#include "core/MainBas.h"
#include "ui/toolkit/Form.h"

class Frm_Edit {
public:
    explicit Frm_Edit(App& app);
    Form& form() { return form_; }

    void Form_Load();
    void CmdPF_Click(int index);
    void Cmd_Insert();
    void Cmd_Edit();
    void Cmd_Delete();
    void Cmd_Exit();
    void Form_QueryUnload(int16_t& cancel, int unloadMode);
    bool Cmd_Save();
    int16_t DataChanged() const { return dataChanged_; }

    // An entry's line: address and port cut or padded to 25 and 6 characters.
    static std::wstring ListLine(const ProxyEntry& entry);

    static inline const std::wstring kSaveQuestion =
        L"データが追加または変更されています。保存しますか？\n\rはい：書込む\u3000いいえ：変更前に"
        L"元に戻す";
    static inline const std::wstring kSaveTitle = L"ProxyEditor終了";
    static inline const std::wstring kUnsavedReason =
        L"プロクシサーバ一覧の編集内容が保存されていません。";
    static inline const std::wstring kDeleteTitle = L"Zelkor終了";

private:
    // Runs the entry dialog in `mode`; true when it stored an entry.
    bool RunEntryDialog(int16_t mode);

    App& app_;
    AppState& state_ = app_.state;
    int16_t dataChanged_ = kFalse;
    Form form_{L"Frm_Edit", L"Proxy Editor", 7575, 2820};
    Control& Lbl_SysMsg = form_.Add(ControlKind::Label, L"Lbl_SysMsg", {0, 0, 7515, 240});
    Control& Frame1 = form_.Add(ControlKind::Frame, L"Frame1", {0, 240, 7575, 2115});
    Control& Lst_Body =
        form_.Add(ControlKind::ListBox, L"Lst_Body", {60, 180, 7455, 1815}, L"", -1, &Frame1);
    Control& CmdPF199 =
        form_.Add(ControlKind::Button, L"CmdPF", {60, 2400, 1215, 375}, L"終了", 199);
    Control& CmdPF200 =
        form_.Add(ControlKind::Button, L"CmdPF", {3540, 2400, 1215, 375}, L"追加", 200);
    Control& CmdPF210 =
        form_.Add(ControlKind::Button, L"CmdPF", {4920, 2400, 1215, 375}, L"変更", 210);
    Control& CmdPF220 =
        form_.Add(ControlKind::Button, L"CmdPF", {6300, 2400, 1215, 375}, L"削除", 220);
    MenuItem& FileMenu = form_.AddMenu(L"Menu1", 100, L"File");
    MenuItem& MnuPfExit = FileMenu.Add(L"MnuPf", 199, L"Exit");
};
