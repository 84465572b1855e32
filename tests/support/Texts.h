#pragma once
// The program's texts as the user reads them, written out here rather than taken from the
// program, so that a wrong text in the program fails a test.

#include <string>

namespace Texts {

// Captions and titles.
inline const std::wstring kAppTitle = L"Zelkor盛り合わせ";
inline const std::wstring kMainCaption = L"Zelkor盛合わせ";  // also the tray icon's tip
inline const std::wstring kAboutCaption = L"Zelkor盛合わせについて";
inline const std::wstring kTrialCaption = L"試し串刺し";
inline const std::wstring kEditorCaption = L"Proxy Editor";
inline const std::wstring kCloseTitle = L"Zelkor終了";
inline const std::wstring kEditorSaveTitle = L"ProxyEditor終了";

// Questions and status lines.
inline const std::wstring kCloseQuestion =
    L"メモリから開放しますか？\n\rはい：完全終了\u3000いいえ：タスクトレイへ格納";
inline const std::wstring kSelectFirst = L"先に項目を選択してください。";
inline const std::wstring kRequired = L"入力必須こうもくです。";
inline std::wstring Unfitting(const std::wstring& box, const std::wstring& character) {
    return L"「" + box + L"」の「" + character +
           L"」は、プロクシサーバ一覧に保存できない文字です（シフトJISにない文字です）。\r\n"
           L"この文字を取り除いてから、もう一度押してください。";
}

// The registry.
inline const std::wstring kOpenError = L"レジストリオープンエラー";
inline const std::wstring kReadError = L"レジストリ読込エラー";
inline const std::wstring kWriteError = L"レジストリライトエラー";

// The list file.
inline const std::wstring kListMissingTitle =
    L"プロクシサーバ一覧が見つかりません。\r\n新規作成します。";
inline const std::wstring kListUnreadableTitle = L"プロクシサーバ一覧を読み込めませんでした。";
inline const std::wstring kListNotShown =
    L"プロクシサーバ一覧を表示しきれませんでした。選んだ行と違うサーバが使われないよう、一覧は空に"
    L"してあります。";
inline const std::wstring kListFull =
    L"プロクシサーバ一覧は32767件までです。これ以上追加できません。";
inline const std::wstring kListNotSaved =
    L"プロクシサーバ一覧を保存できませんでした。ファイルは保存前のまま残っています。";
inline const std::wstring kListReadOnly =
    L"プロクシサーバ一覧のファイルは読み取り専用になっています。書き換えてよければ、ファイルの"
    L"プロパティで「読み取り専用」のチェックを外してから、もう一度保存してください。";
inline const std::wstring kListSaveUnsure =
    L"プロクシサーバ一覧を保存できたかどうか確かめられませんでした。次のファイルを開いて確かめて"
    L"ください。";
inline const std::wstring kNoBackupName =
    L"元のファイルを残す名前（PROXYLIST.DAT.bak など）がすべて使われています。";
inline const std::wstring kKeptUnreadable =
    L"読み込めなかった元のプロクシサーバ一覧は、次の名前で残してあります。";
inline const std::wstring kKeptChanged =
    L"プロクシサーバ一覧は、読み込んだ後にほかのプログラムで書き換えられていました。書き換えられた"
    L"一覧は次の名前で残してあります（必要な行はそこから写してください）。";
inline const std::wstring kKeptOtherEncoding =
    L"プロクシサーバ一覧はシフトJIS以外の文字コード（UTF-8など）で保存されていたため、シフトJISで"
    L"保存し直しました。元のファイルは次の名前で残してあります。";

}  // namespace Texts
