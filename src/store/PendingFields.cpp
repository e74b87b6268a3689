// Whole-record tables for record types whose fields are not described yet.
#include "store/FieldTable.h"

namespace tablon {

#define PENDING(fn, rec, size)                                                    \
    const FieldTable& fn() {                                                      \
        static const FieldTable t{rec, size, {{"bytes", 0, FieldType::Raw, size}}}; \
        return t;                                                                 \
    }

PENDING(FeatureEntryFields, "FeatureEntryRecord", 32)
PENDING(VehicleFields, "VehicleRecord", 160)
PENDING(PointFields, "PointRecord", 12)
PENDING(IrSensorFields, "IrSensorRecord", 20)
PENDING(PointHeaderFields, "PointHeaderRecord", 28)
PENDING(RwrFields, "RwrRecord", 22)
PENDING(VisualSensorFields, "VisualSensorRecord", 20)
PENDING(WeaponListFields, "WeaponListRecord", 208)
PENDING(WeaponFields, "WeaponRecord", 60)
PENDING(SimWeaponFields, "SimWeaponRecord", 52)
PENDING(FeatureFields, "FeatureRecord", 60)
PENDING(ObjectiveFields, "ObjectiveRecord", 54)
PENDING(AircraftDataFields, "AircraftDataRecord", 52)
PENDING(RadarFields, "RadarRecord", 58)
PENDING(UnitFields, "UnitRecord", 336)
PENDING(StoresFields, "StoresRecord", 603)
PENDING(ParentFields, "ParentRecord", 48)
PENDING(LodFields, "LodRecord", 20)
PENDING(TextureFields, "TextureRecord", 40)
PENDING(SoundFields, "SoundRecord", 128)
PENDING(RocketFields, "RocketRecord", 6)
PENDING(MessagePriorityFields, "MessagePriorityRecord", 4)

}  // namespace tablon
