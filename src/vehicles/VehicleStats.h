// The vehicle statistics worked out from the weapons a vehicle carries, and the low-air factor
// that scales weapon ranges against low-flying targets.
#pragma once

#include "vehicles/VehicleRecord.h"

namespace tablon {

class Database;

// The low-air factor: 0.83 at start, for the whole run; never stored in a file.
constexpr float kDefaultLowAirFactor = 0.83f;
float LowAirFactor();
void SetLowAirFactor(float factor);

// Recomputes the eight hit bytes and the eight range bytes of a vehicle from the weapons its
// hardpoint slots carry, directly or through weapon lists. Slots whose weapon or weapon list
// cannot be read are left out; strength and detection stay as they are. Runs in the program's
// floating-point mode.
void RecalculateVehicleStats(const Database& db, VehicleRecord& vehicle);

}  // namespace tablon
