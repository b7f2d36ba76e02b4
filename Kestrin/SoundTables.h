#pragma once
// Containers of the sound events, sound resources, action sounds and 3D effects. Nothing
// enumerates these tables; the client only looks keys up, per frame, so each is a hashed
// table (HashedTable.h) rather than a tree.
#include <cstdint>
#include <string>
#include <vector>

#include "HashedTable.h"
#include "ZorString.h"

// ini/SoundEvent.ini: event number (taken bit for bit from its signed text) to sound name.
using SoundEventTable = CHashedTable<uint32_t, std::string>;

// One section of ini/SoundRes.ini: its sound files in file order, duplicates and empty names
// included.
struct SoundResInfo {
  std::vector<std::string> vecFiles;
};
// Section title (bytes as written, blanks included) to its files; the first section of a
// title is the one kept.
using SoundResTable = CHashedTable<std::string, SoundResInfo>;

// 3D effects under the key a.b.c.d packed as a * 10^10 + b * 10^6 + c * 10^3 + d.
using WeaponEffect3DTable = CHashedTable<uint64_t, std::string>;
using ActionEffect3DTable = CHashedTable<uint64_t, ZorString::CZorString>;

// Action sounds under the key a.b.c packed as a * 10^7 + b * 10^4 + c.
using ActionSoundTable = CHashedTable<uint64_t, ZorString::CZorString>;
