// The real program under Wine, measured: its footprint against the least program that does its
// resident job and against one that only shows a tray icon, the processor time of its start-up,
// filling its lists with 32,767 entries, and the time a pick takes to reach the registry and the
// window. Prints table rows.

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

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

// A baseline program started beside the list-less folder, with its window up if it has one.
std::optional<Zelkor::Footprint> BaselineFootprint(const wchar_t* exeVariable) {
    Zelkor program(std::nullopt, PathFromEnvironment(exeVariable));
    program.Start();
    WaitUntil([&] { return !VisibleWindowsOf(program.Pid()).empty(); }, 3000);
    return program.SettledFootprint();
}

// Private and resident memory with the window shown, the mean of two rounds, against the
// least program that does Zelkor's resident job and against one that only shows a tray icon.
void Footprint() {
    constexpr int kRounds = 2;
    Zelkor::Footprint ours{}, fair{}, trayOnly{};
    double startupMs = 0, cpuMs = 0;
    for (int round = 0; round < kRounds; ++round) {
        Started zelkor = StartInTray(Ansi(kSampleList));
        const auto program = zelkor.zelkor->SettledFootprint();
        const auto least = BaselineFootprint(L"ZELKOR_FAIR_EXE");
        const auto minimal = BaselineFootprint(L"ZELKOR_MINIMAL_EXE");
        if (!program || !least || !minimal) {
            std::printf("| footprint | not measurable: no Z:\\proc |\n");
            return;
        }
        for (auto [sum, one] :
             {std::pair{&ours, *program}, {&fair, *least}, {&trayOnly, *minimal}}) {
            sum->residentKb += one.residentKb / kRounds;
            sum->privateKb += one.privateKb / kRounds;
        }
        startupMs += zelkor.startupMs / kRounds;
        cpuMs += program->cpuSeconds * 1000 / kRounds;
    }
    Row("Zelkor.exe private (anonymous) memory, window shown", static_cast<double>(ours.privateKb),
        "KiB", "least program doing its job", static_cast<double>(fair.privateKb));
    Row("Zelkor.exe private (anonymous) memory, window shown", static_cast<double>(ours.privateKb),
        "KiB", "tray-only program", static_cast<double>(trayOnly.privateKb));
    Row("Zelkor.exe resident set, window shown", static_cast<double>(ours.residentKb), "KiB",
        "least program doing its job", static_cast<double>(fair.residentKb));
    Row("Zelkor.exe resident set, window shown", static_cast<double>(ours.residentKb), "KiB",
        "tray-only program", static_cast<double>(trayOnly.residentKb));
    Row("processor time of start-up", cpuMs, "ms", "wall time of start-up", startupMs);
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
    if (!server || server->bytes != Sz("http=10.0.0.1:3128"))
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
