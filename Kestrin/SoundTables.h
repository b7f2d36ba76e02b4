#pragma once
// Containers of the sound events, sound resources, action sounds and 3D effects. Nothing
// enumerates these tables; the client only looks keys up, per frame, so each is a hashed
// table (HashedTable.h) rather than a tree, with its names in one arena.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "HashedTable.h"

// Names under packed keys. A name handed out stays valid until the table is cleared. A load
// appends its (key, name) pairs in file order between BeginLoad and EndLoad; the later name of
// a key stands. A load that changes nothing (the same file read again) keeps nothing new.
template <typename Key>
class CNameTable {
 public:
  // The name under the key, or null.
  const char* Find(Key nKey) const {
    const char* const* ppszName = m_table.Find(nKey);
    return ppszName != nullptr ? *ppszName : nullptr;
  }
  void BeginLoad() { m_mark = m_names.GetMark(); }
  // Room for a load from a file of nBytes in nLines lines, before the first load.
  void Reserve(size_t nLines, size_t nBytes) {
    m_table.Reserve(nLines);
    m_names.Reserve(nBytes);
  }
  void Append(Key nKey, std::string_view name) { m_table.Append(nKey) = m_names.Add(name); }
  void EndLoad() {
    size_t nBefore = m_table.Size();
    bool bNewNameKept = false;
    m_table.IndexAppended([&bNewNameKept](const char*& pszKept, const char*& pszNew) {
      if (strcmp(pszKept, pszNew) != 0) {
        pszKept = pszNew;
        bNewNameKept = true;
      }
    });
    if (m_table.Size() == nBefore && !bNewNameKept) m_names.Rollback(m_mark);
    m_names.ReleaseSpare();
  }
  // Takes back the pairs appended since the last EndLoad (their names stay unused).
  void CancelLoad() { m_table.DropAllAppended(); }
  size_t Size() const { return m_table.Size(); }
  Key KeyAt(size_t i) const { return m_table.EntryAt(i).key; }
  void Clear() {
    m_table.Clear();
    m_names.Clear();
  }

 private:
  CHashedTable<Key, const char*> m_table;
  CNameArena m_names;
  CNameArena::Mark m_mark{};
};

// ini/SoundEvent.ini: event number (taken bit for bit from its signed text) to sound name.
using SoundEventTable = CNameTable<uint32_t>;

// ini/SoundRes.ini: section title (bytes as written, blanks included) to its sound files in
// file order, duplicates and empty names included. The first section of a title is kept, also
// against an earlier load.
class CSoundResTable {
 public:
  // The files of the section of this title (nCount of them at ppszFiles); false when no section
  // has the title.
  bool Find(std::string_view title, const char* const*& ppszFiles, size_t& nCount) const {
    const Files* pFiles = m_table.Find(title);
    if (pFiles == nullptr) return false;
    ppszFiles = m_vecFiles.data() + pFiles->nFirst;
    nCount = pFiles->nCount;
    return true;
  }

  void BeginLoad() {
    m_mark = m_names.GetMark();
    m_nFilesMark = m_vecFiles.size();
  }
  // Room for nSections sections with nFiles files and their names from a file of nBytes, before
  // the first load.
  void Reserve(size_t nSections, size_t nFiles, size_t nBytes) {
    if (m_table.Size() != 0) return;
    m_table.Reserve(nSections);
    m_names.Reserve(nBytes);
    m_vecFiles.reserve(nFiles);
  }
  // Starts the section of a [title] line; the one open before is entered first.
  void OpenSection(std::string_view title) {
    CloseSection();
    m_bOpen = true;
    m_openTitle = std::string_view(m_names.Add(title), title.size());
    m_nOpenFirst = m_vecFiles.size();
  }
  // Adds a file to the open section; false (nothing added) when no section is open.
  bool AddFile(std::string_view name) {
    if (!m_bOpen) return false;
    m_vecFiles.push_back(m_names.Add(name));
    return true;
  }
  // Enters the open section, if any, and every section of the load; of two sections of one
  // title the first stands.
  void EndLoad() {
    CloseSection();
    size_t nBefore = m_table.Size();
    m_table.IndexAppended([](Files&, Files&) {});
    if (m_table.Size() == nBefore) {
      m_names.Rollback(m_mark);
      m_vecFiles.resize(m_nFilesMark);
    }
    m_names.ReleaseSpare();
  }
  // Takes back the sections of a load that cannot go on (their files stay unused).
  void CancelLoad() {
    m_table.DropAllAppended();
    m_bOpen = false;
  }
  size_t Size() const { return m_table.Size(); }
  // The title of section i (0 <= i < Size()), in the order the titles came.
  std::string_view NameAt(size_t i) const { return m_table.EntryAt(i).key; }
  void Clear() {
    m_table.Clear();
    m_names.Clear();
    m_vecFiles.clear();
    m_vecFiles.shrink_to_fit();
    m_bOpen = false;
  }

 private:
  // A title as a key: its characters in the arena.
  class CTitle {
   public:
    CTitle() = default;
    explicit CTitle(std::string_view stored) : m_pText(stored.data()), m_nLength(static_cast<uint32_t>(stored.size())) {}
    operator std::string_view() const { return std::string_view(m_pText, m_nLength); }
    friend bool operator==(const CTitle& key, std::string_view name) { return std::string_view(key) == name; }
    friend bool operator==(const CTitle& key, const CTitle& other) { return key == std::string_view(other); }

   private:
    const char* m_pText = nullptr;
    uint32_t m_nLength = 0;
  };
  struct Files {
    uint32_t nFirst;  // in m_vecFiles
    uint32_t nCount;
  };
  void CloseSection() {
    if (!m_bOpen) return;
    m_bOpen = false;
    size_t nCount = m_vecFiles.size() - m_nOpenFirst;
    m_table.Append(m_openTitle) = Files{static_cast<uint32_t>(m_nOpenFirst), static_cast<uint32_t>(nCount)};
  }

  CHashedTable<CTitle, Files> m_table;
  CNameArena m_names;
  std::vector<const char*> m_vecFiles;
  CNameArena::Mark m_mark{};
  size_t m_nFilesMark = 0;
  // The section being read.
  bool m_bOpen = false;
  std::string_view m_openTitle;
  size_t m_nOpenFirst = 0;
};
using SoundResTable = CSoundResTable;

// 3D effects under the key a.b.c.d packed as a * 10^10 + b * 10^6 + c * 10^3 + d.
using WeaponEffect3DTable = CNameTable<uint64_t>;
using ActionEffect3DTable = CNameTable<uint64_t>;

// Action sounds under the key a.b.c packed as a * 10^7 + b * 10^4 + c.
using ActionSoundTable = CNameTable<uint64_t>;
