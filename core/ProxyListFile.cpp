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
// another program's hold made fail is tried again a few times, about a second and a half in
// all, before the user is told.
constexpr int kRetryWaitsMs[] = {50, 100, 200, 400, 800};

bool Retrying(App& app, FileError& error, const std::function<bool(FileError&)>& step) {
    for (const int wait : kRetryWaitsMs) {
        error = {};
        if (step(error)) return true;
        if (!error.transient) return false;
        app.clock.Sleep(wait);
    }
    error = {};
    return step(error);
}

// Whether the file on disk must be kept under another name before it is replaced: it was not
// read whole or exactly, or another program has written it since.
KeepReason ReasonToKeepOnDisk(App& app, const FilePath& list) {
    if (app.state.KeepListFile != KeepReason::None) return app.state.KeepListFile;
    std::string bytes;
    FileError error;
    ReadOutcome outcome = ReadOutcome::Failed;
    Retrying(app, error, [&](FileError& e) {
        outcome = app.files.ReadWhole(list, bytes, e);
        return outcome != ReadOutcome::Failed;
    });
    switch (outcome) {
        case ReadOutcome::Missing:
            return KeepReason::None;
        case ReadOutcome::Failed:
            return KeepReason::Unreadable;
        case ReadOutcome::Read:
            break;
    }
    return Seen(bytes) == app.state.ListOnDisk ? KeepReason::None : KeepReason::Changed;
}

const std::wstring& KeptText(KeepReason reason) {
    switch (reason) {
        case KeepReason::OtherEncoding:
            return kListKeptOtherEncoding;
        case KeepReason::UndecodableBytes:
            return kListKeptUndecodable;
        case KeepReason::Changed:
            return kListKeptChanged;
        default:
            return kListKept;
    }
}

// PROXYLIST.DAT.bak, or PROXYLIST.DAT.bak2 and on when that is taken; empty when all are.
FilePath FreeBackupName(App& app, const FilePath& list) {
    for (int n = 1; n < 1000; ++n) {
        const FilePath name = list + L".bak" + (n == 1 ? L"" : std::to_wstring(n));
        if (!app.files.Exists(name)) return name;
    }
    return {};
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

// A rename whose last step (writing through) failed has still put the new list in place.
bool HoldsExactly(App& app, const FilePath& list, const std::string& bytes) {
    std::string onDisk;
    FileError error;
    return app.files.ReadWhole(list, onDisk, error) == ReadOutcome::Read && onDisk == bytes;
}

// The rename did not say it succeeded. The temporary file is the only copy of the new list
// unless the list stands: it is deleted only then.
bool NotPutInPlace(App& app, const FilePath& temporary, const FilePath& list,
                   const FilePath& backup, const FileError& error) {
    if (!app.files.Exists(list)) {
        app.ui.MsgBox(kListNotPutInPlace + L"\r\n" + temporary + L"\r\n" + error.text,
                      MsgStyle::OkOnly, L"");
        return false;
    }
    app.files.Remove(temporary);
    if (!backup.empty()) app.files.Remove(backup);  // the list it keeps still stands
    return SaveFailed(app, error.text);
}

}  // namespace

bool SaveProxyList(App& app) {
    const std::optional<std::string> bytes = FormatProxyList(app.state.ProxyTable);
    if (!bytes) return SaveFailed(app, UnfittingText(app.state.ProxyTable));
    const FilePath list = ProxyListPath(app);
    const FilePath temporary = list + L".new";
    FileError error;
    if (!Retrying(app, error,
                  [&](FileError& e) { return app.files.WriteNew(temporary, *bytes, e); })) {
        app.files.Remove(temporary);
        return SaveFailed(app, error.text);
    }
    // Looked at only now, so that another program's write during the slow steps is seen.
    const KeepReason reason = ReasonToKeepOnDisk(app, list);
    const FilePath backup = reason == KeepReason::None ? FilePath() : FreeBackupName(app, list);
    if (reason != KeepReason::None && backup.empty()) {
        app.files.Remove(temporary);
        return SaveFailed(app, kNoBackupName);
    }
    const bool keeping = !backup.empty() && app.files.Exists(list);
    if (keeping &&
        !Retrying(app, error, [&](FileError& e) { return app.files.KeepCopy(list, backup, e); })) {
        app.files.Remove(temporary);
        return SaveFailed(app, error.text);
    }
    const bool moved =
        Retrying(app, error, [&](FileError& e) { return app.files.MoveOver(temporary, list, e); });
    if (!moved && !HoldsExactly(app, list, *bytes))
        return NotPutInPlace(app, temporary, list, keeping ? backup : FilePath(), error);

    app.state.ListOnDisk = Seen(*bytes);
    app.state.KeepListFile = KeepReason::None;
    if (keeping) app.ui.MsgBox(KeptText(reason) + L"\r\n" + backup, MsgStyle::OkOnly, L"");
    return true;
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
