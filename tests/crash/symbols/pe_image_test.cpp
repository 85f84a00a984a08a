#include "crash/symbols/pe_image.h"

#include <gtest/gtest.h>

#include "pe_builder.h"

namespace palvetta {
namespace {

const std::vector<TPeResourceSpec> kResources = {
    {u"TSTACKWARD", u"SETTINGS", "settings bytes"},
    {u"SWD", u"EXCEPT", "the packed map"},
    {u"SWD", u"CALIBRATE", "x"},
};

TEST(PeImage, FindsNamedResourcesInFilesAndLoadedImages) {
  const std::string file = BuildPeFile(kResources);
  const std::string mapped = MapPeFile(file);
  for (const auto& [bytes, layout] : {std::pair{file, TPeLayout::plFile}, std::pair{mapped, TPeLayout::plMapped}}) {
    TPeImage image;
    ASSERT_TRUE(image.Parse(bytes, layout));
    EXPECT_TRUE(image.Is64Bit());
    EXPECT_EQ(image.ImageBase(), kBuiltImageBase);
    EXPECT_EQ(image.FindResource(u"SWD", u"EXCEPT"), "the packed map");
    EXPECT_EQ(image.FindResource(u"swd", u"except"), "the packed map") << "names ignore case";
    EXPECT_EQ(image.FindResource(u"TSTACKWARD", u"SETTINGS"), "settings bytes");
    EXPECT_EQ(image.FindResource(u"SWD", u"MISSING"), "");
    EXPECT_EQ(image.FindResource(u"EXCEPT", u"SWD"), "");
  }
}

TEST(PeImage, CodeRangesComeFromTheFirstCodeSection) {
  TPeImage image;
  ASSERT_TRUE(image.Parse(BuildPeFile(kResources), TPeLayout::plFile));
  const uintptr_t loadedAt = 0x7FF612340000;
  const TCodeRanges ranges = image.CodeRanges(loadedAt);
  EXPECT_EQ(ranges.HInstance, loadedAt);
  EXPECT_EQ(ranges.BaseOfCode, loadedAt + kBuiltCodeRva);
  EXPECT_EQ(ranges.TopOfCode, loadedAt + kBuiltCodeRva + kBuiltCodeSize);
  EXPECT_EQ(ranges.BaseOfData, loadedAt + kBuiltDataRva);
  ASSERT_EQ(image.Sections().size(), 3u);
  EXPECT_EQ(image.Sections()[0].Name, ".text");
  EXPECT_TRUE(image.Sections()[0].HoldsCode());
  EXPECT_TRUE(image.Sections()[1].HoldsData());
}

TEST(PeImage, RefusesWhatIsNoImageAndAnswersNothingOutsideTheBytes) {
  const std::string file = BuildPeFile(kResources);
  TPeImage image;
  EXPECT_FALSE(image.Parse("", TPeLayout::plFile));
  EXPECT_FALSE(image.Parse(file.substr(0, 0x60), TPeLayout::plFile));
  std::string notPe = file;
  notPe[0x41] = 'X';
  EXPECT_FALSE(image.Parse(notPe, TPeLayout::plFile));

  // Headers intact, the resource section cut off: the resource is not found.
  ASSERT_TRUE(image.Parse(std::string_view(file).substr(0, 0x600), TPeLayout::plFile));
  EXPECT_EQ(image.FindResource(u"SWD", u"EXCEPT"), "");
  EXPECT_EQ(image.AtRva(kBuiltCodeRva, 0x10), std::string(0x10, '\xCC'));
  EXPECT_EQ(image.AtRva(kBuiltCodeRva + 0x1F8, 0x10), "");
  EXPECT_EQ(image.AtRva(0xFFFFFFF0, 0x20), "");
}

TEST(PeImage, DamagedResourceOffsetsFindNothing) {
  const std::string file = BuildPeFile(kResources);
  TPeImage clean;
  ASSERT_TRUE(clean.Parse(file, TPeLayout::plFile));
  const size_t resourceStart = 0x600;  // the third section's raw offset
  for (size_t at = resourceStart; at < resourceStart + 0x80; ++at) {
    std::string damaged = file;
    damaged[at] = static_cast<char>(0xFF);
    TPeImage image;
    ASSERT_TRUE(image.Parse(damaged, TPeLayout::plFile));
    const std::string_view found = image.FindResource(u"SWD", u"EXCEPT");
    EXPECT_TRUE(found.empty() || found.data() >= damaged.data()) << at;
  }
}

}  // namespace
}  // namespace palvetta
