// The weapon-list record of "vantor.wld" in its 208-byte memory form: a name, 64 weapon
// references and 64 counts. Files of the older 112-byte layout hold only the first 32 entries.
#pragma once

#include <cstdint>
#include <string>

#include "store/Bytes.h"
#include "store/FieldTable.h"

namespace tablon {

struct WeaponListRecord : RecordBytes<208> {
    enum Offset : uint16_t {
        kName = 0,
        kWeapons = 16,
        kCounts = 144,
    };
    static constexpr size_t kNameSize = 16;  // not necessarily zero-terminated
    static constexpr int kEntries = 64;
    static constexpr int kListedEntries = 32;  // entries the list view and the statistics read

    std::string Name() const { return LoadText(b + kName, kNameSize); }
    // At most 16 characters, zero-padded.
    void SetName(const std::string& name) { StoreText(b + kName, kNameSize, name); }
    uint16_t Weapon(int entry) const { return Get<uint16_t>(kWeapons + 2 * entry); }
    uint8_t Count(int entry) const { return b[kCounts + entry]; }
    void SetEntry(int entry, uint16_t weapon, uint8_t count) {
        Set<uint16_t>(kWeapons + 2 * entry, weapon);
        b[kCounts + entry] = count;
    }
};

const FieldTable& WeaponListFields();

}  // namespace tablon
