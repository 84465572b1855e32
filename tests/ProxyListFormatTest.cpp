#include <gtest/gtest.h>

#include "core/ProxyListFormat.h"

namespace {

std::vector<ProxyEntry> Parse(const std::string& bytes) { return ParseProxyList(bytes).entries; }

TEST(ProxyListFormat, OrdinaryEntriesKeepThePlainLayout) {
    const std::vector<ProxyEntry> entries = {{L"proxy.example.jp", L"8080", L"社内"},
                                             {L"10.0.0.1", L"3128", L""}};
    const std::string bytes = *FormatProxyList(entries);
    // "社内" in code page 932, not UTF-8
    EXPECT_EQ(bytes, "proxy.example.jp,8080,\x8e\xd0\x93\xe0\r\n10.0.0.1,3128,\r\n");
    EXPECT_EQ(Parse(bytes), entries);
}

TEST(ProxyListFormat, EmptyTableIsAnEmptyFile) {
    EXPECT_EQ(*FormatProxyList({}), "");
    EXPECT_TRUE(Parse("").empty());
}

TEST(ProxyListFormat, CommasAndQuotesReadBackAsEntered) {
    const std::vector<ProxyEntry> entries = {
        {L"a,b", L"80", L"say \"hi\", then go"},
        {L"\"quoted\"", L"8,0", L","},
        {L"plain", L"1", L"\"\""},
    };
    const std::string bytes = *FormatProxyList(entries);
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), "\"a,b\",80,\"say \"\"hi\"\", then go\"");
    EXPECT_EQ(Parse(bytes), entries);
}

TEST(ProxyListFormat, FullWidthCommentsWithCommaLikeTrailBytes) {
    // "ソ" and "表" carry the trail byte 0x5C; none carries 0x2C or 0x22.
    const std::vector<ProxyEntry> entries = {{L"h", L"1", L"ソフト表示、テスト"}};
    EXPECT_EQ(Parse(*FormatProxyList(entries)), entries);
}

TEST(ProxyListFormat, AnEntryTheCodePageCannotHoldIsNeverWrittenAsSomethingElse) {
    EXPECT_FALSE(FormatProxyList({{L"h", L"1", L"ok"}, {L"h", L"1", L"프록시"}}));
    EXPECT_FALSE(FormatProxyList({{L"pr\u00f6xy.example.jp", L"8080", L""}}));
}

// Lists the program never writes, from older versions or other editors: read in an orderly way.
TEST(ProxyListFormat, ListsTheProgramNeverWritesLoadInAnOrderlyWay) {
    const struct {
        const char* what;
        std::string bytes;
        std::vector<ProxyEntry> entries;
    } lists[] = {
        {"commas in the comment of an old file keep the whole comment",
         "host,8080,first, second\r\n",
         {{L"host", L"8080", L"first, second"}}},
        {"empty lines, missing fields, lone line feeds and no last line end",
         "\r\n\r\nonly\r\n a , b \r\nx,y\n\nlast,1,c",
         {{L"only", L"", L""}, {L" a ", L" b ", L""}, {L"x", L"y", L""}, {L"last", L"1", L"c"}}},
        {"unterminated or misplaced quotes read as plain text",
         "\"open,80,c\r\n\"x\"y,1,\"tail\r\nnext,2,\r\n",
         {{L"\"open", L"80", L"c"}, {L"\"x\"y", L"1", L"\"tail"}, {L"next", L"2", L""}}},
        {"broken Shift-JIS bytes do not stop the load",
         "h\x81,1,\x82\r\nnext,2,ok\r\n",
         {{L"h\u30FB", L"1", L"\u30FB"}, {L"next", L"2", L"ok"}}},
    };
    for (const auto& list : lists) EXPECT_EQ(Parse(list.bytes), list.entries) << list.what;
}

TEST(ProxyListFormat, VeryLongLinesAreKeptWhole) {
    const std::string longComment(200000, 'c');
    const auto entries = Parse("h,1," + longComment + "\r\n");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Comment.size(), longComment.size());
}

TEST(ProxyListFormat, NoMoreEntriesThanTheTableHolds) {
    std::string bytes;
    for (int i = 0; i < kMaxProxyEntries + 5; ++i) bytes += "h" + std::to_string(i) + ",1,\r\n";
    const ParsedProxyList parsed = ParseProxyList(bytes);
    EXPECT_TRUE(parsed.truncated);
    ASSERT_EQ(parsed.entries.size(), static_cast<size_t>(kMaxProxyEntries));
    EXPECT_EQ(parsed.entries.back().Address, L"h32766");

    bytes.resize(bytes.find("h32767"));
    EXPECT_FALSE(ParseProxyList(bytes).truncated);
}

}  // namespace
