#pragma once
// No exception may unwind through the system's frames. The backends run the handlers they
// call back into through CatchFaults, which reports a fault to the user and goes on.

#include <exception>
#include <string>

namespace Toolkit {

inline const std::wstring kFaultText =
    L"予期しないエラーが発生しました。この操作は中断されました。";

// Shows kFaultText and the fault's own words in a message box; never throws.
void ReportFault(const char* what) noexcept;

template <typename Result, typename Handler>
Result CatchFaults(Result onFault, Handler&& handler) noexcept {
    try {
        return handler();
    } catch (const std::exception& fault) {
        ReportFault(fault.what());
    } catch (...) {
        ReportFault(nullptr);
    }
    return onFault;
}

}  // namespace Toolkit
