// The real program under Wine tells WinINet of each switch, and WinINet leaves the values as
// the program wrote them. Wine writes WinINet's trace to the Unix standard error of each of its
// processes, which the test cannot read from inside; so this test runs as a ctest entry of its
// own, under WINEDEBUG=trace+wininet, with that output in the file ZELKOR_WINE_TRACE names.

#include <windows.h>

#include <gtest/gtest.h>
#include <wininet.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "e2e/Zelkor.h"

namespace e2e {
namespace {

// The options of every InternetSetOptionW on no handle that the trace shows, in order.
std::vector<int> OptionsSetOnNoHandle(const std::wstring& trace) {
    std::ifstream in{std::filesystem::path(trace)};
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    static const std::regex call(R"(:trace:wininet:InternetSetOptionW \(0+ (\d+) )");
    std::vector<int> options;
    for (auto it = std::sregex_iterator(all.begin(), all.end(), call); it != std::sregex_iterator();
         ++it)
        options.push_back(std::stoi((*it)[1]));
    return options;
}

TEST(WinInetE2E, EachSwitchIsAnnouncedAndBothValuesStayExactlyAsWritten) {
    const std::wstring trace = PathFromEnvironment(L"ZELKOR_WINE_TRACE");
    if (trace.empty()) GTEST_SKIP() << "run by its ctest entry, under WINEDEBUG=trace+wininet";
    const std::vector<int> pair = {INTERNET_OPTION_SETTINGS_CHANGED, INTERNET_OPTION_REFRESH};
    const std::vector<int> before = OptionsSetOnNoHandle(trace);
    SetProxyInForce(kSampleServer, true);
    Zelkor zelkor(Ansi(kSampleList));
    ASSERT_TRUE(zelkor.StartShown());
    HWND main = zelkor.MainWindow();
    const MainControls controls = ControlsOf(main);
    const auto announced = [&](size_t switches) {
        std::vector<int> expected = before;
        for (size_t i = 0; i < switches; ++i)
            expected.insert(expected.end(), pair.begin(), pair.end());
        return WaitUntil([&] { return OptionsSetOnNoHandle(trace) == expected; }, 5000);
    };
    EXPECT_TRUE(announced(0)) << "nothing is announced before a switch";

    // The server list: its handler shows the new address after it has told WinINet.
    Pick(controls.servers, 1);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(controls.address) == L"ｱﾄﾞﾚｽ[http=10.0.0.1]"; }));
    EXPECT_TRUE(announced(1));
    EXPECT_TRUE(Holds("ProxyServer", REG_SZ, Sz("http=10.0.0.1:3128")));
    EXPECT_TRUE(Holds("ProxyEnable", REG_DWORD, Dword(1)));

    // The trial window's "接続": the window closes after its handler has run.
    ASSERT_TRUE(zelkor.ConnectFromTrialWindow(L"try.example.jp", L"8080"));
    EXPECT_TRUE(announced(2));
    EXPECT_TRUE(Holds("ProxyServer", REG_SZ, Sz("http=try.example.jp:8080")));
    EXPECT_TRUE(Holds("ProxyEnable", REG_DWORD, Dword(1)));

    // The check box: the About box, asked for after the click, opens once its handler is done.
    Press(controls.check);
    ChooseMenu(main, MainMenu::About);
    HWND about = zelkor.WaitForForm(Texts::kAboutCaption);
    ASSERT_TRUE(about);
    Close(about);
    ASSERT_TRUE(Gone(about));
    EXPECT_TRUE(announced(3));
    EXPECT_TRUE(Holds("ProxyEnable", REG_DWORD, Dword(0)));
    EXPECT_TRUE(Holds("ProxyServer", REG_SZ, Sz("http=try.example.jp:8080")));
}

}  // namespace
}  // namespace e2e
