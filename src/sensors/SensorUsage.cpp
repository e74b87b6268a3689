#include "sensors/SensorUsage.h"

#include <algorithm>

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "store/Database.h"
#include "vehicles/VehicleRecord.h"

namespace tablon {

namespace {

// Every class-table entry of data type 5 whose vehicle can be read, in class-table order, with
// the vehicle it names: one pass over the class table.
template <typename Visit>
void ForEachVehicleEntry(const Database& db, Visit visit) {
    const TableFile* ct = db.Table(FileId::Ct);
    const TableFile* vcd = db.Table(FileId::Vcd);
    if (!ct || !vcd) return;
    CtRecord c;
    VehicleRecord v;
    for (int i = 0; ct->GetRecord(i, c.data()); ++i) {
        if (c.DataType() != kDataVehicle) continue;
        const uint32_t ref = c.DataRef();
        if (ref > uint32_t(INT32_MAX) || !vcd->GetRecord(int(ref), v.data())) continue;
        visit(i, c, int(ref), v);
    }
}

}  // namespace

std::vector<VehicleUse> RadarUsage(const Database& db, int radar) {
    std::vector<VehicleUse> rows;
    if (radar < 0) return rows;
    ForEachVehicleEntry(db, [&](int i, const CtRecord&, int vehicle, const VehicleRecord& v) {
        if (v.Radar() == radar) rows.push_back({v.Name(), vehicle, i});
    });
    return rows;
}

std::vector<VehicleUse> AircraftDataUsage(const Database& db, int acd) {
    std::vector<VehicleUse> rows;
    if (acd < 0) return rows;
    ForEachVehicleEntry(db, [&](int i, const CtRecord& c, int vehicle, const VehicleRecord& v) {
        if (c.AltDataRef() == acd) rows.push_back({v.Name(), vehicle, i});
    });
    return rows;
}

std::vector<VehicleUse> SensorUsage(const Database& db, SensorType type, int index) {
    std::vector<VehicleUse> rows;
    const TableFile* acd = db.Table(FileId::Acd);
    if (!acd || index < 0) return rows;
    // The aircraft-data records that carry the sensor, from one pass over the file.
    std::vector<uint8_t> carries;
    AircraftDataRecord a;
    for (int r = 0; acd->GetRecord(r, a.data()); ++r) {
        bool match = false;
        for (int s = 0; s < AircraftDataRecord::kSensors; ++s)
            match = match || (a.SensorType(s) == type && a.SensorIndex(s) == index);
        carries.push_back(match);
    }
    // Their vehicles from one pass over the class table, then put in aircraft-data order.
    std::vector<std::pair<int, VehicleUse>> found;
    ForEachVehicleEntry(db, [&](int i, const CtRecord& c, int vehicle, const VehicleRecord& v) {
        const int alt = c.AltDataRef();
        if (alt >= 0 && size_t(alt) < carries.size() && carries[size_t(alt)])
            found.push_back({alt, {v.Name(), vehicle, i}});
    });
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    for (auto& f : found) rows.push_back(std::move(f.second));
    return rows;
}

std::vector<int> AircraftDataUsingRadar(const Database& db, int radar) {
    std::vector<int> rows;
    const TableFile* acd = db.Table(FileId::Acd);
    if (!acd || radar < 0) return rows;
    AircraftDataRecord a;
    for (int r = 0; acd->GetRecord(r, a.data()); ++r)
        for (int s = 0; s < AircraftDataRecord::kSensors; ++s)
            if (a.SensorType(s) == kSensorRadar && a.SensorIndex(s) == radar) rows.push_back(r);
    return rows;
}

}  // namespace tablon
