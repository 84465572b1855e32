// LoadProxyList and SaveProxyList on a full list of 32,767 entries, against the least work
// that turns the same file into the same text and back: read whole and converted in one
// call; converted in one call, written through and renamed. Prints one table row each.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "core/ProxyListFormat.h"
#include "tests/support/TestApp.h"
#include "text/AnsiText.h"
#include "text/CodePage.h"

namespace {

// The best of several runs, in milliseconds: the least disturbed by the rest of the machine.
double BestMilliseconds(const std::function<void()>& run, int runs = 15) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void Row(const char* what, double ms, const char* baseline, double baseMs) {
    std::printf("| %s | %.2f ms | %s | %.2f ms | %.1f |\n", what, ms, baseline, baseMs,
                ms / baseMs);
}

}  // namespace

int main() {
    TestApp t;
    for (int i = 0; i < kMaxProxyEntries; ++i)
        t.app.state.ProxyTable.push_back(
            {L"proxy" + std::to_wstring(i) + L".example.jp", L"8080", L"社内プロクシ"});
    const std::string bytes = *FormatProxyList(t.app.state.ProxyTable);
    FileSystem& files = SystemFileSystem();
    const FilePath plain = (t.folder.path() / "plain.dat").wstring();
    const FilePath plainNew = plain + L".new";
    FileError error;

    const std::wstring text = FromAnsi(bytes);
    const double save = BestMilliseconds([&] { MainBas::SaveProxyList(t.app); });
    const double write = BestMilliseconds([&] {
        files.WriteNew(plainNew, EncodeAnsi(text), error);
        files.MoveOver(plainNew, plain, error);
    });
    const double load = BestMilliseconds([&] { MainBas::LoadProxyList(t.app); });
    const double read = BestMilliseconds([&] {
        std::string back;
        files.ReadWhole(plain, back, error);
        const std::wstring converted = FromAnsi(back);
    });
    std::printf("(%d entries, %zu bytes)\n", t.app.state.ProxyLastIndex() + 1, bytes.size());
    Row("SaveProxyList, 32,767 entries", save,
        "the same text converted in one call, written through and renamed", write);
    Row("LoadProxyList, 32,767 entries", load, "the same file read whole and converted in one call",
        read);
    return t.ui.boxes.empty() ? 0 : 1;
}
