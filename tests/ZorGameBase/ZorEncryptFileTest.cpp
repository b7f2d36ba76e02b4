// The enciphered data file: Open, Read and Close on good and bad files. The deciphering itself
// is fixed by a golden file in PlatformAgreementTest.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DatCipher.h"
#include "ModuleFixture.h"
#include "ZorEncryptFile.h"

using ZorGameBase::CZorEncryptFile;

namespace {

class ZorEncryptFileTest : public TempFolderTest {};

TEST_F(ZorEncryptFileTest, EmptyMissingAndNullFilesFailToOpen) {
  Write("empty.dat", "");
  CZorEncryptFile file(ZorGameBase::DAT_FILE_SEED);
  EXPECT_FALSE(file.Open("empty.dat") || file.Open("missing.dat") || file.Open(nullptr) ||
               file.Open("."));  // a folder
  EXPECT_TRUE(file.GetBuffer() == nullptr && file.GetSize() == 0);
  char ch;
  EXPECT_EQ(0, file.Read(&ch, 1));
}

// Read copies forward and stops at the end; a second Open releases the first file's data and
// starts reading again; Close may be repeated.
TEST_F(ZorEncryptFileTest, ReadCopiesForwardOpenStartsAgainCloseIsRepeatable) {
  CZorEncryptFile file(ZorGameBase::DAT_FILE_SEED);
  file.Close();
  ASSERT_TRUE(ZorTools::WriteDatFile("a.dat", "abcdef"));
  ASSERT_TRUE(ZorTools::WriteDatFile("b.dat", "second"));
  ASSERT_TRUE(file.Open("a.dat"));
  char sz[8] = {};
  EXPECT_EQ(0, file.Read(sz, -5));
  EXPECT_EQ(4, file.Read(sz, 4));
  EXPECT_STREQ("abcd", sz);
  EXPECT_EQ(2, file.Read(sz, 4));
  EXPECT_EQ(0, memcmp("ef", sz, 2));
  EXPECT_EQ(0, file.Read(sz, 4));
  ASSERT_TRUE(file.Open("b.dat"));
  EXPECT_EQ(6, file.GetSize());
  EXPECT_EQ(3, file.Read(sz, 3));  // the read position starts again
  EXPECT_EQ(0, memcmp("sec", sz, 3));
  file.Close();
  file.Close();
  EXPECT_EQ(nullptr, file.GetBuffer());
}

}  // namespace
