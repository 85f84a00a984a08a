#include "base/path_text.h"

#include <gtest/gtest.h>

namespace palvetta {
namespace {

TEST(PathText, Parts) {
  struct Case {
    const char16_t* path;
    const char16_t* fileName;
    const char16_t* folder;
    const char16_t* extension;
  };
  const Case cases[] = {
      {u"C:\\dir\\file.txt", u"file.txt", u"C:\\dir\\", u".txt"},
      {u"C:\\a.b\\file", u"file", u"C:\\a.b\\", u""},  // a dotted folder is no extension
      {u"C:\\a.b\\file.tar.gz", u"file.tar.gz", u"C:\\a.b\\", u".gz"},
      {u"file.", u"file.", u"", u"."},
      {u".profile", u".profile", u"", u".profile"},
      {u"C:", u"C:", u"", u""},
      {u"relative\\dir", u"dir", u"relative\\", u""},
      {u"\\\\server\\share\\dir\\f.x", u"f.x", u"\\\\server\\share\\dir\\", u".x"},
      {u"\\\\server\\share", u"share", u"\\\\server\\", u""},
      {u"\\\\server", u"server", u"\\\\", u""},
      {u"", u"", u"", u""},
      {u"x", u"x", u"", u""},
      {u"dir\\", u"", u"dir\\", u""},
  };
  for (const auto& c : cases) {
    const std::u16string path = c.path;
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    EXPECT_EQ(PathFileName(c.path), c.fileName);
    EXPECT_EQ(PathFolder(c.path), c.folder);
    EXPECT_EQ(PathExtension(c.path), c.extension);
  }
}

}  // namespace
}  // namespace palvetta
