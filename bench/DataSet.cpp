#include "DataSet.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <type_traits>
#include <vector>

#include "DatCipher.h"

namespace fs = std::filesystem;

namespace KestrinBench {

const char DATA_SET_MARKER[] = "dataset.txt";

namespace {

// Per scale unit. Single-key tables hold about 3000 entries (150,000 at scale 50), the effect
// tables 12,000 words each (600,000 at scale 50).
const size_t GAME_MAPS = 1000;
const size_t REGIONS = 3000;
const size_t SOUND_EVENTS = 10000;
const size_t SOUND_RES = 6000;
const size_t TERRAIN_NPCS = 1000;
const size_t BATTLE_MAPS = 300;
const size_t FIGHTER_OFFSETS = 3000;
const size_t CAMERA_TRACKS = 100;
const size_t NPCS = 3000;
const size_t STAR_LOOKS = 3000;
const size_t ROLE_PART_SCALES = 3000;
const size_t ROLE_2D_LOOKS = 1000;
const size_t HIDE_ENTRIES = 2000;
const size_t LOOK_SCALES = 3000;
const size_t MOUNT_SCALES = 2000;
const size_t APPENDENT_WEAPONS = 3000;
const size_t WEAPON_ADJUSTS = 3000;
const size_t EFFECT_LOOKS = 50;        // x 20 weapons x 12 actions = 12,000 exact words
const size_t ACTION_SOUND_LOOKS = 50;  // x 8 weapons x 25 actions = 10,000 exact words
const size_t SIMPLE_OBJS = 3000;
const size_t ROLE_TRACE_GROUPS = 100;  // x 30 = 3000 records, plus 100 wildcards
const size_t ROLE_PART_REPLACES = 3000;
const size_t VIEW_POSITIONS = 64;  // one list for all maps: it does not grow with the scale

// A small deterministic generator (xorshift64*): the same scale gives the same files.
class CRandom {
 public:
  explicit CRandom(uint64_t nSeed) : m_nState(nSeed * 0x9E3779B97F4A7C15ull + 1) {}
  uint32_t Next() {
    m_nState ^= m_nState >> 12;
    m_nState ^= m_nState << 25;
    m_nState ^= m_nState >> 27;
    return static_cast<uint32_t>((m_nState * 0x2545F4914F6CDD1Dull) >> 32);
  }
  uint32_t Below(uint32_t n) { return Next() % n; }
  bool OneIn(uint32_t n) { return Below(n) == 0; }

 private:
  uint64_t m_nState;
};

// Text of a table, appended piece by piece.
class CText {
 public:
  CText& operator<<(std::string_view text) {
    m_str.append(text);
    return *this;
  }
  CText& operator<<(char ch) {
    m_str.push_back(ch);
    return *this;
  }
  template <typename TNumber,
            typename = std::enable_if_t<std::is_integral_v<TNumber> && !std::is_same_v<TNumber, char>>>
  CText& operator<<(TNumber n) {
    char sz[24];
    char* pEnd = std::to_chars(sz, sz + sizeof(sz), n).ptr;
    m_str.append(sz, static_cast<size_t>(pEnd - sz));
    return *this;
  }
  // A number with a fixed count of decimals, as table authors write scales.
  CText& Fixed(double d, int nDecimals) {
    char sz[48];
    int n = snprintf(sz, sizeof(sz), "%.*f", nDecimals, d);
    m_str.append(sz, static_cast<size_t>(n));
    return *this;
  }
  CText& Hex(uint32_t n) {
    char sz[16];
    int nLength = snprintf(sz, sizeof(sz), "%08X", n);
    m_str.append(sz, static_cast<size_t>(nLength));
    return *this;
  }
  const std::string& Str() const { return m_str; }
  void Reserve(size_t n) { m_str.reserve(n); }

 private:
  std::string m_str;
};

const char* const SYLLABLES[] = {"al",  "bar", "cor", "dun", "el",  "fen", "gar", "hol",
                                 "ith", "jor", "kel", "lun", "mar", "nor", "ost", "pel",
                                 "qua", "ros", "sil", "tor", "ul",  "vex", "wyn", "yar",
                                 "zel", "an",  "bel", "cal", "dor", "eth", "fal", "gil"};
const size_t SYLLABLE_COUNT = sizeof(SYLLABLES) / sizeof(SYLLABLES[0]);

// A made-up word of two to four syllables, the same for the same number.
std::string Word(uint64_t n, int nSyllables) {
  std::string str;
  for (int i = 0; i < nSyllables; ++i) {
    str += SYLLABLES[n % SYLLABLE_COUNT];
    n = n / SYLLABLE_COUNT + n * 7 + 3;
  }
  return str;
}
std::string Capital(std::string str) {
  if (!str.empty() && str[0] >= 'a' && str[0] <= 'z') str[0] = static_cast<char>(str[0] - 32);
  return str;
}

const char* const PARTS[] = {"Hair", "Cloak", "Head", "Helmet", "Shield", "Tail", "Wing"};

// Writes a file, bytes as given. Parents exist.
bool WriteFile(const fs::path& path, const std::string& strText, std::string* pError) {
  std::ofstream out(path, std::ios::binary);
  out.write(strText.data(), static_cast<std::streamsize>(strText.size()));
  out.close();
  if (!out) {
    if (pError != nullptr) *pError = "cannot write " + path.string();
    return false;
  }
  return true;
}

std::string GameMapText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; The game map catalogue: one section per map, titled with the map id.\n"
       "; Every key but limit is required.\n\n";
  for (size_t i = 0; i < shape.nGameMaps; ++i) {
    std::string strName = Word(i, 3);
    if (i % 50 == 0) t << "; maps from " << GameMapId(i) << " on\n";
    t << '[' << GameMapId(i) << "]\n";
    if (i % 20 == 7) {
      t << "File=NULL\n";
    } else {
      t << "File=map/" << strName << ".dmap\n";
    }
    t << "PuzzleGridSize=" << static_cast<int32_t>(32 << random.Below(3)) << '\n';
    t << "Oblique=" << static_cast<int32_t>(random.Below(2)) << '\n';
    t << "Light=" << static_cast<int32_t>(random.OneIn(5) ? 0 : 1) << '\n';
    t << "LightDirX=";
    t.Fixed(random.Below(200) / 100.0 - 1.0, 2) << '\n';
    t << "LightDirY=-1.0\n";
    t << "LightDirZ=";
    t.Fixed(random.Below(100) / 100.0, 2) << '\n';
    t << "Diffuse=";
    t.Hex(0xFF000000u | random.Next() >> 8) << '\n';
    t << "Ambient=0x";
    t.Hex(0xFF000000u | random.Next() >> 8) << '\n';
    t << "switch=" << static_cast<int32_t>(random.Below(2)) << '\n';
    t << "daysound=sound/" << strName << "_day.wav\n";
    t << "nightsound=sound/" << strName << "_night.wav\n";
    t << "day=FFFFFFFF\n";
    t << "nightfall=FFD09070\n";
    t << "night=FF5060A0\n";
    t << "dawn=FFE0C0B0\n";
    uint32_t nJump = random.Below(static_cast<uint32_t>(shape.nGameMaps));
    t << "jump=" << (random.OneIn(10) ? GameMapId(nJump) : 0u) << '\n';
    if (i % 3 == 0) {
      t << "limit=" << static_cast<int32_t>(random.Below(60)) << ','
        << static_cast<int32_t>(random.Below(60)) << ',' << static_cast<int32_t>(random.Below(60))
        << '\n';
    }
    t << '\n';
  }
  return t.Str();
}

// Eighteen white-space separated fields; no comment syntax. Now and then a record spans two
// lines, as the format allows.
std::string RegionText(const DataSetShape& shape, CRandom& random) {
  CText t;
  for (size_t i = 0; i < shape.nRegions; ++i) {
    t << RegionId(i) << ' ' << RegionSecondId(i) << ' ' << random.Below(8) << ' '
      << random.Below(400) << ' ' << random.Below(400) << ' ' << random.Below(100) << ' '
      << random.Below(3) << ' ' << Capital(Word(i, 2)) << '_' << Capital(Word(i + 7, 2)) << ' '
      << Capital(Word(i * 3, 3)) << ' ';
    if (i % 100 == 99) t << '\n';
    t << random.Below(1000) << ' ' << random.Below(1000) << ' ' << random.Below(1000) << ' '
      << random.Below(1000) << ' ' << static_cast<int32_t>(random.Below(2000)) - 1000 << ' '
      << static_cast<int32_t>(random.Below(2000)) - 1000 << ' '
      << static_cast<int32_t>(random.Below(100)) << ' ' << static_cast<int32_t>(random.Below(100))
      << ' ';
    int nWords = 2 + static_cast<int>(random.Below(6));
    for (int w = 0; w < nWords; ++w) t << (w == 0 ? "" : "_") << Word(i * 11 + w, 2);
    t << '\n';
  }
  return t.Str();
}

std::string SoundEventText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; event number=sound name (a section of SoundRes.ini, or a file)\n";
  for (size_t i = 0; i < shape.nSoundEvents; ++i) {
    if (i % 500 == 250) t << "; events from " << SoundEventId(i) << " on\n";
    t << SoundEventId(i) << '=';
    if (random.OneIn(4)) {
      t << "sound/event/" << Word(i, 3) << ".wav\n";
    } else {
      t << SoundResName(random.Below(static_cast<uint32_t>(shape.nSoundRes))) << '\n';
    }
  }
  return t.Str();
}

std::string SoundResText(const DataSetShape& shape) {
  CText t;
  t << "; one section per sound name; each Sound line adds a file, one is picked at random\n";
  for (size_t i = 0; i < shape.nSoundRes; ++i) {
    t << '[' << SoundResName(i) << "]\n";
    // Most sounds have one file; every third has a few to pick from.
    size_t nFiles = SoundResFiles(i);
    for (size_t f = 0; f < nFiles; ++f) {
      t << "Sound=sound/" << Word(i, 2) << '/' << Word(i + f, 3) << '_' << f << ".wav";
      if (f == 1 && i % 10 == 0) t << "   ; picked at random";
      t << '\n';
    }
    t << '\n';
  }
  return t.Str();
}

std::string TerrainNpcText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; Terrain NPCs: [TerrNpcNNNN], Name=, eight Dir lines, nothing between them.\n\n";
  for (size_t i = 0; i < shape.nTerrainNpcs; ++i) {
    if (i % 100 == 50) t << "// the next hundred\n";
    std::string strName = Word(i, 2 + random.Below(2));
    t << "[TerrNpc" << TerrainNpcId(i) << "]\n";
    t << "Name=" << Capital(strName) << '\n';
    for (int d = 0; d < 8; ++d) t << "Dir" << d << "=npc/" << strName << '_' << d << ".ani\n";
    t << '\n';
  }
  return t.Str();
}

// Section 0 answers for every map not listed; it also carries the view positions and the two
// battle cameras. Torch lines follow the first line of the next group, as they must to count.
std::string BattleMapText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; Battle maps: one section per map number. Map 0 answers for every map not listed.\n"
       "; FighterPos<group>=key1 key2 and six values; Torch<group> after the group closed.\n\n";
  for (size_t nMap = 0; nMap < shape.nBattleMaps; ++nMap) {
    int32_t nCellX = 40 + static_cast<int32_t>(random.Below(30));
    int32_t nCellY = 30 + static_cast<int32_t>(random.Below(30));
    t << '[' << nMap << "]\n";
    t << "CenterWorld=" << nCellX * 64 << ' ' << nCellY * 64 << '\n';
    t << "CenterCell=" << nCellX << ' ' << nCellY << '\n';
    t << "UpArrayCellpos=" << nCellX - 4 << ' ' << nCellY - 4 << '\n';
    t << "DownArrayCellpos=" << nCellX + 4 << ' ' << nCellY + 4 << '\n';
    t << "MaxScale=" << static_cast<int32_t>(300 + random.Below(84)) << "  ; widest zoom\n";
    t << "MinScale=256\nDefScale=256\nStartScale=256\n";
    t << "DefAngle=-30\nStartAngle=-90\n";
    t << "RotaryAngle=" << static_cast<int32_t>(random.Below(4) * 90) << '\n';
    t << "CameraTime=" << static_cast<int32_t>(800 + random.Below(5) * 100) << '\n';
    t << "TerraHigh=" << static_cast<int32_t>(random.Below(40)) << '\n';
    t << "StartPos=0 0 " << nCellX - 4 << ' ' << nCellY - 4 << " 0\n";
    t << "StartPos=1 0 " << nCellX + 4 << ' ' << nCellY + 4 << " 180\n";
    uint32_t nGroups = 2 + random.Below(3);
    for (uint32_t g = 1; g <= nGroups; ++g) {
      uint32_t nFighters = 6 + random.Below(7);
      for (uint32_t f = 0; f < nFighters; ++f) {
        t << "FighterPos" << g << '=' << (g - 1) % 2 << ' ' << f << ' '
          << nCellX + static_cast<int32_t>(random.Below(9)) - 4 << ' '
          << nCellY + static_cast<int32_t>(random.Below(9)) - 4 << ' '
          << static_cast<int32_t>(((g - 1) % 2) * 180) << " 0 0 0\n";
        if (g > 1 && f == 0) {
          t << "Torch" << g - 1 << '=' << nCellX - 6 << ' ' << nCellY - 6 << ' ' << nCellX + 6
            << ' ' << nCellY + 6 << '\n';
        }
      }
    }
    if (nMap == 0) {
      t << "\n; the view positions and the camera set-ups belong to no map\n";
      for (size_t v = 0; v < shape.nViewPos; ++v) {
        t << "ViewPos" << v << '=' << v / 8 << ' ' << v % 8 << ' '
          << static_cast<int32_t>(3000 + random.Below(400)) << ' '
          << static_cast<int32_t>(2200 + random.Below(400)) << ' '
          << static_cast<int32_t>(256 + random.Below(64)) << " -30\n";
      }
      t << "ViewStartPos=3200 2400 256 -90\n";
      t << "Eye=0 -600 520\nEyeRotate=-40 0 0\nTo=0 0 0\n";
      t << "MoveEye=0 -720 610\nMoveEyeRotate=-38 0 0\nMoveTo=0 40 0\n";
    }
    t << '\n';
  }
  return t.Str();
}

std::string FighterOffsetText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; key x y: the offset of a fighter position\n";
  for (size_t i = 0; i < shape.nFighterOffsets; ++i) {
    t << FighterOffsetKey(i) << ' ' << static_cast<int32_t>(random.Below(65)) - 32 << ' '
      << static_cast<int32_t>(random.Below(65)) - 32 << '\n';
  }
  return t.Str();
}

// The track files themselves: a 32-bit count, then 32 bytes a frame.
std::string TrackFile(size_t i, CRandom& random) {
  uint32_t nFrames = 20 + random.Below(180);
  std::string str(4 + 32 * static_cast<size_t>(nFrames), '\0');
  for (int b = 0; b < 4; ++b) str[static_cast<size_t>(b)] = static_cast<char>(nFrames >> (8 * b));
  for (size_t n = 4; n < str.size(); ++n) str[n] = static_cast<char>((n * 31 + i) & 0xFF);
  return str;
}

std::string CameraTrackText(const DataSetShape& shape) {
  CText t;
  t << "; name path number\n";
  for (size_t i = 0; i < shape.nCameraTracks; ++i) {
    if (i % 20 == 10) t << "// more tracks\n";
    t << CameraTrackName(i) << " track/" << CameraTrackName(i) << ".trk " << i % 5 << '\n';
  }
  return t.Str();
}

// A stream of words: [NpcTypeN] and its nine keys; words between records (these comments)
// are skipped as long as none begins with a bracket.
std::string NpcText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; NPC definitions: a section word NpcType<type> in brackets, then its nine keys.\n\n";
  for (size_t i = 0; i < shape.nNpcs; ++i) {
    if (i % 200 == 100) t << "; the next two hundred types\n\n";
    int64_t nMotion = 100000 + static_cast<int64_t>(i) * 10;
    t << "[NpcType" << NpcType(i) << "]\n";
    t << "Name=" << Capital(Word(i, 2 + random.Below(2))) << '\n';
    t << "SimpleObjID=" << SimpleObjId(random.Below(static_cast<uint32_t>(shape.nSimpleObjs)))
      << '\n';
    t << "StandByMotion=" << nMotion + 1 << '\n';
    t << "BlazeMotion=" << nMotion + 2 << '\n';
    t << "RestMotion=" << nMotion + 3 << '\n';
    t << "Effect=" << (random.OneIn(3) ? "npc_glow" : "none") << '\n';
    t << "ASB=" << static_cast<int32_t>(random.Below(3)) << '\n';
    t << "ADB=" << static_cast<int32_t>(random.Below(3)) << '\n';
    t << "FixDir=" << static_cast<int32_t>(random.Below(8)) << "\n\n";
  }
  return t.Str();
}

// Star looks: every key for most types; some list only the keys that matter.
std::string NpcXText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; NPC star looks: one section per NPC type, titled with the type.\n"
       "; Keys that are left out are 0 or empty; texts hold at most 31 characters.\n\n";
  for (size_t i = 0; i < shape.nStarLooks; ++i) {
    std::string strName = Capital(Word(i, 2 + random.Below(2)));
    t << '[' << NpcType(i) << "]\nName=" << strName << '\n';
    t << "Look=" << static_cast<int32_t>(1201 + random.Below(40)) << '\n';
    t << "RWeapon=" << static_cast<int32_t>(400 + random.Below(200)) << '\n';
    if (i % 4 == 3) {
      t << "Note=only_the_keys_that_matter\n\n";
      continue;
    }
    t << "FixDir=" << static_cast<int32_t>(random.Below(8)) << "\nAddSize=0\n";
    t << "Scale=" << static_cast<int32_t>(80 + random.Below(40)) << '\n';
    t << "Head=" << static_cast<int32_t>(random.Below(20)) << '\n';
    t << "Hair=" << static_cast<int32_t>(random.Below(30)) << '\n';
    t << "Armor=" << static_cast<int32_t>(100 + random.Below(60)) << '\n';
    t << "Armet=" << static_cast<int32_t>(100 + random.Below(30)) << '\n';
    t << "LWeapon=0\nMisc=0\nMiscBack=0\n";
    t << "Mount=" << static_cast<int32_t>(random.OneIn(5) ? 7 : 0) << '\n';
    t << "Effect=" << (random.OneIn(3) ? "npc_glow" : "none") << '\n';
    t << "Note=" << Word(i * 5, 3) << '_' << Word(i * 5 + 1, 2) << '\n';
    t << "FrontBlock=1\nBackBlock=1\nLeftBlock=0\nRightBlock=0\n";
    t << "EffAdd=" << Word(i + 3, 2) << "\nEffDel=dust\n\n";
  }
  return t.Str();
}

// "part.piece=scale"; lines that do not read that way are skipped and serve as comments.
std::string RolePartScaleText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; Role part scales: \"part.piece=scale\"; unlisted parts are drawn at 1.0.\n";
  for (size_t i = 0; i < shape.nRolePartScales; ++i) {
    if (i % 500 == 250) t << "; parts from " << RolePartScalePart(i) << " on\n";
    t << RolePartScalePart(i) << '.' << RolePartScalePiece(i) << '=';
    t.Fixed(0.5 + random.Below(150) / 100.0, 2) << '\n';
  }
  return t.Str();
}

std::string Role2DLookText(const DataSetShape& shape) {
  CText t;
  t << "; Looks drawn as flat 2D roles, one number at the start of each line.\n";
  for (size_t i = 0; i < shape.n2DLooks; ++i) {
    t << Role2DLook(i);
    if (i % 10 == 3) t << "=paper_doll";
    t << '\n';
  }
  return t.Str();
}

// [look.action.part.state], SectionAmount= on the next line, then the sections. The 999
// entries answer for the looks left out.
std::string RolePartHideText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; Role parts hidden while the client's value lies in From..To (both included).\n"
       "; 999 in the first place stands for any look that has no entry of its own.\n\n";
  for (uint32_t a = 1; a <= 4; ++a) {
    t << "[999." << a << '.' << HIDE_PART << '.' << HIDE_STATE << "]\nSectionAmount=1\n";
    t << "Section0=Hair 1 10\n\n";
  }
  for (size_t i = 0; i < shape.nHideEntries; ++i) {
    if (!HideLookListed(HideLook(i))) continue;
    uint32_t nSections = random.Below(4);
    t << '[' << HideLook(i) << '.' << HideAction(i) << '.' << HIDE_PART << '.' << HIDE_STATE
      << "]\nSectionAmount=" << nSections << '\n';
    for (uint32_t s = 0; s < nSections; ++s) {
      uint32_t nFrom = random.Below(50);
      t << "Section" << s << '=' << PARTS[(i + s) % 7] << ' ' << nFrom << ' '
        << nFrom + random.Below(100) << '\n';
    }
    t << '\n';
  }
  return t.Str();
}

std::string LookScaleText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; Look scales: \"look=scale\"; an unlisted look is drawn at 1.0.\n";
  for (size_t i = 0; i < shape.nLookScales; ++i) {
    t << LookScaleLook(i) << '=';
    t.Fixed(0.6 + random.Below(100) / 100.0, 2) << '\n';
  }
  return t.Str();
}

std::string MountScaleText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; Mount scales: \"mount.look=scale\"; unlisted: 1.0.\n";
  for (size_t i = 0; i < shape.nMountScales; ++i) {
    t << MountScaleMount(i) << '.' << MountScaleLook(i) << '=';
    t.Fixed(0.8 + random.Below(80) / 100.0, 2) << '\n';
  }
  return t.Str();
}

std::string AppendentWeaponText(const DataSetShape& shape) {
  CText t;
  t << "; Appended weapons: \"weapon=appended weapon\"; an unlisted weapon has none (0).\n";
  for (size_t i = 0; i < shape.nAppendentWeapons; ++i) {
    t << AppendentWeaponId(i) << '=' << AppendentWeaponId(i) + 100000;
    if (i % 50 == 0) t << " ; with its banner";
    t << '\n';
  }
  return t.Str();
}

std::string WeaponAdjustText(const DataSetShape& shape) {
  CText t;
  t << "; Weapon adjustment by look: \"weapon.look=weapon to use\".\n";
  for (size_t i = 0; i < shape.nWeaponAdjusts; ++i) {
    t << AdjustWeapon(i) << '.' << AdjustLook(i) << '=' << AdjustWeapon(i) + 20000 << '\n';
  }
  return t.Str();
}

// Words "look.weapon.action.level=effect", one a line; single-word comments.
std::string EffectText(const DataSetShape& shape, const char* pszPrefix) {
  CText t;
  t << ";look.weapon.action.level=effect\n;9999_for_any_look_or_weapon,999_for_any_action\n";
  for (uint32_t w = 0; w < EFFECT_WEAPONS; ++w) {
    for (uint32_t a = 0; a < EFFECT_ACTIONS; ++a) {
      t << "9999." << EFFECT_FIRST_WEAPON + w << '.' << EFFECT_FIRST_ACTION + a << ".1="
        << pszPrefix << "any_" << w << '_' << a << '\n';
    }
  }
  for (size_t l = 0; l < shape.nEffectLooks; ++l) {
    uint32_t nLook = EFFECT_FIRST_LOOK + static_cast<uint32_t>(l);
    if (l % 25 == 0) t << ";looks_from_" << nLook << '\n';
    for (uint32_t w = 0; w < EFFECT_WEAPONS; ++w) {
      std::string strWeapon = Word(w, 2);
      for (uint32_t a = 0; a < EFFECT_ACTIONS; ++a) {
        t << nLook << '.' << EFFECT_FIRST_WEAPON + w << '.' << EFFECT_FIRST_ACTION + a << ".1="
          << pszPrefix << strWeapon << '_' << nLook << '_' << a << '\n';
      }
      if (w < EFFECT_WILD_WEAPONS) {
        t << nLook << '.' << EFFECT_FIRST_WEAPON + w << '.' << EFFECT_FIRST_ACTION << ".999="
          << pszPrefix << strWeapon << "_trail_" << nLook << '\n';
      }
    }
  }
  return t.Str();
}

// Words "look.weapon.action=sound"; no comment syntax at all.
std::string ActionSoundText(const DataSetShape& shape) {
  CText t;
  for (size_t l = 0; l < shape.nActionSoundLooks; ++l) {
    uint32_t nLook = 1000 + static_cast<uint32_t>(l);
    for (uint32_t c = 1; c <= ACTION_SOUND_ACTIONS; ++c) {
      for (uint32_t w = 0; w < ACTION_SOUND_WEAPONS; ++w) {
        t << nLook << '.' << 400 + w << '.' << c << "=sound/action/" << Word(w + 3, 2) << '_'
          << Word(c, 2) << ".wav\n";
      }
      t << nLook << ".999." << c << "=sound/action/" << Word(c, 3) << ".wav\n";
    }
  }
  return t.Str();
}

std::string SimpleObjText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; Simple objects: [id], then SimpleObj, Scale, MotionAmount and the motions.\n\n";
  for (size_t i = 0; i < shape.nSimpleObjs; ++i) {
    uint32_t nMotions = random.Below(4);
    t << '[' << SimpleObjId(i) << "]\nSimpleObj=" << static_cast<uint32_t>(5000 + i) << "\nScale=";
    t.Fixed(0.5 + random.Below(100) / 100.0, 2) << "\nMotionAmount=" << nMotions << '\n';
    for (uint32_t m = 0; m < nMotions; ++m) {
      t << "Motion" << m << '=' << static_cast<int64_t>(100000 + i * 10 + m) << '\n';
    }
    t << '\n';
  }
  return t.Str();
}

std::string RoleTraceText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; Role traces: key, then five values the client reads as they stand.\n"
       "// key        value2  value3  value4  value5  value6\n";
  for (size_t i = 0; i < shape.nRoleTraces; ++i) {
    size_t nGroup = i / (ROLE_TRACE_PER_GROUP + 1);
    int64_t b = static_cast<int64_t>(i % (ROLE_TRACE_PER_GROUP + 1));
    if (b == ROLE_TRACE_PER_GROUP) b = 999;
    t << RoleTraceKey(RoleTraceA(nGroup), b, RoleTraceC(nGroup)) << "  " << static_cast<int32_t>(random.Below(10)) << "  "
      << random.Below(64) << "  " << random.Below(64) << "  " << random.Below(64) << "  ";
    t.Fixed(random.Below(100) / 100.0, 2) << '\n';
  }
  return t.Str();
}

std::string RolePartReplaceText(const DataSetShape& shape, CRandom& random) {
  CText t;
  t << "; Role part replacements: key, three signed numbers, seven unsigned numbers,\n"
       "; decimal or 0x hexadecimal.\n";
  for (size_t i = 0; i < shape.nRolePartReplaces; ++i) {
    t << RolePartReplaceKey(i) << ' ' << static_cast<int32_t>(random.Below(3)) - 1 << ' '
      << random.Below(10) << ' ' << random.Below(10);
    for (int c = 0; c < 7; ++c) {
      if (c == 0 && i % 5 == 0) {
        t << " 0x";
        t.Hex(random.Below(256));
      } else {
        t << ' ' << random.Below(1000);
      }
    }
    t << '\n';
  }
  return t.Str();
}

}  // namespace

std::string SoundResName(size_t i) { return "snd_" + Word(i, 2) + "_" + std::to_string(i); }
std::string CameraTrackName(size_t i) { return "track_" + Word(i, 2) + "_" + std::to_string(i); }

DataSetShape ShapeAtScale(int nScale) {
  size_t n = static_cast<size_t>(nScale < 1 ? 1 : nScale);
  DataSetShape shape;
  shape.nScale = static_cast<int>(n);
  shape.nGameMaps = GAME_MAPS * n;
  shape.nRegions = REGIONS * n;
  shape.nSoundEvents = SOUND_EVENTS * n;
  shape.nSoundRes = SOUND_RES * n;
  shape.nTerrainNpcs = TERRAIN_NPCS * n;
  shape.nBattleMaps = BATTLE_MAPS * n;
  shape.nViewPos = VIEW_POSITIONS;
  shape.nFighterOffsets = FIGHTER_OFFSETS * n;
  shape.nCameraTracks = CAMERA_TRACKS * n;
  shape.nNpcs = NPCS * n;
  shape.nStarLooks = STAR_LOOKS * n;
  shape.nRolePartScales = ROLE_PART_SCALES * n;
  shape.n2DLooks = ROLE_2D_LOOKS * n;
  shape.nHideEntries = HIDE_ENTRIES * n;
  shape.nLookScales = LOOK_SCALES * n;
  shape.nMountScales = MOUNT_SCALES * n;
  shape.nAppendentWeapons = APPENDENT_WEAPONS * n;
  shape.nWeaponAdjusts = WEAPON_ADJUSTS * n;
  shape.nEffectLooks = EFFECT_LOOKS * n;
  shape.nActionSoundLooks = ACTION_SOUND_LOOKS * n;
  shape.nSimpleObjs = SIMPLE_OBJS * n;
  shape.nRoleTraces = ROLE_TRACE_GROUPS * n * (ROLE_TRACE_PER_GROUP + 1);
  shape.nRolePartReplaces = ROLE_PART_REPLACES * n;
  return shape;
}

bool WriteDataSet(const std::string& strFolder, int nScale, std::string* pError) {
  DataSetShape shape = ShapeAtScale(nScale);
  fs::path root(strFolder);
  std::error_code ec;
  fs::create_directories(root / "ini", ec);
  fs::create_directories(root / "track", ec);
  if (ec) {
    if (pError != nullptr) *pError = "cannot create " + strFolder + ": " + ec.message();
    return false;
  }
  CRandom random(static_cast<uint64_t>(shape.nScale));
  auto Plain = [&](const char* pszPath, const std::string& strText) {
    return WriteFile(root / pszPath, strText, pError);
  };
  auto Enciphered = [&](const char* pszPath, const std::string& strText) {
    return WriteFile(root / pszPath, ZorTools::EncipherText(strText), pError);
  };
  bool bWritten =
      Enciphered("ini/GameMap.dat", GameMapText(shape, random)) &&
      Plain("ini/region.ini", RegionText(shape, random)) &&
      Plain("ini/SoundEvent.ini", SoundEventText(shape, random)) &&
      Plain("ini/SoundRes.ini", SoundResText(shape)) &&
      Enciphered("ini/TerrainNpc.dat", TerrainNpcText(shape, random)) &&
      Plain("ini/BattleMap.ini", BattleMapText(shape, random)) &&
      Plain("ini/CaptureCamera.ini",
            "; capture camera 1 (eye, rotation, target), then capture camera 2\n"
            "0 -420 380 -42 0 0 0 0 40 0 -360 300 -40 0 0 0 0 60\n") &&
      Plain("ini/FighterPosOffset.ini", FighterOffsetText(shape, random)) &&
      Plain("ini/CameraTrack.ini", CameraTrackText(shape)) &&
      Plain("ini/Npc.ini", NpcText(shape, random)) &&
      Plain("ini/NpcX.ini", NpcXText(shape, random)) &&
      Plain("ini/RolePartScale.ini", RolePartScaleText(shape, random)) &&
      Plain("ini/2DRoleLook.ini", Role2DLookText(shape)) &&
      Plain("ini/RolePartHide.ini", RolePartHideText(shape, random)) &&
      Plain("ini/LookScale.ini", LookScaleText(shape, random)) &&
      Plain("ini/MountScale.ini", MountScaleText(shape, random)) &&
      Plain("ini/AppendentWeapon.ini", AppendentWeaponText(shape)) &&
      Plain("ini/WeaponAdjustByLook.ini", WeaponAdjustText(shape)) &&
      Plain("ini/RoleWeapon3DEffect.ini", EffectText(shape, "fx_w_")) &&
      Plain("ini/Action3DEffect.ini", EffectText(shape, "fx_a_")) &&
      Plain("ini/ActionSound.ini", ActionSoundText(shape)) &&
      Plain("ini/SimpleObjInfo.ini", SimpleObjText(shape, random)) &&
      Plain("ini/RoleTrace.ini", RoleTraceText(shape, random)) &&
      Plain("ini/RolePartReplace.ini", RolePartReplaceText(shape, random)) &&
      Plain("ini/3DBattleDive.ini",
            "// battle dive: two camera blocks of nine floats, then three values\n"
            "0 -600 520 -40 0 0 0 0 0\n0 -240 200 -55 0 0 0 0 30\n300 600 2\n") &&
      Plain("ini/GameSetup.ini", "[DumpError]\nEnable=0\nServer=reports.example.net\n"
                                 "Action=/dump/report.php\n");
  for (size_t i = 0; bWritten && i < shape.nCameraTracks; ++i) {
    std::string strPath = "track/" + CameraTrackName(i) + ".trk";
    bWritten = WriteFile(root / strPath, TrackFile(i, random), pError);
  }
  return bWritten && Plain(DATA_SET_MARKER, "scale " + std::to_string(shape.nScale) + "\n");
}

int ReadDataSetScale(const std::string& strFolder) {
  std::ifstream in(fs::path(strFolder) / DATA_SET_MARKER);
  std::string strWord;
  int nScale = 0;
  if (!(in >> strWord >> nScale) || strWord != "scale") return 0;
  return nScale;
}

}  // namespace KestrinBench
