#include "vehicles/VclRegister.h"

#include <algorithm>
#include <cstring>

#include "shell/MvView.h"
#include "shell/Registry.h"
#include "vehicles/VclView.h"
#include "vehicles/VehicleDialog.h"

namespace tablon {

void RegisterVehicles(ShellRegistry& registry) {
    registry.RegisterView<CVclView>();
    registry.RegisterView<CAircraftVclView>();
    registry.RegisterView<CLandVclView>();
    registry.RegisterView<CShipVclView>();
    registry.RegisterView<CSubVclView>();
    registry.RegisterRecordDialog({FileId::Vcd}, [](ShellContext& ctx, int index, Bytes& record) {
        VehicleRecord copy;
        std::memcpy(copy.data(), record.data(), std::min(record.size(), VehicleRecord::kSize));
        const Answer a = RunVehicleDialog(ctx, copy, index);
        if (a == Answer::Ok) record.assign(copy.data(), copy.data() + VehicleRecord::kSize);
        return a;
    });
}

}  // namespace tablon
