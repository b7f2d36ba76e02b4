#pragma once
// Containers of the sound events, sound resources, action sounds and 3D effects.
#include <cstdint>
#include <map>
#include <string>

using SoundEventTable = std::map<uint32_t, std::string>;
struct SoundResInfo;
using SoundResTable = std::map<std::string, SoundResInfo*>;
using Effect3DTable = std::map<uint64_t, std::string>;
using ActionSoundTable = std::map<uint32_t, std::string>;
