#include "tests/RegistryContract.h"

#include "registry/REGEDIT.h"

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

std::vector<uint8_t> Text(const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

TEST_P(RegistryContract, ReadingTextGivesTheStoredCharactersPaddedWithNuls) {
    auto backend = GetParam()();
    backend->Put("ProxyServer", RegType::Sz, Text("HTTP=host:8080"));
    Opened o(*backend);
    ASSERT_EQ(o.result, 0);
    int32_t type = RegType::Sz;
    RegValue value;
    EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"ProxyServer", type, value), 0);
    EXPECT_EQ(type, RegType::Sz);
    EXPECT_EQ(std::get<std::wstring>(value), L"HTTP=host:8080" + std::wstring(114, L'\0'));
    EXPECT_EQ(o.reg.Reg_CloseKey(o.key), 0);
    o.result = -1;
}

TEST_P(RegistryContract, ReadingANumberTakesDwordsAndShortBinaries) {
    auto backend = GetParam()();
    backend->Put("Bin", RegType::Binary, {1});
    backend->Put("Dword", RegType::Dword, {2, 0, 0, 0});
    backend->Put("Long", RegType::Binary, {1, 0, 0, 0, 0});
    Opened o(*backend);
    int32_t type = RegType::Dword;
    RegValue value;
    EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"Bin", type, value), 0);
    EXPECT_EQ(type, RegType::Binary);
    EXPECT_EQ(std::get<int32_t>(value), 1);
    type = RegType::Dword;
    EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"Dword", type, value), 0);
    EXPECT_EQ(std::get<int32_t>(value), 2);
    type = RegType::Dword;
    EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"Long", type, value), RegResult::MoreData);
    EXPECT_EQ(std::get<int32_t>(value), 0);
}

TEST_P(RegistryContract, MissingValuesAndOverlongTextsFailWithEmptyResults) {
    auto backend = GetParam()();
    backend->Put("Big", RegType::Sz, Text(std::string(128, 'x')));
    Opened o(*backend);
    int32_t type = RegType::Sz;
    RegValue value = L"untouched"s;
    EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"Missing", type, value), RegResult::FileNotFound);
    EXPECT_EQ(std::get<std::wstring>(value), std::wstring(128, L'\0'));
    type = RegType::Dword;
    EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"Missing", type, value), RegResult::FileNotFound);
    EXPECT_EQ(std::get<int32_t>(value), 0);
    type = RegType::Sz;
    EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"Big", type, value), RegResult::MoreData);
    EXPECT_EQ(std::get<std::wstring>(value), std::wstring(128, L'\0'));
}

TEST_P(RegistryContract, UnsupportedTypesTouchNothing) {
    auto backend = GetParam()();
    backend->Put("V", RegType::Sz, Text("kept"));
    Opened o(*backend);
    for (const int32_t unsupported : {2, 3}) {
        int32_t type = unsupported;
        RegValue value = L"untouched"s;
        EXPECT_EQ(o.reg.Reg_QueryValue(o.key, L"V", type, value), RegResult::UnsupportedType);
        EXPECT_EQ(std::get<std::wstring>(value), L"untouched");
        EXPECT_EQ(type, unsupported);
    }
    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"V", 2, L"new"s), RegResult::UnsupportedType);
    EXPECT_EQ(backend->Get("V")->bytes, Text("kept"));
}

TEST_P(RegistryContract, WritesStoreExactlyTheseBytes) {
    auto backend = GetParam()();
    Opened o(*backend);
    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"Server", RegType::Sz, L"HTTP=host:8080"s), 0);
    EXPECT_EQ(backend->Get("Server")->type, static_cast<uint32_t>(RegType::Sz));
    EXPECT_EQ(backend->Get("Server")->bytes, Text("HTTP=host:8080"));
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
    backend->Put("Server", RegType::Sz, Text("old"));
    Opened o(*backend);
    EXPECT_NE(o.reg.Reg_SetValue(o.key, L"Server", RegType::Sz, std::wstring(128, L'a')), 0);
    EXPECT_EQ(backend->Get("Server")->bytes, Text("old"));
    // A character the code page cannot hold: no "?" and no look-alike ("o") is written.
    EXPECT_EQ(o.reg.Reg_SetValue(o.key, L"Server", RegType::Sz, L"HTTP=pr\u00f6xy:8080"s), 1113);
    EXPECT_EQ(backend->Get("Server")->bytes, Text("old"));
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
