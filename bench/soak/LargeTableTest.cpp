// Large table files: each reader takes its file in one read and holds one copy of its text at a
// time, beside the tables it builds. A file of KESTRIN_LARGE_TABLE_MB megabytes (40 unless the
// environment says otherwise) is written for each reader and loaded alone; the resident size is
// measured before, at its peak during Create and after it.
//
// The first group holds texts whose tables stay tiny (a record repeated, comment lines), so
// that the peak shows the copies of the text alone; the second group is realistic tables, whose
// figures the test prints.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "DatCipher.h"
#include "MemoryUse.h"
#include "ModuleFixture.h"

namespace fs = std::filesystem;

namespace {

const size_t MB = 1024 * 1024;

size_t TableBytes() {
  const char* pszSize = getenv("KESTRIN_LARGE_TABLE_MB");
  long nSize = pszSize != nullptr ? atol(pszSize) : 0;
  return static_cast<size_t>(nSize > 0 ? nSize : 40) * MB;
}

const char MAP_SECTION[] =
    "File=map/harbor.map\nPuzzleGridSize=64\nOblique=1\nLight=1\nLightDirX=0.5\n"
    "LightDirY=-1\nLightDirZ=0.25\nDiffuse=FFE0D0C0\nAmbient=FF404040\nswitch=1\n"
    "daysound=sound/harbor_day.wav\nnightsound=sound/harbor_night.wav\nday=FFFFFFFF\n"
    "nightfall=FFC08060\nnight=FF303060\ndawn=FFC0A080\njump=0\nlimit=10,20,30\n";

const char TERRAIN_NPC_RECORD[] =
    "[TerrNpc1001]\nName=Ferryman\nDir0=a\nDir1=b\nDir2=c\nDir3=d\nDir4=e\nDir5=f\nDir6=g\n"
    "Dir7=h\n";

struct LargeTable {
  const char* pszName;
  const char* pszPath;
  bool bEnciphered;
  const char* pszHead;                       // written once at the start
  std::function<std::string(size_t)> record;  // record i, repeated until the file is full
  std::function<bool(I3DRoleBaseData*, size_t)> loaded;  // the table holds its records (count)
};

void PrintTo(const LargeTable& table, std::ostream* pOut) { *pOut << table.pszName; }

// Tables that stay tiny however long the text.
const LargeTable TEXT_ONLY_TABLES[] = {
    {"LineTable", "ini/2DRoleLook.ini", false, "",
     [](size_t) { return "1001=" + std::string(90, 'x') + "\r\n"; },
     [](I3DRoleBaseData* p, size_t) { return p->Is2DRoleLook(1001) && !p->Is2DRoleLook(1002); }},
    {"IniLines", "ini/CaptureCamera.ini", false, "",
     [](size_t) { return std::string("0 -420 380 -42 0 0 0 0 40 0 -360 300 -40 0 0 0 0 60\n"); },
     [](I3DRoleBaseData* p, size_t) {
       return p->GetCaptureCamera1() != nullptr && p->GetCaptureCamera1()->fEye[1] == -420.0f;
     }},
    {"EncipheredSections", "ini/GameMap.dat", true, "",
     [](size_t) { return "[1000]\n" + std::string(MAP_SECTION); },
     [](I3DRoleBaseData* p, size_t) {
       uint32_t nId = 0;
       const GameMapInfo* pInfo = nullptr;
       return p->GetFirstGameMapInfo(&nId, &pInfo) != 0 && nId == 1000 &&
              p->GetNextGameMapInfo(&nId, &pInfo) == 0;
     }},
    {"EncipheredLines", "ini/TerrainNpc.dat", true, TERRAIN_NPC_RECORD,
     [](size_t) { return "; " + std::string(96, 'c') + "\n"; },
     [](I3DRoleBaseData* p, size_t) {
       const TerrainNpcInfo* pInfo = p->GetTerrainNpcInfo(1001);
       return pInfo != nullptr && pInfo->Id == 1001 && pInfo->Dirs.size() == 8;
     }},
};

// Tables as a large game has them: a record per line or section, every key its own.
const LargeTable REALISTIC_TABLES[] = {
    {"Regions", "ini/region.ini", false, "",
     [](size_t i) {
       std::string strId = std::to_string(i + 1);
       return strId + " " + std::to_string(1000 + i / 8) + " 0 0 0 0 0 Region_" + strId +
              " Text_" + strId + " 0 0 0 0 0 0 0 0 Where_the_road_" + strId + "_ends\n";
     },
     [](I3DRoleBaseData* p, size_t nRecords) { return p->GetRegionList()->size() == nRecords; }},
    {"WeaponEffects", "ini/RoleWeapon3DEffect.ini", false, "",
     [](size_t i) {
       return std::to_string(1000 + i % 8000) + "." + std::to_string(100 + i / 8000 % 800) + "." +
              std::to_string(100 + i / 6400000) + ".1=fx_weapon_effect_" + std::to_string(i) + "\n";
     },
     [](I3DRoleBaseData* p, size_t) {
       const char* pszName = p->GetRoleWeapon3DEffect(1000, 100, 100, 1);
       return pszName != nullptr && std::string(pszName) == "fx_weapon_effect_0";
     }},
    {"GameMaps", "ini/GameMap.dat", true, "",
     [](size_t i) { return "[" + std::to_string(i) + "]\n" + MAP_SECTION; },
     [](I3DRoleBaseData* p, size_t nRecords) {
       return p->GetGameMapInfo(0) != nullptr &&
              p->GetGameMapInfo(static_cast<uint32_t>(nRecords - 1)) != nullptr;
     }},
};

// What loading one table cost: its file, the resident size Create added at its peak, and what
// stayed after it (the tables), as resident size and as bytes the allocator handed out.
struct LoadFigures {
  size_t nFileBytes = 0;
  size_t nRecords = 0;
  size_t nPeakBytes = 0;
  size_t nKeptBytes = 0;
  size_t nHeapBytes = 0;
  bool bLoaded = false;
};

class LargeTableTest : public ModuleTest {
 protected:
  // Writes the table in pieces (the test never holds its text) and returns its record count.
  size_t WriteTable(const LargeTable& table, size_t nBytes) {
    fs::create_directories(m_folder / "ini");
    std::ofstream out(m_folder / table.pszPath, std::ios::binary | std::ios::trunc);
    size_t nWritten = 0;
    size_t nRecords = 0;
    std::string strChunk = table.pszHead;
    while (nWritten + strChunk.size() < nBytes) {
      std::string strRecord = table.record(nRecords++);
      if (nWritten + strChunk.size() + strRecord.size() > nBytes) {
        --nRecords;
        break;
      }
      strChunk += strRecord;
      if (strChunk.size() >= MB) {
        Flush(out, strChunk, table.bEnciphered, nWritten);
      }
    }
    Flush(out, strChunk, table.bEnciphered, nWritten);
    return nRecords;
  }

  LoadFigures Measure(const LargeTable& table) {
    LoadFigures figures;
    figures.nRecords = WriteTable(table, TableBytes());
    figures.nFileBytes = fs::file_size(m_folder / table.pszPath);
    I3DRoleBaseData* pData = RoleBaseDataQuery();
    size_t nBefore = MemoryUse::ResidentBytes();
    size_t nHeapBefore = MemoryUse::HeapInUse();
    if (pData == nullptr) return figures;
    bool bPeakReset = MemoryUse::ResetPeakResident();  // else the peak stays unmeasured (0)
    pData->Create();
    size_t nHeapAfter = MemoryUse::HeapInUse();
    figures.nHeapBytes = nHeapAfter > nHeapBefore ? nHeapAfter - nHeapBefore : 0;
    figures.nPeakBytes = bPeakReset ? MemoryUse::PeakResidentBytes() - nBefore : 0;
    size_t nAfter = MemoryUse::ResidentBytes();
    figures.nKeptBytes = nAfter > nBefore ? nAfter - nBefore : 0;
    figures.bLoaded = table.loaded(pData, figures.nRecords);
    printf("%-18s %-27s file %6.1f MB, %8zu records: Create peak +%7.1f MB, tables %7.1f MB "
           "(%7.1f MB allocated)\n",
           table.pszName, table.pszPath, figures.nFileBytes / double(MB), figures.nRecords,
           figures.nPeakBytes / double(MB), figures.nKeptBytes / double(MB),
           figures.nHeapBytes / double(MB));
    return figures;
  }

  void SetUp() override {
    ModuleTest::SetUp();
    if (MemoryUse::UnderAddressSanitizer()) {
      GTEST_SKIP() << "resident sizes are measured without the address sanitizer, whose "
                      "quarantine and shadow memory hide the module's own";
    }
  }

 private:
  // An enciphered table is enciphered piece by piece: byte i depends on i alone.
  static void Flush(std::ofstream& out, std::string& strChunk, bool bEnciphered,
                    size_t& nWritten) {
    if (bEnciphered) {
      std::string strPadded = std::string(nWritten % 128, '\0') + strChunk;
      ZorTools::EncipherBytes(reinterpret_cast<unsigned char*>(strPadded.data()),
                              strPadded.size());
      // Rotation depends on i mod 8 and the key on i mod 128: padding to the same position
      // modulo 128 gives the bytes the whole file would have there.
      out.write(strPadded.data() + nWritten % 128, static_cast<std::streamsize>(strChunk.size()));
    } else {
      out.write(strChunk.data(), static_cast<std::streamsize>(strChunk.size()));
    }
    nWritten += strChunk.size();
    strChunk.clear();
  }
};

class TextOnlyTableTest : public LargeTableTest,
                          public ::testing::WithParamInterface<LargeTable> {};

TEST_P(TextOnlyTableTest, CreateHoldsOneCopyOfTheTextAtATime) {
  LoadFigures figures = Measure(GetParam());
  ASSERT_TRUE(figures.bLoaded);
  ASSERT_NE(0u, figures.nPeakBytes) << "the peak resident size cannot be measured here";
  // One copy of the text, and room for the allocator, the log and a table that collects a line's
  // key before it drops the repeats (8 bytes a line, twice while it grows).
  EXPECT_LT(figures.nPeakBytes, figures.nFileBytes + figures.nFileBytes / 4 + 8 * MB);
  EXPECT_LT(figures.nHeapBytes, MB);  // repeated keys and comments keep no room
}

INSTANTIATE_TEST_SUITE_P(Readers, TextOnlyTableTest, ::testing::ValuesIn(TEXT_ONLY_TABLES),
                         [](const ::testing::TestParamInfo<LargeTable>& info) {
                           return std::string(info.param.pszName);
                         });

class RealisticTableTest : public LargeTableTest,
                           public ::testing::WithParamInterface<LargeTable> {};

// The text is gone after Create; at the peak there was one copy of it beside the growing
// tables, whose containers may briefly hold their old and new storage.
TEST_P(RealisticTableTest, CreatePeakIsTheTablesAndOneCopyOfTheText) {
  LoadFigures figures = Measure(GetParam());
  ASSERT_TRUE(figures.bLoaded);
  ASSERT_NE(0u, figures.nPeakBytes) << "the peak resident size cannot be measured here";
  EXPECT_LT(figures.nPeakBytes, figures.nFileBytes + 2 * figures.nKeptBytes + 8 * MB);
}

INSTANTIATE_TEST_SUITE_P(Tables, RealisticTableTest, ::testing::ValuesIn(REALISTIC_TABLES),
                         [](const ::testing::TestParamInfo<LargeTable>& info) {
                           return std::string(info.param.pszName);
                         });

}  // namespace
