#include "model/project_reader_writer.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/misc/misc_items.h"
#include "model/project.h"
#include "support/project_files.h"
#include "support/test_items.h"

namespace palvetta {
namespace {

using testing::ExpectGoldenFile;
using testing::ProjectFile;
using testing::TestClasses;

void Load(TProject& project, std::string_view bytes) {
  TProjectReaderWriter reader(TestClasses());
  reader.Project = &project;
  reader.LoadFromBytes(bytes);
}

TEST(ProjectFile, EmptyProject) {
  TProject project;
  const std::string bytes = testing::SaveProject(project);
  EXPECT_EQ(bytes,
            "<?xml version=\"1.0\" encoding=\"Windows-1252\" standalone=\"no\"?>\r\n"
            "<palvetta>\r\n  <items/>\r\n</palvetta>\r\n");
  ExpectGoldenFile("empty.kwj", bytes);
}

TEST(ProjectFile, NonAsciiText) {
  TProject project;
  // ‹ ü € < and a character outside the basic plane
  project.Add<TREMItem>().Text = "\xE2\x80\xB9 \xC3\xBC \xE2\x82\xAC < \xF0\x9F\x98\x80\r\nline two";
  const std::string bytes = testing::SaveProject(project);
  EXPECT_NE(bytes.find("<Text>&#x2039; &#xFC; &#x20AC; &lt; &#xD83D;&#xDE00;\r\nline two</Text>"),
            std::string::npos);
  ExpectGoldenFile("non_ascii.kwj", bytes);
}

TEST(ProjectFile, EveryPropertyKind) {
  TProject project;
  project.Add<testing::TAllKindsItem>();
  const std::string bytes = testing::SaveProject(project);
  EXPECT_NE(bytes.find("<When>0000000000000080FE3F</When>"), std::string::npos);
  ExpectGoldenFile("all_kinds.kwj", bytes);
}

// A project with every property kind and the first item families, values not defaults.
void FillRichProject(TProject& project) {
  auto& all = project.Add<testing::TAllKindsItem>();
  all.Enabled = false;
  all.RedirectTo = "C:\\my log.txt";
  all.Overwrite = true;
  all.GUID = "{0F8FAD5B-D9CB-469F-A165-70867728950E}";
  all.Number = -2147483647 - 1;
  all.Small = 255;
  all.Drive = u'\x20AC';
  all.Label = "  \t ";
  all.Attributes = 0b111;
  all.When = 0.999988425925926;
  all.Day = -693593;
  all.Moment = 2958465.99999;
  all.Lines = {"", "  ", "x"};
  all.Params.Add().ParamCheck = TParamCheck::pcPathMustNOTExist;
  project.Add<TREMItem>().Text = "first\r\nsecond\r\n";
  auto& param = project.Add<TParamItem>();
  param.Name = "Source";
  param.Descr = "multi\r\nline";
  param.ParamCheck = TParamCheck::pcRequired;
  project.Add<TSetVarValItem>().Value = "a & b";
  project.Add<TCheckParamsItem>();
  project.Add<TVariableItem>().Name = "V";
  auto& sub = project.Add<TSubroutineItem>();
  sub.Name = "Sub";
  sub.RunParams.Add().Param = "Arg";
  project.Add<TSubroutineEndItem>();
  project.Add<TGotoLabelItem>().Name = "Label";
}

TEST(ProjectFile, SaveLoadSaveIsIdentical) {
  TProject original;
  FillRichProject(original);
  const std::string first = testing::SaveProject(original);
  TProject loaded;
  Load(loaded, first);
  ASSERT_EQ(loaded.Count(), original.Count());
  EXPECT_EQ(testing::SaveProject(loaded), first);
  EXPECT_EQ(static_cast<testing::TAllKindsItem&>(loaded.Items(0)).Label, "  \t ");  // white space kept
  EXPECT_NE(loaded.Items(1).ProjectLists(), nullptr);  // loaded items are wired to their project
}

TEST(ProjectFile, SavesThroughATemporaryFile) {
  const auto folder = std::filesystem::temp_directory_path() / "palvetta project save";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  TProject project;
  FillRichProject(project);
  TProjectReaderWriter files(TestClasses());
  files.Project = &project;
  files.FileName = PathToUtf8(folder / "Projekt \xC3\xBC.kwj");
  files.SaveToFile();
  TProject loaded;
  files.Project = &loaded;
  files.LoadFromFile();
  EXPECT_EQ(loaded.Count(), project.Count());

  // A save that cannot be completed leaves the old file as it was.
  files.FileName = PathToUtf8(folder);
  EXPECT_THROW(files.SaveToFile(), std::runtime_error);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);
  std::filesystem::remove_all(folder);
}

TEST(ProjectFile, DamagedFilesFailWithClearMessages) {
  const std::string prolog = "<?xml version=\"1.0\" encoding=\"Windows-1252\" standalone=\"no\"?>\r\n";
  struct Case {
    std::string bytes;
    std::string message;  // a message beginning with "Invalid XML" is matched on that prefix
  };
  const Case cases[] = {
      {"PK\x03\x04 a zip file", "Invalid XML"},
      {prolog + "<palvetta><items><item classname=\"TREMItem\"></palvetta>", "Invalid XML"},
      {prolog + "<palvetta><commands/></palvetta>", "This file is not a Palvetta project."},
      {prolog + "<palvetta><items><item><Text>x</Text></item></items></palvetta>",
       "The project file is damaged: a command has no type."},
      {prolog + "<palvetta><items><item classname=\"TNoSuchItem\"/></items></palvetta>",
       "Class TNoSuchItem not found"},
      {prolog + "<palvetta><items><item classname=\"TPersistent\"/></items></palvetta>",
       "The project file is damaged: \"TPersistent\" is not a command."},
      {prolog + "<palvetta><items><item classname=\"TCustomProjectItem\"/></items></palvetta>",
       "The project file is damaged: \"TCustomProjectItem\" is not a command."},
      {prolog + "<palvetta><items><item classname=\"TAllKindsItem\"><Day>soon</Day></item></items>"
                "</palvetta>",
       "'soon' is not a valid date"},
      {prolog + "<palvetta><items><item classname=\"TAllKindsItem\"><Lines><Count>99999999</Count>"
                "</Lines></item></items></palvetta>",
       "The list Lines has a wrong count: \"99999999\"."},
      {"<?xml version=\"1.0\" encoding=\"ebcdic-1\"?><palvetta/>", "No matching charset"},
      // A value that holds elements would lose them: text, number, set member, list entry.
      {prolog + "<palvetta><items><item classname=\"TREMItem\"><Text>keep <b>this</b></Text></item>"
                "</items></palvetta>",
       "The project file is damaged: the property Text holds elements instead of a value."},
      {prolog + "<palvetta><items><item classname=\"TAllKindsItem\"><Number>\r\n  <n>7</n>\r\n"
                "</Number></item></items></palvetta>",
       "The project file is damaged: the property Number holds elements instead of a value."},
      {prolog + "<palvetta><items><item classname=\"TAllKindsItem\"><Attributes><frSet><v/></frSet>"
                "</Attributes></item></items></palvetta>",
       "The project file is damaged: the property frSet holds elements instead of a value."},
      {prolog + "<palvetta><items><item classname=\"TAllKindsItem\"><Lines><Item0><v/></Item0>"
                "<Count>1</Count></Lines></item></items></palvetta>",
       "The project file is damaged: the property Lines holds elements instead of a value."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    // As the program opens a file: into a new project that replaces the current one only
    // when loading succeeded.
    TProject current;
    current.Add<TREMItem>().Text = "kept";
    auto fresh = std::make_unique<TProject>();
    try {
      Load(*fresh, c.bytes);
      FAIL() << "loaded";
    } catch (const std::runtime_error& error) {
      if (c.message == "Invalid XML") {
        EXPECT_TRUE(std::string(error.what()).starts_with("Invalid XML Element")) << error.what();
      } else {
        EXPECT_EQ(error.what(), c.message);
      }
    }
    EXPECT_EQ(current.Count(), 1);
    EXPECT_EQ(static_cast<TREMItem&>(current.Items(0)).Text, "kept");
  }
}

TEST(ProjectFile, LenientReading) {
  // Another root name, names in any case, unknown elements, text between items.
  TProject project;
  Load(project,
       "<project><ITEMS> some text <Item CLASSNAME=\"tremitem\"><text>hi</text><Extra/></Item>"
       "<other classname=\"TParamItem\"/></ITEMS></project>");
  ASSERT_EQ(project.Count(), 2);
  EXPECT_EQ(static_cast<TREMItem&>(project.Items(0)).Text, "hi");
  EXPECT_EQ(project.Items(1).ClassName(), "TParamItem");
}

TEST(ProjectFile, ByteOrderMarksAndLineBreaksInTexts) {
  const std::string body =
      "<palvetta><items><item classname=\"TREMItem\"><Text>a\r\nb</Text></item></items></palvetta>";
  std::string utf16 = "\xFF\xFE";
  for (char c : body) {
    utf16 += c;
    utf16 += '\0';
  }
  for (const std::string& bytes : {"\xEF\xBB\xBF" + body, utf16, body}) {
    TProject project;
    Load(project, bytes);
    ASSERT_EQ(project.Count(), 1);
    EXPECT_EQ(static_cast<TREMItem&>(project.Items(0)).Text, "a\r\nb");
  }
}

TEST(ProjectFile, LocaleDatesOfOlderFilesAreRead) {
  TProject project;
  Load(project,
       "<palvetta><items><item classname=\"TAllKindsItem\"><Moment>1899-12-31 12:00:00</Moment>"
       "</item></items></palvetta>");
  EXPECT_EQ(static_cast<testing::TAllKindsItem&>(project.Items(0)).Moment, 1.5);
}

TEST(ProjectFile, GoldenFilesLoad) {
  for (const char* name : {"empty.kwj", "non_ascii.kwj", "all_kinds.kwj"}) {
    SCOPED_TRACE(name);
    TProject project;
    const std::string bytes = ReadFileBytes(ProjectFile(name));
    Load(project, bytes);
    EXPECT_EQ(testing::SaveProject(project), bytes);
  }
}

}  // namespace
}  // namespace palvetta
