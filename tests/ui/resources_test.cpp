// tolvane.exe's resources: the 48 x 48 icon with 32-bit colour and alpha, and
// the version information. The program's path is the test's argument.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::wstring programPath;

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(programPath.empty()) << "give tolvane.exe's path";
    module_ = LoadLibraryExW(programPath.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, TheIconIs48By48With32BitColourAndAlpha) {
  const HRSRC group = FindResourceW(module_, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module_, group)));
  const int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(directory), TRUE, 48, 48, LR_DEFAULTCOLOR);
  const HRSRC image = FindResourceW(module_, MAKEINTRESOURCEW(id), RT_ICON);
  ASSERT_NE(image, nullptr);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module_, image)));
  EXPECT_EQ(header->biWidth, 48);
  EXPECT_EQ(header->biHeight, 96);  // the colour image and its mask
  EXPECT_EQ(header->biBitCount, 32);

  // Alpha: transparent corners, an opaque body, soft edges between.
  const auto* pixels = reinterpret_cast<const BYTE*>(header + 1);
  int transparent = 0, opaque = 0, partial = 0;
  for (int i = 0; i < 48 * 48; ++i) {
    const BYTE alpha = pixels[i * 4 + 3];
    (alpha == 0 ? transparent : alpha == 255 ? opaque : partial)++;
  }
  EXPECT_GT(transparent, 100);
  EXPECT_GT(opaque, 1000);
  EXPECT_GT(partial, 10);  // the rounded corners
  // A light-blue body and one orange key.
  int lightBlue = 0, orange = 0;
  for (int i = 0; i < 48 * 48; ++i) {
    const BYTE b = pixels[i * 4], g = pixels[i * 4 + 1], r = pixels[i * 4 + 2], a = pixels[i * 4 + 3];
    if (a == 255 && b > 200 && g > 150 && r < 160) ++lightBlue;
    if (a == 255 && r > 230 && g > 100 && g < 180 && b < 60) ++orange;
  }
  EXPECT_GT(lightBlue, 300);
  EXPECT_GT(orange, 10);
}

TEST_F(ProgramResources, TheVersionInformationNamesTheProgram) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(programPath.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(programPath.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  wchar_t* name = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\ProductName",
                             reinterpret_cast<void**>(&name), &length));
  EXPECT_EQ(std::wstring(name), L"Tolvane");
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\OriginalFilename",
                             reinterpret_cast<void**>(&name), &length));
  EXPECT_EQ(std::wstring(name), L"tolvane.exe");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) programPath = argv[1];
  return RUN_ALL_TESTS();
}
