#include "classtable/CtView.h"

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "classtable/CtRecordDialog.h"
#include "store/Database.h"

namespace tablon {

namespace {

using R = CtRecord;

std::string NameText(const uint8_t* r, int) {
    return DomainName(r[R::kDomain]) + " " + ClassName(r[R::kClass]);
}
std::string DomainText(const uint8_t* r, int) {
    return DomainName(r[R::kDomain]);
}
std::string ClassText(const uint8_t* r, int) {
    return ClassName(r[R::kClass]);
}
std::string TypeText(const uint8_t* r, int) {
    return TypeName(r[R::kDomain], r[R::kClass], r[R::kType]);
}
std::string SubTypeText(const uint8_t* r, int) {
    return SubTypeName(r[R::kSubType]);
}
std::string SpecificText(const uint8_t* r, int) {
    return SpecificName(r[R::kSpecific]);
}
std::string ModeText(const uint8_t* r, int) {
    return ModeName(r[R::kMode]);
}
std::string DataTypeText(const uint8_t* r, int) {
    return DataTypeName(r[R::kDataType]);
}

}  // namespace

const std::vector<ColumnDesc>& CtColumns() {
    // Integer columns print with "%d" (32-bit unsigned fields included); the named columns
    // sort by the raw byte they name.
    static const std::vector<ColumnDesc> columns{
        {"Name", 50, R::kDomain, kKindU8, 0, 1, NameText},
        {"No", 50, 0, kKindFileOrder},
        {"Domain", 50, R::kDomain, kKindU8, 0, 1, DomainText},
        {"Class", 50, R::kClass, kKindU8, 0, 1, ClassText},
        {"Type", 50, R::kType, kKindU8, 0, 1, TypeText},
        {"SubType", 50, R::kSubType, kKindU8, 0, 1, SubTypeText},
        {"Specific", 50, R::kSpecific, kKindU8, 0, 1, SpecificText},
        {"Mode", 50, R::kMode, kKindU8, 0, 1, ModeText},
        {"FType", 50, R::kDataType, kKindU8, 0, 1, DataTypeText},
        {"Id", 50, R::kId, kKindI16},
        {"Graphic", 50, R::kGraphics, kKindI16},
        {"Coll Type", 50, R::kCollisionType, kKindI16},
        {"Coll rad", 50, R::kCollisionRadius, kKindF32},
        {"Upd Rate", 50, R::kUpdateRate, kKindI32},
        {"Upd Tol", 50, R::kUpdateTolerance, kKindI32},
        {"Bubble", 50, R::kBubbleDistance, kKindF32},
        {"Upd ForceRange", 50, R::kUpdateForceRange, kKindF32},
        {"Upd Mult", 50, R::kUpdateMultiplier, kKindF32},
        {"Damage Seed", 50, R::kDamageSeed, kKindI32},
        {"Hitpoints", 50, R::kHitPoints, kKindI32},
        {"MajRev", 50, R::kMajorRevision, kKindI16},
        {"MinRev", 50, R::kMinorRevision, kKindI16},
        {"Create Prio", 50, R::kCreationPriority, kKindI16},
        {"ManageDom", 50, R::kManagementDomain, kKindU8},
        {"Transferable", 50, R::kTransferable, kKindU8},
        {"Private", 50, R::kPrivate, kKindU8},
        {"Tangible", 50, R::kTangible, kKindU8},
        {"Collidable", 50, R::kCollidable, kKindU8},
        {"Global", 50, R::kGlobal, kKindU8},
        {"Persist", 50, R::kPersistent, kKindU8},
        {"Aoffset", 50, R::kAltDataRef, kKindI16},
        {"Foffset", 50, R::kDataRef, kKindI32},
    };
    return columns;
}

CCtView::CCtView(ShellContext& ctx)
    : CMvView(ctx, MakeSource(ctx.db, {FileId::Ct}), CtColumns(), kCtFileOrderColumn) {}

CtFile& CCtView::Ct() const {
    return ctx_.db.Ct();
}

std::string CCtView::ItemTextFor(const uint8_t* record, int index) const {
    return NameText(record, index);
}

int CCtView::IconFor(const uint8_t* record) const {
    return CtIconIndex(record[R::kDomain], record[R::kClass], record[R::kType],
                       record[R::kSubType]);
}

std::span<const SortCommand> CCtView::SortCommands() const {
    static constexpr SortCommand kSorts[] = {{cmd::kSortByClass, kCtClassColumn},
                                             {cmd::kSortByFileOrder, kCtFileOrderColumn}};
    return kSorts;
}

void CCtView::ShowRecord(int row) {
    if (row < 0 || row >= RowCount()) return;
    const int index = ItemData(row);
    CtRecord copy;
    if (!Ct().GetRecord(index, copy)) return;
    if (RunCtRecordDialog(ctx_, copy, index, ItemText(row)) != Answer::Ok) return;
    if (!Ct().SetRecord(index, copy)) {
        ctx_.ui.Show("Update Failed");
        return;
    }
    // Columns 1 to 31 show the new record; the item text and icon stay until the next fill.
    FillCells(row, copy.data());
}

void CCtView::AddRecord(bool copy) {
    CtRecord record;
    if (copy) {
        const int from = SelectedIndex();
        if (from < 0 || !Ct().GetRecord(from, record)) return;
    }
    if (RunCtRecordDialog(ctx_, record, Ct().LastIndex() + 1, "New Record") != Answer::Ok) return;
    int index = 0;
    if (!Ct().AppendRecord(index, record.data())) {
        ctx_.ui.Show("Update Failed");
        return;
    }
    InsertRow(index, record.data());
}

bool CCtView::DeleteLastRecord(int index) {
    return Ct().DeleteLastRecord(index);
}

void CCtView::OnDrop(int sourceRow, int targetRow) {
    const int source = ItemData(sourceRow), target = ItemData(targetRow);
    CtRecord from, to;
    if (!Ct().GetRecord(source, from) || !Ct().GetRecord(target, to)) return;
    if (ctx_.ui.Ask(Format("Overwrite Item %d with %d?", target, source)) != Answer::Yes) return;
    if (!Ct().SetRecord(target, from)) {
        ctx_.ui.Show("Failed to update CT file");
        return;
    }
    FillCells(targetRow, from.data());
}

}  // namespace tablon
