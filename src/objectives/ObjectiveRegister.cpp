#include "objectives/ObjectiveRegister.h"

#include <algorithm>
#include <cstring>

#include "objectives/FeatureEntryRecord.h"
#include "objectives/FedDialogs.h"
#include "objectives/ObjectiveDialogs.h"
#include "objectives/ObjectiveViews.h"
#include "objectives/PointDialogs.h"
#include "objectives/Runs.h"
#include "shell/MvView.h"
#include "shell/Registry.h"
#include "store/Database.h"

namespace tablon {

namespace {

// A dialog on the bytes the registry hands over: run on a typed copy, copied back on OK.
template <typename Record, typename Run>
Answer OnCopy(Bytes& record, Run run) {
    Record copy;
    std::memcpy(copy.data(), record.data(), std::min(record.size(), Record::kSize));
    const Answer a = run(copy);
    if (a == Answer::Ok) record.assign(copy.data(), copy.data() + Record::kSize);
    return a;
}

template <typename Make>
void RegisterList(ShellRegistry& registry, const char* viewClass, Make make) {
    registry.RegisterView(viewClass, [make](ShellContext& ctx, const CategoryNode&) {
        return std::unique_ptr<PaneView>(make(ctx));
    });
}

AppendRule OwnerAppend(const RunLayout& layout) {
    return [&layout](Database& db, std::optional<int> copyOf, int& index, std::string& message) {
        Bytes record;
        if (!DraftNewOwner(db, layout, copyOf, record, message)) return false;
        if (AppendDraft(db, layout, record, index)) return true;
        message = "Update Failed";
        return false;
    };
}

}  // namespace

void RegisterObjectives(ShellRegistry& registry) {
    RegisterList(registry, ObjectiveViewSetup().className, MakeObjectiveView);
    RegisterList(registry, FeatureViewSetup().className, MakeFeatureView);
    RegisterList(registry, PhdViewSetup().className, MakePhdView);
    RegisterList(registry, CFedView::kClassName,
                 [](ShellContext& ctx) { return std::make_unique<CFedView>(ctx); });

    registry.RegisterRecordDialog({FileId::Ocd}, [](ShellContext& ctx, int index, Bytes& r) {
        return OnCopy<ObjectiveRecord>(
            r, [&](ObjectiveRecord& copy) { return RunObjectiveDialog(ctx, copy, index); });
    });
    registry.RegisterRecordDialog({FileId::Fcd}, [](ShellContext& ctx, int index, Bytes& r) {
        return OnCopy<FeatureRecord>(
            r, [&](FeatureRecord& copy) { return RunFeatureDialog(ctx, copy, index); });
    });
    registry.RegisterRecordDialog({FileId::Phd}, [](ShellContext& ctx, int index, Bytes& r) {
        return OnCopy<PointHeaderRecord>(r, [&](PointHeaderRecord& copy) {
            return RunPhdDialog(ctx, copy, index, PhdName(ctx.db, copy.data(), index));
        });
    });
    registry.RegisterRecordDialog({FileId::Fed}, [](ShellContext& ctx, int, Bytes& r) {
        return OnCopy<FeatureEntryRecord>(
            r, [&](FeatureEntryRecord& copy) { return RunFedEditDialog(ctx, copy); });
    });
    registry.RegisterRecordDialog({FileId::Pd}, [](ShellContext& ctx, int, Bytes& r) {
        return OnCopy<PointRecord>(r, [&](PointRecord& copy) {
            CPdDialog dialog(copy);
            return ctx.ui.RunDialog(dialog);
        });
    });

    registry.RegisterAppendRule(FileId::Ocd, OwnerAppend(EntryRuns()));
    registry.RegisterAppendRule(FileId::Phd, OwnerAppend(PointRuns()));
    RegisterObjectiveVerbs(registry);
}

}  // namespace tablon
