#include "core/SystemClock.h"

#include <chrono>
#include <ctime>
#include <cwchar>
#include <thread>

std::wstring SystemClock::TimeOfDay() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    wchar_t text[8];
    std::swprintf(text, 8, L"%02d%02d%02d", local->tm_hour, local->tm_min, local->tm_sec);
    return text;
}

int SystemClock::MillisecondsToNextSecond() {
    using namespace std::chrono;
    const auto sinceEpoch = system_clock::now().time_since_epoch();
    const auto intoSecond =
        duration_cast<milliseconds>(sinceEpoch - duration_cast<seconds>(sinceEpoch));
    return static_cast<int>(1000 - intoSecond.count()) + 1;
}

void SystemClock::Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
