// Loading and saving PROXYLIST.DAT, on real files and with each step of a save failing.

#include <gtest/gtest.h>

#include "text/AnsiText.h"
#include "core/MainBas.h"
#include "tests/support/FailingFileSystem.h"
#include "tests/support/TestApp.h"

namespace {

using MainBas::LoadProxyList;
using MainBas::SaveProxyList;

class ProxyListFile : public ::testing::Test {
protected:
    TestApp t;
    AppState& state = t.app.state;
};

TEST_F(ProxyListFile, MissingFileIsReportedAndLeavesTheTableAlone) {
    state.ProxyTable = {{L"kept", L"1", L"working copy"}};
    state.EditIndex = 4;
    LoadProxyList(t.app);
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].title, L"プロクシサーバ一覧が見つかりません。\r\n新規作成します。");
    EXPECT_EQ(t.ui.boxes[0].style, MsgStyle::OkOnly);
    EXPECT_FALSE(t.ui.boxes[0].prompt.empty());  // the system's own reason
    EXPECT_EQ(state.ProxyLastIndex(), 0);
    EXPECT_EQ(state.EditIndex, 4);
    EXPECT_FALSE(std::filesystem::exists(t.ListPath()));  // not created on a load
}

TEST_F(ProxyListFile, LoadReplacesTheTableAndResetsTheEditIndex) {
    state.ProxyTable = {{L"old", L"1", L""}, {L"old2", L"2", L""}, {L"old3", L"3", L""}};
    state.EditIndex = 2;
    t.WriteList("a,1,x\r\nb,2,\r\n");
    LoadProxyList(t.app);
    EXPECT_TRUE(t.ui.boxes.empty());
    EXPECT_EQ(state.ProxyTable, (std::vector<ProxyEntry>{{L"a", L"1", L"x"}, {L"b", L"2", L""}}));
    EXPECT_EQ(state.ProxyLastIndex(), 1);
    EXPECT_EQ(state.EditIndex, -1);

    t.WriteList("");
    LoadProxyList(t.app);
    EXPECT_EQ(state.ProxyLastIndex(), -1);
}

TEST_F(ProxyListFile, SaveWritesTheTableAndLeavesNoTemporaryFile) {
    state.ProxyTable = {{L"host", L"8080", L"コメント"}, {L"h2", L"1", L""}};
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(t.ListBytes(), "host,8080," + ToAnsi(L"コメント") + "\r\nh2,1,\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.folder.path()), {}), 1);

    state.ProxyTable.clear();
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(std::filesystem::file_size(t.ListPath()), 0u);
    state.ProxyTable = {{L"x", L"1", L""}};
    LoadProxyList(t.app);
    EXPECT_EQ(state.ProxyLastIndex(), -1);
}

TEST_F(ProxyListFile, OverLongFileIsReportedAndTheRestKept) {
    std::string bytes;
    for (int i = 0; i < kMaxProxyEntries + 1; ++i) bytes += "h,1,\r\n";
    t.WriteList(bytes);
    LoadProxyList(t.app);
    EXPECT_EQ(state.ProxyLastIndex(), kMaxProxyEntries - 1);
    EXPECT_EQ(t.ui.Prompts(), std::vector<std::wstring>{MainBas::kListTooLong});
}

class FailedSave : public ::testing::TestWithParam<FailingFileSystem::Step> {};

TEST_P(FailedSave, LosesNothingAndSaysSo) {
    TestApp t;
    FailingFileSystem files(GetParam());
    App app{AppState{}, t.ui, t.registry, files, t.clock, t.folder.path().wstring(), L"Zelkor"};
    t.WriteList("old,1,kept\r\n");
    app.state.ProxyTable = {{L"new", L"2", L""}};

    EXPECT_FALSE(SaveProxyList(app));
    EXPECT_EQ(t.ListBytes(), "old,1,kept\r\n");
    EXPECT_EQ(app.state.ProxyTable, (std::vector<ProxyEntry>{{L"new", L"2", L""}}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.folder.path()), {}), 1);
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].prompt, MainBas::kListNotSaved + L"\r\nディスクがいっぱいです。");
    EXPECT_EQ(t.ui.boxes[0].title, kAppTitle);
}

INSTANTIATE_TEST_SUITE_P(EachStep, FailedSave,
                         ::testing::Values(FailingFileSystem::Step::Create, FailingFileSystem::Step::Write,
                                           FailingFileSystem::Step::Replace),
                         StepName);

}  // namespace
