#pragma once
// The main window: the proxy in force, the server list, the on/off box and the menus. It
// lives hidden in the tray and comes up from the tray icon.

#include "core/MainBas.h"
#include "ui/toolkit/Form.h"

class Frm_Main {
public:
    explicit Frm_Main(App& app);
    Form& form() { return form_; }

    void Clear_Load();
    void Show_Me();
    void Cmb_ProxyName_Click();
    void Chk_ProxyEnable_Click();
    void MnuPf_Click(int index);
    void MnuPf2_Click(int index);
    void Form_QueryUnload(int16_t& cancel, int unloadMode);
    void Cmd_AllProtocols();
    void Cmd_Exit();
    void Cmd_Min();
    void Form_Resize();
    void Form_MouseMove(int button, int shift, float x, float y);
    void Tmr_IconAdd_Timer();

    static constexpr int32_t kIconId = 0;
    static inline const std::wstring kCaption = L"Zelkor盛合わせ";
    static inline const std::wstring kTip = L"Zelkor盛合わせ";
    static inline const std::wstring kCloseQuestion =
        L"メモリから開放しますか？\n\rはい：完全終了\u3000いいえ：タスクトレイへ格納";
    static inline const std::wstring kCloseTitle = L"Zelkor終了";
    // What Windows' page of the programs holding up a sign-out shows while the question is up.
    static inline const std::wstring kCloseReason =
        L"「メモリから開放しますか？」への答えを待っています。";
    // An icon the shell refused is offered again this often, this many times: two minutes.
    static constexpr int kIconRetryMilliseconds = 2000;
    static constexpr int kIconRetries = 60;

private:
    void AddTrayIcon();
    void KeepOffTheTaskbar();
    void FillServerList();
    void EnableByProxyState();
    bool FormSwitchable() const;
    void ShowServerForm();
    void ShowSettings();
    bool IsInForce(const ProxyEntry& entry) const;
    void ShowModalWindow(Form& window);

    App& app_;
    AppState& state_ = app_.state;
    int iconRetries_ = 0;
    bool showingMe_ = false;
    Form form_{L"Frm_Main", kCaption, 4560, 1590};
    Control& Frm_Head =
        form_.Add(ControlKind::Frame, L"Frm_Head", {0, 0, 4575, 435}, L"現在のﾌﾟﾛｸｼ情報");
    Control& Lbl_NowProxyName =
        form_.Add(ControlKind::Label, L"Lbl_NowProxyName", {60, 180, 2955, 195},
                  L"Server [XXXXXXXXXXXXXXXXXXXX]", -1, &Frm_Head);
    Control& Lbl_NowPortNo = form_.Add(ControlKind::Label, L"Lbl_NowPortNo", {3120, 180, 1395, 195},
                                       L"PortNo [XXXXXX]", -1, &Frm_Head);
    Control& Frm_Body = form_.Add(ControlKind::Frame, L"Frm_Body", {0, 420, 4575, 1155});
    Control& Chk_ProxyEnable =
        form_.Add(ControlKind::CheckBox, L"Chk_ProxyEnable", {120, 180, 3975, 195},
                  L"プロクシサーバを使用する。", -1, &Frm_Body);
    Control& Label1 = form_.Add(ControlKind::Label, L"Label1", {120, 420, 2835, 195},
                                L"使用するサーバアドレス", -1, &Frm_Body);
    Control& Cmb_ProxyName = form_.Add(ControlKind::ComboBox, L"Cmb_ProxyName",
                                       {120, 600, 4335, 300}, L"", -1, &Frm_Body);
    Control& Lbl_Comment = form_.Add(ControlKind::Label, L"Lbl_Comment", {120, 900, 4095, 195},
                                     L"NNNNNNNNNNNNNNNNNN", -1, &Frm_Body);
    Control& Tmr_IconAdd = form_.Add(ControlKind::Timer, L"Tmr_IconAdd", {});
    MenuItem& SystemMenu = form_.AddMenu(L"Menu1", 100, L"System");
    MenuItem& MnuPfEdit = SystemMenu.Add(L"MnuPf", 100, L"Proxy Edit");
    MenuItem& MnuPfTest = SystemMenu.Add(L"MnuPf", 110, L"Proxy Test");
    MenuItem& MnuPfAllProtocols = SystemMenu.Add(L"MnuPf", 112, L"All Protocols");
    MenuItem& MnuPfSeparator = SystemMenu.Add(L"MnuPf", 115, L"-");
    MenuItem& MnuPfExit = SystemMenu.Add(L"MnuPf", 199, L"Exit");
    MenuItem& HelpMenu = form_.AddMenu(L"Menu1", 200, L"Help");
    MenuItem& MnuPf2About = HelpMenu.Add(L"MnuPf2", 200, L"ﾊﾞｰｼﾞｮﾝ情報");
};
