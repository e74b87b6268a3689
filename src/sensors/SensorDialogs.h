// The detail dialogs of the sensor records ("RCD Data", "ICD Data", "RWD Data", "VSD Data" and
// "ACD Data"), their flag dialogs ("Radar flags", "Rwr flags") and the usage lists they open.
// Each edits its caller's copy of a record; the caller writes it back on "UPDATE".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sensors/AircraftDataRecord.h"
#include "shell/Form.h"
#include "shell/Registry.h"

namespace tablon {

namespace sensordlg {
constexpr int kName = 1700;          // the large label with the dialog's name
constexpr int kField = 1701;         // 1701 on: the entries in order
constexpr int kDegrees = 1730;       // 1730 on: the degree field beside entry i
constexpr int kFlagsButton = 1750;   // "Flags"
constexpr int kFlags = 1751;         // the flag word
constexpr int kUsedBy = 1752;        // "Used By...", "Used by ...", "Used by..."
constexpr int kAcdUsage = 1753;      // "Acd Usage"
constexpr int kGroup = 1754;         // "Scan Angles"
constexpr int kFlagBox = 1760;       // 1760 + bit number: the flag boxes
constexpr int kUsageList = 1780;     // the usage lists
constexpr int kUsageHeading = 1781;  // "Aircraft defn using radar %d"
constexpr int kCombatClass = 1785;
constexpr int kAirframe = 1786;
constexpr int kIrIndex = 1787;
constexpr int kSensorType = 1790;    // 1790 + sensor: its type list
constexpr int kSensorIndex = 1800;   // 1800 + sensor: its "Sind" field
constexpr int kSensorButton = 1810;  // 1810 + sensor: the button that opens its record
}  // namespace sensordlg

// A flag dialog: one box per bit; a fixed box is shown with its bit but cannot be changed.
struct FlagBox {
    uint16_t bit;
    const char* label;
    bool fixed = false;
};
struct FlagsSetup {
    const char* title;
    std::vector<FlagBox> boxes;
};
const FlagsSetup& RadarFlagsSetup();
const FlagsSetup& RwrFlagsSetup();

// On OK the flag word becomes exactly the bits of the boxes (every other bit cleared).
class CFlagsDialog : public Form {
  public:
    CFlagsDialog(const FlagsSetup& setup, uint16_t flags);
    uint16_t Flags() const { return flags_; }

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    const FlagsSetup& setup_;
    uint16_t flags_;
};

// A usage list: rows made by a function (again after a row's record was edited) and what a
// double-click opens.
enum class UsageOpens { Nothing, Vehicle, AircraftData };
class CUsageListDialog : public Form {
  public:
    CUsageListDialog(ShellContext& ctx, std::string title, std::string heading,
                     std::vector<ListColumn> columns, std::function<std::vector<ListRow>()> rows,
                     UsageOpens opens);

  protected:
    void OnInitDialog() override;
    void OnListEvent(int id, ListEventKind kind, int row, int column) override;

  private:
    ShellContext& ctx_;
    std::function<std::vector<ListRow>()> rows_;
    UsageOpens opens_;
};

// The usage lists as rows: "Vehicle", "CT No" with the vehicle number as item data; "Acd Def"
// with the aircraft-data number.
std::vector<ListRow> RadarUsageRows(const Database& db, int radar);
std::vector<ListRow> AircraftDataUsageRows(const Database& db, int acd);
std::vector<ListRow> SensorUsageRows(const Database& db, SensorType type, int index);
std::vector<ListRow> AcdRadarUsageRows(const Database& db, int radar);

// The four dialogs of one pattern: floats (some with degree fields), a few integers, the flag
// word, the usage buttons. What tells them apart is data.
struct SensorEntry;
struct SensorDialogSetup;
const SensorDialogSetup& RadarDialogSetup();
const SensorDialogSetup& IcdDialogSetup();
const SensorDialogSetup& RwdDialogSetup();
const SensorDialogSetup& VsdDialogSetup();

class CSensorDialog : public Form {
  public:
    CSensorDialog(ShellContext& ctx, const SensorDialogSetup& setup, uint8_t* copy, int index,
                  const std::string& name);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;

  private:
    bool HasFlagWord() const;
    ShellContext& ctx_;
    const SensorDialogSetup& setup_;
    uint8_t* copy_;
    int index_;
};

class CAcdDialog : public Form {
  public:
    CAcdDialog(ShellContext& ctx, AircraftDataRecord& copy, int index, const std::string& name);

  protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnButton(int id) override;

  private:
    // Labels and enables a sensor's button after the type chosen in its list.
    void ShowSensorButton(int sensor);
    void OpenSensor(int sensor);
    ShellContext& ctx_;
    AircraftDataRecord& copy_;
    int index_;
};

// The dialogs as the detail dialogs of their record kinds, for every caller through the registry.
void RegisterSensorDialogs(ShellRegistry& registry);

}  // namespace tablon
