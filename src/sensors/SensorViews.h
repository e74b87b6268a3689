// The lists of the sensor files: radar, aircraft data, infrared, radar-warning and visual
// sensors. The five differ only in data (columns, row texts, names, messages and which
// commands they offer), so one list class reads a description of each.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/MvView.h"

namespace tablon {

class TableFile;

struct SensorColumn {
    ColumnDesc column;
    uint16_t minFileSize = 0;  // the column exists only when the file's records are this long
};

struct SensorViewSetup {
    const char* className;
    FileId file;
    const char* rowText;  // "%d": the record number
    ViewImages images;
    int initialSort;  // the sort column until one is chosen (0: file order)
    std::vector<SensorColumn> columns;
    const char* dialogTitle;   // "%d": the record number
    const char* updateFailed;  // a record that could not be written back
    const char* newName;       // name of a new record; "%d": its index
    const char* copyName;      // name of a copy
    bool newIndexUnknown;      // a new record's dialog gets the index -2 (no usage)
    bool showItem;             // offers "Show Item"
    bool sortByName;           // "Sort by Name" sorts by file order too
    const char* dropFailed;    // overwriting by dragging fails; nullptr: no dragging
};

class CSensorView : public CMvView {
  public:
    CSensorView(ShellContext& ctx, const SensorViewSetup& setup);
    const char* ClassName() const override { return setup_.className; }
    ViewImages Images() const override { return setup_.images; }
    bool CanDrag() const override { return setup_.dropFailed != nullptr; }
    void OnDrop(int sourceRow, int targetRow) override;

  protected:
    std::string ItemTextFor(const uint8_t* record, int index) const override;
    void ShowRecord(int row) override;
    unsigned RecordCommands() const override;
    std::span<const SortCommand> SortCommands() const override;
    void AddRecord(bool copy) override;
    bool DeleteLastRecord(int index) override;

  private:
    TableFile& File() const { return *Source().Table(); }
    // Reads a record into its row again.
    void RefreshRow(int row);
    const SensorViewSetup& setup_;
};

const SensorViewSetup& RadarViewSetup();
const SensorViewSetup& AcdViewSetup();
const SensorViewSetup& IcdViewSetup();
const SensorViewSetup& RwdViewSetup();
const SensorViewSetup& VsdViewSetup();

template <const SensorViewSetup& (*SetupOf)()>
class CSensorViewOf : public CSensorView {
  public:
    explicit CSensorViewOf(ShellContext& ctx) : CSensorView(ctx, SetupOf()) {}
};

class CRadarView : public CSensorViewOf<RadarViewSetup> {
  public:
    static constexpr const char* kClassName = "CRadarView";
    using CSensorViewOf::CSensorViewOf;
};
class CAcdView : public CSensorViewOf<AcdViewSetup> {
  public:
    static constexpr const char* kClassName = "CAcdView";
    using CSensorViewOf::CSensorViewOf;
};
class CIcdView : public CSensorViewOf<IcdViewSetup> {
  public:
    static constexpr const char* kClassName = "CIcdView";
    using CSensorViewOf::CSensorViewOf;
};
class CRwdView : public CSensorViewOf<RwdViewSetup> {
  public:
    static constexpr const char* kClassName = "CRwdView";
    using CSensorViewOf::CSensorViewOf;
};
class CVsdView : public CSensorViewOf<VsdViewSetup> {
  public:
    static constexpr const char* kClassName = "CVsdView";
    using CSensorViewOf::CSensorViewOf;
};

// Radians shown in degrees: the value times 57.295784 in single precision.
float Degrees(float radians);

}  // namespace tablon
