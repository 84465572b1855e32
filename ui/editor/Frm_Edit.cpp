#include "ui/editor/Frm_Edit.h"

#include "ui/editor/Frm_EditSub.h"
#include "ui/shared/A_MSG.h"
#include "ui/toolkit/Toolkit.h"

namespace {
std::wstring Column(const std::wstring& text, size_t width) {
    return (text + std::wstring(width, L' ')).substr(0, width);
}
}  // namespace

Frm_Edit::Frm_Edit(App& app) : app_(app) {
    form_.startPosition = StartPosition::CenterScreen;
    A_MSG::StyleStatusLine(Lbl_SysMsg);
    Lst_Body.font = Font{L"ＭＳ 明朝", 9.75, false};
    CmdPF200.tabIndex = 0;
    Frame1.tabIndex = 1;
    Lst_Body.tabIndex = 2;
    CmdPF220.tabIndex = 3;
    CmdPF210.tabIndex = 4;
    CmdPF199.tabIndex = 5;
    Lbl_SysMsg.tabIndex = 6;
    for (Control* button : {&CmdPF199, &CmdPF200, &CmdPF210, &CmdPF220}) {
        button->font = Font{L"ＭＳ Ｐ明朝", 9, false};
        button->Click = [this, button] { CmdPF_Click(button->index()); };
    }
    MnuPfExit.Click = [this](int index) {
        if (index == 199) Cmd_Exit();
    };
    Lst_Body.Click = [this] { Lbl_SysMsg.SetText(L""); };
    Lst_Body.DblClick = [this] { Cmd_Edit(); };
    form_.OnLoad = [this] { Form_Load(); };
    form_.OnQueryUnload = [this](int16_t& cancel, int mode) { Form_QueryUnload(cancel, mode); };
}

std::wstring Frm_Edit::ListLine(const ProxyEntry& entry) {
    return Column(entry.Address, 25) + L" " + Column(entry.Port, 6) + L" " + entry.Comment;
}

void Frm_Edit::Form_Load() {
    std::vector<std::wstring> lines;
    lines.reserve(state_.ProxyTable.size());
    for (const ProxyEntry& entry : state_.ProxyTable) lines.push_back(ListLine(entry));
    if (!Lst_Body.SetItems(std::move(lines)))
        Toolkit::MsgBox(MainBas::kListNotShown, MsgStyle::OkOnly);
    dataChanged_ = kFalse;
    Lbl_SysMsg.SetText(L"");
}

void Frm_Edit::CmdPF_Click(int index) {
    switch (index) {
        case 199:
            Cmd_Exit();
            break;
        case 200:
            Cmd_Insert();
            break;
        case 210:
            Cmd_Edit();
            break;
        case 220:
            Cmd_Delete();
            break;
        default:
            break;
    }
}

bool Frm_Edit::RunEntryDialog(int16_t mode) {
    state_.EditMode = mode;
    Frm_EditSub dialog(app_);
    dialog.form().ShowModal();
    return state_.EditMode == EditModes::Stored;
}

void Frm_Edit::Cmd_Insert() {
    Lbl_SysMsg.SetText(L"");
    if (!RunEntryDialog(EditModes::Add)) return;
    Form_Load();
    dataChanged_ = kTrue;
    Lst_Body.SetListIndex(state_.ProxyLastIndex());
}

void Frm_Edit::Cmd_Edit() {
    Lbl_SysMsg.SetText(L"");
    const int selected = Lst_Body.ListIndex();
    if (selected < 0) {
        A_MSG::Show_Msg(L"E001", Lbl_SysMsg);
        return;
    }
    state_.EditIndex = selected;
    if (!RunEntryDialog(EditModes::Change)) return;
    Form_Load();
    dataChanged_ = kTrue;
    Lst_Body.SetListIndex(state_.EditIndex);
}

void Frm_Edit::Cmd_Delete() {
    Lbl_SysMsg.SetText(L"");
    const int selected = Lst_Body.ListIndex();
    if (selected < 0) {
        A_MSG::Show_Msg(L"E001", Lbl_SysMsg);
        return;
    }
    const std::wstring question = L"Proxy:" +
                                  state_.ProxyTable[static_cast<size_t>(selected)].Address +
                                  L"を削除します。\n\rよろしいですか？";
    const int answer = Toolkit::MsgBox(
        question, MsgStyle::YesNo | MsgStyle::Question | MsgStyle::DefaultButton2, kDeleteTitle);
    if (answer != MsgAnswer::Yes) return;
    Toolkit::SetMousePointer(Pointer::Hourglass);
    state_.ProxyTable.erase(state_.ProxyTable.begin() + selected);
    Form_Load();
    dataChanged_ = kTrue;
    Toolkit::SetMousePointer(Pointer::Default);
}

void Frm_Edit::Cmd_Exit() { form_.Unload(); }

void Frm_Edit::Form_QueryUnload(int16_t& cancel, int) {
    if (dataChanged_ != kTrue) return;
    const int answer = Toolkit::AskHoldingEndSession(
        kUnsavedReason, kSaveQuestion, MsgStyle::YesNoCancel | MsgStyle::Question, kSaveTitle);
    if (answer == MsgAnswer::Yes) {
        // A failed save keeps the window open, so the edits are not lost with it.
        if (!Cmd_Save()) cancel = kTrue;
    } else if (answer == MsgAnswer::Cancel) {
        cancel = kTrue;
    }
}

bool Frm_Edit::Cmd_Save() {
    Toolkit::SetMousePointer(Pointer::Hourglass);
    const bool saved = MainBas::SaveProxyList(app_);
    if (saved) dataChanged_ = kFalse;
    Toolkit::SetMousePointer(Pointer::Default);
    return saved;
}
