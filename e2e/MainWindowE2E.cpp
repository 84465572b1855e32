// The real program under Wine: start-up, the splash, the tray icon and the main window.

#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstdlib>

#include "e2e/Zelkor.h"

namespace e2e {
namespace {

class MainWindowE2E : public ZelkorInTray {
protected:
    void SetUp() override {
        ZelkorInTray::SetUp();
        controls = ControlsOf(main);
    }
    bool ShowsProxy(const std::wstring& address, const std::wstring& port) const {
        return WaitUntil(
            [&] { return TextOf(controls.address) == address && TextOf(controls.port) == port; },
            5000);
    }

    MainControls controls{};
};

TEST(StartupE2E, WithoutAListFileTheMessageStandsOverTheSplashThenOnlyTheTrayIconRemains) {
    SetProxyInForce(kSampleServer, true);
    Zelkor zelkor(std::nullopt);
    zelkor.Start();
    const auto box = WaitForMessageBox(zelkor.Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, Texts::kListMissingTitle);
    EXPECT_FALSE(box->prompt.empty());  // the system's own words for the missing file
    EXPECT_FALSE(box->icon);
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    HWND splash = zelkor.Form(L"Form1");
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_FALSE(zelkor.MainWindow()) << "the main window comes only after the list is loaded";
    Screenshot(L"splash-missing-list");
    Answer(*box, IDOK);

    ASSERT_TRUE(zelkor.WaitForStartup());
    EXPECT_TRUE(VisibleWindowsOf(zelkor.Pid()).empty());
    EXPECT_TRUE(IconShown(zelkor.MainWindow()));
    ASSERT_TRUE(zelkor.ShowFromTray());
    EXPECT_EQ(ItemCount(ControlsOf(zelkor.MainWindow()).servers), 0);
    EXPECT_FALSE(zelkor.ListFile()) << "a missing list is not created before the first save";
}

TEST(StartupE2E, TheSplashStandsCentredWithItsTextsUntilTheMainWindowIsLoaded) {
    SetProxyInForce(kSampleServer, true);
    Zelkor zelkor(Ansi(kSampleList));
    zelkor.Start();
    HWND splash = zelkor.WaitForForm(L"Form1");
    ASSERT_TRUE(splash);
    // It stands for one to two seconds: its place first, the picture last.
    const RECT r = RectOf(splash), screen = ScreenRect();
    EXPECT_EQ(r.right - r.left, Pixels(3435));
    EXPECT_EQ(r.bottom - r.top, Pixels(1635));
    EXPECT_NEAR((r.left + r.right) / 2, screen.right / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, screen.bottom / 2, 1);
    EXPECT_EQ(GetWindowLongW(splash, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_TRUE(ChildWithText(splash, L"Static", Texts::kMainCaption));
    EXPECT_TRUE(ChildWithText(splash, L"Static", L"Ver 0.5β"));
    EXPECT_TRUE(WaitUntil(
        [&] { return ChildWithText(splash, L"Static", L"処理中...[現在のプロクシ情報取込]"); }));
    Screenshot(L"splash", splash);

    ASSERT_TRUE(zelkor.WaitForStartup());
    EXPECT_FALSE(zelkor.Form(L"Form1"));
    EXPECT_TRUE(VisibleWindowsOf(zelkor.Pid()).empty());
}

TEST_F(MainWindowE2E, OnlyALeftPressOnTheTrayIconShowsTheWindowWithTheValuesInForce) {
    // All but the left press, and the click's NIN_SELECT and the context menu's message.
    for (const UINT message : {0x200u, 0x202u, 0x203u, 0x204u, 0x205u, 0x207u, 0x400u, 0x7Bu})
        PostTrayMessage(main, message);
    // The About box, asked for after them, opens once they have all been handled.
    ChooseMenu(main, MainMenu::About);
    HWND about = zelkor.WaitForForm(Texts::kAboutCaption);
    ASSERT_TRUE(about);
    EXPECT_FALSE(IsWindowVisible(main));
    Close(about);
    ASSERT_TRUE(Gone(about));

    ASSERT_TRUE(zelkor.ShowFromTray());
    EXPECT_TRUE(ShowsProxy(L"ｱﾄﾞﾚｽ[HTTP=proxy.example.jp]", L"PortNo[8080]"));
    EXPECT_EQ(SendMessageW(controls.check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(controls.servers));
    EXPECT_EQ(ItemCount(controls.servers), 2);
    EXPECT_EQ(ItemText(controls.servers, 0), L"proxy.example.jp");
    EXPECT_EQ(SelectedItem(controls.servers), -1);
    EXPECT_EQ(TextOf(controls.comment), L"");
    // In the work area's lower right corner: 500 twips above the screen's bottom, or on the
    // taskbar where that is thicker.
    const RECT r = RectOf(main), work = WorkArea();
    const int designed = ScreenRect().bottom - Pixels(500);
    EXPECT_EQ(r.right, work.right);
    EXPECT_TRUE(r.bottom == work.bottom || std::abs(r.bottom - designed) <= 1) << r.bottom;
    EXPECT_LE(r.bottom, work.bottom);
    EXPECT_GE(r.left, work.left);
    Screenshot(L"main-window", main);

    // A second press while it is up reads the registry again.
    SetProxyInForce("HTTP=other.example.jp:3128", false);
    ClickAt(TrayIconPoint(main));
    EXPECT_TRUE(ShowsProxy(L"ｱﾄﾞﾚｽ[HTTP=other.example.jp]", L"PortNo[3128]"));
    EXPECT_EQ(SendMessageW(controls.check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(controls.servers));
    EXPECT_TRUE(IsWindowVisible(main));
}

// Win+B, then Enter or Space on the icon: the shell's NIN_KEYSELECT.
TEST_F(MainWindowE2E, SelectingTheTrayIconWithTheKeyboardShowsTheWindow) {
    PostTrayMessage(main, 0x401);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main); }));
    EXPECT_TRUE(ShowsProxy(L"ｱﾄﾞﾚｽ[HTTP=proxy.example.jp]", L"PortNo[8080]"));
}

// The tray's messages come as mouse moves whose x is the message's number: the pointer's own
// moves at those places in the window must do nothing. The window, narrower than that at 96 dpi,
// is widened to the screen's width, so that both scalings hold them.
TEST_F(MainWindowE2E, ThePointerMovingAcrossTheWindowDoesNothing) {
    ASSERT_TRUE(zelkor.ShowFromTray());
    ASSERT_TRUE(ShowsProxy(L"ｱﾄﾞﾚｽ[HTTP=proxy.example.jp]", L"PortNo[8080]"));
    SetProxyInForce("HTTP=moved.example.jp:1",
                    true);  // what the window would show if it read again
    const RECT r = RectOf(main);
    SetWindowPos(main, nullptr, 0, r.top, ScreenRect().right, r.bottom - r.top, SWP_NOZORDER);
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    RECT client;
    GetClientRect(main, &client);
    ASSERT_GT(client.right, WM_LBUTTONDOWN) << "the left press's place is in the window";
    for (const int x : {WM_LBUTTONDOWN, 0x401})  // and the keyboard's selection, where it fits
        ASSERT_TRUE(x >= client.right || MoveTo({origin.x + x, origin.y})) << x;
    // A real click comes after every move in the input queue: once its effect shows, each move
    // has been handled.
    const RECT box = RectOf(controls.check);
    ClickAt({box.left + Pixels(90), (box.top + box.bottom) / 2});
    EXPECT_TRUE(WaitForSetting("ProxyEnable", REG_DWORD, Dword(0)));
    EXPECT_EQ(TextOf(controls.address), L"ｱﾄﾞﾚｽ[HTTP=proxy.example.jp]");
    EXPECT_EQ(VisibleWindowsOf(zelkor.Pid()), std::vector<HWND>{main});
}

TEST_F(MainWindowE2E, PickingAServerWritesExactlyItsProxyServerAndLeavesProxyEnableAlone) {
    ASSERT_TRUE(zelkor.ShowFromTray());
    Pick(controls.servers, 1);
    EXPECT_TRUE(WaitForSetting("ProxyServer", REG_SZ, Sz("http=10.0.0.1:3128")));
    EXPECT_TRUE(ShowsProxy(L"ｱﾄﾞﾚｽ[http=10.0.0.1]", L"PortNo[3128]"));
    EXPECT_EQ(TextOf(controls.comment), L"");
    Pick(controls.servers, 0);
    EXPECT_TRUE(ShowsProxy(L"ｱﾄﾞﾚｽ[http=proxy.example.jp]", L"PortNo[8080]"));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(controls.comment) == L"社内プロクシ"; }));
    EXPECT_TRUE(Holds("ProxyServer", REG_SZ, Sz("http=proxy.example.jp:8080")));
    EXPECT_TRUE(Holds("ProxyEnable", REG_DWORD, Dword(1)));
}

TEST_F(MainWindowE2E, TheCheckBoxWritesADwordProxyEnable) {
    ASSERT_TRUE(zelkor.ShowFromTray());
    Press(controls.check);
    EXPECT_TRUE(WaitForSetting("ProxyEnable", REG_DWORD, Dword(0)));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(controls.servers); }));
    Press(controls.check);
    EXPECT_TRUE(WaitForSetting("ProxyEnable", REG_DWORD, Dword(1)));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(controls.servers); }));
    EXPECT_TRUE(Holds("ProxyServer", REG_SZ, Sz(kSampleServer)));
}

TEST_F(MainWindowE2E, MinimizingHidesTheWindowAndTheTrayIconBringsItBack) {
    ASSERT_TRUE(zelkor.ShowFromTray());
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    ASSERT_TRUE(zelkor.ShowFromTray());
    EXPECT_FALSE(IsIconic(main));
}

TEST_F(MainWindowE2E, TheCloseQuestionCancelKeepsNoHidesYesEndsTheProgramAndTakesTheIcon) {
    ASSERT_TRUE(zelkor.ShowFromTray());
    Close(main);
    const auto question = WaitForMessageBox(zelkor.Pid());
    ASSERT_TRUE(question);
    EXPECT_EQ(question->title, Texts::kCloseTitle);
    EXPECT_EQ(question->prompt, Texts::kCloseQuestion);
    EXPECT_TRUE(question->icon);
    EXPECT_EQ(question->defaultButton, IDNO);
    EXPECT_EQ(question->buttons, (std::vector<int>{IDCANCEL, IDYES, IDNO}));
    Screenshot(L"close-question");
    Answer(*question, IDCANCEL);
    EXPECT_TRUE(
        WaitUntil([&] { return VisibleWindowsOf(zelkor.Pid()) == std::vector<HWND>{main}; }));

    ChooseMenu(main, MainMenu::Exit);
    ASSERT_EQ(zelkor.AnswerNextBox(IDNO).title, Texts::kCloseTitle);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    EXPECT_TRUE(zelkor.Running());

    ASSERT_TRUE(zelkor.ShowFromTray());
    Close(main);
    ASSERT_EQ(zelkor.AnswerNextBox(IDYES).title, Texts::kCloseTitle);
    EXPECT_TRUE(zelkor.WaitForExit()) << "Yes ends the program, and asks nothing more";
    EXPECT_TRUE(WaitUntil([&] { return !IconShown(main); }, 3000));
}

TEST_F(MainWindowE2E, WhenTheTaskbarComesBackTheIconIsPutBackInIt) {
    ASSERT_TRUE(IconShown(main));
    // What an Explorer restart does: the taskbar forgets every icon, then says it is back.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = main;
    icon.uID = 0;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &icon));
    EXPECT_TRUE(WaitUntil([&] { return !IconShown(main); }, 3000));
    PostMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IconShown(main); }, 3000));
    EXPECT_TRUE(zelkor.ShowFromTray());
}

// What a start at sign-in meets: a taskbar that is not ready yet refuses the icon. The icon is
// offered again until the taskbar takes it, without waiting for its announcement.
TEST(TaskbarE2E, StartedBeforeTheTaskbarIsReadyTheIconIsOfferedAgainUntilItIsTaken) {
    if (!UnderWine()) GTEST_SKIP() << "a stand-in taskbar cannot come before Explorer's here";
    SetProxyInForce(kSampleServer, true);
    {
        // A busy shell that carried out the add it reported failed has the icon when asked: it
        // counts as placed and gets the current version of its messages (the keyboard's).
        RefusingTaskbar busy(true);
        Zelkor placed(Ansi(kSampleList));
        placed.Start();
        EXPECT_TRUE(WaitUntil([&] { return busy.Offers(NIM_SETVERSION) == 1; }));
    }
    Zelkor zelkor(Ansi(kSampleList));
    {
        RefusingTaskbar notYet;
        zelkor.Start();
        ASSERT_TRUE(zelkor.WaitForStartup());
        const int firstTry = notYet.Offers();
        EXPECT_GT(firstTry, 0);
        EXPECT_TRUE(WaitUntil([&] { return notYet.Offers() > firstTry; }, 10000))
            << "offered again while refused";
        PostTrayMessage(zelkor.MainWindow(), 0x201);
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(zelkor.MainWindow()); }))
            << "the program answers meanwhile";
    }
    EXPECT_TRUE(WaitUntil([&] { return IconShown(zelkor.MainWindow()); }, 10000));
    // The taskbar's announcement comes too, and adds no second icon.
    PostMessageW(zelkor.MainWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_TRUE(zelkor.ShowFromTray());
    EXPECT_TRUE(NoSecondIcon());
}

}  // namespace
}  // namespace e2e
