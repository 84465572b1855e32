// The real program under Wine, measured: its footprint against a program that only shows a
// tray icon, the processor time of its start-up, filling its lists with 32,767 entries, and
// the time a pick takes to reach the registry and the window. Prints table rows.

#include <chrono>
#include <cstdio>
#include <functional>

#include "e2e/Zelkor.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Row(const char* what, double value, const char* unit, const char* baseline, double base) {
    std::printf("| %s | %.5g %s | %s | %.5g %s | %.2f |\n", what, value, unit, baseline, base, unit,
                value / base);
}

std::string FullList() {
    std::wstring lines;
    for (int i = 0; i < 32767; ++i)
        lines += L"host" + std::to_wstring(i) + L".example.jp,8080,社内\r\n";
    return Ansi(lines);
}

struct Started {
    std::unique_ptr<Zelkor> zelkor;
    double startupMs = 0;
};

Started StartInTray(const std::string& list) {
    SetProxyInForce(kSampleServer, true);
    Started started{std::make_unique<Zelkor>(list)};
    const auto start = Clock::now();
    started.zelkor->Start();
    started.zelkor->WaitForStartup(60000);
    started.startupMs = MillisecondsSince(start);
    started.zelkor->ShowFromTray();
    return started;
}

void Footprint() {
    Started zelkor = StartInTray(Ansi(kSampleList));
    const auto program = zelkor.zelkor->Measure();
    Zelkor minimal(std::nullopt, PathFromEnvironment(L"ZELKOR_MINIMAL_EXE"));
    minimal.Start();
    Sleep(3000);
    const auto baseline = minimal.Measure();
    if (!program || !baseline) {
        std::printf("| footprint | not measurable: no Z:\\proc |\n");
        return;
    }
    Row("Zelkor.exe resident set, window shown", program->residentKb, "KiB", "tray-only program",
        baseline->residentKb);
    Row("Zelkor.exe private (anonymous) memory", program->privateKb, "KiB", "tray-only program",
        baseline->privateKb);
    Row("processor time of start-up", program->cpuSeconds * 1000, "ms", "wall time of start-up",
        zelkor.startupMs);
}

// Opening the editor fills its list; closing it reloads the file and refills the drop-down.
void FillTimes(const std::string& list, double& openMs, double& refillMs) {
    Started started = StartInTray(list);
    Zelkor& zelkor = *started.zelkor;
    HWND main = zelkor.MainWindow();
    HWND servers = ChildrenOf(main, L"ComboBox").at(0);
    const int entries = ItemCount(servers);
    auto start = Clock::now();
    ChooseMenu(main, MainMenu::ProxyEdit);
    HWND editor = nullptr;
    WaitUntil([&] { return (editor = zelkor.Form(L"Proxy Editor")) && IsWindowVisible(editor); },
              60000, 1);
    openMs = MillisecondsSince(start);
    start = Clock::now();
    Close(editor);
    WaitUntil([&] { return !IsWindow(editor) && ItemCount(servers) == entries; }, 60000, 1);
    refillMs = MillisecondsSince(start);
}

void Fills() {
    double fullOpen = 0, fullRefill = 0, smallOpen = 0, smallRefill = 0;
    FillTimes(FullList(), fullOpen, fullRefill);
    FillTimes(Ansi(kSampleList), smallOpen, smallRefill);
    Row("open the editor on 32,767 entries", fullOpen, "ms", "on 2 entries", smallOpen);
    Row("reload and refill the drop-down, 32,767 entries", fullRefill, "ms", "2 entries",
        smallRefill);
}

void Picks() {
    Started started = StartInTray(Ansi(kSampleList));
    HWND main = started.zelkor->MainWindow();
    HWND servers = ChildrenOf(main, L"ComboBox").at(0);
    constexpr int kPicks = 1000;
    auto start = Clock::now();
    for (int i = 0; i < kPicks; ++i) PickNow(servers, i % 2);
    const double pickMs = MillisecondsSince(start) / kPicks;
    const auto server = ReadSetting("ProxyServer");
    if (!server || server->bytes != Sz("HTTP=10.0.0.1:3128"))
        std::printf("| picks | wrong value in the registry |\n");
    start = Clock::now();
    for (int i = 0; i < kPicks; ++i) SendMessageW(main, WM_NULL, 0, 0);
    const double roundTripMs = MillisecondsSince(start) / kPicks;
    Row("pick to registry and window, mean of 1,000", pickMs, "ms",
        "message round trip to the window", roundTripMs);
}

}  // namespace

int main() {
    Footprint();
    Fills();
    Picks();
    return 0;
}
