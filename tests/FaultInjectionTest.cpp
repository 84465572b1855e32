// Every registry call that can fail, in every caller; and the list file failing at each step of
// a save in both windows that save.

#include "tests/support/FailingFileSystem.h"
#include "tests/support/HeadlessApp.h"
#include "tests/support/Texts.h"
#include "ui/editor/Frm_Edit.h"
#include "ui/trial/Frm_ZelkorOrder.h"

namespace {

using Call = MemoryRegistry::Call;
using Prompts = std::vector<std::wstring>;

const std::string kList = "a.example,8080,first\r\nb.example,3128,second\r\n";

std::string CodeAndCall(const ::testing::TestParamInfo<std::tuple<int32_t, Call>>& info) {
    static const char* names[] = {"Open", "Query", "Set", "Close"};
    return names[static_cast<int>(std::get<1>(info.param))] + std::string("Fails") +
           std::to_string(std::get<0>(info.param));
}

// Each code takes the same path in the program: one the system gives for that call.
class RegistryFault : public ::testing::TestWithParam<std::tuple<int32_t, Call>> {
protected:
    // Started and shown with every call working; then the chosen call starts to fail.
    void StartShownThenFail() {
        h.StartShown(kList);
        shownAt = Headless::Prompts().size();
        h.t.memory.FailCalls(failing, code);
    }
    Prompts NewPrompts() const {
        const Prompts all = Headless::Prompts();
        return Prompts(all.begin() + static_cast<std::ptrdiff_t>(shownAt), all.end());
    }
    // What a caller shows when the failing call is `opened`, `read` or `written` for it.
    Prompts Expect(const Prompts& opened, const Prompts& read, const Prompts& written) const {
        return failing == Call::Open ? opened : failing == Call::Query ? read : written;
    }
    std::vector<uint8_t> Stored(const std::string& name) const { return h.t.Stored(name)->bytes; }
    Control& Ctl(const wchar_t* name) { return h.Ctl(name); }

    const int32_t code = std::get<0>(GetParam());
    const Call failing = std::get<1>(GetParam());
    HeadlessMain h;
    Frm_Main& window = h.window;
    size_t shownAt = 0;
};

TEST_P(RegistryFault, StartUpReportsItAndStillEndsInTheTray) {
    h.t.memory.FailCalls(failing, code);
    h.Start(kList);
    EXPECT_EQ(Headless::Prompts(), Expect({Texts::kOpenError}, {Texts::kReadError}, {}));
    EXPECT_TRUE(window.form().Loaded());
    EXPECT_FALSE(window.form().Visible());
    EXPECT_EQ(Headless::Icons().size(), 1u);
    EXPECT_EQ(h.t.memory.OpenHandles(), 0u);
}

TEST_P(RegistryFault, TheTrayIconStillShowsTheWindow) {
    StartShownThenFail();
    Headless::TrayMessage(window.form(), 0x201);
    EXPECT_EQ(NewPrompts(), Expect({Texts::kOpenError}, {Texts::kReadError}, {}));
    EXPECT_TRUE(window.form().Visible());
    EXPECT_EQ(Ctl(L"Lbl_NowProxyName").Text(), L"ｱﾄﾞﾚｽ[HTTP=a.example]");
    EXPECT_EQ(h.t.memory.OpenHandles(), 0u);
}

TEST_P(RegistryFault, APickWritesAllOrNothing) {
    StartShownThenFail();
    Headless::Pick(Ctl(L"Cmb_ProxyName"), 1);
    EXPECT_EQ(NewPrompts(), Expect({Texts::kOpenError}, {Texts::kReadError}, {Texts::kWriteError}));
    const bool written = failing == Call::Query;
    EXPECT_EQ(Stored("ProxyServer"), Sz(written ? "http=b.example:3128" : "HTTP=a.example:8080"));
    EXPECT_EQ(Stored("ProxyEnable"), std::vector<uint8_t>{1});
    EXPECT_EQ(h.app.state.NowProxyName, failing == Call::Open ? L"HTTP=a.example" : L"b.example");
    EXPECT_EQ(Ctl(L"Lbl_Comment").Text(), written ? L"second" : L"");
    EXPECT_EQ(h.t.memory.OpenHandles(), 0u);
    EXPECT_EQ(h.t.notifier.notices, written ? 1 : 0);
}

TEST_P(RegistryFault, TheCheckBoxWritesAllOrNothing) {
    StartShownThenFail();
    Headless::Check(Ctl(L"Chk_ProxyEnable"), 0);
    EXPECT_EQ(NewPrompts(), Expect({Texts::kOpenError}, {}, {Texts::kWriteError}));
    const std::vector<uint8_t> enable =
        failing == Call::Query ? std::vector<uint8_t>{0, 0, 0, 0} : std::vector<uint8_t>{1};
    EXPECT_EQ(Stored("ProxyEnable"), enable);
    EXPECT_EQ(Stored("ProxyServer"), Sz("HTTP=a.example:8080"));
    EXPECT_EQ(h.app.state.NowProxyEnable, failing == Call::Open ? L"1" : L"0");
    EXPECT_EQ(Ctl(L"Cmb_ProxyName").Enabled(), failing == Call::Open);
    EXPECT_EQ(h.t.memory.OpenHandles(), 0u);
    EXPECT_EQ(h.t.notifier.notices, failing == Call::Query ? 1 : 0);
}

TEST_P(RegistryFault, TheTrialWindowsConnectWritesAllOrNothing) {
    StartShownThenFail();
    Headless::OnModal(L"Frm_ZelkorOrder", [](Form& f) {
        Headless::Type(f.Ctl(L"Txt_Body", 0), L"t.example");
        Headless::Click(f.Ctl(L"CmdPF", 100));
        EXPECT_TRUE(f.Loaded());
    });
    Frm_ZelkorOrder trial(h.app, window.form());
    trial.form().ShowModal();
    EXPECT_EQ(NewPrompts(), Expect({Texts::kOpenError}, {}, {Texts::kWriteError}));
    EXPECT_EQ(Stored("ProxyServer"),
              Sz(failing == Call::Query ? "http=t.example:8080" : "HTTP=a.example:8080"));
    EXPECT_EQ(Stored("ProxyEnable"), std::vector<uint8_t>{1});
    EXPECT_EQ(h.t.memory.OpenHandles(), 0u);
    EXPECT_EQ(h.t.notifier.notices, failing == Call::Query ? 1 : 0);
}

TEST_P(RegistryFault, AllProtocolsWritesAllOrNothing) {
    StartShownThenFail();
    Headless::ClickMenu(window.form(), L"MnuPf", 112);
    EXPECT_EQ(NewPrompts(), Expect({Texts::kOpenError}, {Texts::kReadError}, {Texts::kWriteError}));
    EXPECT_EQ(Stored("ProxyServer"), Sz("HTTP=a.example:8080"));
    EXPECT_EQ(h.t.memory.OpenHandles(), 0u);
    EXPECT_EQ(h.t.notifier.notices, 0);
    EXPECT_EQ(Headless::Menu(window.form(), L"MnuPf", 112).enabled, failing == Call::Set);
}

// The key missing, the value too long for its buffer, the key closed to writing.
INSTANTIATE_TEST_SUITE_P(EachCall, RegistryFault,
                         ::testing::Values(std::tuple{2, Call::Open}, std::tuple{234, Call::Query},
                                           std::tuple{5, Call::Set}),
                         CodeAndCall);

class SaveFault : public ::testing::TestWithParam<FailingFileSystem::Step> {
protected:
    SaveFault() {
        h.t.WriteList(kList);
        MainBas::LoadProxyList(app);
    }
    void ExpectOldFileAndOneMessage() const {
        EXPECT_EQ(h.t.ListBytes(), kList);
        EXPECT_EQ(FilesIn(h.t.folder.path()), 1u) << "no half-written file is left beside the list";
        ASSERT_FALSE(Headless::Boxes().empty());
        EXPECT_EQ(Headless::Boxes().back().prompt.rfind(Texts::kListNotSaved, 0), 0u);
    }

    HeadlessApp h;
    FailingFileSystem files{GetParam()};
    App app = h.Over(files);
};

TEST_P(SaveFault, TheEditorKeepsItsWindowAndItsEdits) {
    Headless::OnModal(L"Frm_EditSub", [](Form& dialog) {
        dialog.Ctl(L"Txt_Body", 0).SetText(L"c.example");
        dialog.Ctl(L"Txt_Body", 1).SetText(L"1");
        Headless::Click(dialog.Ctl(L"CmdPF", 100));
    });
    Headless::OnModal(L"Frm_Edit", [&](Form& f) {
        Headless::Click(f.Ctl(L"CmdPF", 200));
        Headless::Answer(MsgAnswer::Yes);
        Headless::Click(f.Ctl(L"CmdPF", 199));
        EXPECT_TRUE(f.Loaded());
        EXPECT_EQ(f.Ctl(L"Lst_Body").ListCount(), 3);
        ExpectOldFileAndOneMessage();
        Headless::Answer(MsgAnswer::No);
        Headless::Click(f.Ctl(L"CmdPF", 199));
    });
    Frm_Edit editor(app);
    editor.form().ShowModal();
    EXPECT_EQ(h.t.ListBytes(), kList);
}

TEST_P(SaveFault, TheTrialWindowTakesItsEntryBack) {
    Headless::OnModal(L"Frm_ZelkorOrder", [&](Form& f) {
        Headless::Type(f.Ctl(L"Txt_Body", 0), L"t.example");
        Headless::Answer(MsgAnswer::Yes);
        Headless::Click(f.Ctl(L"CmdPF", 110));
        EXPECT_TRUE(f.Loaded());
    });
    Form main{L"Frm_Main", L"", 100, 100};
    Frm_ZelkorOrder trial(app, main);
    trial.form().ShowModal();
    ExpectOldFileAndOneMessage();
    EXPECT_EQ(app.state.ProxyLastIndex(), 1) << "a second try must not add the entry twice";
}

INSTANTIATE_TEST_SUITE_P(EachStep, SaveFault,
                         ::testing::Values(FailingFileSystem::Step::Create,
                                           FailingFileSystem::Step::Write,
                                           FailingFileSystem::Step::MoveOver),
                         StepName);

}  // namespace
