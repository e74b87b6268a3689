#include "vehicles/VclRegister.h"

#include <algorithm>
#include <cstring>

#include "shell/MvView.h"
#include "shell/Registry.h"
#include "vehicles/VclView.h"
#include "vehicles/VehicleDialog.h"

namespace tablon {

namespace {

template <typename View>
void RegisterView(ShellRegistry& registry) {
    registry.RegisterView(View::kClassName, [](ShellContext& ctx, const CategoryNode&) {
        return std::unique_ptr<PaneView>(std::make_unique<View>(ctx));
    });
}

}  // namespace

void RegisterVehicles(ShellRegistry& registry) {
    RegisterView<CVclView>(registry);
    RegisterView<CAircraftVclView>(registry);
    RegisterView<CLandVclView>(registry);
    RegisterView<CShipVclView>(registry);
    RegisterView<CSubVclView>(registry);
    registry.RegisterRecordDialog({FileId::Vcd}, [](ShellContext& ctx, int index, Bytes& record) {
        VehicleRecord copy;
        std::memcpy(copy.data(), record.data(), std::min(record.size(), VehicleRecord::kSize));
        const Answer a = RunVehicleDialog(ctx, copy, index);
        if (a == Answer::Ok) record.assign(copy.data(), copy.data() + VehicleRecord::kSize);
        return a;
    });
}

}  // namespace tablon
