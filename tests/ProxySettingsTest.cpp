// Reading and writing ProxyEnable and ProxyServer through the registry layer.

#include <gtest/gtest.h>

#include "core/MainBas.h"
#include "tests/support/TestApp.h"
#include "tests/support/Texts.h"
#include "text/AnsiText.h"

namespace {

using Call = MemoryRegistry::Call;
using MainBas::WriteOutcome;

TEST(SplitProxyServer, ExamplesOfStoredValues) {
    struct Case {
        std::wstring stored, name, port;
    };
    const Case cases[] = {
        {L"HTTP=host:8080", L"HTTP=host", L"8080"},
        {L"host:8080", L"host", L"8080"},
        {L"http=a:1;ftp=b:2", L"http=a:1;ftp=b", L"1;ftp=b:2"},
        {L"ab:80", L"", L""},  // a colon among the first three characters is not searched
        {L"abc:80", L"abc", L"80"},
        {L"abc:", L"abc", L""},
        {L"a:", L"a", L""},
        {L":", L"", L""},
        {L"noColon", L"", L""},
        {L"", L"", L""},
    };
    for (const Case& c : cases) {
        AppState state;
        state.NowProxyName = state.NowPortNo = L"old";
        MainBas::SplitProxyServer(state, c.stored);
        EXPECT_EQ(state.NowProxyName, c.name) << c.stored.c_str();
        EXPECT_EQ(state.NowPortNo, c.port) << c.stored.c_str();
    }
}

TEST(CutNullChars, OnlyTrailingNulsGo) {
    using namespace std::string_literals;
    EXPECT_EQ(MainBas::CutNullChars(L"HTTP=h:1\0\0\0"s), L"HTTP=h:1");
    EXPECT_EQ(MainBas::CutNullChars(L"a\0b \0\0"s), L"a\0b "s);
    EXPECT_EQ(MainBas::CutNullChars(std::wstring(128, L'\0')), L"");
    EXPECT_EQ(MainBas::CutNullChars(L""), L"");
}

class ProxySettings : public ::testing::Test {
protected:
    void SetUp() override {
        t.PutEnableByte(1);
        t.PutServer("HTTP=proxy.example.jp:8080");
    }
    void Read() { MainBas::ReadProxySettings(t.app); }

    TestApp t;
    AppState& state = t.app.state;
};

TEST_F(ProxySettings, EnableIsOnOnlyForTheNumberOne) {
    t.memory.Put(kSettingsPath, "ProxyEnable", RegType::Dword, {1, 0, 0, 0});
    Read();
    EXPECT_EQ(state.NowProxyEnable, L"1");
    t.memory.Put(kSettingsPath, "ProxyEnable", RegType::Dword, {2, 0, 0, 0});
    Read();
    EXPECT_EQ(state.NowProxyEnable, L"0");
    t.PutEnableByte(0);
    Read();
    EXPECT_EQ(state.NowProxyEnable, L"0");
    t.memory.Put(kSettingsPath, "ProxyEnable", RegType::Binary, {1, 0, 0, 0, 0});  // too big
    Read();
    EXPECT_EQ(t.ui.Prompts().back(), Texts::kReadError);
}

// A read fills the fields with what it could read and says what it could not, in one message,
// with the key closed. The codes are those the system gives; each takes one path.
TEST(ReadProxySettings, FillsTheFieldsItCouldReadAndSaysWhatItCouldNot) {
    const std::string tooLong = "HTTP=" + std::string(130, 'h') + ":1";
    const struct {
        const char* erased;  // the value that is missing
        std::string server;  // else stored
        Call failing;
        int32_t code;
        std::vector<std::wstring> told;
        std::wstring enable, name, port;
        int queries;
    } cases[] = {
        {nullptr, "", Call::Open, 0, {}, L"1", L"HTTP=proxy.example.jp", L"8080", 2},
        {"ProxyEnable", "", Call::Open, 0, {Texts::kReadError}, L"", L"before", L"1", 1},
        {"ProxyServer", "", Call::Open, 0, {Texts::kReadError}, L"1", L"before", L"1", 2},
        {nullptr, tooLong, Call::Open, 0, {Texts::kReadError}, L"1", L"before", L"1", 2},
        {nullptr, "", Call::Open, 2, {Texts::kOpenError}, L"", L"before", L"1", 0},
        {nullptr, "", Call::Query, 234, {Texts::kReadError}, L"", L"before", L"1", 1},
    };
    for (const auto& c : cases) {
        TestApp t;
        t.PutEnableByte(1);
        t.PutServer(c.server.empty() ? "HTTP=proxy.example.jp:8080" : c.server);
        if (c.erased) t.memory.Erase(kSettingsPath, c.erased);
        t.memory.FailCalls(c.failing, c.code);
        t.app.state.NowProxyName = L"before";
        t.app.state.NowPortNo = L"1";
        MainBas::ReadProxySettings(t.app);
        EXPECT_EQ(t.ui.Prompts(), c.told) << c.queries;
        EXPECT_EQ(t.app.state.NowProxyEnable, c.enable) << c.queries;
        EXPECT_EQ(t.app.state.NowProxyName, c.name) << c.queries;
        EXPECT_EQ(t.app.state.NowPortNo, c.port) << c.queries;
        EXPECT_EQ(t.memory.CallCount(Call::Query), c.queries);
        EXPECT_EQ(t.memory.OpenHandles(), 0u);
    }
}

// Running programs are told once the value is in the registry and the key is closed.
TEST_F(ProxySettings, ServerWriteStoresExactBytesLeavesEnableAloneThenTellsRunningPrograms) {
    t.PutEnableByte(0);
    std::vector<uint8_t> storedAtNotice;
    t.notifier.onNotice = [&] {
        storedAtNotice = t.Stored("ProxyServer")->bytes;
        EXPECT_EQ(t.memory.OpenHandles(), 0u);
    };
    EXPECT_EQ(MainBas::WriteProxyServer(t.app, L"  new.host ", L" 3128  "), WriteOutcome::Written);
    EXPECT_EQ(t.notifier.notices, 1);
    EXPECT_EQ(storedAtNotice, Sz("http=new.host:3128"));
    EXPECT_EQ(t.Stored("ProxyServer")->type, static_cast<uint32_t>(RegType::Sz));
    EXPECT_EQ(t.Stored("ProxyServer")->bytes, Sz("http=new.host:3128"));
    EXPECT_EQ(t.Stored("ProxyEnable")->bytes, std::vector<uint8_t>{0});
    EXPECT_EQ(state.NowProxyName, L"new.host");
    EXPECT_EQ(t.ui.eventPasses, 2);
    EXPECT_EQ(t.memory.OpenHandles(), 0u);

    Read();  // read back: same address, now with its prefix, and the same port
    EXPECT_EQ(state.NowProxyName, L"http=new.host");
    EXPECT_EQ(state.NowPortNo, L"3128");
}

// A key that does not open leaves the field, and a write that fails moves it on; either way
// the value stays as it was, and nothing written is nothing announced.
TEST(ProxySettingsWrites, AFailingOpenOrWriteWritesAndAnnouncesNothing) {
    int fieldSets = 0;
    const struct {
        const char* value;
        std::function<WriteOutcome(App&)> write;
        std::wstring AppState::*field;
        std::wstring fieldAfterFailedWrite;
    } writers[] = {
        {"ProxyServer", [](App& app) { return MainBas::WriteProxyServer(app, L"b", L"2"); },
         &AppState::NowProxyName, L"b"},
        {"ProxyEnable",
         [&](App& app) { return MainBas::WriteProxyEnable(app, 0, [&] { ++fieldSets; }); },
         &AppState::NowProxyEnable, L"0"},
    };
    for (const auto& w : writers) {
        SCOPED_TRACE(w.value);
        TestApp t;
        t.PutEnableByte(1);
        t.PutServer("HTTP=proxy.example.jp:8080");
        t.memory.FailCalls(Call::Open, 5);
        EXPECT_EQ(w.write(t.app), WriteOutcome::OpenFailed);
        EXPECT_EQ(t.app.state.*w.field, L"");
        EXPECT_EQ(fieldSets, 0);
        t.memory.FailCalls(Call::Open, 0);
        t.memory.FailCalls(Call::Set, 5);
        EXPECT_EQ(w.write(t.app), WriteOutcome::WriteFailed);
        EXPECT_EQ(t.app.state.*w.field, w.fieldAfterFailedWrite);
        EXPECT_EQ(t.Stored("ProxyServer")->bytes, Sz("HTTP=proxy.example.jp:8080"));
        EXPECT_EQ(t.Stored("ProxyEnable")->bytes, std::vector<uint8_t>{1});
        EXPECT_EQ(t.ui.Prompts(),
                  (std::vector<std::wstring>{Texts::kOpenError, Texts::kWriteError}));
        EXPECT_EQ(t.memory.OpenHandles(), 0u);
        EXPECT_EQ(t.notifier.notices, 0);
    }
}

TEST_F(ProxySettings, ServerTooLongForTheBufferIsRefusedNotCut) {
    const std::wstring address(123, L'a');  // "http=" + 123 + ":" = 129 bytes with the port
    EXPECT_EQ(MainBas::WriteProxyServer(t.app, address, L"12"), WriteOutcome::WriteFailed);
    EXPECT_EQ(t.Stored("ProxyServer")->bytes, Sz("HTTP=proxy.example.jp:8080"));
    EXPECT_EQ(t.ui.Prompts().back(), Texts::kWriteError);
    EXPECT_EQ(t.notifier.notices, 0);

    const std::wstring fits(120, L'a');  // 5 + 120 + 1 + 1 = 127 bytes: the most that fits
    EXPECT_EQ(MainBas::WriteProxyServer(t.app, fits, L"1"), WriteOutcome::Written);
    EXPECT_EQ(t.Stored("ProxyServer")->bytes.size(), 128u);
}

// The value in force chooses the form every writer writes; switching rewrites it in the other
// form with the http proxy it names (never a SOCKS server), and leaves ProxyEnable alone.
TEST_F(ProxySettings, WritersKeepTheFormInForceAndSwitchingRewritesTheOther) {
    struct Case {
        std::string inForce, written, switched;
    };
    const Case cases[] = {
        {"HTTP=old:1", "http=new.host:3128", "old:1"},
        {"http=old:1", "http=new.host:3128", "old:1"},
        {"old:1", "new.host:3128", "http=old:1"},
        {" [::1]:8080 ", "new.host:3128", "http=[::1]:8080"},
        {"https=b:2;http=a:1", "http=new.host:3128", "a:1"},
        {"socks=s:1080;ftp=c:3;https=b:2", "http=new.host:3128", "c:3"},
        {"old", "new.host:3128", "http=old"},
    };
    for (const Case& c : cases) {
        TestApp fresh;
        fresh.PutEnableByte(0);
        fresh.PutServer(c.inForce);
        MainBas::ReadProxySettings(fresh.app);
        MainBas::WriteProxyServer(fresh.app, L" new.host ", L"3128");
        EXPECT_EQ(fresh.Stored("ProxyServer")->bytes, Sz(c.written)) << c.inForce;
        const auto form = ProxyServerValue::FormOf(FromAnsi(c.inForce));
        MainBas::WriteServerForm(fresh.app, FromAnsi(c.inForce),
                                 form == ProxyServerValue::Form::AllProtocols
                                     ? ProxyServerValue::Form::HttpOnly
                                     : ProxyServerValue::Form::AllProtocols);
        EXPECT_EQ(fresh.Stored("ProxyServer")->bytes, Sz(c.switched)) << c.inForce;
        EXPECT_EQ(fresh.Stored("ProxyEnable")->bytes, std::vector<uint8_t>{0}) << c.inForce;
        EXPECT_EQ(fresh.notifier.notices, 2) << c.inForce;
    }
    EXPECT_EQ(ProxyServerValue::HttpServerOf(L"socks=s:1080").address, L"");
    MainBas::WriteProxyServer(t.app, L"a", L"");  // an entry without its port keeps the colon
    EXPECT_EQ(t.Stored("ProxyServer")->bytes, Sz("http=a:"));
    state.ProxyServerInForce = L"old:1";  // a read that fails forgets the form
    t.memory.FailCalls(Call::Query, 2);
    Read();
    EXPECT_EQ(MainBas::FormInForce(state), ProxyServerValue::Form::HttpOnly);
}

TEST_F(ProxySettings, EnableWriteIsADwordThenTellsRunningPrograms) {
    std::vector<uint8_t> storedAtNotice;
    t.notifier.onNotice = [&] {
        storedAtNotice = t.Stored("ProxyEnable")->bytes;
        EXPECT_EQ(t.memory.OpenHandles(), 0u);
    };
    int calledWithField = -1;
    const auto outcome = MainBas::WriteProxyEnable(
        t.app, 0, [&] { calledWithField = MainBas::NumberOf(state.NowProxyEnable); });
    EXPECT_EQ(outcome, WriteOutcome::Written);
    EXPECT_EQ(calledWithField, 0);
    EXPECT_EQ(t.Stored("ProxyEnable")->type, static_cast<uint32_t>(RegType::Dword));
    EXPECT_EQ(t.Stored("ProxyEnable")->bytes, (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(t.Stored("ProxyServer")->bytes, Sz("HTTP=proxy.example.jp:8080"));
    EXPECT_EQ(t.notifier.notices, 1);
    EXPECT_EQ(storedAtNotice, (std::vector<uint8_t>{0, 0, 0, 0}));

    MainBas::WriteProxyEnable(t.app, 1, [] {});
    EXPECT_EQ(t.notifier.notices, 2);
    EXPECT_EQ(storedAtNotice, (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(t.Stored("ProxyEnable")->type, static_cast<uint32_t>(RegType::Dword));
    EXPECT_EQ(state.NowProxyEnable, L"1");
}

TEST(NumberOf, EmptyOrOddFieldsReadAsOff) {
    EXPECT_EQ(MainBas::NumberOf(L"1"), 1);
    EXPECT_EQ(MainBas::NumberOf(L"0"), 0);
    EXPECT_EQ(MainBas::NumberOf(L""), 0);
    EXPECT_EQ(MainBas::NumberOf(L"x"), 0);
}

class WaitSeconds : public ::testing::Test {
protected:
    void Wait(int16_t count, std::vector<std::wstring> readings) {
        t.clock.readings = std::move(readings);
        MainBas::WaitSeconds(t.app, count);
    }
    TestApp t;
};

TEST_F(WaitSeconds, ReturnsAfterCountPlusOneChangesOfTheSecond) {
    Wait(1, {L"120000", L"120000", L"120000", L"120001", L"120001", L"120002", L"120002"});
    EXPECT_EQ(t.clock.next, 6u);  // stopped at the second change, not later
    EXPECT_GE(t.ui.eventPasses, 2);
    EXPECT_FALSE(t.ui.waits.empty());  // it slept between the passes instead of spinning
}

TEST_F(WaitSeconds, SpansMidnight) {
    Wait(0, {L"235959", L"235959", L"000000"});
    EXPECT_EQ(t.clock.next, 2u);
}

TEST_F(WaitSeconds, NegativeCountReturnsAtOnce) {
    Wait(-1, {L"120000"});
    EXPECT_EQ(t.clock.reads, 0);
    EXPECT_EQ(t.ui.eventPasses, 0);
}

}  // namespace
