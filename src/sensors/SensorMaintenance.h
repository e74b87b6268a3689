// The maintenance commands that rewrite sensor records: "Set Combat Type #8" (the aircraft data
// of vehicles that cannot hit air targets) and "Set Pulse/Doppler flag" (every radar's pulse and
// Doppler bits from its beam distance value).
#pragma once

#include <cstdint>

namespace tablon {

class Database;
class Ui;
struct ShellContext;

// The pulse and Doppler bits that a radar's value at offset 44 gives, every other bit kept:
// 0 (either sign) clears both, 1 sets pulse only, anything else (NaN too) sets both.
uint16_t PulseDopplerFlags(uint16_t flags, float beamDistance);
// Every radar record; silent unless a write fails ("Update failed"). False when one failed.
bool SetPulseDopplerFlags(Database& db, Ui& ui);

// Asks first; on Yes sets the combat class of the aircraft data of every vehicle that has no hit
// against low air and air to 8 and reports how many records changed. False when a write failed.
bool SetCombatType8(Database& db, Ui& ui);

}  // namespace tablon
