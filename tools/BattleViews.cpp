// Battle maps, capture cameras, fighter position offsets, camera tracks and the battle dive.
#include <cstring>
#include <filesystem>
#include <set>

#include "TableViews.h"
#include "ZorCommon.h"
#include "ZorIni.h"

namespace {

using ZorGameBase::CTextScan;

// ini/BattleMap.ini: sections "[number]" and, inside them, "ViewPos...=key1 key2 v1 v2 v3 v4"
// lines. Maps count: a map counts as answered when the module has a record under its number.
// The dump adds the view positions the file lists, the view start position and both cameras.
class CBattleMapView : public CTableView {
 public:
  CBattleMapView()
      : CTableView("BattleMap", "ini/BattleMap.ini",
                   "map sections the file lists / maps the module has a record for") {}

  void ReadKeys() override {
    m_maps.clear();
    m_viewPos.clear();
    std::string strImage;
    if (!ReadTextImage(File().c_str(), strImage)) return;
    bool bInSection = false;
    ForEachLinePiece(strImage, 1024, [&](std::string_view piece) {
      std::string strLine(piece);
      if (strLine.empty() || strLine[0] == '\n' || strLine[0] == ';') return;
      if (strLine[0] == '[') {
        const char* pszEnd = ZorGameBase::ZorStrChr(strLine.c_str(), ']');
        if (pszEnd == nullptr) return;
        m_maps.insert(static_cast<uint32_t>(
            AtoiPrefix(std::string_view(strLine.c_str() + 1, pszEnd - strLine.c_str() - 1))));
        bInSection = true;
        return;
      }
      if (!bInSection) return;
      ZorGameBase::TrimLineHead(strLine.data());
      ZorGameBase::TrimLineTail(strLine.data());
      if (strLine.compare(0, 7, "ViewPos") != 0) return;
      const char* pszEquals = ZorGameBase::ZorStrChr(strLine.c_str(), '=');
      if (pszEquals == nullptr) return;
      CTextScan scan(pszEquals + 1, strLine.c_str() + std::strlen(strLine.c_str()));
      int32_t anValue[6] = {};
      for (int32_t& nValue : anValue) {
        if (!scan.Int32(nValue)) return;
      }
      m_viewPos.insert({anValue[0], anValue[1]});
    });
  }

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    CJsonStream& dump = answer.dump;
    dump.BeginObject();
    dump.Key("maps");
    dump.BeginArray();
    for (uint32_t nMap : m_maps) {
      const BattleMapInfo* pInfo = data.GetBattleMapInfo(nMap);
      dump.Value(Json{{"map", nMap}, {"info", ToJsonOrNull(pInfo)}});
      ++answer.nListed;
      answer.nAnswered += pInfo != nullptr ? 1 : 0;
    }
    dump.End();
    dump.Key("viewPositions");
    dump.BeginArray();
    for (const auto& [nKey1, nKey2] : m_viewPos) {
      dump.Value(Json{{"key1", nKey1},
                      {"key2", nKey2},
                      {"viewPos", ToJsonOrNull(data.GetBattleViewPos(nKey1, nKey2))}});
    }
    dump.End();
    dump.Member("viewStartPos", ToJsonOrNull(data.GetBattleViewStartPos()));
    dump.Member("battleCamera", ToJsonOrNull(data.GetBattleCamera()));
    dump.Member("battleMoveCamera", ToJsonOrNull(data.GetBattleMoveCamera()));
    dump.End();
  }

 private:
  std::set<uint32_t> m_maps;
  std::set<std::pair<int32_t, int32_t>> m_viewPos;
};

// ini/CaptureCamera.ini defines two cameras; the module hands out each once it opened the file.
class CCaptureCameraView : public CTableView {
 public:
  CCaptureCameraView()
      : CTableView("CaptureCamera", "ini/CaptureCamera.ini",
                   "cameras the file defines (2) / cameras the module hands out") {}

  void ReadKeys() override {
    std::error_code ec;
    m_bPresent = std::filesystem::is_regular_file(File(), ec);
  }

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    const BattleCamera* pCamera1 = data.GetCaptureCamera1();
    const BattleCamera* pCamera2 = data.GetCaptureCamera2();
    answer.nListed = m_bPresent ? 2 : 0;
    answer.nAnswered = (pCamera1 != nullptr ? 1 : 0) + (pCamera2 != nullptr ? 1 : 0);
    answer.dump.Value(
        Json{{"camera1", ToJsonOrNull(pCamera1)}, {"camera2", ToJsonOrNull(pCamera2)}});
  }

 private:
  bool m_bPresent = false;
};

// "%u %d %d" on lines that do not begin with a line break or ';': FighterPosOffset.ini.
using OffsetKey = std::array<int64_t, 1>;
bool ScanOffset(std::string_view line, OffsetKey& key, std::pair<int32_t, int32_t>& xy) {
  if (line.empty() || line[0] == '\n' || line[0] == ';') return false;
  CTextScan scan(line);
  uint32_t nKey = 0;
  if (!scan.UInt32(nKey) || !scan.Int32(xy.first) || !scan.Int32(xy.second)) return false;
  key = {nKey};
  return true;
}

Json AskOffset(I3DRoleBaseData& data, const OffsetKey& key, const std::pair<int32_t, int32_t>& xy,
               bool& bAnswered) {
  const FighterPosOffset* pOffset = data.GetFighterPosOffset(static_cast<uint32_t>(key[0]));
  bAnswered = pOffset != nullptr && pOffset->x == xy.first && pOffset->y == xy.second;
  return Json{{"key", key[0]}, {"offset", ToJsonOrNull(pOffset)}};
}

// ini/CameraTrack.ini: lines "name path number" (lines beginning with '/', ';', a line feed or
// a carriage return are passed over). A track counts as answered when the module has its entry
// with the path and number of its first line. The track files it names are read on demand.
class CCameraTrackView : public CTableView {
 public:
  CCameraTrackView()
      : CTableView("CameraTrack", "ini/CameraTrack.ini",
                   "tracks the file lists / tracks the module has as written") {}

  void ReadKeys() override {
    m_tracks.clear();
    std::string strImage;
    if (!ReadTextImage(File().c_str(), strImage)) return;
    ForEachLinePiece(strImage, 1024, [&](std::string_view line) {
      if (line.empty() || line[0] == '/' || line[0] == ';' || line[0] == '\n' || line[0] == '\r')
        return;
      CTextScan scan(line);
      std::string_view name, path;
      int32_t nNumber = 0;
      if (!scan.Word(name) || !scan.Word(path) || !scan.Int32(nNumber)) return;
      m_tracks.emplace(std::string(name), Track{std::string(path), nNumber});  // first stays
    });
  }

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    for (const auto& [strName, track] : m_tracks) {
      const CameraTrackInfo* pInfo = data.GetCameraTrackInfo(strName.c_str());
      bool bAnswered = pInfo != nullptr && pInfo->nNumber == track.nNumber &&
                       track.strPath == static_cast<const char*>(pInfo->strPath);
      answer.dump.Element(
          Json{{"name", JsonText(strName)},
               {"info", ToJsonOrNull(pInfo)},
               {"frames", ToJsonOrNull(data.GetCameraTrackFrames(strName.c_str()))}});
      ++answer.nListed;
      answer.nAnswered += bAnswered ? 1 : 0;
    }
  }

  void NamedFiles(I3DRoleBaseData& data, std::vector<NamedFile>& files) override {
    for (const auto& [strName, track] : m_tracks) {
      const CameraTrackFrameList* pFrames = data.GetCameraTrackFrames(strName.c_str());
      NamedFile file;
      file.strPath = track.strPath;
      file.strOwner = "track " + strName;
      file.nEntries = pFrames != nullptr ? static_cast<int>(pFrames->size()) : 0;
      file.bRead = pFrames != nullptr;
      files.push_back(file);
    }
  }

 private:
  struct Track {
    std::string strPath;
    int32_t nNumber;
  };
  std::map<std::string, Track> m_tracks;  // byte order, as the module's
};

// ini/3DBattleDive.ini: one record, read afresh by every GetBattleDiveInfo (not by Create).
class CBattleDiveView : public CTableView {
 public:
  CBattleDiveView()
      : CTableView("3DBattleDive", "ini/3DBattleDive.ini",
                   "records the file holds (1) / records the module hands out") {}

  bool ReadByCreate() const override { return false; }

  void ReadKeys() override {
    std::error_code ec;
    m_bPresent = std::filesystem::is_regular_file(File(), ec);
  }

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    const BattleDiveInfo* pInfo = data.GetBattleDiveInfo();
    answer.nListed = m_bPresent ? 1 : 0;
    answer.nAnswered = pInfo != nullptr ? 1 : 0;
    answer.dump.Value(ToJsonOrNull(pInfo));
  }

 private:
  bool m_bPresent = false;
};

}  // namespace

std::unique_ptr<CTableView> MakeBattleMapView() { return std::make_unique<CBattleMapView>(); }

std::unique_ptr<CTableView> MakeCaptureCameraView() {
  return std::make_unique<CCaptureCameraView>();
}

std::unique_ptr<CTableView> MakeFighterPosOffsetView() {
  return std::make_unique<CKeyedView<1, std::pair<int32_t, int32_t>>>(
      "FighterPosOffset", "ini/FighterPosOffset.ini",
      "keys the file lists / keys the module answers with the offset written", 1024, ScanOffset,
      AskOffset);
}

std::unique_ptr<CTableView> MakeCameraTrackView() { return std::make_unique<CCameraTrackView>(); }

std::unique_ptr<CTableView> MakeBattleDiveView() { return std::make_unique<CBattleDiveView>(); }
