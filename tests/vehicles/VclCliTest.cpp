// "tablon-cli run recalc-stats": the statistics recalculation of a vehicle view from the
// command line.
#include <gtest/gtest.h>

#include <sstream>

#include "support/CliRunner.h"
#include "vehicles/VclTestFixture.h"

namespace tablon::test {
namespace {

class VclCliTest : public VclTest, protected CliRunner {
  protected:
    using CliRunner::Run;
    // An air and a land vehicle, both carrying a gun of range 100 and hit chance 50, with
    // statistics that do not say so yet.
    void Write() {
        ct_ = {CtEntry(kAir), CtEntry(kAir), CtEntry(kLand)};
        weapons_ = {{}, Weapon("Gun", 100, 50)};
        vehicles_ = {Vehicle("Jet", 1), Vehicle("Tank", 2)};
        for (auto& v : vehicles_) v.SetSlot(0, 1, 10);
        OpenDb();
        db_.reset();  // the command line opens the files itself
    }
    VehicleRecord Stored(int index) {
        Bytes file = ReadBytes(Path("vantor.vcd"));
        VehicleRecord v;
        std::memcpy(v.data(), file.data() + 2 + size_t(index) * 160, 160);
        return v;
    }
};

TEST_F(VclCliTest, RecalcStatsWorksOnTheVehiclesOfTheCategory) {
    Write();
    ASSERT_EQ(Run({"--dir", Dir(), "run", "recalc-stats", "Vehicles/Land"}), 0) << err_.str();
    EXPECT_EQ(Stored(1).Hit(0), 50);
    EXPECT_EQ(Stored(1).Range(4), 83);
    EXPECT_EQ(Stored(0), vehicles_[0]);

    ASSERT_EQ(Run({"run", "recalc-stats", "Vehicles", "--low-air", "0.5"}), 0) << err_.str();
    EXPECT_EQ(Stored(0).Range(4), 50);
    EXPECT_EQ(Stored(1).Range(4), 50);
    EXPECT_EQ(Stored(0).Range(5), 100);
}

TEST_F(VclCliTest, RecalcStatsRefusesWhatItCannotDo) {
    Write();
    const Bytes before = ReadBytes(Path("vantor.vcd"));
    EXPECT_EQ(Run({"run", "recalc-stats", "Vehicles", "--low-air", "1.5"}), 2);
    EXPECT_NE(err_.str().find("Please enter a number between 0 and 1."), std::string::npos);
    EXPECT_EQ(Run({"run", "recalc-stats", "Vehicles", "--low-air", "x"}), 2);
    EXPECT_EQ(Run({"run", "recalc-stats", "Class Table"}), 1);
    EXPECT_NE(err_.str().find("recalc-stats does not apply to Class Table"), std::string::npos);
    EXPECT_EQ(Run({"run", "recalc-stats", "Vehicles/Nowhere"}), 1);
    EXPECT_EQ(Run({"run", "recalc-stats"}), 2);
    EXPECT_EQ(Run({"run", "polish"}), 2);
    EXPECT_NE(err_.str().find("unknown run command polish"), std::string::npos);
    EXPECT_EQ(ReadBytes(Path("vantor.vcd")), before);
}

}  // namespace
}  // namespace tablon::test
