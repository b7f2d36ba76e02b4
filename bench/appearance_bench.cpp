// The single-key queries of the role appearance tables through the interface, as the client
// asks them, over tables of a few thousand entries; half the keys asked are listed. Also the
// load of these tables by Create (bytes of the table files per second).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "I3DRoleBaseData.h"

namespace fs = std::filesystem;

namespace {

const uint32_t ENTRIES = 4000;
const size_t KEYS = 1024;  // a power of two: the key index wraps with a mask

// A folder of generated tables, entered for the whole run, and the service loaded from it.
class AppearanceTables {
 public:
  static AppearanceTables& Get() {
    static AppearanceTables s_tables;
    return s_tables;
  }
  I3DRoleBaseData* Service() const { return m_pService; }
  size_t Bytes() const { return m_nBytes; }

 private:
  AppearanceTables() {
    std::string strFolder = (fs::temp_directory_path() / "appearance-bench-XXXXXX").string();
    if (mkdtemp(strFolder.data()) == nullptr) abort();
    m_folder = strFolder;
    m_previous = fs::current_path();
    fs::current_path(m_folder);
    fs::create_directory("ini");
    WriteTables();
    m_pService = RoleBaseDataQuery();
    if (m_pService == nullptr || m_pService->Create() != 1) abort();
  }
  ~AppearanceTables() {
    RoleBaseDataDestroy();
    fs::current_path(m_previous);
    std::error_code ec;
    fs::remove_all(m_folder, ec);
  }

  void Write(const char* pszPath, const std::string& strText) {
    std::ofstream(pszPath, std::ios::binary) << strText;
    m_nBytes += strText.size();
  }

  // Entries use even numbers (2i); the odd ones asked are absent.
  void WriteTables() {
    std::string strPart, strLook, strMount, str2D, strWeapon, strAdjust, strNpc, strNpcX, strHide,
        strObj, strReplace;
    for (uint32_t i = 0; i < ENTRIES; ++i) {
      std::string n = std::to_string(2 * i);
      strPart += n + "." + std::to_string(i % 7) + "=1.25\n";
      strLook += n + "=0.75\n";
      strMount += n + "." + std::to_string(i % 7) + "=1.5\n";
      str2D += n + "\n";
      strWeapon += n + "=" + std::to_string(i + 1) + "\n";
      strAdjust += n + "." + std::to_string(i % 7) + "=" + std::to_string(i + 1) + "\n";
      strNpc += "[NpcType" + n + "]\nName=npc" + n +
                "\nSimpleObjID=1\nStandByMotion=100001\nBlazeMotion=100002\nRestMotion=100003\n"
                "Effect=none\nASB=0\nADB=0\nFixDir=1\n";
      strNpcX += "[" + n + "]\nName=npc" + n + "\nLook=1201\nHead=3\nHair=12\nArmor=130\n";
      strHide += "[" + n +
                 ".1.3.0]\nSectionAmount=3\nSection0=Hair 1 100\nSection1=Cloak 50 60\n"
                 "Section2=Head 1 9\n";
      strObj += "[" + n + "]\nSimpleObj=5001\nScale=1.0\nMotionAmount=2\nMotion0=1\nMotion1=2\n";
      strReplace += n + " 1 2 3 4 5 6 7 8 9 10\n";
    }
    strHide += "[999.1.3.0]\nSectionAmount=1\nSection0=Hair 1 10\n";
    Write("ini/RolePartScale.ini", strPart);
    Write("ini/LookScale.ini", strLook);
    Write("ini/MountScale.ini", strMount);
    Write("ini/2DRoleLook.ini", str2D);
    Write("ini/AppendentWeapon.ini", strWeapon);
    Write("ini/WeaponAdjustByLook.ini", strAdjust);
    Write("ini/Npc.ini", strNpc);
    Write("ini/NpcX.ini", strNpcX);
    Write("ini/RolePartHide.ini", strHide);
    Write("ini/SimpleObjInfo.ini", strObj);
    Write("ini/RolePartReplace.ini", strReplace);
  }

  fs::path m_folder;
  fs::path m_previous;
  I3DRoleBaseData* m_pService = nullptr;
  size_t m_nBytes = 0;
};

// Keys spread over the tables' range: every other one listed.
std::vector<uint32_t> Keys() {
  std::vector<uint32_t> keys(KEYS);
  for (size_t i = 0; i < KEYS; ++i) keys[i] = static_cast<uint32_t>((i * 7919) % (2 * ENTRIES));
  return keys;
}

template <typename TQuery>
void RunQuery(benchmark::State& state, TQuery fnQuery) {
  I3DRoleBaseData* pData = AppearanceTables::Get().Service();
  const std::vector<uint32_t> keys = Keys();
  size_t i = 0;
  for (auto _ : state) {
    uint32_t nKey = keys[i++ & (KEYS - 1)];
    benchmark::DoNotOptimize(fnQuery(pData, nKey));
  }
}

void BM_GetRolePartScale(benchmark::State& state) {
  RunQuery(state, [](I3DRoleBaseData* p, uint32_t k) { return p->GetRolePartScale(k, k / 2 % 7); });
}
void BM_GetLookScale(benchmark::State& state) {
  RunQuery(state, [](I3DRoleBaseData* p, uint32_t k) { return p->GetLookScale(k); });
}
void BM_GetMountScale(benchmark::State& state) {
  RunQuery(state, [](I3DRoleBaseData* p, uint32_t k) { return p->GetMountScale(k, k / 2 % 7); });
}
void BM_Is2DRoleLook(benchmark::State& state) {
  RunQuery(state, [](I3DRoleBaseData* p, uint32_t k) { return p->Is2DRoleLook(k); });
}
void BM_GetAppendentWeapon(benchmark::State& state) {
  RunQuery(state, [](I3DRoleBaseData* p, uint32_t k) { return p->GetAppendentWeapon(k); });
}
void BM_GetWeaponAdjustByLook(benchmark::State& state) {
  RunQuery(state,
           [](I3DRoleBaseData* p, uint32_t k) { return p->GetWeaponAdjustByLook(k, k / 2 % 7); });
}
void BM_GetNpcInfo(benchmark::State& state) {
  RunQuery(state,
           [](I3DRoleBaseData* p, uint32_t k) { return p->GetNpcInfo(static_cast<int32_t>(k)); });
}
void BM_GetNpcStarLookInfo(benchmark::State& state) {
  RunQuery(state, [](I3DRoleBaseData* p, uint32_t k) {
    return p->GetNpcStarLookInfo(static_cast<int32_t>(k));
  });
}
// Odd first keys fall back to the [999.1.3.0] entry.
void BM_IsRolePartHidden(benchmark::State& state) {
  RunQuery(state, [](I3DRoleBaseData* p, uint32_t k) {
    return p->IsRolePartHidden(k, 1, 3, 0, 5, "Hair");
  });
}
void BM_GetSimpleObjInfo(benchmark::State& state) {
  RunQuery(state, [](I3DRoleBaseData* p, uint32_t k) { return p->GetSimpleObjInfo(k); });
}
void BM_GetRolePartReplaceInfo(benchmark::State& state) {
  RunQuery(state, [](I3DRoleBaseData* p, uint32_t k) {
    return p->GetRolePartReplaceInfo(static_cast<int32_t>(k));
  });
}

// A second Create over the loaded service: every loader runs again on the same files.
void BM_CreateAppearanceTables(benchmark::State& state) {
  AppearanceTables& tables = AppearanceTables::Get();
  for (auto _ : state) benchmark::DoNotOptimize(tables.Service()->Create());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tables.Bytes()));
}

BENCHMARK(BM_GetRolePartScale);
BENCHMARK(BM_GetLookScale);
BENCHMARK(BM_GetMountScale);
BENCHMARK(BM_Is2DRoleLook);
BENCHMARK(BM_GetAppendentWeapon);
BENCHMARK(BM_GetWeaponAdjustByLook);
BENCHMARK(BM_GetNpcInfo);
BENCHMARK(BM_GetNpcStarLookInfo);
BENCHMARK(BM_IsRolePartHidden);
BENCHMARK(BM_GetSimpleObjInfo);
BENCHMARK(BM_GetRolePartReplaceInfo);
BENCHMARK(BM_CreateAppearanceTables)->Unit(benchmark::kMillisecond);

}  // namespace
