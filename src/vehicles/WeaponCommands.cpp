#include "vehicles/WeaponCommands.h"

#include <algorithm>
#include <cstring>

#include "shell/Registry.h"
#include "vehicles/HardpointDialog.h"
#include "vehicles/HardpointView.h"
#include "vehicles/WeaponDialog.h"
#include "vehicles/WeaponView.h"

namespace tablon {

namespace {

// A record dialog on the bytes the registry hands over: run on a typed copy, copied back on OK.
template <typename Record, Answer (*Run)(ShellContext&, Record&, int)>
Answer OnCopy(ShellContext& ctx, int index, Bytes& record) {
    Record copy;
    std::memcpy(copy.data(), record.data(), std::min(record.size(), Record::kSize));
    const Answer a = Run(ctx, copy, index);
    if (a == Answer::Ok) record.assign(copy.data(), copy.data() + Record::kSize);
    return a;
}

}  // namespace

void RegisterWeapons(ShellRegistry& registry) {
    registry.RegisterView<CWeaponView>();
    registry.RegisterView<CHardpointView>();
    registry.RegisterRecordDialog({FileId::Wcd, ModelTable::None},
                                  OnCopy<WeaponRecord, RunWeaponDialog>);
    registry.RegisterRecordDialog({FileId::Wld, ModelTable::None},
                                  OnCopy<WeaponListRecord, RunHardpointDialog>);
}

}  // namespace tablon
