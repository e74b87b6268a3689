#include "sensors/SensorMaintenance.h"

#include "classtable/CtFile.h"
#include "classtable/CtNames.h"
#include "sensors/AircraftDataRecord.h"
#include "sensors/RadarRecord.h"
#include "shell/Ui.h"
#include "store/Database.h"
#include "vehicles/VehicleRecord.h"

namespace tablon {

uint16_t PulseDopplerFlags(uint16_t flags, float v) {
    const uint16_t both = kRadarPulse | kRadarDoppler;
    if (v == 0.0f) return uint16_t(flags & ~both);
    if (v == 1.0f) return uint16_t((flags | kRadarPulse) & ~kRadarDoppler);
    return uint16_t(flags | both);
}

bool SetPulseDopplerFlags(Database& db, Ui& ui) {
    TableFile& rcd = *db.Table(FileId::Rcd);
    // Records without a flag word have nothing to change.
    if (rcd.RecordSize() <= RadarRecord::kFlags) return true;
    BusyScope busy(ui);
    bool ok = true;
    WriteBatch batch(rcd);
    RadarRecord r;
    for (int i = 0; rcd.GetRecord(i, r.data()); ++i) {
        r.Set<uint16_t>(RadarRecord::kFlags,
                        PulseDopplerFlags(r.Flags(), r.Get<float>(RadarRecord::kBeamDistance)));
        if (!rcd.SetRecord(i, r.data())) {
            ui.Show("Update failed");
            ok = false;
        }
    }
    if (!batch.Finish()) {
        ui.Show("Update failed");
        ok = false;
    }
    return ok;
}

bool SetCombatType8(Database& db, Ui& ui) {
    if (ui.Message("You're about to set the combat type of all vehicle which has no 'hit against "
                   "low air/air' to 8.\n\nDo you want to proceed?",
                   Icon::Question, Buttons::YesNo, "Warning") != Answer::Yes)
        return true;
    constexpr int32_t kCombatClass8 = 8;
    constexpr int kLowAir = 4, kAir = 5;
    const TableFile& vcd = *db.Table(FileId::Vcd);
    TableFile& acd = *db.Table(FileId::Acd);
    CtFile& ct = db.Ct();
    int count = 0;
    bool ok = true;
    {
        BusyScope busy(ui);
        WriteBatch batch(acd);
        VehicleRecord v;
        CtRecord c;
        AircraftDataRecord a;
        for (int i = 0; vcd.GetRecord(i, v.data()); ++i) {
            if (v.CtIndex() == 0 || v.Hit(kLowAir) != 0 || v.Hit(kAir) != 0) continue;
            // Only a vehicle entry's alternate reference names aircraft data.
            if (!ct.GetRecord(uint16_t(v.CtIndex()), c) || c.DataType() != kDataVehicle) continue;
            const int alt = c.AltDataRef();
            if (alt < 0 || !acd.GetRecord(alt, a.data())) continue;
            if (a.Get<int32_t>(AircraftDataRecord::kCombatClass) == kCombatClass8) continue;
            a.Set<int32_t>(AircraftDataRecord::kCombatClass, kCombatClass8);
            if (acd.SetRecord(alt, a.data())) {
                ++count;
            } else {
                ui.Show("Update failed");
                ok = false;
            }
        }
        if (!batch.Finish()) {
            ui.Show("Update failed");
            ok = false;
        }
    }
    ui.Message(count == 0 ? std::string("No entry processed")
                          : Format("%d entr%s processed", count, count == 1 ? "y" : "ies"),
               Icon::Information, Buttons::Ok, "Number of entries processed");
    return ok;
}

}  // namespace tablon
