#pragma once

#include "core/Services.h"

// The wall clock's time of day.
class SystemClock final : public Clock {
public:
    std::wstring TimeOfDay() override;
    int MillisecondsToNextSecond() override;
    void Sleep(int milliseconds) override;
};
