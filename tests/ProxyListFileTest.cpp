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
using namespace std::string_literals;

const std::wstring kDiskFull = L"\r\nディスクがいっぱいです。";  // the failing file system's words
const std::wstring kNotPutInPlace =
    L"プロクシサーバ一覧を保存できませんでした。保存する内容は次の名前で残してあります。";

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
    EXPECT_EQ(t.ui.boxes[0].title, Texts::kListMissingTitle);
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
    EXPECT_EQ(FilesIn(t.folder.path()), 1u);

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
    EXPECT_EQ(ReadBytes(t.Beside("PROXYLIST.DAT.bak")), bytes);
    EXPECT_EQ(t.ListBytes().size(), bytes.size() - 6);
    EXPECT_EQ(t.ui.Prompts().back(),
              L"32767件を超える行があった元のプロクシサーバ一覧は、次の名前で残してあります。\r\n" +
                  t.Beside("PROXYLIST.DAT.bak").wstring());
}

TEST_F(ProxyListFile, AListThatIsThereButCannotBeReadIsKeptByTheNextSave) {
    FailingFileSystem held(FailingFileSystem::Step::Read);
    App app = t.Over(held);
    t.WriteList("old,1,whole list\r\n");
    WriteBytes(t.Beside("PROXYLIST.DAT.bak"), "an older backup");
    app.state.ProxyTable = {{L"kept", L"1", L""}};
    LoadProxyList(app);
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].title, Texts::kListUnreadableTitle);
    EXPECT_EQ(t.ui.boxes[0].prompt,
              L"別のプロセスが使用中のため、プロセスはファイルにアクセスできません。\r\n\r\n"
              L"一覧を保存するときは、今のファイルを消さずに別の名前で残します。");
    EXPECT_EQ(app.state.ProxyTable, (std::vector<ProxyEntry>{{L"kept", L"1", L""}}));

    app.state.ProxyTable.push_back({L"new", L"2", L""});
    ASSERT_TRUE(SaveProxyList(app));
    EXPECT_EQ(t.ListBytes(), "kept,1,\r\nnew,2,\r\n");
    EXPECT_EQ(ReadBytes(t.Beside("PROXYLIST.DAT.bak2")), "old,1,whole list\r\n");
    EXPECT_EQ(ReadBytes(t.Beside("PROXYLIST.DAT.bak")), "an older backup");
    EXPECT_EQ(t.ui.boxes.back().prompt,
              Texts::kKeptUnreadable + L"\r\n" + t.Beside("PROXYLIST.DAT.bak2").wstring());

    ASSERT_TRUE(SaveProxyList(app));  // the file is the program's own now: replaced as usual
    EXPECT_FALSE(std::filesystem::exists(t.Beside("PROXYLIST.DAT.bak3")));
}

TEST_F(ProxyListFile, AnEntryTheFileCannotHoldIsNotSavedAndTheFileStays) {
    t.WriteList("old,1,\r\n");
    state.ProxyTable = {{L"host", L"1", L"프록시"}};
    EXPECT_FALSE(SaveProxyList(t.app));
    EXPECT_EQ(t.ListBytes(), "old,1,\r\n");
    EXPECT_EQ(t.ui.Prompts(),
              std::vector<std::wstring>{
                  Texts::kListNotSaved +
                  L"\r\nファイルに書けない文字（シフトJISにない文字）が含まれています。"
                  L"\r\n1件目の「프」"});
}

// What other editors save: the entries show as written, no mark reaches an address, and the
// next save writes the program's own format and keeps the original beside it, saying so once.
TEST_F(ProxyListFile, AListSavedByAnotherEditorShowsItsEntriesAndTheNextSaveKeepsIt) {
    const std::wstring undecodable =
        L"プロクシサーバ一覧には、そのままの形では保存し直せない部分（文字として読めない"
        L"バイトなど）があったため、このツールの形で保存し直しました。元のファイルは次の名前で"
        L"残してあります。";
    const std::string utf8 = "a.example,8080,\xE8\x87\xAA\xE5\xAE\x85\r\n";  // 自宅 in UTF-8
    const std::string own = "a.example,8080,\x8E\xA9\x91\xEE\r\n";           // and in Shift-JIS
    const std::vector<ProxyEntry> home = {{L"a.example", L"8080", L"自宅"}},
                                  one = {{L"a", L"1", L"自"}};
    const struct {
        const char* what;
        std::string bytes;
        std::vector<ProxyEntry> entries;
        std::string saved;
        const std::wstring& told;
    } lists[] = {
        {"UTF-8", utf8, home, own, Texts::kKeptOtherEncoding},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8, home, own, Texts::kKeptOtherEncoding},
        // "a,1,自" and a line end, in UTF-16 with its mark, either way round
        {"UTF-16", "\xFF\xFE\x61\0,\0\x31\0,\0\xEA\x81\r\0\n\0"s, one, "a,1,\x8E\xA9\r\n",
         Texts::kKeptOtherEncoding},
        {"big-endian UTF-16", "\xFE\xFF\0\x61\0,\0\x31\0,\x81\xEA\0\r\0\n"s, one,
         "a,1,\x8E\xA9\r\n", Texts::kKeptOtherEncoding},
        {"bytes that do not decode",
         "a.example,8080,\x81\r\nb,1,ok\r\n",
         {{L"a.example", L"8080", L"・"}, {L"b", L"1", L"ok"}},
         "a.example,8080,\x81\x45\r\nb,1,ok\r\n",
         undecodable},
    };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.what);
        TestApp u;
        u.WriteList(list.bytes);
        LoadProxyList(u.app);
        EXPECT_EQ(u.app.state.ProxyTable, list.entries);
        EXPECT_TRUE(u.ui.boxes.empty()) << "nothing to say before anything is written";

        ASSERT_TRUE(SaveProxyList(u.app));
        EXPECT_EQ(ReadBytes(u.Beside("PROXYLIST.DAT.bak")), list.bytes);
        EXPECT_EQ(u.ListBytes(), list.saved);
        EXPECT_EQ(u.ui.Prompts(),
                  std::vector<std::wstring>{list.told + L"\r\n" +
                                            u.Beside("PROXYLIST.DAT.bak").wstring()});

        ASSERT_TRUE(SaveProxyList(u.app));
        EXPECT_EQ(u.ui.boxes.size(), 1u) << "told once";
        EXPECT_FALSE(std::filesystem::exists(u.Beside("PROXYLIST.DAT.bak2")));
    }

    // The program's own lists, half-width katakana that could pass for UTF-8 among them, load
    // as they always did and are replaced with nothing kept.
    t.WriteList("h,1,\xCE\xB1\r\nk,2,\x83\x76\x83\x8D\r\n");
    LoadProxyList(t.app);
    EXPECT_EQ(state.ProxyTable,
              (std::vector<ProxyEntry>{{L"h", L"1", L"ﾎｱ"}, {L"k", L"2", L"プロ"}}));
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(t.ListBytes(), "h,1,\xCE\xB1\r\nk,2,\x83\x76\x83\x8D\r\n");
    EXPECT_FALSE(std::filesystem::exists(t.Beside("PROXYLIST.DAT.bak")));
}

// Another program wrote the list after it was read: neither version is lost.
TEST_F(ProxyListFile, AListChangedOnDiskSinceItWasReadIsKeptBesideTheSave) {
    t.WriteList("a,1,\r\n");
    LoadProxyList(t.app);
    t.WriteList("a,1,\r\nnotepad,2,\r\n");
    state.ProxyTable.push_back({L"editor", L"3", L""});
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(t.ListBytes(), "a,1,\r\neditor,3,\r\n");
    EXPECT_EQ(ReadBytes(t.Beside("PROXYLIST.DAT.bak")), "a,1,\r\nnotepad,2,\r\n");
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].prompt,
              Texts::kKeptChanged + L"\r\n" + t.Beside("PROXYLIST.DAT.bak").wstring());

    ASSERT_TRUE(SaveProxyList(t.app));  // what is on disk now is the program's own save
    EXPECT_EQ(t.ui.boxes.size(), 1u);

    // A list that was missing at the load and is there at the save was written by another.
    std::filesystem::remove(t.ListPath());
    LoadProxyList(t.app);
    t.WriteList("created,1,\r\n");
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(ReadBytes(t.Beside("PROXYLIST.DAT.bak2")), "created,1,\r\n");
}

#ifndef _WIN32  // symbolic links need privileges on Windows
// A file left at the temporary name by a crash is replaced; a link planted there is removed,
// never written through.
TEST_F(ProxyListFile, WhateverStandsAtTheTemporaryNameIsReplacedNeverFollowed) {
    const auto temporary = t.Beside("PROXYLIST.DAT.new");
    const auto elsewhere = t.folder.path() / "elsewhere";
    WriteBytes(temporary, "half a list from a crash");
    state.ProxyTable = {{L"a", L"1", L""}};
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(t.ListBytes(), "a,1,\r\n");
    EXPECT_FALSE(std::filesystem::exists(temporary));

    WriteBytes(elsewhere, "not ours");
    std::filesystem::create_symlink(elsewhere, temporary);
    ASSERT_TRUE(SaveProxyList(t.app));
    EXPECT_EQ(ReadBytes(elsewhere), "not ours");
    EXPECT_EQ(t.ListBytes(), "a,1,\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink(t.ListPath()));
}
#endif

class FailedSave : public ::testing::TestWithParam<FailingFileSystem::Step> {};

TEST_P(FailedSave, LosesNothingAndSaysSo) {
    TestApp t;
    FailingFileSystem files(GetParam());
    App app = t.Over(files);
    t.WriteList("old,1,kept\r\n");
    LoadProxyList(app);
    app.state.ProxyTable = {{L"new", L"2", L""}};

    EXPECT_FALSE(SaveProxyList(app));
    EXPECT_EQ(t.ListBytes(), "old,1,kept\r\n");
    EXPECT_EQ(app.state.ProxyTable, (std::vector<ProxyEntry>{{L"new", L"2", L""}}));
    EXPECT_EQ(FilesIn(t.folder.path()), 1u);
    ASSERT_EQ(t.ui.boxes.size(), 1u);
    EXPECT_EQ(t.ui.boxes[0].prompt, Texts::kListNotSaved + kDiskFull);
    EXPECT_EQ(t.ui.boxes[0].title, Texts::kAppTitle);
}

INSTANTIATE_TEST_SUITE_P(EachStep, FailedSave,
                         ::testing::Values(FailingFileSystem::Step::Create,
                                           FailingFileSystem::Step::Write,
                                           FailingFileSystem::Step::MoveOver),
                         StepName);

// The list "old,1," read, then another table saved over a file system whose `step` fails.
struct SaveOverFailing {
    explicit SaveOverFailing(FailingFileSystem::Step step, int busyTimes = 0)
        : files(step, busyTimes) {
        t.WriteList("old,1,\r\n");
        LoadProxyList(app);
        app.state.ProxyTable = {{L"new", L"2", L""}};
    }
    TestApp t;
    FailingFileSystem files;
    App app = t.Over(files);
};

// What a failing rename, or another program in the folder, can leave behind: the save follows
// it, and the list or the new one survives whatever happened, named where it is not in place.
TEST(FailedRename, TheNewListOrTheOldOneAlwaysSurvives) {
    using Step = FailingFileSystem::Step;
    const struct {
        const char* what;
        Step step;
        std::string outside;  // another program's list, written after the load
        bool saved;
        std::string list, temporary, backup;  // what these hold afterwards, "" when gone
        size_t files;                         // in the folder afterwards
        std::wstring told;                    // the message, before the file it names
        const char* named;
        std::wstring after;  // the message after the name
    } cases[] = {
        {"the rename was done and only its writing through failed: the new list stands, read back "
         "once another program's hold on it has passed",
         Step::MovedThenFailed, "", true, "new,2,\r\n", "", "", 1, L"", nullptr, L""},
        {"the same, with another program's version of the list kept: the copy stays",
         Step::MovedThenFailed, "changed,1,\r\n", true, "new,2,\r\n", "", "changed,1,\r\n", 2,
         Texts::kKeptChanged, "PROXYLIST.DAT.bak", L""},
        {"the old list went and the new one did not come: the new one is kept and named",
         Step::ListLost, "", false, "", "new,2,\r\n", "", 1, kNotPutInPlace, "PROXYLIST.DAT.new",
         kDiskFull},
        {"the new one went and the old one stayed: no save is claimed, the list is named",
         Step::TemporaryLost, "", false, "old,1,\r\n", "", "", 1, Texts::kListSaveUnsure,
         "PROXYLIST.DAT", kDiskFull},
        {"the rename put nothing in place, though the list holds the same bytes: not saved, and "
         "the temporary file and the copy made for this save are gone",
         Step::MoveOver, "new,2,\r\n", false, "new,2,\r\n", "", "", 1,
         Texts::kListNotSaved + kDiskFull, nullptr, L""},
        {"the same, with the copy held by another program: it stays, and is named", Step::CopyHeld,
         "changed,1,\r\n", false, "changed,1,\r\n", "", "changed,1,\r\n", 2,
         Texts::kListNotSaved + kDiskFull + L"\r\n" + Texts::kKeptChanged, "PROXYLIST.DAT.bak",
         L""},
        {"keeping the old list under another name failed: nothing is replaced", Step::KeepCopy,
         "changed,1,\r\n", false, "changed,1,\r\n", "", "", 1, Texts::kListNotSaved + kDiskFull,
         nullptr, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SaveOverFailing save(c.step);
        auto& [t, files, app] = save;
        if (!c.outside.empty()) t.WriteList(c.outside);
        EXPECT_EQ(SaveProxyList(app), c.saved);
        EXPECT_EQ(t.ListBytes(), c.list);
        EXPECT_EQ(ReadBytes(t.Beside("PROXYLIST.DAT.new")), c.temporary);
        EXPECT_EQ(ReadBytes(t.Beside("PROXYLIST.DAT.bak")), c.backup);
        EXPECT_EQ(FilesIn(t.folder.path()), c.files);
        const std::wstring name = c.named ? L"\r\n" + t.Beside(c.named).wstring() : L"";
        EXPECT_EQ(t.ui.Prompts(), c.told.empty() ? std::vector<std::wstring>{}
                                                 : std::vector{c.told + name + c.after});
    }
}

// A list the user made read-only is refused at once, the lock kept, nothing written; every name
// for a copy taken, the save is refused as well.
TEST(RefusedSave, AReadOnlyListOrNoNameLeftForItsCopy) {
    {
        SaveOverFailing save(FailingFileSystem::Step::None);
        auto& [t, files, app] = save;
        t.WriteList("changed,1,\r\n");  // a reason to keep it too
        std::filesystem::permissions(t.ListPath(), std::filesystem::perms::owner_read);
        for (int attempt = 0; attempt < 2; ++attempt) EXPECT_FALSE(SaveProxyList(app));
        EXPECT_EQ(t.ListBytes(), "changed,1,\r\n");
        EXPECT_EQ(FilesIn(t.folder.path()), 1u);
        EXPECT_TRUE(t.clock.sleeps.empty());
        EXPECT_EQ(t.ui.Prompts().back(), Texts::kListNotSaved + L"\r\n" + Texts::kListReadOnly +
                                             L"\r\n" + t.ListPath().wstring());
        std::filesystem::permissions(t.ListPath(), std::filesystem::perms::owner_all);
    }
    SaveOverFailing save(FailingFileSystem::Step::None);
    auto& [t, files, app] = save;
    t.WriteList("changed,1,\r\n");
    for (int n = 1; n < 1000; ++n)
        WriteBytes(t.Beside("PROXYLIST.DAT.bak" + (n == 1 ? "" : std::to_string(n))), "taken");
    EXPECT_FALSE(SaveProxyList(app));
    EXPECT_EQ(t.ListBytes(), "changed,1,\r\n");
    EXPECT_EQ(FilesIn(t.folder.path()), 1000u);
    EXPECT_EQ(t.ui.Prompts(), std::vector{Texts::kListNotSaved + L"\r\n" + Texts::kNoBackupName});
}

// A virus scanner or a sync client holding the file for a moment does not fail the save; one
// that holds it for good fails it after a short, bounded wait.
TEST(BusyFile, ASaveWaitsBrieflyForAnotherProgramsHoldToEnd) {
    using Step = FailingFileSystem::Step;
    for (const Step step : {Step::Create, Step::MoveOver}) {
        TestApp t;
        FailingFileSystem files(step, 3);
        App app = t.Over(files);
        app.state.ProxyTable = {{L"new", L"2", L""}};
        EXPECT_TRUE(SaveProxyList(app));
        EXPECT_EQ(t.ListBytes(), "new,2,\r\n");
        EXPECT_EQ(files.calls, 4);
        EXPECT_EQ(t.clock.sleeps.size(), 3u);
        EXPECT_TRUE(t.ui.boxes.empty());
    }
    SaveOverFailing save(Step::MoveOver, 1000);
    auto& [t, files, app] = save;
    EXPECT_FALSE(SaveProxyList(app));
    EXPECT_EQ(t.ListBytes(), "old,1,\r\n");
    int waited = 0;
    for (const int ms : t.clock.sleeps) waited += ms;
    EXPECT_GT(waited, 1000);
    EXPECT_LE(waited, 2000);
    EXPECT_EQ(
        t.ui.Prompts(),
        std::vector{Texts::kListNotSaved +
                    L"\r\n別のプロセスが使用中のため、プロセスはファイルにアクセスできません。"});
}

// A save of a list that another program changed, cut short after each of its calls in turn:
// the list is always the old one or the new one, whole; the next start loads it, and its save
// replaces the temporary file the cut left and keeps the copy it made.
TEST(CutShort, EverySaveLeavesAWholeListThatTheNextStartLoadsAndSavesOver) {
    for (const bool powerCut : {false, true}) {
        for (int cut = 0, finished = 0; !finished; ++cut) {
            SCOPED_TRACE((powerCut ? "power cut after " : "crash after ") + std::to_string(cut));
            ASSERT_LT(cut, 50) << "the save never ends";
            SaveOverFailing save(FailingFileSystem::Step::None);
            auto& [t, files, app] = save;
            t.WriteList("changed,1,\r\n");
            files.CutAfter(cut, powerCut, t.folder.path());
            try {
                finished = SaveProxyList(app);
            } catch (const FailingFileSystem::Cut&) {
            }
            const std::string list = t.ListBytes();
            ASSERT_TRUE(list == "changed,1,\r\n" || list == "new,2,\r\n") << list;
            const bool copied = std::filesystem::exists(t.Beside("PROXYLIST.DAT.bak"));
            LoadProxyList(t.app);
            const ProxyEntry loaded = list == "new,2,\r\n" ? ProxyEntry{L"new", L"2", L""}
                                                           : ProxyEntry{L"changed", L"1", L""};
            EXPECT_EQ(t.app.state.ProxyTable, std::vector{loaded});
            t.app.state.ProxyTable.push_back({L"after", L"4", L""});
            ASSERT_TRUE(SaveProxyList(t.app));
            EXPECT_EQ(FilesIn(t.folder.path()), copied ? 2u : 1u);
            if (copied) {
                EXPECT_EQ(ReadBytes(t.Beside("PROXYLIST.DAT.bak")), "changed,1,\r\n");
            }
        }
    }
}

}  // namespace
