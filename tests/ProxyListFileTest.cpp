// Loading and saving PROXYLIST.DAT, on real files and with each step of a save failing.

#include <gtest/gtest.h>

#include "core/MainBas.h"
#include "tests/support/FailingFileSystem.h"
#include "tests/support/TestApp.h"
#include "tests/support/Texts.h"
#include "text/AnsiText.h"

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
    EXPECT_EQ(t.ListBytes(), "host,8080,\x83\x52\x83\x81\x83\x93\x83\x67\r\nh2,1,\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.folder.path()), {}), 1);

#ifndef _WIN32  // Windows has attributes instead, checked end to end
    // The user's permissions on the file survive a save.
    using std::filesystem::perms;
    std::filesystem::permissions(t.ListPath(),
                                 perms::owner_read | perms::owner_write | perms::group_read);
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(std::filesystem::status(t.ListPath()).permissions(),
              perms::owner_read | perms::owner_write | perms::group_read);
#endif

    state.ProxyTable.clear();
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(std::filesystem::file_size(t.ListPath()), 0u);
    state.ProxyTable = {{L"x", L"1", L""}};
    LoadProxyList(t.app);
    EXPECT_EQ(state.ProxyLastIndex(), -1);
}

// A file that was not read whole is never replaced by what was read of it: a save keeps it.
TEST_F(ProxyListFile, OverLongFileIsReportedAndKeptByTheNextSave) {
    std::string bytes;
    for (int i = 0; i < kMaxProxyEntries + 1; ++i) bytes += "h,1,\r\n";
    t.WriteList(bytes);
    LoadProxyList(t.app);
    EXPECT_EQ(state.ProxyLastIndex(), kMaxProxyEntries - 1);
    EXPECT_EQ(t.ui.Prompts(),
              std::vector<std::wstring>{
                  L"プロクシサーバ一覧の32767件を超える行は読み込めませんでした。\r\n"
                  L"一覧を保存するときは、今のファイルを消さずに別の名前で残します。"});
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(ReadBytes(t.folder.path() / "PROXYLIST.DAT.bak"), bytes);
    EXPECT_EQ(t.ListBytes().size(), bytes.size() - 6);
}

TEST_F(ProxyListFile, AListThatIsThereButCannotBeReadIsKeptByTheNextSave) {
    FailingFileSystem held(FailingFileSystem::Step::Read);
    App app{AppState{}, t.ui, t.registry, held, t.clock, t.notifier, t.folder.path().wstring(),
            L"Zelkor"};
    t.WriteList("old,1,whole list\r\n");
    WriteBytes(t.folder.path() / "PROXYLIST.DAT.bak", "an older backup");
    app.state.ProxyTable = {{L"kept", L"1", L""}};
    LoadProxyList(app);
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].title, L"プロクシサーバ一覧を読み込めませんでした。");
    EXPECT_EQ(t.ui.boxes[0].prompt,
              L"別のプロセスが使用中のため、プロセスはファイルにアクセスできません。\r\n\r\n"
              L"一覧を保存するときは、今のファイルを消さずに別の名前で残します。");
    EXPECT_EQ(app.state.ProxyTable, (std::vector<ProxyEntry>{{L"kept", L"1", L""}}));

    app.state.ProxyTable.push_back({L"new", L"2", L""});
    ASSERT_TRUE(SaveProxyList(app));
    EXPECT_EQ(t.ListBytes(), "kept,1,\r\nnew,2,\r\n");
    EXPECT_EQ(ReadBytes(t.folder.path() / "PROXYLIST.DAT.bak2"), "old,1,whole list\r\n");
    EXPECT_EQ(ReadBytes(t.folder.path() / "PROXYLIST.DAT.bak"), "an older backup");
    EXPECT_EQ(t.ui.boxes.back().prompt,
              L"読み込めなかった元のプロクシサーバ一覧は、次の名前で残してあります。\r\n" +
                  (t.folder.path() / "PROXYLIST.DAT.bak2").wstring());

    ASSERT_TRUE(SaveProxyList(app));  // the file is the program's own now: replaced as usual
    EXPECT_FALSE(std::filesystem::exists(t.folder.path() / "PROXYLIST.DAT.bak3"));
}

TEST_F(ProxyListFile, AnEntryTheFileCannotHoldIsNotSavedAndTheFileStays) {
    t.WriteList("old,1,\r\n");
    state.ProxyTable = {{L"host", L"1", L"프록시"}};
    EXPECT_FALSE(SaveProxyList(t.app));
    EXPECT_EQ(t.ListBytes(), "old,1,\r\n");
    EXPECT_EQ(
        t.ui.Prompts(),
        std::vector<std::wstring>{
            L"プロクシサーバ一覧を保存できませんでした。ファイルは保存前のまま残っています。\r\n"
            L"ファイルに書けない文字（シフトJISにない文字）が含まれています。"});
}

class FailedSave : public ::testing::TestWithParam<FailingFileSystem::Step> {};

TEST_P(FailedSave, LosesNothingAndSaysSo) {
    TestApp t;
    FailingFileSystem files(GetParam());
    App app{AppState{}, t.ui, t.registry, files, t.clock, t.notifier, t.folder.path().wstring(),
            L"Zelkor"};
    t.WriteList("old,1,kept\r\n");
    app.state.ProxyTable = {{L"new", L"2", L""}};

    EXPECT_FALSE(SaveProxyList(app));
    EXPECT_EQ(t.ListBytes(), "old,1,kept\r\n");
    EXPECT_EQ(app.state.ProxyTable, (std::vector<ProxyEntry>{{L"new", L"2", L""}}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.folder.path()), {}), 1);
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].prompt, Texts::kListNotSaved + L"\r\nディスクがいっぱいです。");
    EXPECT_EQ(t.ui.boxes[0].title, Texts::kAppTitle);
}

INSTANTIATE_TEST_SUITE_P(EachStep, FailedSave,
                         ::testing::Values(FailingFileSystem::Step::Create,
                                           FailingFileSystem::Step::Write,
                                           FailingFileSystem::Step::Replace),
                         StepName);

}  // namespace
