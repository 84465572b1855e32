// Every input the fuzzers keep, run once through their checks.

#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/Checks.h"
#include "tests/support/TestApp.h"

namespace {

void CheckEach(const char* folder, std::string (*check)(std::string_view)) {
    int inputs = 0;
    for (const auto& file :
         std::filesystem::directory_iterator(std::filesystem::path(ZELKOR_CORPUS_DIR) / folder)) {
        EXPECT_EQ(check(ReadBytes(file.path())), "") << file.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << "the corpus is missing";
}

TEST(FuzzCorpus, ListFilesLoadAndSaveStably) { CheckEach("list", CheckProxyList); }

TEST(FuzzCorpus, ServerTextsSplitAtAColon) { CheckEach("server", CheckProxyServer); }

TEST(FuzzCorpus, TextsReachTheCodePageExactlyOrNotAtAll) { CheckEach("text", CheckAnsiText); }

}  // namespace
