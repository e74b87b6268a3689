#include "shell/MainFrame.h"

#include <algorithm>
#include <filesystem>

#include "shell/GenericView.h"
#include "shell/HistoryDialogs.h"
#include "store/Database.h"
#include "store/ExportImport.h"

namespace tablon {

// ---- CMainFrame ----

CMainFrame::CMainFrame(ShellContext& ctx, CommandRouter& router) : ctx_(ctx), router_(router) {}

CMainFrame::~CMainFrame() {
    router_.SetView(nullptr);
}

bool CMainFrame::ReplaceView(const CategoryNode& node) {
    if (view_ && node.viewClass == view_->ClassName()) return true;
    for (auto* o : observers_) o->ViewReplacing();
    router_.SetView(nullptr);
    view_.reset();
    const ViewFactory* factory = ctx_.registry.FindView(node.viewClass);
    view_ = factory ? (*factory)(ctx_, node) : MakeGenericView(ctx_, node);
    ++replaced_;
    if (view_) {
        view_->OnInitialUpdate();
        router_.SetView(view_.get());
        activePane_ = 1;
    }
    for (auto* o : observers_) o->ViewReplaced();
    return view_ != nullptr;
}

bool CMainFrame::SwitchView(const CategoryNode& node) {
    if (node.viewClass.empty()) return false;
    ctx_.doc.SetTitleDirect(node.label);
    for (auto* o : observers_) o->TitleChanged();
    return ReplaceView(node);
}

bool CMainFrame::Run(int id) {
    OperationScope operation(&ctx_.ui, CommandName(id));
    return router_.Run(id);
}

void CMainFrame::Refresh() {
    if (shownItem_ < 0 || !view_) return;
    const CategoryNode* node = tree_.FindById(tree_.ItemData(shownItem_));
    if (!node) return;
    const ViewState state = CaptureState();
    for (auto* o : observers_) o->ViewReplacing();
    router_.SetView(nullptr);
    view_.reset();
    ReplaceView(*node);
    RestoreState(state);
}

void CMainFrame::OnTreeSelectionChanged(int item) {
    BusyScope busy(ctx_.ui);
    if (item < 0 || item >= tree_.ItemCount()) return;
    // The category left behind is remembered when another view takes its place.
    ViewState leaving = CaptureState();
    const unsigned replaced = replaced_;
    tree_.SetSelected(item);
    for (auto* o : observers_) o->TreeSelectionChanged(item);
    const CategoryNode* node = tree_.FindById(tree_.ItemData(item));
    if (!node || !SwitchView(*node)) return;
    shownItem_ = item;
    if (replaced_ != replaced && !restoring_ && leaving.item >= 0 && leaving.item != item)
        history_.Visit(std::move(leaving));
}

void CMainFrame::ShowToolbar(bool on) {
    toolbar_ = on;
    for (auto* o : observers_) o->BarsChanged();
}

void CMainFrame::ShowStatusBar(bool on) {
    statusBar_ = on;
    for (auto* o : observers_) o->BarsChanged();
}

void CMainFrame::ActivatePane(int pane) {
    activePane_ = pane == 0 ? 0 : 1;
    for (auto* o : observers_) o->PaneActivated(activePane_);
}

void CMainFrame::Quit() {
    quit_ = true;
    for (auto* o : observers_) o->QuitRequested();
}

std::string CMainFrame::PromptOf(int id) {
    const CommandText* t = CommandTextOf(id);
    return t && t->prompt ? t->prompt : kIdlePrompt;
}

bool CMainFrame::OpenDocumentFile(const std::string& path) {
    if (path.empty() || !ctx_.doc.OnOpenDocument(path)) return false;
    ctx_.doc.SetTitle(path);
    for (auto* o : observers_) o->TitleChanged();
    return true;
}

void CMainFrame::AddObserver(FrameObserver* o) {
    observers_.push_back(o);
}

void CMainFrame::RemoveObserver(FrameObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

// ---- CAboutDlg ----

CAboutDlg::CAboutDlg() : Form("About Tablon", 260, 100) {
    Control icon;
    icon.id = -1;
    icon.kind = ControlKind::Icon;
    icon.rect = {12, 12, 44, 44};
    Add(std::move(icon));
    AddLabel(-1, "Tablon Version 1.0", {60, 16, 250, 32});
    AddButton(kIdOk, "OK", {190, 60, 250, 84}).defaultButton = true;
}

// ---- CTablonApp ----

namespace {

// The operations of the window as steps of the set's journal.
class JournalOperations : public OperationHost {
  public:
    explicit JournalOperations(Journal& journal) : journal_(journal) {}
    void Begin(const std::string& name) override {
        names_.push_back(name);
        journal_.BeginStep(name);
    }
    void End() override {
        if (!names_.empty()) names_.pop_back();
        journal_.EndStep();
    }
    int DialogOpening() override { return journal_.Suspend(); }
    void DialogClosed(int token, const std::string& name) override {
        journal_.Resume(token, !name.empty() || names_.empty() ? name : names_.front());
    }

  private:
    Journal& journal_;
    std::vector<std::string> names_;
};

}  // namespace

CTablonApp::CTablonApp(Database& db, Ui& ui) : ctx_{db, ui, doc_, registry_} {
    RegisterSubsystems(registry_);
    operations_ = std::make_unique<JournalOperations>(db.GetJournal());
    previousOperations_ = ui.Operations();
    ui.SetOperations(operations_.get());

    docCommands_.Add(cmd::kImportData, [this] { ImportData(ctx_.db, ctx_.ui); });
    for (const auto& e : registry_.DocumentCommands()) {
        ContextUpdate update = e.update;
        docCommands_.Add(
            e.id, [this, run = e.run] { run(ctx_); },
            update ? CommandTable::Update([this, update](CommandState& s) { update(ctx_, s); })
                   : CommandTable::Update());
    }

    appCommands_.Add(cmd::kAppExit, [this] { frame_->Quit(); });
    appCommands_.Add(cmd::kAppAbout, [this] {
        CAboutDlg about;
        ctx_.ui.RunDialog(about);
    });
    appCommands_.Add(cmd::kHelpFinder, [this] { ctx_.ui.ShowHelp(HelpFile(), kHelpContents); });
    appCommands_.Add(cmd::kHelp, [this] { ctx_.ui.ShowHelp(HelpFile(), kHelpCurrent); });
    appCommands_.Add(cmd::kContextHelp, [this] { ctx_.ui.ShowHelp(HelpFile(), kHelpOnClick); });
    appCommands_.Add(
        cmd::kViewToolbar, [this] { frame_->ShowToolbar(!frame_->ToolbarVisible()); },
        [this](CommandState& s) { s.checked = frame_->ToolbarVisible(); });
    appCommands_.Add(
        cmd::kViewStatusBar, [this] { frame_->ShowStatusBar(!frame_->StatusBarVisible()); },
        [this](CommandState& s) { s.checked = frame_->StatusBarVisible(); });
    appCommands_.Add(cmd::kGoToRecord, [this] {
        CGoToDialog box(*frame_, frame_->GoToText());
        const Answer a = ctx_.ui.RunDialog(box);
        frame_->GoToText() = box.Text();
        if (a == Answer::Ok && box.OpenWanted()) frame_->Run(cmd::kShowItem);
    });
    appCommands_.Add(
        cmd::kNavBack, [this] { frame_->GoBack(); },
        [this](CommandState& s) { s.enabled = frame_->History().CanGoBack(); });
    appCommands_.Add(
        cmd::kNavForward, [this] { frame_->GoForward(); },
        [this](CommandState& s) { s.enabled = frame_->History().CanGoForward(); });
    for (int theme : {kThemeSystem, kThemeLight, kThemeDark})
        appCommands_.Add(
            cmd::kThemeSystem + theme, [this, theme] { frame_->SetTheme(theme); },
            [this, theme](CommandState& s) { s.checked = frame_->ThemeChoice() == theme; });
    appCommands_.Add(cmd::kNextPane, [this] { frame_->ActivatePane(1 - frame_->ActivePane()); });
    appCommands_.Add(cmd::kPrevPane, [this] { frame_->ActivatePane(1 - frame_->ActivePane()); });
    for (const auto& e : registry_.ApplicationCommands()) {
        ContextUpdate update = e.update;
        appCommands_.Add(
            e.id, [this, run = e.run] { run(ctx_); },
            update ? CommandTable::Update([this, update](CommandState& s) { update(ctx_, s); })
                   : CommandTable::Update());
    }

    router_.SetDocument(&docCommands_);
    router_.SetApplication(&appCommands_);
    frame_ = std::make_unique<CMainFrame>(ctx_, router_);
    AddHistoryCommands(appCommands_, ctx_, *frame_);
}

CTablonApp::~CTablonApp() {
    frame_.reset();
    if (ctx_.ui.Operations() == operations_.get()) ctx_.ui.SetOperations(previousOperations_);
}

void CTablonApp::Start() {
    doc_.OnNewDocument();
    doc_.SetTitle("");
    CMainFrame& frame = *frame_;
    frame.Tree().Build(ctx_.db);
    const int vehicles = frame.Tree().VehiclesItem();
    if (vehicles < 0) return;
    // The pane starts with the vehicle list; selecting "Vehicles" then keeps it.
    frame.ReplaceView(*frame.Tree().ItemAt(vehicles).node);
    frame.OnTreeSelectionChanged(vehicles);
}

std::string CTablonApp::HelpFile() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return "Tablon.chm";
    return exe.replace_extension(".chm").string();
}

}  // namespace tablon
