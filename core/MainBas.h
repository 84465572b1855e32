#pragma once
// Start-up helpers, the proxy list file and the Internet proxy settings.

#include <functional>
#include <string>

#include "core/AppState.h"
#include "core/FileSystem.h"
#include "core/ProxyServerValue.h"
#include "core/Services.h"
#include "registry/REGEDIT.h"

// Everything a window needs, created once by the entry point and handed to every window.
struct App {
    AppState state;
    UiServices& ui;
    REGEDIT::Registry& registry;
    FileSystem& files;
    Clock& clock;
    SettingsNotifier& notifier;
    FilePath directory;           // where PROXYLIST.DAT lives: the executable's folder
    std::wstring executableStem;  // the executable's file name without its extension
};

namespace MainBas {

inline const std::wstring kInternetSettingsKey =
    L"SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\INTERNET SETTINGS";
inline const std::wstring kProxyEnable = L"ProxyEnable";
inline const std::wstring kProxyServer = L"ProxyServer";

inline const std::wstring kOpenError = L"レジストリオープンエラー";
inline const std::wstring kReadError = L"レジストリ読込エラー";
inline const std::wstring kWriteError = L"レジストリライトエラー";

inline const std::wstring kListMissingTitle =
    L"プロクシサーバ一覧が見つかりません。\r\n新規作成します。";
inline const std::wstring kListNotSaved =
    L"プロクシサーバ一覧を保存できませんでした。ファイルは保存前のまま残っています。";
inline const std::wstring kListFull =
    L"プロクシサーバ一覧は32767件までです。これ以上追加できません。";
inline const std::wstring kListTooLong =
    L"プロクシサーバ一覧の32767件を超える行は読み込めませんでした。";
inline const std::wstring kListUnreadableTitle = L"プロクシサーバ一覧を読み込めませんでした。";
inline const std::wstring kListKeptOnSave =
    L"一覧を保存するときは、今のファイルを消さずに別の名前で残します。";
inline const std::wstring kListKept =
    L"読み込めなかった元のプロクシサーバ一覧は、次の名前で残してあります。";
inline const std::wstring kListKeptTooLong =
    L"32767件を超える行があった元のプロクシサーバ一覧は、次の名前で残してあります。";
inline const std::wstring kListKeptUndecodable =
    L"プロクシサーバ一覧には、そのままの形では保存し直せない部分（文字として読めないバイトなど）"
    L"があったため、このツールの形で保存し直しました。元のファイルは次の名前で残してあります。";
inline const std::wstring kListKeptChanged =
    L"プロクシサーバ一覧は、読み込んだ後にほかのプログラムで書き換えられていました。書き換えられた"
    L"一覧は次の名前で残してあります（必要な行はそこから写してください）。";
inline const std::wstring kListNotPutInPlace =
    L"プロクシサーバ一覧を保存できませんでした。保存する内容は次の名前で残してあります。";
inline const std::wstring kListSaveUnsure =
    L"プロクシサーバ一覧を保存できたかどうか確かめられませんでした。次のファイルを開いて確かめて"
    L"ください。";
inline const std::wstring kListReadOnly =
    L"プロクシサーバ一覧のファイルは読み取り専用になっています。書き換えてよければ、ファイルの"
    L"プロパティで「読み取り専用」のチェックを外してから、もう一度保存してください。";
inline const std::wstring kNoBackupName =
    L"元のファイルを残す名前（PROXYLIST.DAT.bak など）がすべて使われています。";
inline const std::wstring kListNotShown =
    L"プロクシサーバ一覧を表示しきれませんでした。選んだ行と違うサーバが使われないよう、一覧は空に"
    L"してあります。";
inline const std::wstring kListUnfitting =
    L"ファイルに書けない文字（シフトJISにない文字）が含まれています。";

FilePath ProxyListPath(const App& app);
void LoadProxyList(App& app);
// Replaces the file in one step; on failure the old file stays and the user is told. A file
// that was not read whole or exactly, or that another program wrote since it was read, is
// kept under another name, and the user is told which.
bool SaveProxyList(App& app);

// Appends an entry when the table has room for it, else says why not.
bool AppendProxyEntry(App& app, ProxyEntry entry);

void ReadProxySettings(App& app);
std::wstring CutNullChars(std::wstring text);
void SplitProxyServer(AppState& state, const std::wstring& text);

// A field text ("1", "0" or empty) as a number; empty or anything else reads as off.
int NumberOf(const std::wstring& flagText);

enum class WriteOutcome { OpenFailed, WriteFailed, Written };

// The writers tell running programs of a value they have written, and of nothing else.
// The writer of ProxyEnable: a DWORD, 1 or 0, as Windows writes it; WinINet takes anything
// else as off and rewrites it so. `onFieldSet` runs between setting the field and the write.
WriteOutcome WriteProxyEnable(App& app, int checked, const std::function<void()>& onFieldSet);
// The form of ProxyServer in force: one proxy for all protocols when the value last read
// names none, else "http=" before the address.
ProxyServerValue::Form FormInForce(const AppState& state);
// The writer of ProxyServer: address + ":" + port, both trimmed, in the form in force.
WriteOutcome WriteProxyServer(App& app, const std::wstring& address, const std::wstring& port);
// Rewrites `valueInForce` in `form`, with the http proxy it names.
WriteOutcome WriteServerForm(App& app, const std::wstring& valueInForce,
                             ProxyServerValue::Form form);

// Returns after the clock's second has changed count + 1 times, handling events meanwhile.
void WaitSeconds(App& app, const int16_t& count);

}  // namespace MainBas
