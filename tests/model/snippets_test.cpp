#include "model/snippets.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "items/misc/misc_items.h"
#include "support/project_files.h"

namespace palvetta {
namespace {

class SnippetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / "palvetta snippets test";
    std::filesystem::remove_all(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string Folder() const { return PathToUtf8(folder); }

  std::filesystem::path folder;
  TSnippets snippets{testing::TestClasses()};
};

TEST_F(SnippetsTest, AMissingFolderIsEmptyAndTheFirstSaveCreatesIt) {
  EXPECT_TRUE(snippets.LoadFromDir(Folder()).empty());
  EXPECT_EQ(snippets.Count(), 0);
  EXPECT_EQ(snippets.Path().back(), static_cast<char>(std::filesystem::path::preferred_separator));

  TSnippet& snippet = snippets.AddSnippet("Copy \xC3\xBC");
  snippet.Add<TREMItem>().Text = "from a snippet";
  snippets.SaveSnippet(snippet);
  EXPECT_TRUE(std::filesystem::exists(folder / PathFromUtf8("Copy \xC3\xBC.xml")));

  TSnippets reread(testing::TestClasses());
  EXPECT_TRUE(reread.LoadFromDir(Folder()).empty());
  ASSERT_EQ(reread.Count(), 1);
  EXPECT_EQ(reread.Items(0).Name, "Copy \xC3\xBC");
  EXPECT_EQ(static_cast<TREMItem&>(reread.Items(0).Items(0)).Text, "from a snippet");
}

TEST_F(SnippetsTest, NamesCompareIgnoringAsciiCase) {
  snippets.AddSnippet("Backup");
  snippets.AddSnippet("\xC3\xA4");  // ä
  EXPECT_EQ(snippets.SnippetByName("BACKUP"), &snippets.Items(0));
  EXPECT_EQ(snippets.SnippetByName("backup"), &snippets.Items(0));
  EXPECT_EQ(snippets.SnippetByName("\xC3\x84"), nullptr);  // Ä: only ASCII letters fold
  EXPECT_EQ(snippets.SnippetByName("Other"), nullptr);
}

TEST_F(SnippetsTest, ADamagedFileIsReportedAndTheOthersLoad) {
  std::filesystem::create_directories(folder);
  WriteFileReplacing(folder / "a good.xml", ReadFileBytes(testing::ProjectFile("non_ascii.kwj")));
  WriteFileReplacing(folder / "b broken.xml", "<palvetta><items><item/></items></palvetta>");
  WriteFileReplacing(folder / "x.xml", ReadFileBytes(testing::ProjectFile("empty.kwj")));
  WriteFileReplacing(folder / "notes.txt", "not a snippet");
  std::filesystem::create_directory(folder / "folder.xml");

  const auto errors = snippets.LoadFromDir(Folder());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(PathFromUtf8(errors[0].FileName).filename(), "b broken.xml");
  EXPECT_EQ(errors[0].Message, "The project file is damaged: a command has no type.");
  ASSERT_EQ(snippets.Count(), 2);
  EXPECT_EQ(snippets.Items(0).Name, "a good");
  EXPECT_EQ(snippets.Items(0).Count(), 1);
  EXPECT_EQ(snippets.Items(1).Name, "x");
  EXPECT_EQ(snippets.Items(1).Count(), 0);
}

TEST_F(SnippetsTest, NamesThatAreNoFileNamesAreRefused) {
  snippets.LoadFromDir(Folder());
  for (const char* name : {"", "  ", "a\\b", "../up", "a/b", "c:x", "what?", "x*", "\"q\"",
                           "<a>", "a|b", ".", "..", "trailing.", "trailing ", "CON", "con.txt",
                           "LPT1", "nul ", "tab\there"}) {
    SCOPED_TRACE(name);
    TSnippet snippet(name);
    EXPECT_THROW(snippets.SaveSnippet(snippet), std::invalid_argument);
  }
  EXPECT_FALSE(std::filesystem::exists(folder));
  for (const char* name : {"Backup", "x.y", "CONSOLE", "..hidden", "COM10"}) {
    SCOPED_TRACE(name);
    TSnippet snippet(name);
    EXPECT_NO_THROW(snippets.SaveSnippet(snippet));
  }
}

}  // namespace
}  // namespace palvetta
