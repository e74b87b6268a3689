#include "shell/Navigation.h"

#include <strings.h>

#include <sstream>

#include "shell/CliVerbs.h"
#include "shell/MainFrame.h"
#include "shell/ViewText.h"
#include "store/FieldTable.h"

namespace tablon {

namespace {

constexpr const char* kGoToHelp =
    "Enter a file and a record number (\"vantor.wcd 12\"), \"ct\" and a class-table number, or "
    "a category and the start of a name (\"Weapons AIM\").";

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::string Join(const std::vector<std::string>& words, size_t from, size_t to) {
    std::string out;
    for (size_t i = from; i < to; ++i) out += (i > from ? " " : "") + words[i];
    return out;
}

bool RecordNumber(const std::string& s, int& out) {
    long long v = 0;
    if (!ParseCliInt(s, 0, 0x7fffffff, v)) return false;
    out = int(v);
    return true;
}

// A file of the set by its name ("vantor.wcd"), extension ("wcd") or type name ("WCD").
std::optional<FileId> FileOfName(const std::string& name) {
    if (auto id = FileIdByName(name)) return id;
    for (const FileDesc& d : FileDescs())
        if (strcasecmp(d.ext, name.c_str()) == 0 || strcasecmp(d.typeName, name.c_str()) == 0)
            return d.id;
    return std::nullopt;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           strncasecmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

void Push(std::vector<ViewState>& list, ViewState state) {
    list.push_back(std::move(state));
    if (list.size() > NavigationHistory::kLimit) list.erase(list.begin());
}

}  // namespace

// ---- NavigationHistory ----

void NavigationHistory::Visit(ViewState leaving) {
    Push(back_, std::move(leaving));
    forward_.clear();
}

std::optional<ViewState> NavigationHistory::Back(ViewState current) {
    if (back_.empty()) return std::nullopt;
    ViewState target = std::move(back_.back());
    back_.pop_back();
    Push(forward_, std::move(current));
    return target;
}

std::optional<ViewState> NavigationHistory::Forward(ViewState current) {
    if (forward_.empty()) return std::nullopt;
    ViewState target = std::move(forward_.back());
    forward_.pop_back();
    Push(back_, std::move(current));
    return target;
}

// ---- CMainFrame: history ----

ViewState CMainFrame::CaptureState() const {
    ViewState s;
    s.item = shownItem_;
    if (const CMvView* v = view_ ? view_->AsList() : nullptr) {
        s.sortColumn = v->LastSortColumn();
        s.ascending = v->Ascending();
        s.filters = v->FilterTexts();
        for (int row : v->Selection()) s.selected.push_back(v->ItemData(row));
    }
    return s;
}

void CMainFrame::Select(int item) {
    ++restoring_;
    if (item != shownItem_) OnTreeSelectionChanged(item);
    --restoring_;
}

void CMainFrame::RestoreState(const ViewState& state) {
    if (state.item < 0 || state.item >= tree_.ItemCount()) return;
    Select(state.item);
    CMvView* v = view_ ? view_->AsList() : nullptr;
    if (!v) return;
    v->SortBy(state.sortColumn, state.ascending);
    v->SetFilters(state.filters);
    std::vector<int> rows;
    for (int record : state.selected)
        if (int row = v->PositionOf(record); row >= 0) rows.push_back(row);
    v->SetSelection(rows);
    if (!rows.empty()) v->Reveal(rows.front(), false);
}

bool CMainFrame::GoBack() {
    std::optional<ViewState> target = history_.Back(CaptureState());
    if (target) RestoreState(*target);
    return target.has_value();
}

bool CMainFrame::GoForward() {
    std::optional<ViewState> target = history_.Forward(CaptureState());
    if (target) RestoreState(*target);
    return target.has_value();
}

// ---- CMainFrame: Go to Record ----

int CMainFrame::LandOnRecord(const std::vector<int>& items, int record) {
    for (int item : items) {
        Select(item);
        CMvView* v = view_ && shownItem_ == item ? view_->AsList() : nullptr;
        if (!v || !v->HasRecordRow(record)) continue;
        if (v->PositionOf(record) < 0) v->ClearFilters();
        const int row = v->PositionOf(record);
        v->Reveal(row);
        return row;
    }
    return -1;
}

int CMainFrame::LandOnName(const std::string& prefix) {
    CMvView* v = view_ ? view_->AsList() : nullptr;
    if (!v) return -1;
    for (int pass = 0; pass < 2; ++pass) {
        for (int row = 0; row < v->RowCount(); ++row)
            if (StartsWithIgnoringCase(v->ItemText(row), prefix)) {
                v->Reveal(row);
                return row;
            }
        // A name the filters hide: the whole list is searched again without them.
        if (pass == 0 && v->Filtered())
            v->ClearFilters();
        else
            break;
    }
    return -1;
}

std::optional<GoToResult> CMainFrame::GoTo(const std::string& text, std::string& error) {
    const std::vector<std::string> words = Words(text);
    if (words.empty()) {
        error = kGoToHelp;
        return std::nullopt;
    }
    const ViewState before = CaptureState();
    GoToResult result;
    int record = -1;
    std::optional<FileId> file = words.size() == 2 ? FileOfName(words[0]) : std::nullopt;
    if (file && RecordNumber(words[1], record)) {
        // The lists of the file's categories, the one shown first, then in the tree's order.
        std::vector<int> items;
        if (shownItem_ >= 0 && tree_.ItemAt(shownItem_).node->source.file == *file)
            items.push_back(shownItem_);
        for (int item = 0; item < tree_.ItemCount(); ++item)
            if (item != shownItem_ && tree_.ItemAt(item).node->source.file == *file)
                items.push_back(item);
        result.row = LandOnRecord(items, record);
        if (result.row < 0)
            error = "No list shows record " + words[1] + " of " + DescOf(*file).name + ".";
    } else if (words.size() == 1 && RecordNumber(words[0], record)) {
        if (shownItem_ >= 0) result.row = LandOnRecord({shownItem_}, record);
        if (result.row < 0) error = "The list shows no record " + words[0] + ".";
    } else {
        // The longest run of words from the start that names a category; the rest is the start
        // of a name, or a record index.
        int item = -1;
        size_t used = words.size();
        std::string why;
        for (; used > 0 && item < 0; --used) item = tree_.FindPath(Join(words, 0, used), why);
        if (item < 0) {
            error = kGoToHelp;
            return std::nullopt;
        }
        ++used;
        const std::string rest = Join(words, used, words.size());
        if (rest.empty()) {
            Select(item);
            result.row = -2;  // the category alone
        } else if (RecordNumber(rest, record)) {
            result.row = LandOnRecord({item}, record);
            if (result.row < 0) error = tree_.Label(item) + " shows no record " + rest + ".";
        } else {
            Select(item);
            result.row = LandOnName(rest);
            if (result.row < 0)
                error = "No name in " + tree_.Label(item) + " starts with \"" + rest + "\".";
        }
    }
    if (result.row == -1) {
        RestoreState(before);
        return std::nullopt;
    }
    result.row = std::max(result.row, -1);
    result.item = shownItem_;
    if (CMvView* v = view_ ? view_->AsList() : nullptr; v && result.row >= 0)
        result.record = v->ItemData(result.row);
    if (before.item >= 0 && CaptureState() != before) history_.Visit(before);
    return result;
}

// ---- the theme ----

void CMainFrame::SetTheme(int theme) {
    if (theme < kThemeSystem || theme > kThemeDark) return;
    theme_ = theme;
    for (auto* o : observers_) o->ThemeChanged(theme);
}

// ---- CGoToDialog ----

CGoToDialog::CGoToDialog(CMainFrame& frame, std::string text)
    : Form("Go to Record", 330, 110), frame_(frame), text_(std::move(text)) {
    AddLabel(-1, "&Record:", {10, 14, 70, 30});
    AddEdit(kIdText, {72, 10, 320, 32});
    AddLabel(-1, "e.g. vantor.wcd 12, ct 1862, Weapons AIM", {72, 38, 320, 54});
    AddButton(kIdOk, "&Go", {84, 74, 164, 98}).defaultButton = true;
    AddButton(kIdOpen, "&Open", {164, 74, 244, 98});
    AddButton(kIdCancel, "Cancel", {244, 74, 320, 98});
}

void CGoToDialog::OnInitDialog() {
    SetText(kIdText, text_);
    SetSelection(kIdText, 0, text_.size());
    RequestFocus(kIdText);
}

bool CGoToDialog::Go() {
    text_ = Form::Text(kIdText);
    std::string error;
    if (!frame_.GoTo(text_, error)) {
        GetUi().Show(error);
        RequestFocus(kIdText);
        return false;
    }
    return true;
}

void CGoToDialog::OnOK() {
    if (Go()) End(Answer::Ok);
}

void CGoToDialog::OnButton(int id) {
    if (id != kIdOpen) return;
    open_ = Go();
    if (open_) End(Answer::Ok);
}

// ---- the command line ----

void RegisterNavigationVerbs(ShellRegistry& registry) {
    registry.Verbs().Register(
        CliVerb{"find",
                "find FILE INDEX | find ct N | find CATEGORY [NAME] [--format tsv|json]\n"
                "      the category and row (from 0) where \"Go to Record\" lands",
                {},
                [](CliSession& s, const CliArgs& args) {
                    TableFormat format = TableFormat::Tsv;
                    if (!s.Format(args, format, false)) return 2;
                    if (args.positional.empty()) return s.Usage("find needs a record");
                    CTablonApp* app = s.App();
                    if (!app) return 1;
                    std::string text, error;
                    for (const auto& w : args.positional) text += (text.empty() ? "" : " ") + w;
                    CMainFrame& frame = app->Frame();
                    const std::optional<GoToResult> r = frame.GoTo(text, error);
                    if (!r) return s.Fail(error);
                    const std::string path = frame.Tree().ShortPathOf(r->item);
                    if (format == TableFormat::Json)
                        s.Out() << "{\"category\": " << JsonQuote(path) << ", \"row\": " << r->row
                                << ", \"index\": " << r->record << "}\n";
                    else
                        s.Out() << path << "\t" << r->row << "\n";
                    return 0;
                }});
}

}  // namespace tablon
