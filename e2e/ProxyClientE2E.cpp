// A real WinINet client, running before a switch or started after it, takes every switch made
// in the program's windows: its request goes through the proxy in force, or straight to the
// server when the proxy is off. Each server answers with its name, which says the way taken.

#include <windows.h>

#include <gtest/gtest.h>

#include "e2e/Web.h"
#include "e2e/Zelkor.h"

namespace e2e {
namespace {

// The check box's write has landed, in whatever form the program wrote it.
bool ProxyEnableBecomes(char on) {
    return WaitUntil([on] {
        const auto value = ReadSetting("ProxyEnable");
        return value && !value->bytes.empty() && value->bytes[0] == on;
    });
}

// Two proxies on one host, the first in force and off, and the main window up.
class ProxyClientE2E : public ::testing::Test {
protected:
    void SetUp() override {
        // Windows' WinINet sends a request for a loopback address straight to it unless the
        // exceptions say "<-loopback>"; Wine's sends it through the proxy either way.
        WriteSetting("ProxyOverride", REG_SZ, Sz("<-loopback>"));
        SetProxyInForce("http=" + proxyA.Address(), false);
        ASSERT_TRUE(zelkor.StartShown());
        controls = ControlsOf(zelkor.MainWindow());
    }

    NamedServer origin{"origin"}, proxyA{"proxy-A"}, proxyB{"proxy-B"};
    const std::string url = "http://" + origin.Address() + "/";
    Zelkor zelkor{
        Ansi(L"127.0.0.1," + proxyA.Port() + L",A\r\n127.0.0.1," + proxyB.Port() + L",B\r\n")};
    MainControls controls{};
};

TEST_F(ProxyClientE2E, EverySwitchInTheWindowsIsTakenByAWinInetClient) {
    WebClient running(url);  // started while the proxy is off
    ASSERT_EQ(running.Body(), "origin");
    Press(controls.check);
    ASSERT_TRUE(ProxyEnableBecomes('\1'));
    EXPECT_TRUE(Holds("ProxyEnable", REG_DWORD, Dword(1)));
    EXPECT_EQ(running.FetchAgain(), "proxy-A") << "a running client, on its next session";
    EXPECT_EQ(FetchOnce(url), "proxy-A");
    EXPECT_TRUE(Holds("ProxyEnable", REG_DWORD, Dword(1))) << "as the clients left it";
    // Brought up again from the tray, the window reads what the clients left.
    PostMessageW(zelkor.MainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(zelkor.MainWindow()); }));
    ASSERT_TRUE(zelkor.ShowFromTray());
    EXPECT_EQ(SendMessageW(controls.check, BM_GETCHECK, 0, 0), BST_CHECKED);

    // Another entry, the trial window's "接続", one proxy for all protocols, a pick in that
    // form between two entries on one host, then the proxy off.
    PickNow(controls.servers, 1);
    EXPECT_EQ(FetchOnce(url), "proxy-B");
    ASSERT_TRUE(zelkor.ConnectFromTrialWindow(L"127.0.0.1", proxyA.Port()));
    EXPECT_EQ(FetchOnce(url), "proxy-A");
    ChooseMenu(zelkor.MainWindow(), MainMenu::AllProtocols);
    EXPECT_TRUE(WaitForSetting("ProxyServer", REG_SZ, Sz(proxyA.Address())));
    EXPECT_EQ(FetchOnce(url), "proxy-A");
    PickNow(controls.servers, 1);
    EXPECT_TRUE(Holds("ProxyServer", REG_SZ, Sz(proxyB.Address())));
    EXPECT_EQ(FetchOnce(url), "proxy-B");
    ChooseMenu(zelkor.MainWindow(), MainMenu::AllProtocols);
    EXPECT_TRUE(WaitForSetting("ProxyServer", REG_SZ, Sz("http=" + proxyB.Address())));
    EXPECT_EQ(FetchOnce(url), "proxy-B");
    EXPECT_TRUE(Holds("ProxyEnable", REG_DWORD, Dword(1)));
    Press(controls.check);
    ASSERT_TRUE(ProxyEnableBecomes('\0'));
    EXPECT_EQ(running.FetchAgain(), "origin");
}

}  // namespace
}  // namespace e2e
