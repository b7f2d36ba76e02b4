#pragma once
// The containers of the tables, chosen for a load that runs at the speed of the disk and for
// lookups that take a few nanoseconds without allocating:
//
//   CStableList<T>            records in order, in blocks that never move
//   CNameArena                the texts of a table in large blocks, each a stable C string
//   CHashedTable<Key, Value>  lookups only: the entries in a CStableList, found through an
//                             open-addressing index probed linearly, of 32-bit slots that
//                             hold an entry's position and a few bits of its key's hash
//
// Records and texts keep their addresses until the container is cleared, so the pointers the
// queries hand out survive later insertions (a second load adds to most tables). Clearing
// frees a few large blocks instead of one allocation per record or text.
//
// A loader fills a table in two steps: it appends an entry per record in file order (written
// one after the other, as the file is read), then enters them into the index all at once (a
// large load in the order of the index's slots, so that neither the file, the entries nor the
// index is touched at random). A key found twice keeps one entry; the loader says which value stands.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "LinearProbe.h"
#include "TableBlock.h"

// Records in order, in blocks that never move: the first of about 32 KB (or of the count
// reserved), each next one twice the one before, so that a large table lies in few large
// blocks (see CTableBlock).
template <typename T>
class CStableList {
 public:
  CStableList() = default;
  ~CStableList() { Clear(); }
  CStableList(const CStableList&) = delete;
  CStableList& operator=(const CStableList&) = delete;

  // A record made in place from the arguments (brace-initialised: the members of a plain
  // struct not given are value-initialised where they stand).
  template <typename... Args>
  T& Emplace(Args&&... args) {
    if (m_pNext == m_pBlockEnd) AddBlock();
    T* pItem = new (m_pNext) T{std::forward<Args>(args)...};
    ++m_pNext;
    ++m_nSize;
    return *pItem;
  }
  T& operator[](size_t i) { return *Item(i); }
  const T& operator[](size_t i) const { return *Item(i); }
  // Room for about nCount records, when the list has none yet (a hint: the list grows past it
  // as ever, and pages of a block never written take no memory).
  void Reserve(size_t nCount) {
    if (!m_vecBlocks.empty()) return;
    m_nFirstShift = FIRST_SHIFT;
    // The first block holds at least half the count: with the blocks after it, room for the
    // count is taken once it is needed, and an estimate too high costs half as much.
    while ((size_t{2} << m_nFirstShift) <= nCount && (size_t{2} << m_nFirstShift) * sizeof(T) <= MAX_FIRST_BYTES)
      ++m_nFirstShift;
  }
  size_t Size() const { return m_nSize; }
  bool Empty() const { return m_nSize == 0; }
  // Calls fnVisit(record, i) for the records from i = nFrom on, in order, a block at a time.
  template <typename Visit>
  void ForEachFrom(size_t nFrom, const Visit& fnVisit) {
    for (size_t i = nFrom; i < m_nSize;) {
      size_t nBlock = BlockOf(i);
      uintptr_t nBias = m_vecBias[nBlock];
      size_t nBlockEnd = std::min(First() * ((size_t{2} << nBlock) - 1), m_nSize);
      for (; i < nBlockEnd; ++i) fnVisit(*std::launder(At(nBias, i)), i);
    }
  }
  // Destroys the last nCount records; blocks left empty are given back.
  void PopBack(size_t nCount) {
    for (; nCount > 0; --nCount) Item(--m_nSize)->~T();
    size_t nBlocks = m_nSize == 0 ? 0 : BlockOf(m_nSize - 1) + 1;
    m_vecBlocks.resize(nBlocks);
    m_vecBias.resize(nBlocks);
    m_nCapacity = nBlocks == 0 ? 0 : (First() << nBlocks) - First();
    m_pNext = nBlocks == 0 ? nullptr : At(m_vecBias.back(), m_nSize);
    m_pBlockEnd = nBlocks == 0 ? nullptr : At(m_vecBias.back(), m_nCapacity);
  }
  // Gives back the pages of the last block past the last record (see CTableBlock::ReleaseAfter).
  void ReleaseSpare() {
    if (m_vecBlocks.empty()) return;
    size_t nFirstOfLast = First() * ((size_t{1} << (m_vecBlocks.size() - 1)) - 1);
    m_vecBlocks.back().ReleaseAfter((m_nSize - nFirstOfLast) * sizeof(T));
  }
  // Destroys the records and gives the blocks back.
  void Clear() {
    if (!std::is_trivially_destructible<T>::value) {
      for (size_t i = 0; i < m_nSize; ++i) Item(i)->~T();
    }
    m_vecBlocks.clear();
    m_vecBlocks.shrink_to_fit();
    m_vecBias.clear();
    m_vecBias.shrink_to_fit();
    m_nSize = 0;
    m_nCapacity = 0;
    m_pNext = nullptr;
    m_pBlockEnd = nullptr;
    m_nFirstShift = FIRST_SHIFT;
  }

 private:
  static constexpr size_t FirstShift() {
    size_t nShift = 0;
    while ((size_t{2} << nShift) * sizeof(T) <= 32768) ++nShift;
    return nShift;
  }
  static constexpr size_t FIRST_SHIFT = FirstShift();
  static constexpr size_t MAX_FIRST_BYTES = size_t{64} << 20;
  size_t First() const { return size_t{1} << m_nFirstShift; }  // records in the first block

  // Block k holds First() << k records, from record First() * (2^k - 1) on.
  size_t BlockOf(size_t i) const { return HighestBit((i >> m_nFirstShift) + 1); }
  static size_t HighestBit(size_t n) {
#if defined(__GNUC__)
    return 63 - static_cast<size_t>(__builtin_clzll(static_cast<unsigned long long>(n)));
#else
    size_t nBit = 0;
    while (n >>= 1) ++nBit;
    return nBit;
#endif
  }
  // Record i of a block whose bias is nBias.
  static T* At(uintptr_t nBias, size_t i) { return reinterpret_cast<T*>(nBias + i * sizeof(T)); }
  T* Item(size_t i) const { return std::launder(At(m_vecBias[BlockOf(i)], i)); }
  // The next block, twice the one before; nothing changes when there is no memory for it.
  void AddBlock() {
    size_t nBlock = m_vecBlocks.size();
    size_t nStart = m_nCapacity;
    ZorGameBase::CTableBlock block((First() << nBlock) * sizeof(T));
    m_vecBias.reserve(nBlock + 1);
    m_vecBlocks.push_back(std::move(block));  // freed if the list cannot grow
    m_vecBias.push_back(reinterpret_cast<uintptr_t>(m_vecBlocks.back().Bytes()) - nStart * sizeof(T));
    m_nCapacity += First() << nBlock;
    m_pNext = At(m_vecBias.back(), nStart);
    m_pBlockEnd = At(m_vecBias.back(), m_nCapacity);
  }

  std::vector<ZorGameBase::CTableBlock> m_vecBlocks;
  // Per block, its address less the offset of its first record, so that record i of the
  // block lies at the bias + i * sizeof(T) (arithmetic modulo the address size).
  std::vector<uintptr_t> m_vecBias;
  size_t m_nSize = 0;
  size_t m_nCapacity = 0;
  // Where the next record goes and the end of the last block: equal when the list is full.
  T* m_pNext = nullptr;
  T* m_pBlockEnd = nullptr;
  size_t m_nFirstShift = FIRST_SHIFT;
};

// The texts of one table: each added text is copied, zero-terminated, into large blocks, and
// its characters stay where they are until Clear (or a Rollback to a mark set before them).
// The blocks grow from 64 KB (or the size reserved) to 4 MB as the table does.
class CNameArena {
 public:
  // The stored copy of the text (its bytes up to the size given, then a zero).
  const char* Add(std::string_view text) {
    size_t nNeed = text.size() + 1;
    char* pCopy;
    if (nNeed <= m_nLeft) {
      pCopy = m_pNext;
      m_pNext += nNeed;
      m_nLeft -= nNeed;
    } else if (nNeed > FIRST_BLOCK / 4) {
      // A long text gets a block of its own; the current block goes on being filled.
      pCopy = AddBlock(nNeed);
    } else {
      size_t nBlock = NextBlockSize();
      pCopy = AddBlock(nBlock);
      m_pNext = pCopy + nNeed;
      m_nLeft = nBlock - nNeed;
    }
    CopyText(pCopy, text.data(), text.size());
    pCopy[text.size()] = '\0';
    return pCopy;
  }

  // Where the arena stands, to give back everything added after it.
  struct Mark {
    size_t nBlocks;
    char* pNext;
    size_t nLeft;
  };
  Mark GetMark() const { return Mark{m_vecBlocks.size(), m_pNext, m_nLeft}; }
  // Gives back the pages of the block being filled past its last text (see
  // CTableBlock::ReleaseAfter).
  void ReleaseSpare() {
    for (ZorGameBase::CTableBlock& block : m_vecBlocks) {
      if (m_pNext >= block.Bytes() && m_pNext < block.Bytes() + block.Size()) {
        block.ReleaseAfter(static_cast<size_t>(m_pNext - block.Bytes()));
      }
    }
  }
  // A first block of about nBytes, when the arena has none yet (a hint, as for CStableList).
  void Reserve(size_t nBytes) {
    if (m_vecBlocks.empty()) m_nFirstBlock = std::min(std::max(nBytes, FIRST_BLOCK), MAX_FIRST_BLOCK);
  }
  // Gives back the texts added since the mark; none of them may be in use.
  void Rollback(const Mark& mark) {
    m_vecBlocks.resize(mark.nBlocks);
    m_pNext = mark.pNext;
    m_nLeft = mark.nLeft;
  }

  void Clear() {
    m_vecBlocks.clear();
    m_vecBlocks.shrink_to_fit();
    m_pNext = nullptr;
    m_nLeft = 0;
    m_nGrown = 0;
    m_nFirstBlock = FIRST_BLOCK;
  }

 private:
  static constexpr size_t FIRST_BLOCK = 64 * 1024;
  static constexpr size_t LAST_BLOCK = size_t{4} << 20;
  static constexpr size_t MAX_FIRST_BLOCK = size_t{64} << 20;

  // The first block as reserved, then each twice the one before, up to 4 MB (or the first
  // block's size, when that is larger).
  size_t NextBlockSize() {
    size_t nGrown = m_nGrown < 6 ? m_nGrown : 6;
    ++m_nGrown;
    size_t nLimit = m_nFirstBlock > LAST_BLOCK ? m_nFirstBlock : LAST_BLOCK;
    size_t nSize = m_nFirstBlock << nGrown;
    return nSize < nLimit ? nSize : nLimit;
  }

  // Most names are short: a head and a tail of one width that overlap cover 4 to 32 bytes
  // without a call, reading and writing nothing outside the text and its copy.
  template <size_t WIDTH>
  static void CopyHeadAndTail(char* pTo, const char* pFrom, size_t nSize) {
    char achHead[WIDTH], achTail[WIDTH];
    memcpy(achHead, pFrom, WIDTH);
    memcpy(achTail, pFrom + nSize - WIDTH, WIDTH);
    memcpy(pTo, achHead, WIDTH);
    memcpy(pTo + nSize - WIDTH, achTail, WIDTH);
  }
  static void CopyText(char* pTo, const char* pFrom, size_t nSize) {
    if (nSize >= 8) {
      if (nSize <= 16) return CopyHeadAndTail<8>(pTo, pFrom, nSize);
      if (nSize <= 32) return CopyHeadAndTail<16>(pTo, pFrom, nSize);
    } else if (nSize >= 4) {
      return CopyHeadAndTail<4>(pTo, pFrom, nSize);
    }
    if (nSize != 0) memcpy(pTo, pFrom, nSize);
  }

  char* AddBlock(size_t nSize) {
    ZorGameBase::CTableBlock block(nSize);
    m_vecBlocks.push_back(std::move(block));  // freed if the list cannot grow
    return m_vecBlocks.back().Bytes();
  }

  std::vector<ZorGameBase::CTableBlock> m_vecBlocks;
  char* m_pNext = nullptr;
  size_t m_nLeft = 0;
  size_t m_nGrown = 0;  // blocks of growing size taken so far
  size_t m_nFirstBlock = FIRST_BLOCK;
};

// Hashes of the table keys: packed numbers (as 64 bits), mixed by the table, and names, eight
// bytes a step (names are short: a few steps, no call).
struct TableKeyHash {
  uint64_t operator()(uint64_t nKey) const { return nKey; }
  uint64_t operator()(std::string_view text) const {
    const uint64_t MUL = 0x9E3779B97F4A7C15ull;
    uint64_t nHash = text.size() * MUL;
    const char* p = text.data();
    size_t nLeft = text.size();
    for (; nLeft >= 8; nLeft -= 8, p += 8) {
      uint64_t nWord;
      memcpy(&nWord, p, sizeof(nWord));
      nHash = (nHash ^ nWord) * MUL;
      nHash ^= nHash >> 29;
    }
    nHash = (nHash ^ Tail(p, nLeft, text.size())) * MUL;
    return nHash ^ (nHash >> 32);
  }

 private:
  // The nLeft (< 8) bytes at p that end a text of nSize bytes, as one number that tells them
  // apart (the length is hashed on its own): of a text of eight bytes or more, the word that
  // ends with them, shifted; else two overlapping halves, or the first, middle and last byte.
  static uint64_t Tail(const char* p, size_t nLeft, size_t nSize) {
    if (nLeft == 0) return 0;
    if (nSize >= 8) {
      uint64_t nWord;
      memcpy(&nWord, p + nLeft - 8, sizeof(nWord));
      return nWord >> (8 * (8 - nLeft));
    }
    if (nLeft >= 4) {
      uint32_t nHead, nLast;
      memcpy(&nHead, p, sizeof(nHead));
      memcpy(&nLast, p + nLeft - 4, sizeof(nLast));
      return (uint64_t{nLast} << 32) | nHead;
    }
    return static_cast<uint64_t>(static_cast<unsigned char>(p[0])) |
           static_cast<uint64_t>(static_cast<unsigned char>(p[nLeft / 2])) << 8 |
           static_cast<uint64_t>(static_cast<unsigned char>(p[nLeft - 1])) << 16;
  }
};

// A name as a table key: the text lies in the table's arena, its length and first bytes in the
// key itself, so that comparing a short name with the one looked for reads only the entry.
class CNameKey {
 public:
  CNameKey() = default;
  // A name whose characters stay where they are (in an arena).
  explicit CNameKey(std::string_view stored)
      : m_pText(stored.data()), m_nLength(static_cast<uint32_t>(stored.size())) {
    memcpy(m_achPrefix, stored.data(), stored.size() < PREFIX ? stored.size() : PREFIX);
  }
  operator std::string_view() const { return std::string_view(m_pText, m_nLength); }
  friend bool operator==(const CNameKey& key, std::string_view name) {
    if (key.m_nLength != name.size()) return false;
    if (name.size() <= PREFIX) return memcmp(key.m_achPrefix, name.data(), name.size()) == 0;
    return memcmp(key.m_achPrefix, name.data(), PREFIX) == 0 &&
           memcmp(key.m_pText + PREFIX, name.data() + PREFIX, name.size() - PREFIX) == 0;
  }
  friend bool operator==(const CNameKey& key, const CNameKey& other) {
    return key == std::string_view(other);
  }

 private:
  static const size_t PREFIX = 20;
  const char* m_pText = nullptr;
  uint32_t m_nLength = 0;
  char m_achPrefix[PREFIX] = {};
};

template <typename Key, typename Value, typename Hash = TableKeyHash>
class CHashedTable {
 public:
  struct Entry {
    Key key;
    Value value{};  // value-initialised in place when only the key is given
  };

  // The value under the key, or null.
  template <typename Lookup>
  const Value* Find(const Lookup& key) const {
    return const_cast<CHashedTable*>(this)->FindValue(key);
  }
  template <typename Lookup>
  Value* Find(const Lookup& key) {
    return FindValue(key);
  }

  // The value under the key; a value-initialised value is entered first when the key is
  // missing, and *pInserted (when given) tells whether that happened. Not while appended
  // entries wait for IndexAppended.
  template <typename Lookup>
  Value& FindOrAdd(const Lookup& key, bool* pInserted = nullptr) {
    Value* pValue = FindValue(key);
    if (pInserted != nullptr) *pInserted = pValue == nullptr;
    if (pValue != nullptr) return *pValue;
    GrowFor(m_nIndexed + 1);
    Entry& entry = m_entries.Emplace(Key(KeyOf(key)));
    IndexEntry(View(), m_nIndexed++, TagOf(key), [](Value&, Value&) {});
    return entry.value;
  }

  // Appends an entry that the lookups do not see until IndexAppended; its value is value-
  // initialised, for the loader to fill in place.
  template <typename Lookup>
  Value& Append(const Lookup& key) {
    return m_entries.Emplace(Key(KeyOf(key))).value;  // the value made where it stands
  }
  // Room for about nCount entries before the first is appended (see CStableList::Reserve).
  void Reserve(size_t nCount) { m_entries.Reserve(nCount); }
  // Takes back the entry appended last (a record that turned out bad).
  void DropAppended() {
    if (m_entries.Size() > m_nIndexed) m_entries.PopBack(1);
  }
  // Takes back every entry appended since the last IndexAppended (a load that cannot go on).
  void DropAllAppended() { m_entries.PopBack(m_entries.Size() - m_nIndexed); }

  // Enters the appended entries into the index. An appended entry whose key is there already
  // (entered before, or appended earlier) is not kept: fnMerge(kept, appended) is called with
  // the values in the order the entries were appended, and decides what the kept value becomes
  // (the later value, for a table where the last line of a key stands; nothing, where the
  // first stands). The kept entries keep their addresses; appended entries may move until this
  // returns, so nothing may point at them before. The index is sized for every appended key
  // first (entering keys in the order of their homes into an index still growing would crowd
  // them into its first slots), then shrunk to the keys kept: a file that repeats its keys
  // keeps no room for the repeats.
  template <typename Merge>
  void IndexAppended(Merge fnMerge) {
    const size_t nFirst = m_nIndexed;
    const size_t nCount = m_entries.Size() - nFirst;
    if (nCount == 0) return;
    // Per appended entry, first its tag while the entries are put in order; then, when some
    // key was dropped, its slot (NO_SLOT when its key had one). Everything this takes is taken
    // before the first entry is entered: running out of memory leaves the index as it was.
    // Every element is written before it is read: the arrays are taken without being cleared.
    std::unique_ptr<uint32_t[]> vecSlotOf(new uint32_t[nCount]);
    size_t nDropped = 0;
    if (nCount < SMALL_BATCH) {
      // An index this small (up to about 640 KB) stays in a second-level cache: the entries go
      // in file order, which takes fewer steps than putting them in order first.
      GrowFor(nFirst + nCount);
      const IndexView view = View();
      m_entries.ForEachFrom(nFirst, [&](const Entry& entry, size_t i) {
        if (!IndexEntry(view, i, TagOf(entry.key), fnMerge)) ++nDropped;
      });
    } else {
      // The entries in the order of their home slots: a counting sort by the top bits of the
      // hash, stable, so that the entries of one key keep their order. Whatever the size of
      // the index, the homes of one bucket lie together. The order holds places among the
      // appended entries; their tags stay where the first pass put them.
      std::unique_ptr<uint32_t[]> vecOrder(new uint32_t[nCount]);
      std::vector<uint32_t> vecStart((size_t{1} << BUCKET_BITS) + 1, 0);
      m_entries.ForEachFrom(nFirst, [&](const Entry& entry, size_t i) {
        uint32_t nTag = TagOf(entry.key);
        vecSlotOf[i - nFirst] = nTag;
        ++vecStart[(nTag >> (32 - BUCKET_BITS)) + 1];
      });
      for (size_t b = 1; b < vecStart.size(); ++b) vecStart[b] += vecStart[b - 1];
      for (size_t i = 0; i < nCount; ++i) {
        vecOrder[vecStart[vecSlotOf[i] >> (32 - BUCKET_BITS)]++] = static_cast<uint32_t>(i);
      }
      GrowFor(nFirst + nCount);
      const IndexView view = View();
      for (size_t i = 0; i < nCount; ++i) {
        uint32_t nEntry = vecOrder[i];
        if (!IndexEntry(view, nFirst + nEntry, vecSlotOf[nEntry], fnMerge)) ++nDropped;
      }
    }
    size_t nKept = nFirst + nCount - nDropped;
    if (nDropped != 0 && nDropped != nCount) {
      // Close the gaps the dropped entries leave, moving kept entries down (nothing points at
      // them yet) and their slots with them; the slots of the appended entries are found in
      // the index.
      std::fill(vecSlotOf.get(), vecSlotOf.get() + nCount, NO_SLOT);
      const uint32_t* pSlots = m_vecSlots.begin();
      for (size_t s = 0; s < m_vecSlots.size(); ++s) {
        size_t nEntry = pSlots[s] & m_nEntryMask;
        if (nEntry > nFirst) vecSlotOf[nEntry - 1 - nFirst] = static_cast<uint32_t>(s);
      }
      size_t nTo = nFirst;
      for (size_t i = 0; i < nCount; ++i) {
        if (vecSlotOf[i] == NO_SLOT) continue;
        if (nTo != nFirst + i) {
          m_entries[nTo] = std::move(m_entries[nFirst + i]);
          uint32_t& nSlot = m_vecSlots[vecSlotOf[i]];
          nSlot = (nSlot & ~m_nEntryMask) | static_cast<uint32_t>(nTo + 1);
        }
        ++nTo;
      }
    }
    m_entries.PopBack(m_entries.Size() - nKept);
    m_entries.ReleaseSpare();
    m_nIndexed = nKept;
    // Repeated keys leave the index emptier than it need be: it shrinks when that saves an
    // eighth.
    size_t nSlots = SlotsFor(nKept);
    if (nSlots < m_vecSlots.size() - m_vecSlots.size() / 8) Rehash(nSlots);
  }

  size_t Size() const { return m_nIndexed; }
  bool Empty() const { return m_nIndexed == 0; }
  void Clear() {
    m_vecSlots = CSlots();
    m_entries.Clear();
    m_nIndexed = 0;
    m_nEntryBits = 0;
    m_nEntryMask = 0;
  }
  // The entries in the order they were first entered.
  const Entry& EntryAt(size_t i) const { return m_entries[i]; }
  Value& ValueAt(size_t i) { return m_entries[i].value; }

 private:
  static constexpr size_t SMALL_BATCH = 131072;  // entries
  static constexpr int BUCKET_BITS = 12;
  static constexpr uint32_t NO_SLOT = 0xFFFFFFFFu;
  // A slot is 0 while free; else its low m_nEntryBits bits hold the entry's position + 1 and
  // the bits above them the low bits of the key's tag (a fingerprint: most keys that share the
  // home are told apart without a look at their entries).

  // Fibonacci hashing: the high bits of the product spread packed decimal keys evenly. A key's
  // tag is the top 32 bits; its home slot is the tag scaled to the number of slots (the high
  // bits of the tag, whatever the number), its fingerprint the tag's low bits.
  static uint32_t Mix(uint64_t nHash) {
    return static_cast<uint32_t>((nHash * 0x9E3779B97F4A7C15ull) >> 32);
  }
  size_t Home(uint32_t nTag) const {
    return static_cast<size_t>((uint64_t{nTag} * m_vecSlots.size()) >> 32);
  }
  // The bits of a slot that a key of this tag has above its position.
  uint32_t FingerprintOf(uint32_t nTag) const {
    return static_cast<uint32_t>(uint64_t{nTag} << m_nEntryBits);
  }
  bool HasFingerprint(uint32_t nSlot, uint32_t nFingerprint) const {
    return (nSlot & ~m_nEntryMask) == nFingerprint;
  }

  // A numeric lookup is taken as the key type first, so that 7 and 7u find the same entry;
  // names are looked up by their bytes.
  template <typename Lookup>
  static decltype(auto) KeyOf(const Lookup& key) {
    if constexpr (std::is_integral<Key>::value) {
      return static_cast<Key>(key);
    } else {
      return std::string_view(key);
    }
  }
  template <typename Lookup>
  static uint32_t TagOf(const Lookup& key) {
    if constexpr (std::is_integral<Key>::value) {
      return Mix(Hash()(static_cast<uint64_t>(static_cast<Key>(key))));
    } else {
      return Mix(Hash()(std::string_view(key)));
    }
  }

  template <typename Lookup>
  Value* FindValue(const Lookup& key) {
    if (m_nIndexed == 0) return nullptr;
    uint32_t nTag = TagOf(key);
    uint32_t nFingerprint = FingerprintOf(nTag);
    const uint32_t* pSlots = m_vecSlots.begin();
    uint32_t nSlot = pSlots[ZorGameBase::ProbeSlotWrapping(
        Home(nTag), m_vecSlots.size(), [&](size_t i) { return pSlots[i] == 0; },
        [&](size_t i) {
          return HasFingerprint(pSlots[i], nFingerprint) &&
                 m_entries[(pSlots[i] & m_nEntryMask) - 1].key == KeyOf(key);
        })];
    return nSlot == 0 ? nullptr : &m_entries[(nSlot & m_nEntryMask) - 1].value;
  }

  // The index as a pass that enters entries sees it: taken once, so that the slots it writes
  // (of the type of the mask) do not make every entry read the index's shape again.
  struct IndexView {
    uint32_t* pSlots;
    size_t nSlots;
    int nEntryBits;
    uint32_t nEntryMask;
  };
  IndexView View() const { return IndexView{m_vecSlots.begin(), m_vecSlots.size(), m_nEntryBits, m_nEntryMask}; }

  // Gives entry nEntry a slot in the index seen as view (grown for it) unless its key has one:
  // then fnMerge(kept, this) and false.
  template <typename Merge>
  bool IndexEntry(const IndexView& view, size_t nEntry, uint32_t nTag, const Merge& fnMerge) {
    uint32_t* pSlots = view.pSlots;
    const uint32_t nMask = view.nEntryMask;
    uint32_t nFingerprint = static_cast<uint32_t>(uint64_t{nTag} << view.nEntryBits);
    size_t i = ZorGameBase::ProbeSlotWrapping(
        static_cast<size_t>((uint64_t{nTag} * view.nSlots) >> 32), view.nSlots,
        [&](size_t n) { return pSlots[n] == 0; },
        [&](size_t n) {
          return (pSlots[n] & ~nMask) == nFingerprint &&
                 m_entries[(pSlots[n] & nMask) - 1].key == m_entries[nEntry].key;
        });
    if (pSlots[i] != 0) {
      fnMerge(m_entries[(pSlots[i] & nMask) - 1].value, m_entries[nEntry].value);
      return false;
    }
    pSlots[i] = nFingerprint | static_cast<uint32_t>(nEntry + 1);
    return true;
  }

  // The slots for nCount entries: at most four fifths full (a probe that misses then passes
  // a few slots of one cache line on average).
  static size_t SlotsFor(size_t nCount) { return std::max<size_t>(nCount + nCount / 4 + 1, 8); }
  // Grows the index, at least doubling it, until nCount entries keep it at most four fifths full.
  void GrowFor(size_t nCount) {
    if (nCount * 5 <= m_vecSlots.size() * 4) return;
    Rehash(std::max(SlotsFor(nCount), 2 * m_vecSlots.size()));
  }
  // Enters the indexed entries into a new index of nSlots slots (their tags computed again:
  // the slots keep too few bits of them), in the order of the entries. Nothing changes when
  // there is no memory for it.
  void Rehash(size_t nSlots) {
    CSlots vecNew(nSlots);
    vecNew.swap(m_vecSlots);
    m_nEntryBits = 1;
    while (m_nEntryBits < 32 && (size_t{1} << m_nEntryBits) <= nSlots) ++m_nEntryBits;
    m_nEntryMask = static_cast<uint32_t>((uint64_t{1} << m_nEntryBits) - 1);
    uint32_t* pSlots = m_vecSlots.begin();
    for (size_t n = 0; n < m_nIndexed; ++n) {
      uint32_t nTag = TagOf(m_entries[n].key);
      pSlots[ZorGameBase::ProbeSlotWrapping(
          Home(nTag), nSlots, [&](size_t i) { return pSlots[i] == 0; }, [](size_t) { return false; })] =
          FingerprintOf(nTag) | static_cast<uint32_t>(n + 1);
    }
  }

  // The slots of the index, all free (zero) when made.
  class CSlots {
   public:
    CSlots() = default;
    explicit CSlots(size_t nCount) : m_block(nCount * sizeof(uint32_t), true), m_nCount(nCount) {}
    size_t size() const { return m_nCount; }
    uint32_t& operator[](size_t i) { return begin()[i]; }
    void swap(CSlots& other) {
      std::swap(m_block, other.m_block);
      std::swap(m_nCount, other.m_nCount);
    }
    uint32_t* begin() const { return reinterpret_cast<uint32_t*>(m_block.Bytes()); }

   private:
    ZorGameBase::CTableBlock m_block;
    size_t m_nCount = 0;
  };

  CSlots m_vecSlots;
  CStableList<Entry> m_entries;  // [0, m_nIndexed) entered; the rest appended, not yet entered
  size_t m_nIndexed = 0;
  int m_nEntryBits = 0;  // the bits of a slot that hold the position: enough for the slots' count
  uint32_t m_nEntryMask = 0;
};

// Values under keys, for the tables that are only looked up. A load adds its (key, value) pairs
// in file order and ends with EndLoad; of the values of one key the last stands (or, with
// bFirstStands, the first), also against an earlier load, in place: a value keeps its address.
template <typename Key, typename Value, bool bFirstStands = false>
class CLookupTable {
 public:
  // The value under the key, or null.
  const Value* Find(Key key) const { return m_table.Find(key); }
  // Appends a pair of the load; the value is value-initialised, for the loader to fill.
  Value& Add(Key key) { return m_table.Append(key); }
  void Add(Key key, const Value& value) { m_table.Append(key) = value; }
  // Room for about nCount pairs, before the first load adds any.
  void Reserve(size_t nCount) { m_table.Reserve(nCount); }
  // Takes back the pair added last.
  void DropAdded() { m_table.DropAppended(); }
  // Takes back every pair added since the last EndLoad.
  void CancelLoad() { m_table.DropAllAppended(); }
  void EndLoad() {
    m_table.IndexAppended([](Value& kept, Value& added) {
      if (!bFirstStands) kept = std::move(added);
    });
  }
  size_t Size() const { return m_table.Size(); }
  // The entries in the order their keys were first entered.
  Key KeyAt(size_t i) const { return m_table.EntryAt(i).key; }
  const Value& ValueAt(size_t i) const { return m_table.EntryAt(i).value; }
  void Clear() { m_table.Clear(); }

 private:
  CHashedTable<Key, Value> m_table;
};

// Values under names, for the tables keyed by a name that are only looked up; the names are
// kept in the table's arena. A load adds its (name, value) pairs in file order and ends with
// EndLoad; of the values of one name the first stands (or, without bFirstStands, the last),
// also against an earlier load. A load that enters no new name keeps no new text.
template <typename Value, bool bFirstStands = true>
class CNamedTable {
 public:
  // The value under the name, or null.
  const Value* Find(std::string_view name) const { return m_table.Find(name); }
  Value* Find(std::string_view name) { return m_table.Find(name); }
  // Appends a pair of the load; the value is value-initialised, for the loader to fill.
  Value& Add(std::string_view name) {
    if (!m_bLoading) {
      m_mark = m_names.GetMark();
      m_bLoading = true;
    }
    return m_table.Append(std::string_view(m_names.Add(name), name.size()));
  }
  void EndLoad() {
    size_t nBefore = m_table.Size();
    m_table.IndexAppended([](Value& kept, Value& added) {
      if (!bFirstStands) kept = std::move(added);
    });
    if (m_bLoading && m_table.Size() == nBefore && bFirstStands) m_names.Rollback(m_mark);
    m_names.ReleaseSpare();
    m_bLoading = false;
  }
  // Takes back every pair added since the last EndLoad (their names stay in the arena unused).
  void CancelLoad() {
    m_table.DropAllAppended();
    m_bLoading = false;
  }
  // The value under the name, entered (value-initialised) when missing: for a table that grows
  // while it answers.
  // The name of entry i (0 <= i < Size()), in the order the names came.
  std::string_view NameAt(size_t i) const { return m_table.EntryAt(i).key; }
  Value& FindOrAdd(std::string_view name) {
    if (Value* pValue = m_table.Find(name)) return *pValue;
    return m_table.FindOrAdd(std::string_view(m_names.Add(name), name.size()));
  }
  size_t Size() const { return m_table.Size(); }
  void Clear() {
    m_table.Clear();
    m_names.Clear();
    m_bLoading = false;
  }

 private:
  CHashedTable<CNameKey, Value> m_table;
  CNameArena m_names;
  CNameArena::Mark m_mark{};
  bool m_bLoading = false;
};
