#include "app/application_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/catalogue.h"
#include "base/file_io.h"
#include "items/misc/misc_items.h"

namespace palvetta {
namespace {

constexpr char kDelimiter = static_cast<char>(std::filesystem::path::preferred_separator);

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("palvetta app test " +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string PathOf(const std::string& name) const { return PathToUtf8(folder / name); }
  std::string AppData() const { return PathToUtf8(folder / "AppData"); }

  // The REM texts of the project's items, in order.
  static std::vector<std::string> Texts(const TProject& project) {
    std::vector<std::string> texts;
    for (int i = 0; i < project.Count(); ++i) {
      texts.push_back(static_cast<const TREMItem&>(project.Items(i)).Text);
    }
    return texts;
  }
  static void AddComments(TProject& project, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) project.Add<TREMItem>().Text = text;
  }
  std::string Batch() { return app.MakeBatchFile().Items(0).Stream; }

  std::filesystem::path folder;
  TApplicationModel app;
};

TEST_F(AppTest, NamesTheItemsThatLostCharactersByTheirLineInTheList) {
  AddComments(app.Project(), {"B\xC3\xBCro", "5 \xE2\x82\xAC", "ok"});
  Batch();
  EXPECT_EQ(app.LostCharactersMessage(),
            "The batch file's code page (437) has no place for some characters; each of them was "
            "written as \"?\":\r\n2. 5 \xE2\x82\xAC: \xE2\x82\xAC");
  app.Project().DeleteItem(app.Project().Items(1));
  Batch();
  EXPECT_EQ(app.LostCharactersMessage(), "");
}

TEST_F(AppTest, StartsWithAnEmptyUnnamedProjectAndTheCatalogue) {
  EXPECT_EQ(app.Project().Count(), 0);
  EXPECT_EQ(app.FileName, "");
  EXPECT_EQ(app.Snippets().Count(), 0);
  ASSERT_EQ(app.Registry().Count(), 12);
  int entries = 0;
  for (int c = 0; c < app.Registry().Count(); ++c) entries += app.Registry().Items(c).Count();
  EXPECT_EQ(entries + static_cast<int>(UnresolvedCatalogueEntries(app.Classes()).size()), 113);
  // Catalogued classes and their bases are known by name, so files can name them.
  for (const char* name : {"TREMItem", "tifitem", "TFOREachLineInFile", "TCustomProjectItem"}) {
    EXPECT_NE(app.Classes().Find(name), nullptr) << name;
  }
}

TEST_F(AppTest, SaveNewAndLoadSwitchTheProjectTheGeneratorWorksOn) {
  AddComments(app.Project(), {"first"});
  EXPECT_TRUE(app.SaveToFile(PathOf("one.kwj")));
  EXPECT_EQ(app.FileName, PathOf("one.kwj"));

  app.New();
  EXPECT_EQ(app.Project().Count(), 0);
  EXPECT_EQ(app.FileName, "");
  AddComments(app.Project(), {"second"});
  EXPECT_NE(Batch().find("REM second"), std::string::npos);

  EXPECT_TRUE(app.LoadFromFile(PathOf("one.kwj")));
  EXPECT_EQ(app.FileName, PathOf("one.kwj"));
  EXPECT_EQ(Texts(app.Project()), std::vector<std::string>{"first"});
  const std::string batch = Batch();
  EXPECT_NE(batch.find("REM first"), std::string::npos);
  EXPECT_EQ(batch.find("REM second"), std::string::npos);

  // Saving writes the loaded project.
  AddComments(app.Project(), {"more"});
  EXPECT_TRUE(app.SaveToFile(PathOf("two.kwj")));
  app.New();
  app.LoadFromFile(PathOf("two.kwj"));
  EXPECT_EQ(Texts(app.Project()), (std::vector<std::string>{"first", "more"}));
}

TEST_F(AppTest, AFailedLoadOrSaveKeepsProjectAndFileName) {
  AddComments(app.Project(), {"kept"});
  app.SaveToFile(PathOf("kept.kwj"));
  TProject* const before = &app.Project();
  WriteFileReplacing(folder / "damaged.kwj", "<palvetta><items><item/></items></palvetta>");

  for (const char* name : {"damaged.kwj", "missing.kwj"}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(app.LoadFromFile(PathOf(name)), std::exception);
    EXPECT_EQ(&app.Project(), before);
    EXPECT_EQ(Texts(app.Project()), std::vector<std::string>{"kept"});
    EXPECT_EQ(app.FileName, PathOf("kept.kwj"));
    EXPECT_NE(Batch().find("REM kept"), std::string::npos);
  }

  EXPECT_THROW(app.SaveToFile(PathOf("no such folder/x.kwj")), std::exception);
  EXPECT_EQ(app.FileName, PathOf("kept.kwj"));
}

TEST_F(AppTest, MakesTheBatchFileOnDisk) {
  AddComments(app.Project(), {"on disk"});
  app.MakeBatchFile(PathOf("out.bat"));
  EXPECT_NE(ReadFileBytes(folder / "out.bat").find("REM on disk\r\n"), std::string::npos);
}

TEST_F(AppTest, InsertedSnippetItemsAreCopiesInTheirOrder) {
  AddComments(app.Project(), {"first", "last"});
  TSnippet snippet("three");
  AddComments(snippet, {"s1", "s2", "s3"});

  app.InsertSnippetToProject(1, snippet);
  EXPECT_EQ(Texts(app.Project()),
            (std::vector<std::string>{"first", "s1", "s2", "s3", "last"}));
  EXPECT_NE(&app.Project().Items(1), &snippet.Items(0));
  EXPECT_EQ(snippet.Count(), 3);

  app.InsertSnippetToProject(-1, snippet);
  EXPECT_EQ(Texts(app.Project()).back(), "s3");
  EXPECT_EQ(app.Project().Count(), 8);
}

TEST(SnippetFolder, LiesBelowTheApplicationDataFolder) {
  const std::string tail = std::string("Palvetta") + kDelimiter + "Snippets" + kDelimiter;
  EXPECT_EQ(SnippetFolder("C:\\Users\\me\\AppData\\Roaming"),
            std::string("C:\\Users\\me\\AppData\\Roaming") + kDelimiter + tail);
  EXPECT_EQ(SnippetFolder("C:\\Data\\"), "C:\\Data\\" + tail);
  EXPECT_EQ(SnippetFolder("/home/me/"), "/home/me/" + tail);
  EXPECT_THROW(SnippetFolder(""), std::invalid_argument);
}

TEST_F(AppTest, SnippetsAreSavedListedAndReadBack) {
  EXPECT_TRUE(app.ReadSnippets(AppData()).empty());
  AddComments(app.Project(), {"a", "b", "c"});
  const TItemList selection{&app.Project().Items(2), &app.Project().Items(0)};

  TSnippet& snippet = app.AddSnippet("Cleanup", selection);
  EXPECT_EQ(app.Snippets().Count(), 1);
  EXPECT_EQ(Texts(snippet), (std::vector<std::string>{"c", "a"}));
  EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(SnippetFolder(AppData()) + "Cleanup.xml")));

  TApplicationModel later;
  EXPECT_TRUE(later.ReadSnippets(AppData()).empty());
  ASSERT_EQ(later.Snippets().Count(), 1);
  EXPECT_EQ(later.Snippets().Items(0).Name, "Cleanup");
  EXPECT_EQ(Texts(later.Snippets().Items(0)), (std::vector<std::string>{"c", "a"}));
}

TEST_F(AppTest, ASnippetThatCannotBeSavedIsNotListed) {
  EXPECT_THROW(app.AddSnippet("early", {}), std::logic_error);  // folder not known yet

  app.ReadSnippets(AppData());
  AddComments(app.Project(), {"x"});
  const TItemList selection{&app.Project().Items(0)};
  app.AddSnippet("Taken", selection);

  EXPECT_THROW(app.AddSnippet("what?", selection), std::invalid_argument);
  EXPECT_THROW(app.AddSnippet("TAKEN", selection), std::invalid_argument);
  EXPECT_EQ(app.Snippets().Count(), 1);

  // A file where the folder should be: the folder cannot be made.
  std::filesystem::remove_all(folder / "AppData");
  std::filesystem::create_directories(folder / "AppData" / "Palvetta");
  WriteFileReplacing(folder / "AppData" / "Palvetta" / "Snippets", "in the way");
  app.ReadSnippets(AppData());
  EXPECT_THROW(app.AddSnippet("Blocked", selection), std::runtime_error);
  EXPECT_EQ(app.Snippets().Count(), 0);
  EXPECT_EQ(app.Snippets().SnippetByName("Blocked"), nullptr);
}

TEST_F(AppTest, DamagedSnippetFilesAreReportedAndTheOthersRead) {
  const std::filesystem::path snippets = PathFromUtf8(SnippetFolder(AppData()));
  std::filesystem::create_directories(snippets);
  WriteFileReplacing(snippets / "broken.xml", "not a project");
  app.ReadSnippets(AppData());
  AddComments(app.Project(), {"x"});
  app.AddSnippet("good", {&app.Project().Items(0)});

  TApplicationModel later;
  const auto errors = later.ReadSnippets(AppData());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(PathFromUtf8(errors[0].FileName).filename(), "broken.xml");
  EXPECT_FALSE(errors[0].Message.empty());
  ASSERT_EQ(later.Snippets().Count(), 1);
  EXPECT_EQ(later.Snippets().Items(0).Name, "good");
}

}  // namespace
}  // namespace palvetta
