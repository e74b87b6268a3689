// A database for the sensor tests: the vehicle test's records plus aircraft data, radars and
// the small sensor files, each file with the record size it is to have.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "sensors/AircraftDataRecord.h"
#include "sensors/RadarRecord.h"
#include "sensors/SensorRecords.h"
#include "vehicles/VclTestFixture.h"

namespace tablon::test {

inline AircraftDataRecord Acd(int combatClass, std::vector<std::pair<int, int>> sensors = {}) {
    AircraftDataRecord a;
    a.Set<int32_t>(AircraftDataRecord::kCombatClass, combatClass);
    for (int i = 0; i < AircraftDataRecord::kSensors; ++i) a.SetSensor(i, kSensorNone, -1);
    for (size_t i = 0; i < sensors.size(); ++i)
        a.SetSensor(int(i), sensors[i].first, sensors[i].second);
    return a;
}

// A class-table vehicle entry whose alternate reference names aircraft data.
inline CtRecord VehicleEntry(uint32_t vehicle, int16_t acd, int domain = kAir) {
    CtRecord c = CtEntry(domain, 7, 1, 5, vehicle);
    c.Set<int16_t>(CtRecord::kAltDataRef, acd);
    return c;
}

class SensorTest : public VclTest {
  protected:
    // The vehicle test's files and the sensor files given (a sensor file left empty keeps the
    // minimal set's records), then the set opened.
    void OpenSensors() {
        WriteVehicleFiles();
        if (!acd_.empty()) WriteRecords("vantor.acd", acd_);
        if (!radars_.empty()) WriteCut("vantor.rcd", radars_, radarSize_);
        if (!ir_.empty()) WriteRecords("vantor.icd", ir_);
        if (!rwr_.empty()) WriteCut("vantor.rwd", rwr_, rwrSize_);
        if (!visual_.empty()) WriteRecords("vantor.vsd", visual_);
        Open();
    }
    // Records written with their first `size` bytes (the older radar and radar-warning files).
    template <typename R>
    void WriteCut(const std::string& file, const std::vector<R>& records, size_t size) {
        Bytes b = CountFile(uint16_t(records.size()), uint16_t(size));
        for (size_t i = 0; i < records.size(); ++i)
            std::memcpy(b.data() + 2 + i * size, records[i].data(), size);
        WriteBytes(Path(file), b);
    }
    // Closes the set so that the command line can open it.
    void CloseForCli() {
        app_.reset();
        db_.reset();
    }
    int Run(std::vector<std::string> words) {
        words.insert(words.begin(), {"tablon-cli", "--dir", Dir()});
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        out_.str("");
        err_.str("");
        return RunCli(int(argv.size()), argv.data(), out_, err_);
    }
    template <typename R>
    R Stored(FileId file, int index) {
        R r;
        EXPECT_TRUE(db_->Table(file)->GetRecord(index, r.data()));
        return r;
    }

    std::vector<AircraftDataRecord> acd_;
    std::vector<RadarRecord> radars_;
    std::vector<IrSensorRecord> ir_;
    std::vector<RwrRecord> rwr_;
    std::vector<VisualSensorRecord> visual_;
    size_t radarSize_ = RadarRecord::kSize;
    size_t rwrSize_ = RwrRecord::kSize;
    std::ostringstream out_, err_;
};

}  // namespace tablon::test
