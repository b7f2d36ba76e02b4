// The foundation on the client's start-up path: opening ".dat" images and walking large ini
// documents, in bytes per second. (The loads of the tables and the decipher alone are measured
// by create_bench over a generated data set.)
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "DatCipher.h"
#include "ZorEncryptFile.h"
#include "ZorIni.h"

namespace fs = std::filesystem;

namespace {

// A folder of test documents that lives as long as the program.
class BenchFolder {
 public:
  BenchFolder() {
    std::random_device random;
    m_path = fs::temp_directory_path() / ("kestrin-bench-" + std::to_string(random()));
    fs::create_directories(m_path);
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
  }
  std::string Write(const std::string& strName, const std::string& strContent) {
    fs::path path = m_path / strName;
    std::ofstream out(path, std::ios::binary);
    out.write(strContent.data(), static_cast<std::streamsize>(strContent.size()));
    return path.string();
  }

 private:
  fs::path m_path;
};

BenchFolder& Folder() {
  static BenchFolder s_folder;
  return s_folder;
}

// About nBytes of sections "[n]" with ten keys each, like the map catalogue.
std::string SectionedDocument(size_t nBytes) {
  std::string strText;
  for (int nSection = 1000; strText.size() < nBytes; ++nSection) {
    strText += "[" + std::to_string(nSection) + "]\r\n";
    strText += "File=map\\m" + std::to_string(nSection) + ".dmap\r\n";
    strText += "; puzzle\r\nPuzzleGridSize=256\r\nLight=1\r\nOblique=0\r\n";
    strText += "LightDirX=0.5\r\nLightDirY=-0.5\r\nLightDirZ=1.0\r\n";
    strText += "Diffuse=0xFFFFFFFF\r\nAmbient=0x80808080\r\nlimit=1,2,3,4\r\n\r\n";
  }
  return strText;
}

// Open of a cached ".dat" file: one read and the unscrambling.
void BM_EncryptFileOpen(benchmark::State& state) {
  std::string strText = SectionedDocument(static_cast<size_t>(state.range(0)));
  std::string strPath = Folder().Write("open.dat", ZorTools::EncipherText(strText));
  ZorGameBase::CZorEncryptFile file(ZorGameBase::DAT_FILE_SEED);
  for (auto _ : state) {
    if (!file.Open(strPath.c_str())) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(file.GetBuffer());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * strText.size()));
}
BENCHMARK(BM_EncryptFileOpen)->Arg(4 << 20);

// Open, then every section with four key reads, as a loader walks a document.
void WalkDocument(benchmark::State& state, const char* pszName, bool bEnciphered) {
  std::string strText = SectionedDocument(static_cast<size_t>(state.range(0)));
  std::string strPath =
      Folder().Write(pszName, bEnciphered ? ZorTools::EncipherText(strText) : strText);
  int nSections = 0;
  for (auto _ : state) {
    ZorGameBase::CZorIni ini;
    if (!ini.Open(strPath.c_str())) state.SkipWithError("open failed");
    std::string strTitle;
    std::string strFile;
    int nGrid = 0;
    float fLight = 0;
    char szLimit[2048];
    nSections = 0;
    while (!ini.AtEnd() && ini.ReadSection()) {
      ini.GetSectionTitle(strTitle);
      ini.ReadString("File", strFile);
      ini.ReadInt("PuzzleGridSize", nGrid);
      ini.ReadFloat("LightDirZ", fLight);
      ini.ReadValue("limit", szLimit, sizeof(szLimit), false);
      ++nSections;
    }
    benchmark::DoNotOptimize(nSections);
  }
  state.counters["sections"] = nSections;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * strText.size()));
}

void BM_WalkSectionedIni(benchmark::State& state) { WalkDocument(state, "walk.ini", false); }
BENCHMARK(BM_WalkSectionedIni)->Arg(4 << 20);

void BM_WalkSectionedDat(benchmark::State& state) { WalkDocument(state, "walk.dat", true); }
BENCHMARK(BM_WalkSectionedDat)->Arg(4 << 20);

// A line table of eleven numbers per line read with ReadFields.
void BM_ReadFieldsLines(benchmark::State& state) {
  std::string strText;
  for (int i = 0; strText.size() < static_cast<size_t>(state.range(0)); ++i) {
    strText += std::to_string(i) + " 2 3 0x10 5 6 7 8 9 10 11\n";
  }
  std::string strPath = Folder().Write("fields.ini", strText);
  using namespace ZorGameBase;
  for (auto _ : state) {
    CZorIni ini;
    if (!ini.Open(strPath.c_str())) state.SkipWithError("open failed");
    int a[4];
    unsigned b[7];
    while (ini.ReadFields(INI_INT, &a[0], INI_INT, &a[1], INI_INT, &a[2], INI_INT, &a[3], INI_DWORD,
                          &b[0], INI_DWORD, &b[1], INI_DWORD, &b[2], INI_DWORD, &b[3], INI_DWORD,
                          &b[4], INI_DWORD, &b[5], INI_DWORD, &b[6], INI_END)) {
      benchmark::DoNotOptimize(a[0]);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * strText.size()));
}
BENCHMARK(BM_ReadFieldsLines)->Arg(4 << 20);

}  // namespace
