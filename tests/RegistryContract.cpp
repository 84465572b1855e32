#include "tests/RegistryContract.h"

#include "registry/REGEDIT.h"
#include "tests/support/Bytes.h"

namespace {

using REGEDIT::RegValue;
using namespace std::string_literals;

class Opened {
public:
    explicit Opened(RegistryBackend& from) : backend(from), reg(from.Api()) {
        const std::string path = from.KeyPath();
        result = reg.Reg_OpenKey(kHkeyCurrentUser, std::wstring(path.begin(), path.end()), key);
    }
    ~Opened() {
        if (result == 0) reg.Reg_CloseKey(key);
    }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

    RegistryBackend& backend;
    REGEDIT::Registry reg;
    RegKey key = 0;
    int32_t result;
};

// Texts come padded with NULs to the buffer's 128 characters; numbers are DWORDs or binaries of
// up to four bytes; a missing value or one too long for its buffer gives an empty one.
TEST_P(RegistryContract, QueriesGiveTheStoredValueOrAnEmptyOneAndTheSystemsCode) {
    auto backend = GetParam()();
    backend->Put("ProxyServer", RegType::Sz, Sz("HTTP=host:8080"));
    backend->Put("Bin", RegType::Binary, {1});
    backend->Put("Dword", RegType::Dword, {2, 0, 0, 0});
    backend->Put("Long", RegType::Binary, {1, 0, 0, 0, 0});
    backend->Put("Big", RegType::Sz, Sz(std::string(128, 'x')));
    const std::wstring empty(128, L'\0');
    const struct {
        const wchar_t* name;
        int32_t type, result;
        RegValue value;
        int32_t storedType;  // as a query that succeeds reports it
    } queries[] = {
        {L"ProxyServer", RegType::Sz, 0, L"HTTP=host:8080" + std::wstring(114, L'\0'), RegType::Sz},
        {L"Bin", RegType::Dword, 0, int32_t{1}, RegType::Binary},
        {L"Dword", RegType::Dword, 0, int32_t{2}, RegType::Dword},
        {L"Long", RegType::Dword, RegResult::MoreData, int32_t{0}, 0},
        {L"Big", RegType::Sz, RegResult::MoreData, empty, 0},
        {L"Missing", RegType::Sz, RegResult::FileNotFound, empty, 0},
        {L"Missing", RegType::Dword, RegResult::FileNotFound, int32_t{0}, 0},
    };
    Opened o(*backend);
    ASSERT_EQ(o.result, 0);
    for (const auto& q : queries) {
        int32_t type = q.type;
        RegValue value = L"untouched"s;
        EXPECT_EQ(o.reg.Reg_QueryValue(o.key, q.name, type, value), q.result) << q.name;
        EXPECT_EQ(value, q.value) << q.name;
        if (q.result == 0) {
            EXPECT_EQ(type, q.storedType) << q.name;
        }
    }
    EXPECT_EQ(o.reg.Reg_CloseKey(o.key), 0);
    o.result = -1;
}

TEST_P(RegistryContract, UnsupportedTypesTouchNothing) {
    auto backend = GetParam()();
    backend->Put("V", RegType::Sz, Sz("kept"));
    Opened o(*backend);
    for (const int32_t unsupported : {2, 3}) {
        int32_t type = unsupported;
        RegValue value = L"untouched"s;
        EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"V", type, value), RegResult::UnsupportedType);
        EXPECT_EQ(std::get<std::wstring>(value), L"untouched");
        EXPECT_EQ(type, unsupported);
    }
    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"V", 2, L"new"s), RegResult::UnsupportedType);
    EXPECT_EQ(backend->Get("V")->bytes, Sz("kept"));
}

TEST_P(RegistryContract, WritesStoreExactlyTheseBytes) {
    auto backend = GetParam()();
    Opened o(*backend);
    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"Server", RegType::Sz, L"HTTP=host:8080"s), 0);
    EXPECT_EQ(backend->Get("Server")->type, static_cast<uint32_t>(RegType::Sz));
    EXPECT_EQ(backend->Get("Server")->bytes, Sz("HTTP=host:8080"));
    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"Server", RegType::Sz, L"  HTTP=host:8080 "s), 0);
    EXPECT_EQ(backend->Get("Server")->bytes.size(), 15u);

    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"Enable", RegType::Binary, uint8_t{1}), 0);
    EXPECT_EQ(backend->Get("Enable")->type, static_cast<uint32_t>(RegType::Binary));
    EXPECT_EQ(backend->Get("Enable")->bytes, std::vector<uint8_t>{1});

    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"Number", RegType::Dword, int32_t{0x01020304}), 0);
    EXPECT_EQ(backend->Get("Number")->bytes, (std::vector<uint8_t>{4, 3, 2, 1}));
}

TEST_P(RegistryContract, JapaneseTextCrossesInCodePage932) {
    auto backend = GetParam()();
    Opened o(*backend);
    const std::wstring text = L"HTTP=社内プロクシ:8080";
    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"Server", RegType::Sz, text), 0);
    EXPECT_EQ(backend->Get("Server")->bytes.size(), 5u + 12u + 5u + 1u);
    int32_t type = RegType::Sz;
    RegValue value;
    EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"Server", type, value), 0);
    EXPECT_EQ(std::get<std::wstring>(value).substr(0, text.size()), text);
}

TEST_P(RegistryContract, TextThatDoesNotFitIsRefusedWhole) {
    auto backend = GetParam()();
    backend->Put("Server", RegType::Sz, Sz("old"));
    Opened o(*backend);
    EXPECT_NE(o.reg.Reg_SetValue(o.key, L"Server", RegType::Sz, std::wstring(128, L'a')), 0);
    EXPECT_EQ(backend->Get("Server")->bytes, Sz("old"));
    // A character the code page cannot hold: no "?" and no look-alike ("o") is written.
    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"Server", RegType::Sz, L"HTTP=pr\u00f6xy:8080"s), 1113);
    EXPECT_EQ(backend->Get("Server")->bytes, Sz("old"));
    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"Server", RegType::Sz, std::wstring(127, L'a')), 0);
    EXPECT_EQ(backend->Get("Server")->bytes.size(), 128u);
}

TEST_P(RegistryContract, OpeningAMissingKeyFailsAndCreatesNothing) {
    auto backend = GetParam()();
    REGEDIT::Registry reg(backend->Api());
    const std::string missing = backend->KeyPath() + "\\Missing";
    RegKey key = 0;
    EXPECT_EQ(reg.Reg_OpenKey(kHkeyCurrentUser, std::wstring(missing.begin(), missing.end()), key),
              RegResult::FileNotFound);
    EXPECT_EQ(reg.Reg_OpenKey(kHkeyCurrentUser, std::wstring(missing.begin(), missing.end()), key),
              RegResult::FileNotFound);
}

}  // namespace
