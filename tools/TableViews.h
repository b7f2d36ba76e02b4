#pragma once
// What check and dump know of each table file. A view lists the candidate keys of its file with
// the project's own readers (TextScan, CZorIni, CZorEncryptFile) before the load, then asks the
// module about each key through I3DRoleBaseData after it. The tool keeps no table of its own:
// every value it shows is the module's answer; the file only says which keys to ask for.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "JsonStream.h"
#include "RecordJson.h"

// What the module answered for the keys of one table.
struct TableAnswer {
  CJsonStream dump;   // the table in key order, written as it is asked for ("kestrin dump")
  int nListed = 0;    // keys the file lists (each distinct key once)
  int nAnswered = 0;  // of those, the keys the module answers for (see each view)
};

// A file a table names and the module reads on demand (the track files of ini/CameraTrack.ini).
struct NamedFile {
  std::string strPath;   // as the table writes it, relative to the data folder
  std::string strOwner;  // what names it, e.g. "track intro"
  int nEntries = 0;      // what the module read from it (frames)
  bool bRead = false;    // the module handed out what it read
};

class CTableView {
 public:
  CTableView(const char* pszName, const char* pszPath, const char* pszCounts)
      : m_pszName(pszName),
        m_pszPath(pszPath),
        m_pszCounts(pszCounts),
        m_strLoader(std::string("Create") + pszName + "Info") {}
  virtual ~CTableView() = default;

  // The name dump takes, e.g. "LookScale".
  const char* Name() const { return m_pszName; }
  // The file as the module opens it, e.g. "ini/LookScale.ini".
  const char* Path() const { return m_pszPath; }
  // What the two counts of check mean.
  const char* Counts() const { return m_pszCounts; }
  // The loader's name as assertion messages give it, e.g. "CreateLookScaleInfo".
  const std::string& Loader() const { return m_strLoader; }
  void SetLoader(const char* pszLoader) { m_strLoader = pszLoader; }
  // False for the one file Create does not read (ini/3DBattleDive.ini, read on every query).
  virtual bool ReadByCreate() const { return true; }

  // Reads the keys of the table file in the data folder; lists nothing when it is missing.
  void ListKeys(const std::string& strDataFolder) {
    m_strFile = strDataFolder + "/" + m_pszPath;
    ReadKeys();
  }
  // Asks the module about the listed keys (after Create).
  virtual void Answer(I3DRoleBaseData& data, TableAnswer& answer) = 0;
  // The files the table names, asked for after Answer; most tables name none.
  virtual void NamedFiles(I3DRoleBaseData& /*data*/, std::vector<NamedFile>& /*files*/) {}

 protected:
  // The table file in the data folder given to ListKeys.
  const std::string& File() const { return m_strFile; }
  virtual void ReadKeys() = 0;

 private:
  const char* m_pszName;
  const char* m_pszPath;
  const char* m_pszCounts;
  std::string m_strLoader;
  std::string m_strFile;
};

using TableViews = std::vector<std::unique_ptr<CTableView>>;

// Every table file, in the order Create loads them; ini/3DBattleDive.ini last.
TableViews MakeTableViews();
// Lists the keys of the views from the current folder's tables. The tool's own readers report
// what they cannot read to ./debug as the module's do; they read from a scratch folder so that
// the data folder's debug log holds only what the module wrote.
void ListKeysAside(const std::vector<CTableView*>& views);

// World maps (WorldViews.cpp).
std::unique_ptr<CTableView> MakeGameMapView();
std::unique_ptr<CTableView> MakeRegionView();
std::unique_ptr<CTableView> MakeTerrainNpcView();
// Effects and sounds (SoundViews.cpp).
std::unique_ptr<CTableView> MakeSoundEventView();
std::unique_ptr<CTableView> MakeSoundResView();
std::unique_ptr<CTableView> MakeRoleWeapon3DEffectView();
std::unique_ptr<CTableView> MakeAction3DEffectView();
std::unique_ptr<CTableView> MakeActionSoundView();
// Battle and cameras (BattleViews.cpp).
std::unique_ptr<CTableView> MakeBattleMapView();
std::unique_ptr<CTableView> MakeCaptureCameraView();
std::unique_ptr<CTableView> MakeFighterPosOffsetView();
std::unique_ptr<CTableView> MakeCameraTrackView();
std::unique_ptr<CTableView> MakeBattleDiveView();
// NPCs, simple objects, role parts, role traces (AppearanceViews.cpp).
std::unique_ptr<CTableView> MakeNpcView();
std::unique_ptr<CTableView> MakeNpcXView();
std::unique_ptr<CTableView> MakeRolePartHideView();
std::unique_ptr<CTableView> MakeSimpleObjView();
std::unique_ptr<CTableView> MakeRoleTraceView();
std::unique_ptr<CTableView> MakeRolePartReplaceView();
// Scales, 2D looks and weapons (ScaleViews.cpp).
std::unique_ptr<CTableView> MakeRolePartScaleView();
std::unique_ptr<CTableView> Make2DRoleLookView();
std::unique_ptr<CTableView> MakeLookScaleView();
std::unique_ptr<CTableView> MakeMountScaleView();
std::unique_ptr<CTableView> MakeAppendentWeaponView();
std::unique_ptr<CTableView> MakeWeaponAdjustByLookView();

// Reading helpers for the views.
// The file as the runtime's text streams read it (ReadFileImage in text mode); false when missing.
bool ReadTextImage(const char* pszPath, std::string& strImage);
// Each piece fgets(buffer, nCount) would give.
template <typename Fn>
void ForEachLinePiece(std::string_view image, size_t nCount, Fn fn);
// Each word fscanf("%s") would give.
template <typename Fn>
void ForEachWord(std::string_view image, Fn fn);
// The number atoi reads at the start of a text (0 without digits), clamped to 32 bits.
int32_t AtoiPrefix(std::string_view text);

#include "TextScan.h"

template <typename Fn>
void ForEachLinePiece(std::string_view image, size_t nCount, Fn fn) {
  ZorGameBase::CTextScan scan(image);
  std::string_view piece;
  while (scan.LinePiece(piece, nCount)) fn(piece);
}

template <typename Fn>
void ForEachWord(std::string_view image, Fn fn) {
  ZorGameBase::CTextScan scan(image);
  std::string_view word;
  while (scan.Word(word)) fn(ZorGameBase::CutAtNul(word));
}

// A table whose file lists keys of N numbers, each with the value the file gives it (the last
// line or word of a key wins), read as lines of fgets(nCount) pieces or, with nCount 0, as
// words. Ask gives the dump entry of a key and whether the module answers it.
template <size_t N, typename Value>
class CKeyedView : public CTableView {
 public:
  using Key = std::array<int64_t, N>;  // the numbers as the file writes them
  using Scan = bool (*)(std::string_view text, Key& key, Value& value);
  using Ask = Json (*)(I3DRoleBaseData& data, const Key& key, const Value& value, bool& bAnswered);

  CKeyedView(const char* pszName, const char* pszPath, const char* pszCounts, size_t nCount,
             Scan pfnScan, Ask pfnAsk)
      : CTableView(pszName, pszPath, pszCounts),
        m_nCount(nCount),
        m_pfnScan(pfnScan),
        m_pfnAsk(pfnAsk) {}

  void ReadKeys() override {
    m_keys.clear();
    std::string strImage;
    if (!ReadTextImage(File().c_str(), strImage)) return;
    auto Take = [this](std::string_view text) {
      Key key{};
      Value value{};
      if (m_pfnScan(text, key, value)) m_keys[key] = value;
    };
    if (m_nCount == 0) {
      ForEachWord(strImage, Take);
    } else {
      ForEachLinePiece(strImage, m_nCount, Take);
    }
  }

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    for (const auto& [key, value] : m_keys) {
      bool bAnswered = false;
      answer.dump.Element(m_pfnAsk(data, key, value, bAnswered));
      ++answer.nListed;
      answer.nAnswered += bAnswered ? 1 : 0;
    }
  }

 private:
  size_t m_nCount;
  Scan m_pfnScan;
  Ask m_pfnAsk;
  std::map<Key, Value> m_keys;
};
