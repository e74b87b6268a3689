#include "classtable/CtSearchDialogs.h"

#include <cstdlib>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "classtable/CtRecordDialog.h"
#include "classtable/CtUsageDialog.h"
#include "shell/NumberDialog.h"
#include "store/Database.h"

namespace tablon {

using namespace ctsearch;

namespace {

std::vector<Choice> AnyAnd(int count, std::string (*name)(int)) {
    std::vector<Choice> choices{{"Any", -1}};
    for (int i = 0; i < count; ++i) choices.push_back({name(i), i});
    return choices;
}

void ShowUsage(ShellContext& ctx, uint32_t index) {
    CCtUsageDialog usage(ctx, index);
    ctx.ui.RunDialog(usage);
}

}  // namespace

// ---- "Enter data" ----

CClassDataDialog::CClassDataDialog() : Form("Enter data", 300, 230) {
    const struct {
        int id;
        const char* label;
    } rows[] = {{kDomain, "Domain"},
                {kClass, "Class"},
                {kType, "Type"},
                {kSubType, "SType"},
                {kSpecific, "SPType"}};
    int y = 10;
    for (const auto& r : rows) {
        AddLabel(-1, r.label, {10, y + 2, 80, y + 20});
        if (r.id == kDomain || r.id == kClass)
            AddDropList(r.id, {85, y, 290, y + 22},
                        r.id == kDomain ? AnyAnd(DomainCount(), DomainName)
                                        : AnyAnd(ClassCount(), ClassName));
        else
            AddEdit(r.id, {85, y, 190, y + 22});
        y += 28;
    }
    AddLabel(-1, "Fields that stay \"-1\" are not checked for match", {10, y + 2, 290, y + 20});
    Bind(kDomain, Exchange::Choice);
    Bind(kClass, Exchange::Choice);
    Bind(kType, Exchange::Int);
    Bind(kSubType, Exchange::Int);
    Bind(kSpecific, Exchange::Int);
    AddOkCancel();
}

void CClassDataDialog::OnInitDialog() {
    SelectValue(kDomain, -1);
    SelectValue(kClass, -1);
    ShowInt(kType, -1);
    ShowInt(kSubType, -1);
    ShowInt(kSpecific, -1);
}

void CClassDataDialog::OnOK() {
    if (!TakeFields()) return;
    // Each criterion is kept as a 16-bit number: -1 is all bits set.
    auto take = [&](int id) {
        return Value(id).present ? uint16_t(Value(id).integer) : uint16_t(0xFFFF);
    };
    criteria_ = {take(kDomain), take(kClass), take(kType), take(kSubType), take(kSpecific)};
    End(Answer::Ok);
}

// ---- "CT entries sharing the entered classInfo elements" ----

CClassResultDialog::CClassResultDialog(ShellContext& ctx, const ClassCriteria& criteria)
    : Form("CT entries sharing the entered classInfo elements", 390, 330),
      ctx_(ctx),
      criteria_(criteria) {
    AddList(kClassList, {10, 10, 380, 280}, ClassResultColumns());
    AddOkCancel();
}

void CClassResultDialog::OnInitDialog() {
    ClassSearchResult result = SearchCtByClass(ctx_.db.Ct(), criteria_);
    SetRows(kClassList, std::move(result.rows));
    if (result.unreadable) ctx_.ui.Show(kNoCombinationMessage);
}

void CClassResultDialog::OnListEvent(int id, ListEventKind kind, int row, int /*column*/) {
    if (id != kClassList || kind != ListEventKind::DoubleClick || row < 0) return;
    // The record number as the first column shows it.
    ShowUsage(ctx_,
              uint32_t(std::strtoul(Rows(kClassList)[size_t(row)].cells[0].c_str(), nullptr, 10)));
}

// ---- the model-link lists ----

CModelLinkDialog::CModelLinkDialog(ShellContext& ctx, Kind kind, int parent)
    : Form(kind == Kind::BadLinks ? "CT->HDR bad links" : "List of Parent Record in CT Records",
           360, 380),
      ctx_(ctx),
      kind_(kind),
      parent_(parent) {
    const bool bad = kind == Kind::BadLinks;
    AddLabel(-1,
             bad ? "List of bad CT -> Korea.HDR graphics links, total:"
                 : "References to Parent Record #",
             {10, 12, 270, 30});
    AddEdit(kTotal, {275, 10, 350, 30}).readOnly = true;
    AddLabel(-1, "Left mouse double click: Edit CT Record", {10, 36, 350, 52});
    AddLabel(-1, "Right mouse double click: CT Usage List", {10, 54, 350, 70});
    AddList(kLinkList, {10, 76, 350, 330}, ModelLinkColumns(bad));
    AddOkCancel();
}

void CModelLinkDialog::OnInitDialog() {
    if (kind_ == Kind::ParentReferences) {
        ShowInt(kTotal, parent_);
        ModelLinkResult found = SearchParentReferences(ctx_.db.Ct(), parent_);
        SetRows(kLinkList, ModelLinkRows(found, false));
        if (found.unreadable) ctx_.ui.Show(UnreadableCtMessage(*found.unreadable));
        return;
    }
    ModelLinkResult found;
    {
        BusyScope busy(ctx_.ui);
        found = SearchBadModelLinks(ctx_.db.Ct(), ctx_.db.Hdr(), ctx_.db.Lod());
    }
    SetRows(kLinkList, ModelLinkRows(found, true));
    if (found.unreadable) ctx_.ui.Show(UnreadableCtMessage(*found.unreadable));
    ShowInt(kTotal, int64_t(found.rows.size()));
}

void CModelLinkDialog::OnListEvent(int id, ListEventKind kind, int row, int /*column*/) {
    if (id != kLinkList || row < 0) return;
    const int index = int(Rows(kLinkList)[size_t(row)].data);
    if (kind == ListEventKind::RightClick) {
        ShowUsage(ctx_, uint32_t(index));
        return;
    }
    if (kind != ListEventKind::DoubleClick) return;
    CtFile& ct = ctx_.db.Ct();
    CtRecord copy;
    if (!ct.GetRecord(index, copy)) {
        ctx_.ui.Show("Couldn't get the CT record");
        return;
    }
    if (RunCtRecordDialog(ctx_, copy, index, "") != Answer::Ok) return;
    if (!ct.SetRecord(index, copy)) ctx_.ui.Show("CT Update Failed");
}

// ---- commands ----

void RunClassSearch(ShellContext& ctx) {
    CClassDataDialog input;
    if (ctx.ui.RunDialog(input) != Answer::Ok) return;
    CClassResultDialog result(ctx, input.Criteria());
    ctx.ui.RunDialog(result);
}

void RunBadLinkSearch(ShellContext& ctx) {
    CModelLinkDialog list(ctx, CModelLinkDialog::Kind::BadLinks);
    ctx.ui.RunDialog(list);
}

void RunParentSearch(ShellContext& ctx) {
    CNumberDialog input("Number of Parent Record to search", "Parent Rec #", kParent,
                        Exchange::Int);
    if (ctx.ui.RunDialog(input) != Answer::Ok) return;
    CModelLinkDialog list(ctx, CModelLinkDialog::Kind::ParentReferences, int(input.Number()));
    ctx.ui.RunDialog(list);
}

void RegisterSearches(ShellRegistry& registry) {
    registry.RegisterDocumentCommand(cmd::kSearchCtByClass, RunClassSearch);
    registry.RegisterDocumentCommand(cmd::kSearchBadCtHdrLinks, RunBadLinkSearch);
    registry.RegisterDocumentCommand(cmd::kSearchParentReferences, RunParentSearch);
    RegisterSearchVerbs(registry.Verbs());
}

}  // namespace tablon
