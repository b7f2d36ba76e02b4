// The module as a client binary built against the slot order sees it: loaded by the platform
// loader, reached through its exports and the table of virtual operations by slot number.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "I3DRoleBaseData.h"
#include "ModuleLibrary.h"

namespace {

class ClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_module.Open(KESTRIN_MODULE)) << m_module.Error();
    m_pfnQuery = reinterpret_cast<Query>(m_module.Symbol("RoleBaseDataQuery"));
    m_pfnDestroy = reinterpret_cast<Destroy>(m_module.Symbol("RoleBaseDataDestroy"));
    ASSERT_NE(m_pfnQuery, nullptr);
    ASSERT_NE(m_pfnDestroy, nullptr);
    m_previous = std::filesystem::current_path();
    m_folder = NewTempFolder();
    ASSERT_FALSE(m_folder.empty());
    std::filesystem::current_path(m_folder);
  }
  void TearDown() override {
    if (m_pfnDestroy != nullptr) m_pfnDestroy();
    std::filesystem::current_path(m_previous);
    std::error_code ec;
    std::filesystem::remove_all(m_folder, ec);
    m_module.Close();
  }

  // A folder of this test's own: a random name, taken only when it did not exist, so that cases
  // running side by side never share one. Empty when none could be made.
  static std::filesystem::path NewTempFolder() {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    std::random_device random;
    for (int nTry = 0; nTry < 100 && !ec; ++nTry) {
      std::filesystem::path folder = base / ("kestrin-client-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(folder, ec)) return folder;
    }
    return {};
  }

  // Calls the operation in the given slot, as compiled client code does.
  template <typename R, typename... Args>
  R Call(void* pService, int nSlot, Args... args) {
    using Fn = R(KESTRIN_METHOD_CALL*)(void*, Args...);
    void** ppTable = *static_cast<void***>(pService);
    return reinterpret_cast<Fn>(ppTable[nSlot])(pService, args...);
  }

  // Slot 11 as a client built with the shipping compiler calls it.
  ListenerPos ListenerAt(void* pService) {
#if KESTRIN_RECORD_RESULT_BY_POINTER
    ListenerPos pos{};
    EXPECT_EQ(&pos, (Call<ListenerPos*>(pService, 11, &pos)));
    return pos;
#else
    return Call<ListenerPos>(pService, 11);
#endif
  }

  using Query = void* (*)();
  using Destroy = void (*)();
  CModuleLibrary m_module;
  Query m_pfnQuery = nullptr;
  Destroy m_pfnDestroy = nullptr;
  std::filesystem::path m_previous;
  std::filesystem::path m_folder;
};

TEST_F(ClientTest, CameraConstantsAreExportedData) {
  auto* pMax = static_cast<const int32_t*>(m_module.Symbol("CAMERA_MAX_SCALE"));
  auto* pNormal = static_cast<const int32_t*>(m_module.Symbol("CAMERA_NORMAL_SCALE"));
  ASSERT_NE(pMax, nullptr);
  ASSERT_NE(pNormal, nullptr);
  EXPECT_EQ(384, *pMax);
  EXPECT_EQ(256, *pNormal);
}

TEST_F(ClientTest, OperationsAnswerFromTheirSlots) {
  void* pService = m_pfnQuery();
  ASSERT_NE(pService, nullptr);
  EXPECT_EQ(pService, m_pfnQuery());
  EXPECT_EQ(0, (Call<int32_t>(pService, 0)));  // Create: no ini/RolePartReplace.ini

  Call<void>(pService, 41, int32_t{-5});
  Call<void>(pService, 43, int32_t{7});
  EXPECT_EQ(-5, (Call<int32_t>(pService, 42)));
  EXPECT_EQ(7, (Call<int32_t>(pService, 44)));
  Call<void>(pService, 45);
  EXPECT_EQ(0, (Call<int32_t>(pService, 42)));
  EXPECT_EQ(0, (Call<int32_t>(pService, 44)));

  Call<void>(pService, 16, int32_t{3}, int32_t{4});
  ListenerPos pos = ListenerAt(pService);
  EXPECT_EQ(3, pos.x);
  EXPECT_EQ(4, pos.y);
  ListenerPos moved{-8, 9};
  Call<void, const ListenerPos&>(pService, 17, moved);
  pos = ListenerAt(pService);
  EXPECT_EQ(-8, pos.x);
  EXPECT_EQ(9, pos.y);

  auto* pBattlePos = Call<const BattlePos*>(pService, 22, uint32_t{5}, int32_t{0});
  ASSERT_NE(pBattlePos, nullptr);  // the default position: no battle map is loaded
  EXPECT_EQ(0, pBattlePos->x);
  EXPECT_EQ(pBattlePos, (Call<const BattlePos*>(pService, 31, int32_t{1})));
  EXPECT_EQ(1000, (Call<int32_t>(pService, 24, uint32_t{5})));
  EXPECT_EQ(-1, (Call<int32_t>(pService, 28, uint32_t{5}, int32_t{1})));
  EXPECT_EQ(nullptr, (Call<const void*>(pService, 62, int32_t{1})));
  EXPECT_FLOAT_EQ(1.0f, (Call<float>(pService, 52, uint32_t{1})));
  EXPECT_EQ(77u, (Call<uint32_t>(pService, 56, uint32_t{77}, uint32_t{3})));
  EXPECT_STREQ("wind", (Call<const char*>(pService, 20, "wind")));
}

}  // namespace
