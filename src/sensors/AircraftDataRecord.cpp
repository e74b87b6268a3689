#include "sensors/AircraftDataRecord.h"

namespace tablon {

const FieldTable& AircraftDataFields() {
    using T = FieldType;
    using R = AircraftDataRecord;
    static const FieldTable table{
        "AircraftDataRecord",
        R::kSize,
        {
            {"combat_class", R::kCombatClass, T::I32, 1, "Combat Class", "Combat Class"},
            {"airframe", R::kAirframe, T::I32, 1, "Airframe", "Airframe"},
            {"ir_signature", R::kIrSignature, T::I32, 1, "IR Sig", "IR Ind"},
            {"sensor_types", R::kSensorTypes, T::I32, R::kSensors, "1st Sensor", "1st Sensor"},
            {"sensor_indices", R::kSensorIndices, T::I32, R::kSensors, "Sind 1"},
        },
    };
    return table;
}

}  // namespace tablon
