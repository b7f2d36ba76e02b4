// A plain stdio port of every loader, written the way the loaders are described and nothing
// more: word tables by fscanf("%s") loops, line tables by fgets + sscanf, the sectioned
// documents by reading each line into a per-section std::map of keys and then asking it for
// each key of the record; every record goes into a std::map (or a std::vector, where the
// table is a list). Each file's shape is one row of a table.
#include "StraightPort.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "ZorEncryptFile.h"

namespace KestrinBench {

namespace {

enum Shape { WORDS, LINES, LIST, SECTIONS, SEQUENCE };

// One table file. WORDS: each word through sscanf(format) into a map by its first number, the
// name kept. LINES and LIST: each fgets line through sscanf(format), kept with nFields or more
// conversions (a map by the first number; LIST: a vector of the numbers). SECTIONS: the keys
// asked of each section, as atoi. SEQUENCE: a section word, then the keys read in order with
// one fscanf each. A line table whose first field is a text (%255s) is kept by that text.
struct PortFile {
  const char* pszPath;
  Shape shape;
  const char* pszFormat;  // or the keys, blank-separated
  int nFields;
};

const PortFile FILES[] = {
    {"ini/GameMap.dat", SECTIONS,
     "name file puzzle type weather light sound music camera swing bright fog jump", 0},
    {"ini/region.ini", LIST,
     "%d %d %d %d %d %d %d %31s %31s %d %d %d %d %d %d %d %d %63s", 18},
    {"ini/SoundEvent.ini", LINES, "%lld=%255s", 2},
    {"ini/SoundRes.ini", SECTIONS, "Sound", 0},
    {"ini/TerrainNpc.dat", SECTIONS, "Name Look Dir Pos Size Effect Type Model Scale", 0},
    {"ini/BattleMap.ini", SECTIONS,
     "CenterWorld CenterCell UpArrayCellpos DownArrayCellpos RotaryAngle CameraTime Torch1 Torch2 "
     "Torch3 Torch4 FighterAmount StartPosAmount", 0},
    {"ini/CaptureCamera.ini", LIST,
     "%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d", 18},
    {"ini/FighterPosOffset.ini", LINES, "%lld %d %d", 3},
    {"ini/CameraTrack.ini", LINES, "%255s %255s %d", 3},
    {"ini/Npc.ini", SEQUENCE,
     "Name=%255s SimpleObjID=%u StandByMotion=%lld BlazeMotion=%lld RestMotion=%lld "
     "Effect=%255s ASB=%d ADB=%d FixDir=%u", 9},
    {"ini/NpcX.ini", SECTIONS,
     "Name AddSize Scale FixDir Look Head Hair Armet Armor RWeapon LWeapon Misc MiscBack Mount "
     "Effect Note FrontBlock BackBlock LeftBlock RightBlock EffAdd EffDel", 0},
    {"ini/RolePartScale.ini", LINES, "%lld.%d=%f", 3},
    {"ini/2DRoleLook.ini", LINES, "%lld", 1},
    {"ini/RolePartHide.ini", SECTIONS, "SectionAmount Section0 Section1 Section2", 0},
    {"ini/LookScale.ini", LINES, "%lld=%f", 2},
    {"ini/MountScale.ini", LINES, "%lld.%d=%f", 3},
    {"ini/AppendentWeapon.ini", LINES, "%lld=%u", 2},
    {"ini/WeaponAdjustByLook.ini", LINES, "%lld.%u=%u", 3},
    {"ini/RoleWeapon3DEffect.ini", WORDS, "%lld.%u.%u.%u=%255s", 5},
    {"ini/Action3DEffect.ini", WORDS, "%lld.%u.%u.%u=%255s", 5},
    {"ini/ActionSound.ini", WORDS, "%lld.%u.%u=%255s", 4},
    {"ini/SimpleObjInfo.ini", SECTIONS, "SimpleObj Scale MotionAmount Motion0 Motion1 Motion2", 0},
    {"ini/RoleTrace.ini", LINES, "%lld %d %u %u %u %f", 6},
    {"ini/RolePartReplace.ini", LINES, "%lld %d %d %d %x %d %d %d %d %d %d", 11},
};

struct Tables {
  std::map<long long, std::string> names;
  std::map<long long, std::vector<double>> numbers;
  std::map<std::string, std::vector<double>> named;
  std::vector<std::vector<double>> list;
  std::map<std::string, std::vector<int>> sections;
};

// The lines of a file: fgets, or the deciphered image of a .dat walked line by line.
template <typename TLine>
void ForEachLine(const char* pszPath, TLine fnLine) {
  char szLine[1024];
  size_t nPath = strlen(pszPath);
  if (nPath > 4 && strcmp(pszPath + nPath - 4, ".dat") == 0) {
    FILE* pFile = fopen(pszPath, "rb");
    if (pFile == nullptr) return;
    std::vector<unsigned char> image;
    unsigned char abyChunk[65536];
    for (size_t n; (n = fread(abyChunk, 1, sizeof(abyChunk), pFile)) > 0;)
      image.insert(image.end(), abyChunk, abyChunk + n);
    fclose(pFile);
    unsigned char abyKey[ZorGameBase::CZorEncryptFile::KEY_SIZE];
    ZorGameBase::CZorEncryptFile::BuildKey(ZorGameBase::DAT_FILE_SEED, abyKey);
    ZorGameBase::CZorEncryptFile::Decipher(abyKey, image.data(), static_cast<int>(image.size()));
    for (size_t nAt = 0; nAt < image.size();) {
      const void* pFeed = memchr(image.data() + nAt, '\n', image.size() - nAt);
      size_t nLine = pFeed != nullptr ? static_cast<const unsigned char*>(pFeed) - image.data() - nAt
                                      : image.size() - nAt;
      size_t nCopy = nLine < sizeof(szLine) - 1 ? nLine : sizeof(szLine) - 1;
      memcpy(szLine, image.data() + nAt, nCopy);
      szLine[nCopy] = '\0';
      fnLine(szLine);
      nAt += nLine + 1;
    }
    return;
  }
  FILE* pFile = fopen(pszPath, "r");
  if (pFile == nullptr) return;
  while (fgets(szLine, sizeof(szLine), pFile) != nullptr) fnLine(szLine);
  fclose(pFile);
}

void ReadWords(const PortFile& file, Tables& tables) {
  FILE* pFile = fopen(file.pszPath, "r");
  if (pFile == nullptr) return;
  char szWord[1024], szName[256];
  long long nKey;
  unsigned b, c, d;
  while (fscanf(pFile, "%1023s\n", szWord) == 1) {
    int n = file.nFields == 5 ? sscanf(szWord, file.pszFormat, &nKey, &b, &c, &d, szName)
                              : sscanf(szWord, file.pszFormat, &nKey, &b, &c, szName);
    if (n == file.nFields) tables.names[(((nKey * 10000 + b) * 1000 + c) * 1000 + d)] = szName;
  }
  fclose(pFile);
}

// Up to eighteen conversions of one line; the text ones into their own buffers.
int ScanLine(const char* pszLine, const char* pszFormat, std::vector<double>& values,
             std::string& strText) {
  long long nFirst = 0;
  int an[17] = {};
  char szA[256], szB[256], szC[256];
  float f = 0;
  int n;
  if (strstr(pszFormat, "%f") != nullptr) {
    n = strchr(pszFormat, '.') != nullptr ? sscanf(pszLine, pszFormat, &nFirst, &an[0], &f)
                                          : strchr(pszFormat, ' ') != nullptr
                                                ? sscanf(pszLine, pszFormat, &nFirst, &an[0], &an[1],
                                                         &an[2], &an[3], &f)
                                                : sscanf(pszLine, pszFormat, &nFirst, &f);
  } else if (strstr(pszFormat, "%31s") != nullptr) {
    n = sscanf(pszLine, pszFormat, &an[0], &an[1], &an[2], &an[3], &an[4], &an[5], &an[6], szA,
               szB, &an[7], &an[8], &an[9], &an[10], &an[11], &an[12], &an[13], &an[14], szC);
  } else if (strstr(pszFormat, "%255s") != nullptr) {
    n = pszFormat[1] == '2' ? sscanf(pszLine, pszFormat, szA, szB, &an[0])
                            : sscanf(pszLine, pszFormat, &nFirst, szA);
    strText = szA;
  } else {
    n = sscanf(pszLine, pszFormat, &nFirst, &an[0], &an[1], &an[2], &an[3], &an[4], &an[5],
               &an[6], &an[7], &an[8], &an[9], &an[10], &an[11], &an[12], &an[13], &an[14],
               &an[15], &an[16]);
  }
  values.assign(1, static_cast<double>(nFirst));
  values.insert(values.end(), an, an + 17);
  values.push_back(f);
  return n;
}

void ReadLines(const PortFile& file, Tables& tables) {
  std::vector<double> values;
  std::string strText;
  ForEachLine(file.pszPath, [&](const char* pszLine) {
    if (ScanLine(pszLine, file.pszFormat, values, strText) < file.nFields) return;
    if (file.shape == LIST) {
      tables.list.push_back(values);
    } else if (file.pszFormat[1] == '2') {
      tables.named[strText] = values;
    } else {
      tables.numbers[static_cast<long long>(values[0])] = values;
    }
  });
}

// The ini reader's way: each section's keys in a map, then every key of the record asked.
void ReadSections(const PortFile& file, Tables& tables) {
  std::vector<std::string> keys;
  for (const char* p = file.pszFormat; *p != '\0';) {
    size_t n = strcspn(p, " ");
    keys.emplace_back(p, n);
    p += n + (p[n] == ' ');
  }
  std::string strTitle;
  std::map<std::string, std::string> section;
  auto fnEnd = [&] {
    if (strTitle.empty()) return;
    std::vector<int> record;
    for (const std::string& strKey : keys) {
      auto it = section.find(strKey);
      record.push_back(it != section.end() ? atoi(it->second.c_str()) : 0);
    }
    tables.sections[file.pszPath + strTitle] = record;
    section.clear();
  };
  ForEachLine(file.pszPath, [&](const char* pszLine) {
    char szKey[256], szValue[768];
    if (sscanf(pszLine, " [%255[^]]]", szKey) == 1) {
      fnEnd();
      strTitle = szKey;
    } else if (sscanf(pszLine, " %255[^=\r\n]=%767[^\r\n;]", szKey, szValue) == 2) {
      section[szKey] = szValue;
    }
  });
  fnEnd();
}

// A section word, then the record's keys, one fscanf each, in order.
void ReadSequence(const PortFile& file, Tables& tables) {
  FILE* pFile = fopen(file.pszPath, "r");
  if (pFile == nullptr) return;
  std::vector<std::string> formats;
  for (const char* p = file.pszFormat; *p != '\0';) {
    size_t n = strcspn(p, " ");
    formats.emplace_back(std::string(p, n) + "\n");
    p += n + (p[n] == ' ');
  }
  char szWord[2048], szText[256];
  while (fscanf(pFile, "%2047s\n", szWord) == 1) {
    if (szWord[0] != '[') continue;
    std::vector<double> record(1, atoi(szWord + 8));
    for (const std::string& strFormat : formats) {
      long long n = 0;
      bool bText = strFormat.find("%255s") != std::string::npos;
      int nRead = bText ? fscanf(pFile, strFormat.c_str(), szText)
                        : fscanf(pFile, strFormat.c_str(), &n);
      if (nRead != 1) break;
      record.push_back(static_cast<double>(bText ? strlen(szText) : n));
    }
    tables.numbers[static_cast<long long>(record[0])] = record;
  }
  fclose(pFile);
}

}  // namespace

size_t StraightLoad(const std::string& strFolder) {
  size_t nRecords = 0;
  for (const PortFile& port : FILES) {
    PortFile file = port;
    std::string strPath = strFolder + "/" + port.pszPath;
    file.pszPath = strPath.c_str();
    Tables tables;
    switch (file.shape) {
      case WORDS: ReadWords(file, tables); break;
      case LINES:
      case LIST: ReadLines(file, tables); break;
      case SECTIONS: ReadSections(file, tables); break;
      case SEQUENCE: ReadSequence(file, tables); break;
    }
    nRecords += tables.names.size() + tables.numbers.size() + tables.named.size() + tables.list.size() +
                tables.sections.size();
  }
  return nRecords;
}

}  // namespace KestrinBench
