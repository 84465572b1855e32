#pragma once
// The program's messages as the user reads them, written out here rather than taken from the
// program, so that a wrong text in the program fails a test.

#include <string>

namespace Texts {

inline const std::wstring kAppTitle = L"Zelkor盛り合わせ";
inline const std::wstring kOpenError = L"レジストリオープンエラー";
inline const std::wstring kReadError = L"レジストリ読込エラー";
inline const std::wstring kWriteError = L"レジストリライトエラー";
inline const std::wstring kListMissingTitle =
    L"プロクシサーバ一覧が見つかりません。\r\n新規作成します。";
inline const std::wstring kListNotSaved =
    L"プロクシサーバ一覧を保存できませんでした。ファイルは保存前のまま残っています。";
inline const std::wstring kListReadOnly =
    L"プロクシサーバ一覧のファイルは読み取り専用になっています。書き換えてよければ、ファイルの"
    L"プロパティで「読み取り専用」のチェックを外してから、もう一度保存してください。";
inline const std::wstring kCloseQuestion =
    L"メモリから開放しますか？\n\rはい：完全終了\u3000いいえ：タスクトレイへ格納";
inline const std::wstring kEditorSaveTitle = L"ProxyEditor終了";

}  // namespace Texts
