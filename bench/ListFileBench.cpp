// LoadProxyList and SaveProxyList on a full list of 32,767 entries, against reading and
// writing the same bytes with plain stream I/O. Prints one table row per operation.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/ProxyListFormat.h"
#include "tests/support/TestApp.h"

namespace {

// The best of several runs, in milliseconds: the least disturbed by the rest of the machine.
double BestMilliseconds(const std::function<void()>& run, int runs = 15) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void Row(const char* what, double ms, const char* baseline, double baseMs) {
    std::printf("| %s | %.2f ms | %s | %.2f ms | %.1f |\n", what, ms, baseline, baseMs, ms / baseMs);
}

}  // namespace

int main() {
    TestApp t;
    for (int i = 0; i < kMaxProxyEntries; ++i)
        t.app.state.ProxyTable.push_back({L"proxy" + std::to_wstring(i) + L".example.jp", L"8080", L"社内プロクシ"});
    const std::string bytes = *FormatProxyList(t.app.state.ProxyTable);
    const std::filesystem::path plain = t.folder.path() / "plain.dat";

    const double save = BestMilliseconds([&] { MainBas::SaveProxyList(t.app); });
    const double write = BestMilliseconds([&] { std::ofstream(plain, std::ios::binary) << bytes; });
    const double load = BestMilliseconds([&] { MainBas::LoadProxyList(t.app); });
    const double read = BestMilliseconds([&] {
        std::ifstream in(plain, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
    });
    std::printf("(%d entries, %zu bytes)\n", t.app.state.ProxyLastIndex() + 1, bytes.size());
    Row("SaveProxyList, 32,767 entries", save, "stream write of the same bytes", write);
    Row("LoadProxyList, 32,767 entries", load, "stream read of the same bytes", read);
    return t.ui.boxes.empty() ? 0 : 1;
}
