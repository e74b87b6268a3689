#include "store/Undo.h"

#include <algorithm>

#include "shell/Ui.h"
#include "store/Database.h"
#include "store/RecordFile.h"

namespace tablon {

namespace {

// The open, writable file of the set that a step names.
RecordFile* FileOf(Database& db, const JournalFile& f) {
    const auto id = FileIdByName(f.name);
    if (!id) return nullptr;
    RecordFile& file = db.File(*id);
    return file.Writable() ? &file : nullptr;
}

// The file's length now, its mapping renewed when the file has grown behind it.
uint64_t CurrentLength(RecordFile& f) {
    if (f.IsMapped() && f.DiskSize() != f.FileSize()) f.Remap();
    return f.IsMapped() ? f.FileSize() : f.DiskSize();
}

// Whether every file of a committed step still holds what the step left; the name of the first
// that does not otherwise.
bool FilesHold(Database& db, const JournalStepInfo& s, std::string& changed) {
    for (size_t k = 0; k < s.files.size(); ++k) {
        RecordFile* f = FileOf(db, s.files[k]);
        changed = s.files[k].name;
        if (!f) return false;
        const uint64_t length = CurrentLength(*f);
        if (length != s.lengthAfter[k]) return false;
        const uint8_t* bytes = f->IsMapped() ? f->View() : nullptr;
        if (Journal::HashRanges(bytes, bytes ? length : 0, s.written[k]) != s.hashAfter[k])
            return false;
    }
    changed.clear();
    return true;
}

// Puts the files of step s back as s found them, as one step of the journal: the bytes s wrote
// are kept first (what a redo needs), then the lengths and the saved bytes are written back.
bool Revert(Database& db, const JournalContents& c, const JournalStepInfo& s, StepKind kind,
            uint64_t target, const std::string& name) {
    Journal& journal = db.GetJournal();
    Ui* ui = &db.GetUi();
    journal.BeginStep(name, kind, target);
    bool ok = true;
    for (size_t k = 0; ok && k < s.files.size(); ++k) {
        RecordFile* f = FileOf(db, s.files[k]);
        if (!f) {
            ok = false;
            break;
        }
        const auto& ranges = s.written[k];
        // The bytes s found, where s wrote them.
        std::vector<std::pair<uint64_t, const uint8_t*>> pieces;
        std::vector<uint64_t> sizes;
        for (const JournalPre& p : s.pres) {
            if (p.file != k) continue;
            for (auto [from, to] : ranges) {
                const uint64_t a = std::max(from, p.offset), b = std::min(to, p.offset + p.length);
                if (a >= b) continue;
                pieces.push_back({a, c.bytes.data() + p.at + (a - p.offset)});
                sizes.push_back(b - a);
            }
        }
        const uint64_t now = CurrentLength(*f), length = s.files[k].length;
        for (auto [from, to] : ranges) {
            to = std::min(to, now);
            if (from < to && !journal.Save(*f, from, to - from, false, ui)) ok = false;
        }
        if (ok && length != now && !journal.Resize(*f, length, ui)) ok = false;
        if (!ok) break;
        for (auto [from, to] : ranges) journal.Wrote(*f, from, to - from);
        ok = f->Restore(length, pieces, sizes) == 1;
    }
    return journal.EndStep(ok) == 1 && ok;
}

// Runs an undo or a redo outside any step the caller has open (the window's command is one).
template <typename F>
UndoResult OutsideSteps(Database& db, F&& run) {
    Journal& journal = db.GetJournal();
    const int depth = journal.Suspend(true);
    const UndoResult r = run();
    journal.Resume(depth, {});
    return r;
}

}  // namespace

UndoHistory ReadHistory(const std::string& folder) {
    UndoHistory h;
    h.contents = Journal::Read(folder);
    const auto& steps = h.contents.steps;
    for (size_t i = 0; i < steps.size(); ++i) {
        const JournalStepInfo& s = steps[i];
        if (s.state != StepState::Committed || s.files.empty()) continue;
        switch (s.kind) {
            case StepKind::Edit:
                h.done.push_back(i);
                h.undone.clear();
                break;
            case StepKind::Undo:
                if (!h.done.empty() && steps[h.done.back()].id == s.target) {
                    h.undone.push_back({h.done.back(), i});
                    h.done.pop_back();
                }
                break;
            case StepKind::Redo:
                if (!h.undone.empty() && steps[h.undone.back().step].id == s.target) {
                    h.done.push_back(h.undone.back().step);
                    h.undone.pop_back();
                }
                break;
        }
    }
    return h;
}

namespace {

// Puts back what step r left (the step itself for an undo, its undo for a redo) on behalf of
// step s, as one step of the journal of the kind given, once the files still hold what r left.
UndoResult Reverse(Database& db, const UndoHistory& h, const JournalStepInfo& s,
                   const JournalStepInfo& r, StepKind kind, std::string& message) {
    const bool undo = kind == StepKind::Undo;
    std::string changed;
    if (!r.AfterKnown() || !FilesHold(db, r, changed)) {
        message = Format(
            "Can't %s \"%s\": %s has been changed since by something other than Tablon. "
            "Nothing was changed.",
            undo ? "undo" : "redo", s.command.c_str(),
            changed.empty() ? "the set" : changed.c_str());
        return UndoResult::Refused;
    }
    if (!Revert(db, h.contents, r, kind, s.id, (undo ? "Undo " : "Redo ") + s.command)) {
        message = Format("\"%s\" could not be %s. Nothing was changed.", s.command.c_str(),
                         undo ? "undone" : "redone");
        return UndoResult::Failed;
    }
    message = s.command;
    return UndoResult::Done;
}

}  // namespace

UndoResult UndoLast(Database& db, std::string& message) {
    return OutsideSteps(db, [&] {
        const UndoHistory h = ReadHistory(db.GetJournal().Folder());
        if (h.done.empty()) {
            message = "Nothing to undo.";
            return UndoResult::Nothing;
        }
        const JournalStepInfo& s = h.contents.steps[h.done.back()];
        return Reverse(db, h, s, s, StepKind::Undo, message);
    });
}

UndoResult RedoLast(Database& db, std::string& message) {
    return OutsideSteps(db, [&] {
        const UndoHistory h = ReadHistory(db.GetJournal().Folder());
        if (h.undone.empty()) {
            message = "Nothing to redo.";
            return UndoResult::Nothing;
        }
        return Reverse(db, h, h.contents.steps[h.undone.back().step],
                       h.contents.steps[h.undone.back().undo], StepKind::Redo, message);
    });
}

std::vector<HistoryRow> HistoryRows(const UndoHistory& h) {
    std::vector<HistoryRow> rows;
    auto add = [&](size_t i, bool undone) {
        const JournalStepInfo& s = h.contents.steps[i];
        rows.push_back({s.id, s.TimeText(), s.command, s.RecordsText(), undone});
    };
    for (size_t i : h.done) add(i, false);
    for (auto u = h.undone.rbegin(); u != h.undone.rend(); ++u) add(u->step, true);
    return rows;
}

}  // namespace tablon
