#include "crash/symbols/pe_resources.h"

#include <gtest/gtest.h>

#include <optional>

#include "pe_builder.h"

namespace palvetta {
namespace {

const std::vector<TPeResourceSpec> kResources = {
    {u"TSTACKWARD", u"SETTINGS", "settings bytes"},
    {u"SWD", u"EXCEPT", "the packed map"},
    {u"SWD", u"CALIBRATE", "x"},
};

// The image reads the bytes in place: they must outlive it.
std::optional<TPeImage> Open(const std::string& bytes, TPeLayout layout) {
  return TPeImage::Open(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), layout);
}

TEST(PeResources, FindsNamedResourcesInFilesAndLoadedImages) {
  const std::string file = BuildPeFile(kResources);
  const std::string mapped = MapPeFile(file);
  for (const auto& [bytes, layout] : {std::pair{file, TPeLayout::plFile}, std::pair{mapped, TPeLayout::plLoaded}}) {
    const std::optional<TPeImage> image = Open(bytes, layout);
    ASSERT_TRUE(image);
    EXPECT_EQ(FindNamedResource(*image, u"SWD", u"EXCEPT"), "the packed map");
    EXPECT_EQ(FindNamedResource(*image, u"swd", u"except"), "the packed map") << "names ignore case";
    EXPECT_EQ(FindNamedResource(*image, u"TSTACKWARD", u"SETTINGS"), "settings bytes");
    EXPECT_EQ(FindNamedResource(*image, u"SWD", u"MISSING"), "");
    EXPECT_EQ(FindNamedResource(*image, u"EXCEPT", u"SWD"), "");
  }
}

TEST(PeResources, CodeRangesComeFromTheFirstCodeSection) {
  const std::string file = BuildPeFile(kResources);
  const std::optional<TPeImage> image = Open(file, TPeLayout::plFile);
  ASSERT_TRUE(image);
  const uintptr_t loadedAt = 0x7FF612340000;
  const TCodeRanges ranges = CodeRangesOf(*image, loadedAt);
  EXPECT_EQ(ranges.HInstance, loadedAt);
  EXPECT_EQ(ranges.BaseOfCode, loadedAt + kBuiltCodeRva);
  EXPECT_EQ(ranges.TopOfCode, loadedAt + kBuiltCodeRva + kBuiltCodeSize);
  EXPECT_EQ(ranges.BaseOfData, loadedAt + kBuiltDataRva);
  EXPECT_EQ(EntryPointRva(*image), kBuiltCodeRva + 0x10);
}

TEST(PeResources, AResourceOutsideTheBytesIsNotFound) {
  const std::string file = BuildPeFile(kResources);
  // Headers intact, the resource section cut off.
  const std::string headers = file.substr(0, 0x600);
  const std::optional<TPeImage> cut = Open(headers, TPeLayout::plFile);
  ASSERT_TRUE(cut);
  EXPECT_EQ(FindNamedResource(*cut, u"SWD", u"EXCEPT"), "");
}

TEST(PeResources, DamagedResourceOffsetsFindNothingOutsideTheImage) {
  const std::string file = BuildPeFile(kResources);
  const size_t resourceStart = 0x600;  // the third section's raw offset
  for (size_t at = resourceStart; at < resourceStart + 0x80; ++at) {
    std::string damaged = file;
    damaged[at] = static_cast<char>(0xFF);
    const std::optional<TPeImage> image = Open(damaged, TPeLayout::plFile);
    ASSERT_TRUE(image);
    const std::string_view found = FindNamedResource(*image, u"SWD", u"EXCEPT");
    EXPECT_TRUE(found.empty() ||
                (found.data() >= damaged.data() && found.data() + found.size() <= damaged.data() + damaged.size()))
        << at;
  }
}

}  // namespace
}  // namespace palvetta
