// Who uses a sensor record. Vehicles reach their aircraft data through their class-table
// record (data type 5, the alternate data reference is the aircraft-data index) and name their
// radar directly; aircraft data names up to five sensors by type and index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sensors/AircraftDataRecord.h"

namespace tablon {

class Database;

// A row of a usage list: the vehicle's name, its record number and the class-table record that
// leads to it.
struct VehicleUse {
    std::string name;
    int vehicle = 0;
    int ct = 0;
    bool operator==(const VehicleUse&) const = default;
};

// The vehicles of class-table entries of data type 5 whose readable vehicle has this radar in
// its "RCD" field, in class-table order (a vehicle named by two entries appears twice).
std::vector<VehicleUse> RadarUsage(const Database& db, int radar);
// The vehicles of class-table entries of data type 5 whose alternate reference is this
// aircraft-data record.
std::vector<VehicleUse> AircraftDataUsage(const Database& db, int acd);
// The vehicles of the aircraft-data records that have at least one sensor of this type (IRST,
// RWR or visual) with this index: aircraft-data order, each record once, then class-table order.
std::vector<VehicleUse> SensorUsage(const Database& db, SensorType type, int index);
// The aircraft-data records with a radar sensor on this radar, once per such sensor.
std::vector<int> AircraftDataUsingRadar(const Database& db, int radar);

}  // namespace tablon
