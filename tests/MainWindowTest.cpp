// The main window and its tray icon, over the headless toolkit.

#include <utility>

#include "tests/support/HeadlessApp.h"
#include "tests/support/Texts.h"
#include "ui/toolkit/Faults.h"
#include "ui/toolkit/TaskIcon.h"

namespace {

class MainWindow : public ::testing::Test {
protected:
    Control& Ctl(const wchar_t* name) { return h.Ctl(name); }
    std::vector<uint8_t> StoredServer() const { return h.t.Stored("ProxyServer")->bytes; }

    HeadlessMain h;
    Frm_Main& window = h.window;
};

TEST_F(MainWindow, StartUpLeavesOnlyTheTrayIcon) {
    h.Start("a.example,8080,first\r\nb.example,3128,second\r\n");
    EXPECT_TRUE(Headless::Boxes().empty());
    EXPECT_TRUE(window.form().Loaded());
    EXPECT_FALSE(window.form().Visible());
    ASSERT_EQ(Headless::Icons().size(), 1u);
    EXPECT_EQ(Headless::Icons()[0].tip, Texts::kMainCaption);
    EXPECT_EQ(Headless::Icons()[0].id, 0);
    EXPECT_EQ(Headless::Icons()[0].file, h.t.folder.path().wstring() + L"\\Zelkor.EXE");
    EXPECT_EQ(Ctl(L"Cmb_ProxyName").Items(),
              (std::vector<std::wstring>{L"a.example", L"b.example"}));
    EXPECT_EQ(Headless::Pointers().front(), Pointer::AppStarting);
    EXPECT_EQ(Headless::Pointers().back(), Pointer::Default);
    EXPECT_EQ(h.app.state.ShowMeAllowed, kTrue);
    // lower right corner, 500 twips above the bottom
    EXPECT_EQ(window.form().Left() + window.form().Width(), Toolkit::ScreenWidth());
    EXPECT_EQ(window.form().Top() + window.form().Height(), Toolkit::ScreenHeight() - 500);
}

TEST_F(MainWindow, MissingListIsReportedAndStartUpGoesOn) {
    MainBas::Main(h.app, window);
    ASSERT_EQ(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].title, Texts::kListMissingTitle);
    EXPECT_EQ(Ctl(L"Cmb_ProxyName").ListCount(), 0);
    EXPECT_EQ(Headless::Icons().size(), 1u);
}

TEST_F(MainWindow, AListTheDropDownCannotHoldWholeIsNotShownAtAll) {
    Headless::RefuseListItemsFrom(1);
    h.Start("a.example,8080,first\r\nb.example,3128,second\r\n");
    EXPECT_EQ(Ctl(L"Cmb_ProxyName").ListCount(), 0);
    EXPECT_EQ(Headless::Prompts(), std::vector<std::wstring>{Texts::kListNotShown});
}

// The icon's messages of the shell's current version: a click ends in NIN_SELECT (0x400), the
// right button and the context-menu key in WM_CONTEXTMENU (0x7B), and the keyboard's selection
// (Win+B, then Enter or Space) is NIN_KEYSELECT (0x401), which shells send twice for Enter.
TEST_F(MainWindow, OnlyTheLeftPressOrTheKeyboardOnTheIconShowsTheWindowAndAClickActsOnce) {
    h.Start();
    for (const int message : {0x200, 0x202, 0x203, 0x204, 0x205, 0x207, 0x400, 0x7B}) {
        Headless::TrayMessage(window.form(), message);
        EXPECT_FALSE(window.form().Visible()) << message;
    }
    EXPECT_EQ(h.t.memory.CallCount(MemoryRegistry::Call::Query), 2) << "read at start-up only";
    for (const int message : {0x201, 0x202, 0x400}) Headless::TrayMessage(window.form(), message);
    EXPECT_TRUE(window.form().Visible());
    EXPECT_EQ(h.t.memory.CallCount(MemoryRegistry::Call::Query), 4) << "one click, one reading";
    EXPECT_EQ(Ctl(L"Lbl_NowProxyName").Text(), L"ｱﾄﾞﾚｽ[HTTP=a.example]");
    EXPECT_EQ(Ctl(L"Lbl_NowPortNo").Text(), L"PortNo[8080]");
    EXPECT_EQ(Ctl(L"Chk_ProxyEnable").Value(), 1);
    EXPECT_TRUE(Ctl(L"Cmb_ProxyName").Enabled());

    Headless::Minimize(window.form());
    Headless::TrayMessage(window.form(), 0x401);
    Headless::TrayMessage(window.form(), 0x401);
    EXPECT_TRUE(window.form().Visible());
    EXPECT_EQ(h.t.memory.CallCount(MemoryRegistry::Call::Query), 6);
    Headless::Wait(500);
    Headless::TrayMessage(window.form(), 0x401);
    EXPECT_EQ(h.t.memory.CallCount(MemoryRegistry::Call::Query), 8);
}

TEST_F(MainWindow, PickingAServerWritesItAndShowsItsComment) {
    h.StartShown("a.example,8080,first\r\n b.example ,3128, second \r\n");
    Headless::Pick(Ctl(L"Cmb_ProxyName"), 1);
    EXPECT_EQ(StoredServer(), Sz("http=b.example:3128"));
    EXPECT_EQ(Ctl(L"Lbl_NowProxyName").Text(), L"ｱﾄﾞﾚｽ[http=b.example]");
    EXPECT_EQ(Ctl(L"Lbl_Comment").Text(), L"second");
    EXPECT_EQ(h.t.Stored("ProxyEnable")->bytes, std::vector<uint8_t>{1});
}

// In either form: two entries on one host, such as two debugging proxies, differ by their ports.
TEST_F(MainWindow, PickingTheServerInForceDoesNothingAndAnotherPortOnItsHostSwitches) {
    h.Start("a.example,8080,x\r\na.example,8888,y\r\n");
    const std::pair<std::string, std::string> forms[] = {{"http=a.example:8080", "http=a.example:"},
                                                         {"a.example:8080", "a.example:"}};
    for (const auto& [inForce, written] : forms) {
        h.t.PutServer(inForce);
        Headless::TrayMessage(window.form(), 0x201);
        const int sets = h.t.memory.CallCount(MemoryRegistry::Call::Set);
        const std::wstring comment = Ctl(L"Lbl_Comment").Text();
        Headless::Pick(Ctl(L"Cmb_ProxyName"), 0);
        EXPECT_EQ(h.t.memory.CallCount(MemoryRegistry::Call::Set), sets) << inForce;
        EXPECT_EQ(Ctl(L"Lbl_Comment").Text(), comment) << inForce;
        Headless::Pick(Ctl(L"Cmb_ProxyName"), 1);
        EXPECT_EQ(StoredServer(), Sz(written + "8888")) << inForce;
        Headless::Pick(Ctl(L"Cmb_ProxyName"), 0);
        EXPECT_EQ(StoredServer(), Sz(written + "8080")) << inForce;
        EXPECT_EQ(Ctl(L"Lbl_Comment").Text(), L"x") << inForce;
    }
    // An older version's "HTTP=", which the browsers ignore, is no server in force.
    h.t.PutServer("HTTP=a.example:8080");
    Headless::TrayMessage(window.form(), 0x201);
    Headless::Pick(Ctl(L"Cmb_ProxyName"), 0);
    EXPECT_EQ(StoredServer(), Sz("http=a.example:8080"));
}

// The form of the value in force is the setting: the item shows it, switches it, and every
// writer keeps it.
TEST_F(MainWindow, AllProtocolsShowsAndSwitchesTheFormThatEveryWriterKeeps) {
    h.StartShown("a.example,8080,x\r\nb.example,3128,y\r\n");
    const MenuItem& allProtocols = Headless::Menu(window.form(), L"MnuPf", 112);
    EXPECT_TRUE(allProtocols.enabled);
    EXPECT_FALSE(allProtocols.checked);
    Headless::ClickMenu(window.form(), L"MnuPf", 112);
    EXPECT_EQ(StoredServer(), Sz("a.example:8080"));
    EXPECT_TRUE(allProtocols.checked);
    EXPECT_EQ(Ctl(L"Lbl_NowProxyName").Text(), L"ｱﾄﾞﾚｽ[a.example]");
    EXPECT_EQ(h.t.Stored("ProxyEnable")->bytes, std::vector<uint8_t>{1});
    Headless::Pick(Ctl(L"Cmb_ProxyName"), 1);
    EXPECT_EQ(StoredServer(), Sz("b.example:3128"));
    Headless::OnModal(L"Frm_ZelkorOrder", [](Form& f) {
        Headless::Type(f.Ctl(L"Txt_Body", 0), L"t.example");
        Headless::Click(f.Ctl(L"CmdPF", 100));
    });
    Headless::ClickMenu(window.form(), L"MnuPf", 110);
    EXPECT_EQ(StoredServer(), Sz("t.example:8080"));
    h.t.PutServer("u.example:1");  // another program's, since the window came up
    Headless::ClickMenu(window.form(), L"MnuPf", 112);
    EXPECT_EQ(StoredServer(), Sz("http=u.example:1"));
    EXPECT_FALSE(allProtocols.checked);
    EXPECT_EQ(h.t.notifier.notices, 4);

    h.t.memory.Erase(kSettingsPath, "ProxyServer");
    Headless::TrayMessage(window.form(), 0x201);
    EXPECT_FALSE(allProtocols.enabled);
}

// The guard looks at what the registry holds, so a failed pick can be tried again at once.
TEST_F(MainWindow, FailedWriteKeepsTheLabelsAndTheSamePickTriesAgain) {
    h.StartShown("b.example,8080,c\r\n");
    h.t.memory.FailCalls(MemoryRegistry::Call::Set, 5);
    Headless::Pick(Ctl(L"Cmb_ProxyName"), 0);
    EXPECT_EQ(Headless::Prompts(), std::vector<std::wstring>{Texts::kWriteError});
    EXPECT_EQ(Ctl(L"Lbl_NowProxyName").Text(), L"ｱﾄﾞﾚｽ[HTTP=a.example]");
    h.t.memory.FailCalls(MemoryRegistry::Call::Set, 0);
    Headless::Pick(Ctl(L"Cmb_ProxyName"), 0);
    EXPECT_EQ(StoredServer(), Sz("http=b.example:8080"));
    EXPECT_EQ(Ctl(L"Lbl_Comment").Text(), L"c");
}

// With the proxy off, neither a server of the list nor a trial one can be put into force.
TEST_F(MainWindow, TheCheckBoxWritesADwordAndEnablesTheListAndTheTrial) {
    h.StartShown();
    EXPECT_EQ(h.t.memory.CallCount(MemoryRegistry::Call::Set), 0)
        << "the box set from the registry";
    const MenuItem& trial = Headless::Menu(window.form(), L"MnuPf", 110);
    Headless::Check(Ctl(L"Chk_ProxyEnable"), 0);
    EXPECT_EQ(h.t.Stored("ProxyEnable")->bytes, (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(h.t.Stored("ProxyEnable")->type, static_cast<uint32_t>(RegType::Dword));
    EXPECT_FALSE(Ctl(L"Cmb_ProxyName").Enabled());
    EXPECT_FALSE(trial.enabled);
    Headless::Check(Ctl(L"Chk_ProxyEnable"), 1);
    EXPECT_EQ(h.t.Stored("ProxyEnable")->bytes, (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_TRUE(Ctl(L"Cmb_ProxyName").Enabled());
    EXPECT_TRUE(trial.enabled);
}

TEST_F(MainWindow, UnreadableSettingsShowTheBoxClear) {
    h.t.memory.Erase(kSettingsPath, "ProxyEnable");
    h.Start();
    // The icon pressed again while its box is up asks nothing more: the start-up's box and one.
    Headless::WhileNextBoxUp([&] { Headless::TrayMessage(window.form(), 0x201); });
    Headless::TrayMessage(window.form(), 0x201);
    EXPECT_EQ(Headless::Boxes().size(), 2u);
    EXPECT_TRUE(window.form().Visible());
    EXPECT_EQ(Ctl(L"Chk_ProxyEnable").Value(), 0);
    EXPECT_FALSE(Ctl(L"Cmb_ProxyName").Enabled());
    EXPECT_FALSE(Headless::Menu(window.form(), L"MnuPf", 110).enabled);
}

// Its buttons and default button are the end-to-end test's to see; which icon, this one's.
TEST_F(MainWindow, TheCloseQuestionsThreeAnswers) {
    h.StartShown();

    Headless::Answer(MsgAnswer::Cancel);
    Headless::CloseBox(window.form());
    EXPECT_TRUE(window.form().Visible());
    ASSERT_EQ(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].prompt, Texts::kCloseQuestion);
    EXPECT_EQ(Headless::Boxes()[0].title, Texts::kCloseTitle);
    EXPECT_EQ(Headless::Boxes()[0].style & 0xF0, MsgStyle::Question);

    Headless::Answer(MsgAnswer::No);
    Headless::ClickMenu(window.form(), L"MnuPf", 199);
    EXPECT_TRUE(window.form().Loaded());
    EXPECT_FALSE(window.form().Visible());
    EXPECT_EQ(Headless::Icons().size(), 1u);

    Headless::Answer(MsgAnswer::Yes);
    Headless::CloseBox(window.form());
    EXPECT_EQ(Headless::Boxes().size(), 3u);  // asked once per close
    EXPECT_FALSE(window.form().Loaded());
    EXPECT_TRUE(Headless::Icons().empty());
    EXPECT_TRUE(Toolkit::Ended());
}

TEST_F(MainWindow, MinimizingHidesAndTheIconBringsItBack) {
    h.StartShown();
    Headless::Minimize(window.form());
    EXPECT_FALSE(window.form().Visible());
    Headless::TrayMessage(window.form(), 0x201);
    EXPECT_TRUE(window.form().Visible());
    EXPECT_EQ(window.form().State(), WindowState::Normal);
}

TEST_F(MainWindow, TheIconDoesNothingWhileTheAboutBoxIsUp) {
    h.Start();
    Headless::OnModal(L"Frm_About", [&](Form& about) {
        Headless::TrayMessage(window.form(), 0x201);
        EXPECT_FALSE(window.form().Visible());
        Headless::Click(about.Ctl(L"Command1"));
    });
    Headless::ClickMenu(window.form(), L"MnuPf2", 200);
    EXPECT_EQ(Headless::ModalCount(L"Frm_About"), 1);
    Headless::TrayMessage(window.form(), 0x201);
    EXPECT_TRUE(window.form().Visible());
}

// taskkill's WM_CLOSE or the end of the session reach the main window while the editor holds
// an entry not saved yet: the editor's own save question comes first, and its Cancel keeps
// everything open; "to the tray" afterwards leaves the window in the tray.
TEST_F(MainWindow, ACloseRequestWhileTheEditorHoldsAnUnsavedEntryAsksItsSaveQuestionFirst) {
    h.StartShown();
    Headless::OnModal(L"Frm_EditSub", [](Form& dialog) {
        dialog.Ctl(L"Txt_Body", 0).SetText(L"new.example");
        dialog.Ctl(L"Txt_Body", 1).SetText(L"3128");
        Headless::Click(dialog.Ctl(L"CmdPF", 100));
    });
    Headless::OnModal(L"Frm_Edit", [&](Form& editor) {
        Headless::Click(editor.Ctl(L"CmdPF", 200));
        Headless::Answer(MsgAnswer::Cancel);
        Headless::CloseBox(window.form());
        EXPECT_TRUE(editor.Loaded());
        EXPECT_EQ(Headless::Boxes().back().title, Texts::kEditorSaveTitle);
        EXPECT_EQ(Headless::Boxes().size(), 1u) << "nothing else was asked";

        Headless::Answer(MsgAnswer::Yes);  // save
        Headless::Answer(MsgAnswer::No);   // stay in the tray
        window.form().UserClose(UnloadMode::WindowsShutdown);
        EXPECT_FALSE(editor.Loaded());
    });
    Headless::ClickMenu(window.form(), L"MnuPf", 100);
    EXPECT_EQ(h.t.ListBytes(), "a.example,8080,\r\nnew.example,3128,\r\n");
    ASSERT_EQ(Headless::Boxes().size(), 3u);
    EXPECT_EQ(Headless::Boxes()[2].prompt, Texts::kCloseQuestion);
    // Windows' page of the programs holding up the sign-out says why, while each question is up.
    EXPECT_EQ(Headless::Boxes()[1].endSessionReason,
              L"プロクシサーバ一覧の編集内容が保存されていません。");
    EXPECT_EQ(Headless::Boxes()[2].endSessionReason,
              L"「メモリから開放しますか？」への答えを待っています。");
    EXPECT_EQ(Headless::EndSessionReason(), L"");
    EXPECT_FALSE(Toolkit::Ended());
    EXPECT_FALSE(window.form().Visible());
    EXPECT_EQ(Ctl(L"Cmb_ProxyName").ListCount(), 2);

    // Under the entry dialog: the dialog is cancelled, the unchanged editor closes, then the
    // program's own question.
    Headless::TrayMessage(window.form(), 0x201);
    Headless::OnModal(L"Frm_EditSub", [&](Form& dialog) {
        dialog.Ctl(L"Txt_Body", 0).SetText(L"typed.example");
        Headless::Answer(MsgAnswer::Yes);
        Headless::CloseBox(window.form());
        EXPECT_FALSE(dialog.Loaded());
    });
    Headless::OnModal(L"Frm_Edit",
                      [](Form& editor) { Headless::Click(editor.Ctl(L"CmdPF", 200)); });
    Headless::ClickMenu(window.form(), L"MnuPf", 100);
    EXPECT_TRUE(Toolkit::Ended());
    EXPECT_EQ(Headless::Boxes().size(), 4u);
    EXPECT_EQ(h.t.ListBytes(), "a.example,8080,\r\nnew.example,3128,\r\n");
}

// A second start of the program asks the first to come up, as the left press on its icon
// does; while a modal window or a message box is up, that one comes to the front instead.
TEST_F(MainWindow, ASecondStartBringsUpTheWindowOrTheModalWindowOnTop) {
    h.Start();
    window.form().UserStartedAgain();
    EXPECT_TRUE(window.form().Visible());
    EXPECT_EQ(Ctl(L"Lbl_NowProxyName").Text(), L"ｱﾄﾞﾚｽ[HTTP=a.example]");

    Headless::OnModal(L"Frm_About", [&](Form& about) {
        Headless::SwitchAway();
        window.form().UserStartedAgain();
        EXPECT_EQ(Headless::Focused(), &about.Ctl(L"Command1"));
    });
    Headless::ClickMenu(window.form(), L"MnuPf2", 200);
    EXPECT_EQ(Headless::ModalCount(L"Frm_About"), 1);

    // The close question up: nothing is read or shown beneath it, by the icon or a second start.
    const int reads = h.t.memory.CallCount(MemoryRegistry::Call::Query);
    Headless::WhileNextBoxUp([&] {
        Headless::SwitchAway();
        Headless::TrayMessage(window.form(), 0x201);
        EXPECT_TRUE(Headless::BoxInFront());
        Headless::SwitchAway();
        window.form().UserStartedAgain();
        EXPECT_TRUE(Headless::BoxInFront());
        EXPECT_EQ(h.t.memory.CallCount(MemoryRegistry::Call::Query), reads);
    });
    Headless::CloseBox(window.form());
}

// Today's desktops: every scaling from 100 % to 300 %, a taskbar of today's thickness at the
// bottom or the right.
TEST(MainWindowOnRealDesktops, TheLeftPressShowsItAtEveryScalingAndItStaysOffTheTaskbar) {
    for (const int dpi : {96, 120, 144, 168, 192, 216, 240, 288}) {
        for (const bool taskbarAtRight : {false, true}) {
            HeadlessMain h;
            Frm_Main& window = h.window;
            Headless::SetDpi(dpi);
            Headless::Screen screen{1920 * dpi / 96, 1080 * dpi / 96};
            (taskbarAtRight ? screen.taskbarRight : screen.taskbarBottom) = 48 * dpi / 96;
            Headless::SetScreen(screen);
            h.Start();
            const std::string where =
                std::to_string(dpi) + (taskbarAtRight ? " dpi, right" : " dpi, bottom");
            for (const int message : {0x200, 0x202, 0x203, 0x204, 0x205, 0x400, 0x7B}) {
                Headless::TrayMessage(window.form(), message);
                EXPECT_FALSE(window.form().Visible()) << where << ", message " << message;
            }
            Headless::TrayMessage(window.form(), 0x401);
            EXPECT_TRUE(window.form().Visible()) << where << ", the keyboard's selection";
            Headless::Minimize(window.form());
            Headless::TrayMessage(window.form(), 0x201);
            EXPECT_TRUE(window.form().Visible()) << where;

            // In the corner of the work area, 500 twips above the screen's bottom where the
            // taskbar is not at the bottom, else on it (48 pixels are more than 500 twips).
            const Form& f = window.form();
            EXPECT_EQ(f.Left() + f.Width(), Toolkit::WorkArea().right) << where;
            EXPECT_EQ(f.Top() + f.Height(),
                      taskbarAtRight ? Toolkit::ScreenHeight() - 500 : Toolkit::WorkArea().bottom)
                << where;
        }
    }
}

TEST(MainWindowOnRealDesktops, StartedBeforeTheTaskbarItComesUpAboveIt) {
    HeadlessMain h;
    Headless::SetDpi(192);
    Headless::SetScreen({2560, 1600});
    h.Start();
    Headless::SetScreen({2560, 1600, 0, 0, 0, 96});
    Headless::TrayMessage(h.window.form(), 0x201);
    EXPECT_EQ(h.window.form().Top() + h.window.form().Height(), Toolkit::WorkArea().bottom);
}

// At sign-in the shell may refuse the icon while it is too busy to answer: it is offered again
// every two seconds until the shell takes it, for two minutes after the first; once taken, or
// with the icon file missing, not again.
TEST(TrayIconRetries, ARefusedIconIsOfferedAgainUntilTakenForTwoMinutesAMissingFileNotAgain) {
    const struct {
        int16_t refusal;
        int refusals, adds;
    } cases[] = {
        {TaskIcon::kRefused, 3, 4}, {TaskIcon::kRefused, 1000, 61}, {TaskIcon::kNoIcon, 1000, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refusals);
        HeadlessMain h;
        Headless::FailIconAdd(c.refusal, c.refusals);
        h.Start();
        Control& retry = h.Ctl(L"Tmr_IconAdd");
        EXPECT_TRUE(Headless::Icons().empty());
        EXPECT_EQ(retry.Enabled(), c.refusal == TaskIcon::kRefused);
        EXPECT_EQ(retry.interval, 2000);
        for (int tick = 0; tick < 100; ++tick) Headless::Elapse(retry);
        EXPECT_FALSE(retry.Enabled());
        EXPECT_EQ(Headless::IconAddCalls(), c.adds);
        EXPECT_EQ(Headless::Icons().size(), c.adds == 4 ? 1u : 0u);
        for (const Headless::TrayIcon& icon : Headless::Icons())
            EXPECT_EQ(icon.tip, Texts::kMainCaption);
        Headless::TrayMessage(h.window.form(), 0x201);
        EXPECT_TRUE(h.window.form().Visible());
    }
}

// Out of window memory (the desktop heap exhausted): said, and nothing waits for the window.
TEST_F(MainWindow, AWindowThatCannotBeCreatedIsReportedAndEverythingElseGoesOn) {
    h.StartShown();
    Headless::FailWindowOf(L"Frm_ZelkorOrder");
    Headless::ClickMenu(window.form(), L"MnuPf", 110);
    EXPECT_EQ(Headless::ModalCount(L"Frm_ZelkorOrder"), 0);
    EXPECT_EQ(
        Headless::Prompts(),
        std::vector<std::wstring>{L"ウィンドウを開けませんでした。Windowsのメモリが足りません"
                                  L"。ほかのプログラムを閉じてから、もう一度お試しください。"});
    EXPECT_EQ(h.app.state.ShowMeAllowed, kTrue) << "the tray icon still works";
    Headless::ClickMenu(window.form(), L"MnuPf", 110);
    EXPECT_EQ(Headless::ModalCount(L"Frm_ZelkorOrder"), 1) << "the next try opens it";
}

TEST(StartUp, WithoutItsMainWindowTheProgramSaysSoAndEnds) {
    HeadlessMain h;
    Headless::FailWindowOf(L"Frm_Main");
    h.Start();
    EXPECT_FALSE(h.window.form().Loaded());
    EXPECT_TRUE(Headless::Icons().empty());
    EXPECT_EQ(Headless::Boxes().size(), 1u);
    EXPECT_TRUE(Toolkit::Ended());
}

TEST_F(MainWindow, EachWindowOpensWithTheFocusOnItsFirstControl) {
    h.StartShown();
    EXPECT_EQ(Headless::Focused(), &Ctl(L"Chk_ProxyEnable"));
    const auto focusedOn = [](const wchar_t* name, int index) {
        return [=](Form& form) {
            EXPECT_EQ(Headless::Focused(), &form.Ctl(name, index)) << form.name();
        };
    };
    Headless::OnModal(L"Frm_About", focusedOn(L"Command1", -1));
    Headless::ClickMenu(window.form(), L"MnuPf2", 200);
    Headless::OnModal(L"Frm_ZelkorOrder", focusedOn(L"Txt_Body", 0));
    Headless::ClickMenu(window.form(), L"MnuPf", 110);
    Headless::OnModal(L"Frm_EditSub", focusedOn(L"Txt_Body", 0));
    Headless::OnModal(L"Frm_Edit", [&](Form& editor) {
        focusedOn(L"CmdPF", 200)(editor);
        Headless::Click(editor.Ctl(L"CmdPF", 200));
    });
    Headless::ClickMenu(window.form(), L"MnuPf", 100);
    EXPECT_EQ(Headless::ModalCount(L"Frm_EditSub"), 1);
}

TEST(Faults, AFaultInAHandlerIsReportedAndGoesNoFurther) {
    HeadlessApp h;
    const int result =
        Toolkit::CatchFaults(-1, []() -> int { throw std::out_of_range("index 7"); });
    EXPECT_EQ(result, -1);
    ASSERT_EQ(Headless::Boxes().size(), 1u);
    EXPECT_EQ(Headless::Boxes()[0].prompt,
              L"予期しないエラーが発生しました。この操作は中断されました。\r\nindex 7");
    EXPECT_EQ(Headless::Boxes()[0].title, Texts::kAppTitle);
}

// The handler of a close question faults once: the next close still asks it.
TEST(Faults, AFaultInACloseQuestionDoesNotSkipTheNextOne) {
    HeadlessApp h;
    Form form{L"Frm_Test", L"", 100, 100};
    int asked = 0;
    form.OnQueryUnload = [&](int16_t& cancel, int) {
        if (++asked == 1) throw std::runtime_error("broken");
        cancel = kTrue;
    };
    form.Show();
    // As the window procedure runs it.
    Toolkit::CatchFaults(0, [&] {
        Headless::CloseBox(form);
        return 0;
    });
    EXPECT_EQ(Headless::Boxes().size(), 1u);
    Headless::CloseBox(form);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(form.Loaded()) << "the question's answer kept the window";
}

// Sign-out, or the close box, reaches the main window while one of its modal windows is up.
TEST(EndedFromAModalWindow, YesEndsTheProgramAndNothingComesBack) {
    for (const auto& [form, menu, index] : {std::tuple{L"Frm_Edit", L"MnuPf", 100},
                                            {L"Frm_ZelkorOrder", L"MnuPf", 110},
                                            {L"Frm_About", L"MnuPf2", 200}}) {
        SCOPED_TRACE(index);
        HeadlessMain h;
        Form& window = h.window.form();
        h.StartShown();
        Headless::OnModal(form, [&](Form&) {
            Headless::Answer(MsgAnswer::Yes);
            window.UserClose(UnloadMode::WindowsShutdown);
        });
        const size_t shown = Headless::Boxes().size();
        Headless::ClickMenu(window, menu, index);
        EXPECT_TRUE(Toolkit::Ended());
        EXPECT_FALSE(window.Loaded());
        EXPECT_FALSE(window.Visible());
        EXPECT_TRUE(Headless::Icons().empty());
        EXPECT_EQ(Headless::Boxes().size(), shown + 1) << "the close question, and nothing after";
    }
}

// A quick return to the entry in force, let through by the events of the write before it, is
// the pick that stays in force, with its own comment.
TEST_F(MainWindow, APickLetThroughByTheWriteBeforeItIsTheOneInForce) {
    h.StartShown("a.example,8080,a\r\nb.example,3128,b\r\n");
    bool once = false;
    h.t.notifier.onNotice = [&] {
        if (std::exchange(once, true)) return;
        Headless::Pick(Ctl(L"Cmb_ProxyName"), 0);  // what the write's DoEvents lets through
    };
    Headless::Pick(Ctl(L"Cmb_ProxyName"), 1);
    EXPECT_EQ(Ctl(L"Cmb_ProxyName").ListIndex(), 0);
    EXPECT_EQ(StoredServer(), Sz("http=a.example:8080")) << "the last pick is in force";
    EXPECT_EQ(Ctl(L"Lbl_NowProxyName").Text(), L"ｱﾄﾞﾚｽ[http=a.example]");
    EXPECT_EQ(Ctl(L"Lbl_Comment").Text(), L"a");
}

// All Protocols finds the proxy turned off and its value emptied by another program: nothing
// to rewrite, and the window shows what it read.
TEST_F(MainWindow, AllProtocolsWithNothingToRewriteShowsWhatItRead) {
    h.StartShown();
    h.t.memory.Put(kSettingsPath, "ProxyEnable", RegType::Dword, {0, 0, 0, 0});
    h.t.PutServer("");
    Headless::ClickMenu(window.form(), L"MnuPf", 112);
    EXPECT_EQ(Ctl(L"Chk_ProxyEnable").Value(), 0);
    EXPECT_FALSE(Ctl(L"Cmb_ProxyName").Enabled());
    EXPECT_FALSE(Headless::Menu(window.form(), L"MnuPf", 110).enabled);
    EXPECT_EQ(Ctl(L"Lbl_NowProxyName").Text(), L"ｱﾄﾞﾚｽ[]");
    EXPECT_TRUE(Headless::Boxes().empty());
}

}  // namespace
