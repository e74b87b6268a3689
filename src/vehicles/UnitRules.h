// What a unit is made of: its vehicle slots and the names they show, its role names, and the
// statistics it takes from its vehicles.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vehicles/UnitRecord.h"

namespace tablon {

struct CtRecord;
class Database;

// The role names of a unit's domain (its class-table record's domain byte): 16 names.
const std::vector<std::string>& RoleNames(int domain);
// The titles of the sixteen role-score columns of the unit list.
extern const char* const kRoleColumnTitles[kUnitRoles];

// The name of what a class-table entry names: a unit's name (data type 4), a vehicle's (data
// type 5), "???" when that record cannot be read, "?!?" for any other data type; nothing when
// the class-table record itself cannot be read.
std::optional<std::string> EntryName(Database& db, uint32_t ctIndex);
// The "Unit" cell of the unit list: the name, " - ", and what slot 0 names ("Empty" when the
// slot is empty or its class-table record cannot be read).
std::string UnitListText(Database& db, const UnitRecord& unit);

// Slots: a slot is empty when its class-table index is 0, whatever its number.
int FirstEmptySlot(const UnitRecord& unit);  // -1 when every slot is used
// Fills a slot as "Add Unit" does: the class-table index, the number, the class-table record's
// domain, class, type, subtype and specific bytes, then 255, 255, 255.
void FillSlot(UnitRecord& unit, int slot, uint16_t ctIndex, uint32_t number, const CtRecord& ct);
// Empties a slot: index, number and all eight class bytes to 0.
void ClearSlot(UnitRecord& unit, int slot);
// Exchanges two slots (index, number, class bytes); false, changing nothing, when a position is
// outside 0 to 15.
bool SwapSlots(UnitRecord& unit, int a, int b);

// A slot row of the unit dialog (and of "unit slots"): name, class-table index, position, number,
// domain and class names, type name of the slot's own class bytes, subtype byte.
struct SlotRow {
    int slot = 0;
    std::vector<std::string> cells;
    int icon = 0;
};
// The row of a slot: nothing for an empty slot or one whose class-table record cannot be read.
std::optional<SlotRow> UnitSlotRow(Database& db, const UnitRecord& unit, int slot);
extern const char* const kSlotColumnTitles[8];

// The hit, range and detection bytes of the vehicles class-table entries name, each entry
// looked up once: one index for a whole recalculation.
class SlotStatsIndex {
  public:
    explicit SlotStatsIndex(Database& db);
    // The 24 bytes (hit, range, detection per target class) of the vehicle an entry names;
    // nullptr when the entry is no readable vehicle entry or its vehicle cannot be read.
    const uint8_t* Of(uint16_t ctIndex);

  private:
    Database& db_;
    std::vector<int32_t> at_;  // per class-table index: -2 not looked up, -1 none, else offset
    std::vector<uint8_t> stats_;
};

// Sets the unit's hit, range and detection bytes to the largest of its vehicles' (starting from
// 0); strength is left alone, slots that name units or cannot be read add nothing.
void RecalculateUnitStats(Database& db, UnitRecord& unit);
void RecalculateUnitStats(SlotStatsIndex& index, UnitRecord& unit);

}  // namespace tablon
