// Which field table describes the records of each file of the set.
#include "store/FieldTable.h"

namespace tablon {

const FieldTable& FeatureEntryFields();
const FieldTable& CtFields();
const FieldTable& VehicleFields();
const FieldTable& PointFields();
const FieldTable& IrSensorFields();
const FieldTable& PointHeaderFields();
const FieldTable& RwrFields();
const FieldTable& VisualSensorFields();
const FieldTable& WeaponListFields();
const FieldTable& WeaponFields();
const FieldTable& SimWeaponFields();
const FieldTable& FeatureFields();
const FieldTable& ObjectiveFields();
const FieldTable& AircraftDataFields();
const FieldTable& RadarFields();
const FieldTable& UnitFields();
const FieldTable& StoresFields();
const FieldTable& ParentFields();
const FieldTable& LodFields();
const FieldTable& TextureFields();
const FieldTable& SoundFields();
const FieldTable& RocketFields();
const FieldTable& MessagePriorityFields();

const FieldTable& FieldTableOf(FileId id) {
    switch (id) {
        case FileId::Fed:
            return FeatureEntryFields();
        case FileId::Ct:
            return CtFields();
        case FileId::Vcd:
            return VehicleFields();
        case FileId::Pd:
            return PointFields();
        case FileId::Icd:
            return IrSensorFields();
        case FileId::Phd:
            return PointHeaderFields();
        case FileId::Rwd:
            return RwrFields();
        case FileId::Vsd:
            return VisualSensorFields();
        case FileId::Wld:
            return WeaponListFields();
        case FileId::Wcd:
            return WeaponFields();
        case FileId::Swd:
            return SimWeaponFields();
        case FileId::Fcd:
            return FeatureFields();
        case FileId::Ocd:
            return ObjectiveFields();
        case FileId::Acd:
            return AircraftDataFields();
        case FileId::Rcd:
            return RadarFields();
        case FileId::Ucd:
            return UnitFields();
        case FileId::Ssd:
            return StoresFields();
        case FileId::Hdr:
            return ParentFields();
        case FileId::Lod:
            return LodFields();
        case FileId::Tex:
            return TextureFields();
        case FileId::Sfx:
            return SoundFields();
        case FileId::Rkt:
            return RocketFields();
        case FileId::Ddp:
            return MessagePriorityFields();
    }
    return CtFields();
}

}  // namespace tablon
