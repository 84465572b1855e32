#pragma once

#include "core/MainBas.h"

class Frm_Main;

namespace MainBas {

inline const std::wstring kLoadingList = L"処理中...[プロクシサーバ一覧読込み]";
inline const std::wstring kReadingSettings = L"処理中...[現在のプロクシ情報取込]";

// Start-up: splash, list, settings in force, a short pause, then the main window loaded
// hidden with its tray icon.
void Main(App& app, Frm_Main& mainWindow);

}  // namespace MainBas
