// NPC definitions and star looks, role part hiding and replacement, simple objects and role
// traces.
#include <set>

#include "TableViews.h"
#include "ZorIni.h"

namespace {

using ZorGameBase::CTextScan;

// The number from the eighth character of a section name on (the first seven are a prefix the
// module does not examine); 0 for a shorter name.
int32_t IdAfterPrefix(std::string_view name) {
  return name.size() > 7 ? AtoiPrefix(name.substr(7)) : 0;
}

// A set of keys and, for each, the module's record; a key counts as answered when the record
// is the key's own (Has). The NPC queries answer an absent type with another type's record, and
// the role trace query an absent key with its wildcard record: the dump shows null for those.
template <typename Key, typename Record>
class CRecordView : public CTableView {
 public:
  using Get = const Record* (*)(I3DRoleBaseData& data, Key key);
  using Has = bool (*)(const Record& record, Key key);

  CRecordView(const char* pszName, const char* pszPath, const char* pszCounts, const char* pszKey,
              Get pfnGet, Has pfnHas)
      : CTableView(pszName, pszPath, pszCounts),
        m_pszKey(pszKey),
        m_pfnGet(pfnGet),
        m_pfnHas(pfnHas) {}

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    for (Key key : m_keys) {
      const Record* pRecord = m_pfnGet(data, key);
      bool bAnswered = pRecord != nullptr && m_pfnHas(*pRecord, key);
      answer.dump.Element(Json{{m_pszKey, key}, {"info", bAnswered ? ToJson(*pRecord) : Json()}});
      ++answer.nListed;
      answer.nAnswered += bAnswered ? 1 : 0;
    }
  }

 protected:
  std::set<Key> m_keys;

 private:
  const char* m_pszKey;
  Get m_pfnGet;
  Has m_pfnHas;
};

// ini/Npc.ini: words "[NpcTypeNNN]", the type from the name's eighth character on.
class CNpcView : public CRecordView<int32_t, NpcInfo> {
 public:
  CNpcView()
      : CRecordView(
            "Npc", "ini/Npc.ini",
            "types the file lists / types the module has a record of its own for", "type",
            [](I3DRoleBaseData& data, int32_t nType) { return data.GetNpcInfo(nType); },
            [](const NpcInfo& info, int32_t nType) { return info.Id == nType; }) {}

  void ReadKeys() override {
    m_keys.clear();
    std::string strImage;
    if (!ReadTextImage(File().c_str(), strImage)) return;
    ForEachWord(strImage, [&](std::string_view word) {
      if (word.size() < 2 || word[0] != '[') return;
      m_keys.insert(IdAfterPrefix(word.substr(1, word.size() - 2)));  // without '[' and ']'
    });
  }
};

// ini/NpcX.ini: one section per star look, its title the type.
class CNpcXView : public CRecordView<int32_t, NpcStarLookInfo> {
 public:
  CNpcXView()
      : CRecordView(
            "NpcX", "ini/NpcX.ini",
            "types the file lists / types the module has a record of its own for", "type",
            [](I3DRoleBaseData& data, int32_t nType) { return data.GetNpcStarLookInfo(nType); },
            [](const NpcStarLookInfo& info, int32_t nType) { return info.Id == nType; }) {}

  void ReadKeys() override {
    m_keys.clear();
    ZorGameBase::CZorIni ini;
    if (!ini.Open(File().c_str())) return;
    std::string strTitle;
    while (!ini.AtEnd() && ini.ReadSection() && ini.GetSectionTitle(strTitle)) {
      m_keys.insert(AtoiPrefix(strTitle));
    }
  }
};

// ini/SimpleObjInfo.ini: words "[id]".
class CSimpleObjView : public CRecordView<uint32_t, SimpleObjInfo> {
 public:
  CSimpleObjView()
      : CRecordView(
            "SimpleObjInfo", "ini/SimpleObjInfo.ini",
            "ids the file lists / ids the module has a record for", "id",
            [](I3DRoleBaseData& data, uint32_t nId) { return data.GetSimpleObjInfo(nId); },
            [](const SimpleObjInfo&, uint32_t) { return true; }) {}

  void ReadKeys() override {
    m_keys.clear();
    std::string strImage;
    if (!ReadTextImage(File().c_str(), strImage)) return;
    ForEachWord(strImage, [&](std::string_view word) {
      CTextScan scan(word);
      uint32_t nId = 0;
      if (scan.Literal('[') && scan.UInt32(nId)) m_keys.insert(nId);
    });
  }
};

// ini/RoleTrace.ini: content lines "key f2 f3 f4 f5 f6"; the key is the first field.
class CRoleTraceView : public CRecordView<int64_t, RoleTraceInfo> {
 public:
  CRoleTraceView()
      : CRecordView(
            "RoleTrace", "ini/RoleTrace.ini",
            "keys the file lists / keys the module has a record of their own for", "key",
            [](I3DRoleBaseData& data, int64_t nKey) { return data.GetRoleTraceInfo(nKey); },
            [](const RoleTraceInfo& info, int64_t nKey) { return info.Key == nKey; }) {}

  void ReadKeys() override {
    m_keys.clear();
    ZorGameBase::CZorIni ini;
    if (!ini.Open(File().c_str())) return;
    for (std::string strLine; ini.ReadLine(strLine);) {
      CTextScan scan(strLine);
      int64_t nKey = 0;
      if (scan.Int64(nKey)) m_keys.insert(nKey);
    }
  }
};

// ini/RolePartReplace.ini: content lines "key c2 ... c11"; the key is the first field (decimal
// or 0x hexadecimal).
class CRolePartReplaceView : public CRecordView<int32_t, RolePartReplaceInfo> {
 public:
  CRolePartReplaceView()
      : CRecordView(
            "RolePartReplace", "ini/RolePartReplace.ini",
            "keys the file lists / keys the module has a record for", "key",
            [](I3DRoleBaseData& data, int32_t nKey) { return data.GetRolePartReplaceInfo(nKey); },
            [](const RolePartReplaceInfo&, int32_t) { return true; }) {}

  void ReadKeys() override {
    m_keys.clear();
    ZorGameBase::CZorIni ini;
    if (!ini.Open(File().c_str())) return;
    for (std::string strLine; ini.ReadLine(strLine);) {
      CTextScan scan(strLine);
      std::string_view field;
      if (scan.Word(field)) m_keys.insert(ZorGameBase::ParseIniInteger(std::string(field).c_str()));
    }
  }
};

// ini/RolePartHide.ini: headers "[k1.k2.k3.k4]", each followed by "SectionAmount=n" and n lines
// "SectionI=part from to". A part counts as answered when the module hides it at both ends of
// its range; a header counts when all its parts do (a header without parts always does).
class CRolePartHideView : public CTableView {
 public:
  CRolePartHideView()
      : CTableView("RolePartHide", "ini/RolePartHide.ini",
                   "headers the file lists / headers whose every part the module hides over its "
                   "range") {}

  void ReadKeys() override {
    m_entries.clear();
    std::string strImage;
    if (!ReadTextImage(File().c_str(), strImage)) return;
    CTextScan scan(strImage);
    std::string_view line;
    while (scan.LinePiece(line, 1024)) {
      CTextScan header(line);
      std::array<uint32_t, 4> key{};
      if (!header.Literal('[') || !header.UInt32(key[0]) || !header.Literal('.') ||
          !header.UInt32(key[1]) || !header.Literal('.') || !header.UInt32(key[2]) ||
          !header.Literal('.') || !header.UInt32(key[3])) {
        continue;
      }
      // The lines after a header are read as the module reads them: from the next character on.
      std::vector<Part> parts;
      uint32_t nAmount = 0;
      if (!Keyword(scan, "SectionAmount=") || !scan.UInt32(nAmount)) continue;
      for (uint32_t i = 0; i < nAmount; ++i) {
        Part part;
        uint32_t nIndex = 0;
        std::string_view name;
        scan.SkipSpace();
        if (!Keyword(scan, "Section") || !scan.UInt32(nIndex) || !scan.Literal('=') ||
            !scan.Word(name) || !scan.UInt32(part.nFrom) || !scan.UInt32(part.nTo)) {
          break;
        }
        part.strName = name;
        parts.push_back(part);
      }
      scan.SkipSpace();
      m_entries[key] = parts;
    }
  }

  void Answer(I3DRoleBaseData& data, TableAnswer& answer) override {
    for (const auto& [key, parts] : m_entries) {
      bool bAll = true;
      Json list = Json::array();
      for (const Part& part : parts) {
        const char* pszName = part.strName.c_str();
        bool bHidden = data.IsRolePartHidden(key[0], key[1], key[2], key[3], part.nFrom, pszName) &&
                       data.IsRolePartHidden(key[0], key[1], key[2], key[3], part.nTo, pszName);
        bAll = bAll && bHidden;
        list.push_back(Json{{"part", JsonText(part.strName)},
                            {"from", part.nFrom},
                            {"to", part.nTo},
                            {"hidden", bHidden}});
      }
      answer.dump.Element(Json{{"key", key}, {"parts", list}});
      ++answer.nListed;
      answer.nAnswered += bAll ? 1 : 0;
    }
  }

 private:
  struct Part {
    std::string strName;
    uint32_t nFrom = 0;
    uint32_t nTo = 0;
  };

  // A literal word at the cursor, as a format's literal text matches.
  static bool Keyword(CTextScan& scan, const char* pszWord) {
    for (const char* p = pszWord; *p != '\0'; ++p) {
      if (!scan.Literal(*p)) return false;
    }
    return true;
  }

  std::map<std::array<uint32_t, 4>, std::vector<Part>> m_entries;
};

}  // namespace

std::unique_ptr<CTableView> MakeNpcView() { return std::make_unique<CNpcView>(); }
std::unique_ptr<CTableView> MakeNpcXView() { return std::make_unique<CNpcXView>(); }
std::unique_ptr<CTableView> MakeRolePartHideView() { return std::make_unique<CRolePartHideView>(); }
std::unique_ptr<CTableView> MakeSimpleObjView() {
  auto pView = std::make_unique<CSimpleObjView>();
  pView->SetLoader("CreateSimpleObjInfo");
  return pView;
}
std::unique_ptr<CTableView> MakeRoleTraceView() { return std::make_unique<CRoleTraceView>(); }
std::unique_ptr<CTableView> MakeRolePartReplaceView() {
  return std::make_unique<CRolePartReplaceView>();
}
