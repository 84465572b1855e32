// PROXYLIST.DAT, loaded and saved whole: converted in one call each way (core/ListEncoding,
// core/ProxyListFormat) and replaced by one rename, so that at every instant the list on disk
// is the old one or the new one, whole (tests/ProxyListFileTest.cpp cuts a save after each of
// its calls, as a crash and as a power cut, and checks just that).
//
// A save, `ListSave` below:
// - A list the user made read-only is never replaced: its attribute (its mode on Linux) is
//   looked at before anything is written, since Wine run as root does not enforce it, and the
//   message names the file.
// - The new list is written to PROXYLIST.DAT.new beside it (whatever stood at that name is
//   deleted first, never followed) and flushed to the disk. Only then is the old one looked
//   at; where it must be kept (below) it first gets a second name, PROXYLIST.DAT.bak (.bak2
//   and on if taken), by a hard link or a copy, and the user is told once.
// - The new file takes what the user set on the old one and is renamed over it (FileSystem.h
//   says what each platform keeps).
// - A step that another program's momentary hold makes fail (a sharing error, or access
//   refused to a file that is not read-only) is tried again, one save waiting about a second
//   and a half in all; every failure is reported in the words of the call that failed.
// - A rename that reports a failure counts as done only when the temporary file is gone and the
//   list reads back as the new bytes (waiting out a hold again). A save that put nothing in
//   place says so, deletes its temporary file, and deletes the copy it made only while the
//   list provably still holds what was copied; with the list gone, the temporary file is kept
//   and named.
//
// A list on disk that a save would not reproduce is never replaced without that copy: one that
// was not read whole (unreadable, or longer than the table), one in another encoding (UTF-8
// with or without its mark, UTF-16) or with bytes that do not decode, and one that another
// program wrote after it was read (its size and hash are kept at each load and save).

#include <functional>

#include "core/MainBas.h"
#include "core/ProxyListFormat.h"
#include "text/AnsiText.h"

namespace MainBas {

FilePath ProxyListPath(const App& app) { return JoinPath(app.directory, L"PROXYLIST.DAT"); }

namespace {

ListFileSeen Seen(std::string_view bytes) {
    return {true, bytes.size(), std::hash<std::string_view>{}(bytes)};
}

KeepReason ReasonToKeep(const ParsedProxyList& parsed) {
    if (parsed.truncated) return KeepReason::TooLong;
    if (parsed.writesBackExactly) return KeepReason::None;
    return parsed.encoding == ListEncoding::AnsiCodePage ? KeepReason::UndecodableBytes
                                                         : KeepReason::OtherEncoding;
}

}  // namespace

void LoadProxyList(App& app) {
    std::string bytes;
    FileError error;
    switch (app.files.ReadWhole(ProxyListPath(app), bytes, error)) {
        case ReadOutcome::Missing:
            app.state.KeepListFile = KeepReason::None;  // nothing there to keep
            app.state.ListOnDisk = {};
            app.ui.MsgBox(error.text, MsgStyle::OkOnly, kListMissingTitle);
            return;
        case ReadOutcome::Failed:
            app.state.KeepListFile = KeepReason::Unreadable;
            app.ui.MsgBox(error.text + L"\r\n\r\n" + kListKeptOnSave, MsgStyle::OkOnly,
                          kListUnreadableTitle);
            return;
        case ReadOutcome::Read:
            break;
    }
    ParsedProxyList parsed = ParseProxyList(bytes);
    app.state.EditIndex = -1;
    app.state.ProxyTable = std::move(parsed.entries);
    app.state.ListOnDisk = Seen(bytes);
    app.state.KeepListFile = ReasonToKeep(parsed);
    if (parsed.truncated)
        app.ui.MsgBox(kListTooLong + L"\r\n" + kListKeptOnSave, MsgStyle::OkOnly, L"");
}

namespace {

// Virus scanners, the indexer and sync clients open a new file for a moment: a step that
// another program's hold made fail is tried again, but the steps of one save wait about a
// second and a half in all, whichever steps they wait in, before the user is told. The look
// after a failed rename, on which what is deleted hangs, may wait as long again.
constexpr int kRetryWaitsMs[] = {50, 100, 200, 400, 800};

// Where Windows' code page is UTF-8, the program's own lists are UTF-8 without a mark.
std::wstring ListKeptOtherEncoding() {
    const std::wstring own = AnsiIsUtf8() ? L"BOMなしのUTF-8" : L"シフトJIS";
    return L"プロクシサーバ一覧は" + own + L"以外の文字コード（" +
           (AnsiIsUtf8() ? L"UTF-16など" : L"UTF-8など") + L"）で保存されていたため、" + own +
           L"で保存し直しました。元のファイルは次の名前で残してあります。";
}

std::wstring KeptText(KeepReason reason) {
    switch (reason) {
        case KeepReason::TooLong:
            return kListKeptTooLong;
        case KeepReason::OtherEncoding:
            return ListKeptOtherEncoding();
        case KeepReason::UndecodableBytes:
            return kListKeptUndecodable;
        case KeepReason::Changed:
            return kListKeptChanged;
        default:
            return kListKept;
    }
}

// Which entry holds a character the file cannot: a list from another editor may hold many.
std::wstring UnfittingText(const std::vector<ProxyEntry>& table) {
    for (size_t i = 0; i < table.size(); ++i)
        for (const std::wstring* field : {&table[i].Address, &table[i].Port, &table[i].Comment})
            if (!ToAnsi(*field))
                return kListUnfitting + L"\r\n" + std::to_wstring(i + 1) + L"件目の「" +
                       std::wstring(FirstUnfitting(*field)) + L"」";
    return kListUnfitting;
}

bool SaveFailed(App& app, const std::wstring& why) {
    app.ui.MsgBox(kListNotSaved + L"\r\n" + why, MsgStyle::OkOnly, L"");
    return false;
}

// One save of the table's bytes: the new list is written beside the old one and renamed over
// it, the old one kept under another name first where it must not simply be replaced.
class ListSave {
public:
    ListSave(App& app, std::string bytes)
        : app_(app),
          list_(ProxyListPath(app)),
          temporary_(list_ + L".new"),
          bytes_(std::move(bytes)) {}

    bool Run() {
        // The user's lock on the list holds: nothing is written, not even beside it.
        if (app_.files.IsReadOnly(list_)) return SaveFailed(app_, ReadOnlyText());
        FileError error;
        if (!Retrying(error,
                      [&](FileError& e) { return app_.files.WriteNew(temporary_, bytes_, e); }))
            return Abandoned(error.text);
        // Looked at only now, so that another program's write during the slow steps is seen.
        reason_ = ReasonToKeepOnDisk();
        if (reason_ != KeepReason::None && !KeepOldList(error)) return Abandoned(error.text);
        if (Retrying(error,
                     [&](FileError& e) { return app_.files.MoveOver(temporary_, list_, e); }))
            return Saved();
        return AfterFailedRename(error);
    }

private:
    bool Retrying(FileError& error, const std::function<bool(FileError&)>& step) {
        for (;;) {
            error = {};
            if (step(error)) return true;
            if (!error.transient || waits_ == std::size(kRetryWaitsMs)) return false;
            app_.clock.Sleep(kRetryWaitsMs[waits_++]);
        }
    }

    ReadOutcome ReadList(std::string& bytes) {
        ReadOutcome outcome = ReadOutcome::Failed;
        FileError error;
        Retrying(error, [&](FileError& e) {
            outcome = app_.files.ReadWhole(list_, bytes, e);
            return outcome != ReadOutcome::Failed;
        });
        return outcome;
    }

    // Whether the list on disk must be kept under another name before it is replaced: it was
    // not read whole or exactly, or another program has written it since. What it holds is
    // noted, so that a copy is deleted again only while the list provably still holds it.
    KeepReason ReasonToKeepOnDisk() {
        std::string bytes;
        FileError error;  // with a reason known, a list still held spends none of the waits
        const bool known = app_.state.KeepListFile != KeepReason::None;
        const ReadOutcome outcome =
            known ? app_.files.ReadWhole(list_, bytes, error) : ReadList(bytes);
        if (outcome == ReadOutcome::Missing) return KeepReason::None;
        if (outcome == ReadOutcome::Read) keptSeen_ = Seen(bytes);
        if (known) return app_.state.KeepListFile;
        if (outcome == ReadOutcome::Failed) return KeepReason::Unreadable;
        return keptSeen_ == app_.state.ListOnDisk ? KeepReason::None : KeepReason::Changed;
    }

    // PROXYLIST.DAT.bak, or PROXYLIST.DAT.bak2 and on when that is taken.
    bool KeepOldList(FileError& error) {
        for (int n = 1; n < 1000 && backup_.empty(); ++n) {
            const FilePath name = list_ + L".bak" + (n == 1 ? L"" : std::to_wstring(n));
            if (!app_.files.Exists(name)) backup_ = name;
        }
        if (backup_.empty()) {
            error.text = kNoBackupName;
            return false;
        }
        if (Retrying(error, [&](FileError& e) { return app_.files.KeepCopy(list_, backup_, e); }))
            return true;
        backup_.clear();
        return false;
    }

    // Nothing was put in place: the temporary file goes, and so does a copy made for this save
    // while the list still provably holds what it was made of.
    bool Abandoned(const std::wstring& why) {
        app_.files.Remove(temporary_);
        if (!backup_.empty() && ListHolds(keptSeen_)) {
            app_.files.Remove(backup_);
            if (!app_.files.Exists(backup_)) backup_.clear();  // else held: still named
        }
        return SaveFailed(app_, why + KeptLines());
    }

    bool Saved() {
        app_.state.ListOnDisk = Seen(bytes_);
        app_.state.KeepListFile = KeepReason::None;
        if (!backup_.empty())
            app_.ui.MsgBox(KeptText(reason_) + L"\r\n" + backup_, MsgStyle::OkOnly, L"");
        return true;
    }

    // The rename did not say it succeeded: what is on disk tells what happened. A rename whose
    // last step (writing through) failed has still moved the new list into place.
    bool AfterFailedRename(const FileError& error) {
        waits_ = 0;  // what is deleted hangs on this look: it waits out a hold again
        const bool temporaryStands = app_.files.Exists(temporary_);
        if (!temporaryStands && ListHolds(Seen(bytes_))) return Saved();
        if (temporaryStands && app_.files.Exists(list_))
            return Abandoned(app_.files.IsReadOnly(list_) ? ReadOnlyText() : error.text);
        // The temporary file is the only copy of the new list while the list is gone; and
        // with the temporary file gone, the list is not provably the new one. Nothing goes.
        const std::wstring& what = temporaryStands ? kListNotPutInPlace : kListSaveUnsure;
        app_.ui.MsgBox(what + L"\r\n" + (temporaryStands ? temporary_ : list_) + L"\r\n" +
                           error.text + KeptLines(),
                       MsgStyle::OkOnly, L"");
        return false;
    }

    bool ListHolds(const ListFileSeen& seen) {
        std::string bytes;
        return seen.present && ReadList(bytes) == ReadOutcome::Read && Seen(bytes) == seen;
    }

    std::wstring KeptLines() const {
        return backup_.empty() ? L"" : L"\r\n" + KeptText(reason_) + L"\r\n" + backup_;
    }

    std::wstring ReadOnlyText() const { return kListReadOnly + L"\r\n" + list_; }

    App& app_;
    const FilePath list_;
    const FilePath temporary_;
    const std::string bytes_;
    size_t waits_ = 0;
    KeepReason reason_ = KeepReason::None;
    ListFileSeen keptSeen_;
    FilePath backup_;
};

}  // namespace

bool SaveProxyList(App& app) {
    std::optional<std::string> bytes = FormatProxyList(app.state.ProxyTable);
    if (!bytes) return SaveFailed(app, UnfittingText(app.state.ProxyTable));
    return ListSave(app, std::move(*bytes)).Run();
}

bool AppendProxyEntry(App& app, ProxyEntry entry) {
    if (app.state.ProxyLastIndex() + 1 >= kMaxProxyEntries) {
        app.ui.MsgBox(kListFull, MsgStyle::OkOnly, L"");
        return false;
    }
    app.state.ProxyTable.push_back(std::move(entry));
    return true;
}

}  // namespace MainBas
