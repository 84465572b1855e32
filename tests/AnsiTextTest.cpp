#include <gtest/gtest.h>

#include "text/AnsiText.h"

TEST(AnsiText, RoundTripsJapaneseThroughCodePage932) {
    const std::wstring text = L"ﾌﾟﾛｸｼ情報　全角ＡＢＣ abc";
    const std::string bytes = ToAnsi(text).value();
    EXPECT_EQ(bytes.substr(0, 4), "\xcc\xdf\xdb\xb8");  // half-width katakana: one byte each
    EXPECT_EQ(FromAnsi(bytes), text);
}

// No "?" and no best-fit look-alike ("o" for "ö") ever takes a character's place.
TEST(AnsiText, ACharacterTheCodePageCannotHoldIsRefusedNotReplaced) {
    for (const wchar_t* text : {L"프록시", L"pr\u00f6xy.example.jp", L"\u00bd", L"\u00a9",
                                L"\U0001F600", L"\u00a5", L"\u2014", L"\u00ac"}) {
        EXPECT_FALSE(ToAnsi(text)) << text;
        EXPECT_FALSE(FirstUnfitting(text).empty()) << text;
    }
    EXPECT_EQ(FirstUnfitting(L"社内\uD504x"), L"\uD504");
    EXPECT_EQ(FirstUnfitting(L"社内 ok ｶﾅ"), L"");
}

TEST(AnsiText, SingleByteMeansOneByteInCodePage932) {
    for (const wchar_t c : {L'a', L'0', L' ', L'~', L'ｱ', L'ﾟ', L'\x7f'})
        EXPECT_TRUE(IsSingleByteChar(c)) << int(c);
    for (const wchar_t c : {L'あ', L'Ａ', L'　', L'漢', L'é'})
        EXPECT_FALSE(IsSingleByteChar(c)) << int(c);
}

TEST(AnsiText, TrimTakesOnlySpaces) {
    EXPECT_EQ(Trim(L"  a b  "), L"a b");
    EXPECT_EQ(Trim(L"   "), L"");
    EXPECT_EQ(Trim(L"\tx\t"), L"\tx\t");
    EXPECT_EQ(Trim(L"　x　"), L"　x　");
}
