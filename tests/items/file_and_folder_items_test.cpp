#include "items/file_and_folder/file_and_folder_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/date_time_text.h"
#include "model/project.h"
#include "support/item_texts.h"
#include "support/project_files.h"

namespace palvetta {
namespace {

using testing::ExpectTexts;
using testing::Make;
using testing::TTextCase;

void AddSource(TCopyItem& item, const std::string& path, TFileType type = TFileType::stUndef) {
  TSourceFile& source = item.Sources.Add();
  source.Path = path;
  source.SourceType = type;
}

void SetAllDeleteAttributes(TDeleteItem& i) {
  i.ReadOnlyAttr = TFileAttr::frSet;
  i.Hidden = TFileAttr::frNotSet;
  i.Indexed = TFileAttr::frSet;
  i.System = TFileAttr::frNotSet;
  i.Arch = TFileAttr::frSet;
  i.ReparsePoints = TFileAttr::frNotSet;
}

TEST(FileAndFolderItems, CopyAndMoveTexts) {
  ExpectTexts({
      {Make<TCopyItem>([](auto&) {}), "COPY /-Y",
       "Copy  <u>unknown</u> files to <u>unknown</u> destination"},
      {Make<TCopyItem>([](auto& i) { i.Destination = "D:\\out"; }), "COPY /-Y D:\\out",
       "Copy  <u>unknown</u> files to D:\\out"},
      // Every source is a command of its own with the same switches.
      {Make<TCopyItem>([](auto& i) {
         AddSource(i, "a.txt");
         AddSource(i, "C:\\b c.txt");
         i.Destination = "D:\\out";
         i.Verify = true;
       }),
       "COPY /V /-Y a.txt D:\\out\r\nCOPY /V /-Y \"C:\\b c.txt\" D:\\out",
       "Copy a.txt C:\\b c.txt to D:\\out"},
      // The item's type before all switches, the source's own after the source.
      {Make<TCopyItem>([](auto& i) {
         AddSource(i, "src.bin", TFileType::stBinary);
         i.SourceType = TFileType::stASCII;
         i.Destination = "dst";
       }),
       "COPY /A /-Y src.bin /B dst", "Copy src.bin to dst"},
      // Every switch, in order.
      {Make<TCopyItem>([](auto& i) {
         AddSource(i, "a.txt", TFileType::stASCII);
         i.Destination = "D:\\Out Dir";
         i.SourceType = TFileType::stBinary;
         i.DestType = TFileType::stBinary;
         i.AllowDestDecrypted = i.Verify = i.UseShortNames = i.PromptOverwrite = true;
         i.NetworkedRestartable = i.CopySymLinks = true;
       }),
       "COPY /B /D /V /N /Y /Z /L a.txt /A \"D:\\Out Dir\" /B", "Copy a.txt to D:\\Out Dir"},
      // A blank source writes no line but is listed; without a destination the line ends
      // at the source.
      {Make<TCopyItem>([](auto& i) {
         AddSource(i, "  ");
         AddSource(i, "x(1).txt");
       }),
       "COPY /-Y \"x(1).txt\"", "Copy    x(1).txt to <u>unknown</u> destination"},

      {Make<TMoveFilesItem>([](auto&) {}), "MOVE /-Y",
       "Move <u>unknown files</u> to <u>unknown destination</u>"},
      {Make<TMoveFilesItem>([](auto& i) {
         i.Files = {"a.txt", ""};
         i.Destination = "D:\\out";
       }),
       "MOVE /-Y a.txt D:\\out", "Move <b>several files</b> to D:\\out"},
      {Make<TMoveFilesItem>([](auto& i) {
         i.Files = {"a.txt", "  ", "b (1).txt"};
         i.Quiet = true;
         i.Destination = " D:\\x y ";
       }),
       "MOVE /Y a.txt \"D:\\x y\"\r\nMOVE /Y \"b (1).txt\" \"D:\\x y\"",
       "Move <b>several files</b> to D:\\x y"},
      {Make<TMoveFilesItem>([](auto& i) { i.Files = {" a.txt"}; }), "MOVE /-Y a.txt",
       "Move  a.txt to <u>unknown destination</u>"},
  });
}

TEST(FileAndFolderItems, DeleteAndAttribTexts) {
  ExpectTexts({
      {Make<TDeleteItem>([](auto&) {}), "DEL", "Delete <u>unknown</u> files."},
      {Make<TDeleteItem>([](auto& i) {
         i.Files = {"*.tmp", "a b.txt"};
         i.Quiet = true;
         i.DelAttr = true;
         i.ReadOnlyAttr = TFileAttr::frSet;
         i.Hidden = TFileAttr::frNotSet;
       }),
       "DEL /Q /A:R-H *.tmp \"a b.txt\"", "Delete *.tmp a b.txt"},
      // Every switch and attribute, in order.
      {Make<TDeleteItem>([](auto& i) {
         i.Files = {"x"};
         i.Prompt = i.DelReadOnly = i.DelFromSubDirs = i.Quiet = i.DelAttr = true;
         SetAllDeleteAttributes(i);
       }),
       "DEL /P /F /S /Q /A:R-HI-SA-L x", "Delete x"},
      // With the box but no attribute chosen there is no /A:, without the box the
      // attributes do not count.
      {Make<TDeleteItem>([](auto& i) {
         i.Files = {"x"};
         i.DelAttr = true;
       }),
       "DEL x", "Delete x"},
      {Make<TDeleteItem>([](auto& i) {
         i.Files = {"x"};
         SetAllDeleteAttributes(i);
       }),
       "DEL x", "Delete x"},
      {Make<TDeleteItem>([](auto& i) { i.Files = {" ", "", " a&b.txt "}; }), "DEL \"a&b.txt\"",
       "Delete a&b.txt"},
      {Make<TDeleteItem>([](auto& i) { i.Files = {"  "}; }), "DEL", "Delete"},

      {Make<TAttribItem>([](auto&) {}), "ATTRIB", "Set attributes of <u>undefined file</u>"},
      {Make<TAttribItem>([](auto& i) { i.Path = "x.txt"; }), "ATTRIB x.txt",
       "Set attributes of x.txt"},
      {Make<TAttribItem>([](auto& i) {
         i.Path = "C:\\my files\\*.txt";
         i.ReadOnlyAttr = TFileAttr::frSet;
         i.Hidden = TFileAttr::frNotSet;
         i.Subfolders = i.Folders = true;
       }),
       "ATTRIB +R -H \"C:\\my files\\*.txt\" /S /D", "Set attributes of C:\\my files\\*.txt"},
      {Make<TAttribItem>([](auto& i) {
         i.Path = "a";
         i.ReadOnlyAttr = i.Indexed = i.Arch = TFileAttr::frSet;
         i.Hidden = i.System = TFileAttr::frNotSet;
         i.Subfolders = i.Folders = i.SymLinks = true;
       }),
       "ATTRIB +R -H +I -S +A a /S /D /L", "Set attributes of a"},
  });
}

TEST(FileAndFolderItems, FolderTexts) {
  ExpectTexts({
      {Make<TMakeDirItem>([](auto&) {}), "MD ", "Create <u>unknown</u> directory."},
      {Make<TMakeDirItem>([](auto& i) { i.Path = "C:\\New Dir"; }), "MD \"C:\\New Dir\"",
       "Create directory C:\\New Dir"},
      {Make<TMakeDirItem>([](auto& i) { i.Path = "out(1)"; }), "MD \"out(1)\"",
       "Create directory out(1)"},

      {Make<TChangeDirItem>([](auto&) {}), "CD", "Display the name of the current directory."},
      {Make<TChangeDirItem>([](auto& i) {
         i.Path = "  ";
         i.Disk = true;
       }),
       "CD", "Display the name of the current directory."},
      {Make<TChangeDirItem>([](auto& i) {
         i.Path = "D:\\Work Dir";
         i.Disk = true;
       }),
       "CD /D \"D:\\Work Dir\"", "Change current directory to D:\\Work Dir"},
      {Make<TChangeDirItem>([](auto& i) { i.Path = "sub"; }), "CD sub",
       "Change current directory to sub"},

      {Make<TDeleteDirItem>([](auto&) {}), "RMDIR ", "Delete <u>unknown directory</u>"},
      {Make<TDeleteDirItem>([](auto& i) {
         i.Dir = "C:\\Old Dir";
         i.Subdirs = i.Quiet = true;
       }),
       "RMDIR /S /Q \"C:\\Old Dir\"", "Delete directory C:\\Old Dir"},
      {Make<TDeleteDirItem>([](auto& i) {
         i.Dir = "old";
         i.Quiet = true;
       }),
       "RMDIR /Q old", "Delete directory old"},
  });
}

TEST(FileAndFolderItems, RenameAndReplaceTexts) {
  ExpectTexts({
      {Make<TRenameDirItem>([](auto&) {}), "REN  ",
       "Rename <u>unknown directory</u> to <u>unknown directory</u>"},
      // A full path typed as the new name is cut to its last part.
      {Make<TRenameDirItem>([](auto& i) {
         i.Dir = "C:\\Data\\Old";
         i.Destination = "D:\\x\\New Name\\";
       }),
       "REN C:\\Data\\Old \"New Name\"", "Rename directory C:\\Data\\Old to D:\\x\\New Name\\"},
      // Quoted as "Copy as path" gives it: the quotes go, as for a file.
      {Make<TRenameDirItem>([](auto& i) {
         i.Dir = "C:\\Data\\Old";
         i.Destination = " \"D:\\x\\New Name\" ";
         i.Quiet = true;
       }),
       "REN C:\\Data\\Old \"New Name\"",
       "Rename directory C:\\Data\\Old to  \"D:\\x\\New Name\" "},
      {Make<TRenameDirItem>([](auto& i) {
         i.Dir = "C:\\Data (old)";
         i.Destination = "D:Data (new)";
       }),
       "REN \"C:\\Data (old)\" \"Data (new)\"",
       "Rename directory C:\\Data (old) to D:Data (new)"},

      {Make<TRenameFileItem>([](auto&) {}), "REN  ",
       "Rename <u>unknown file</u> to <u>unknown name</u>"},
      {Make<TRenameFileItem>([](auto& i) {
         i.FileName = "old.txt";
         i.Destination = "\"C:\\x\\new.txt\"";
       }),
       "REN old.txt new.txt", "Rename old.txt to \"C:\\x\\new.txt\""},
      {Make<TRenameFileItem>([](auto& i) {
         i.FileName = "C:\\Data\\old name.txt";
         i.Destination = "new name.txt";
       }),
       "REN \"C:\\Data\\old name.txt\" \"new name.txt\"",
       "Rename C:\\Data\\old name.txt to new name.txt"},

      {Make<TReplaceItem>([](auto&) {}), "REPLACE",
       "Replace <u>unknown files</u> in <u>unknown folder</u>"},
      {Make<TReplaceItem>([](auto& i) {
         i.SrcPath = " C:\\New Files\\*.dll ";
         i.DestPath = " C:\\App Dir ";
         i.AddNewFiles = i.PromptConfirm = i.OverwriteReadOnly = true;
         i.Subdirs = i.Wait = i.Old = true;
       }),
       "REPLACE \"C:\\New Files\\*.dll\" \"C:\\App Dir\" /A /P /R /S /W /U",
       "Replace C:\\New Files\\*.dll in C:\\App Dir"},
      {Make<TReplaceItem>([](auto& i) {
         i.SrcPath = "a.dll";
         i.DestPath = "app";
         i.Subdirs = true;
       }),
       "REPLACE a.dll app /S", "Replace a.dll in app"},
  });
}

TEST(FileAndFolderItems, XCopyTexts) {
  const std::string readable = "Copies files and directory trees from ";
  ExpectTexts({
      {Make<TXCopyItem>([](auto&) {}), "XCOPY  ",
       readable + "<u>unknown source</u> to <u>unknown destination</u>"},
      {Make<TXCopyItem>([](auto& i) {
         i.Src = "a";
         i.Dest = "b";
         i.D = true;
         i.D_Date = DateValue(2023, 12, 1);
         i.Exclude = {"a.txt", "b.txt"};
       }),
       "XCOPY a b /D:12-1-2023 /EXCLUDE:a.txt+b.txt", readable + "a to b"},
      // The date only with /D.
      {Make<TXCopyItem>([](auto& i) {
         i.Src = "a";
         i.Dest = "b";
         i.D_Date = DateValue(2024, 3, 5);
       }),
       "XCOPY a b", readable + "a to b"},
      // Blank exclude lines are skipped and the others trimmed; a name's & stays text.
      {Make<TXCopyItem>([](auto& i) {
         i.Src = "a";
         i.Dest = "b";
         i.Exclude = {" a.txt ", "", "R&D.txt", "  "};
       }),
       "XCOPY a b /EXCLUDE:a.txt+R^&D.txt", readable + "a to b"},
      {Make<TXCopyItem>([](auto& i) {
         i.Src = "a";
         i.Dest = "b";
         i.Exclude = {"", " "};
         i.Y = TXCopyOvewritePrompt::opNoAsk;
       }),
       "XCOPY a b /Y", readable + "a to b"},
      // Every switch, in order.
      {Make<TXCopyItem>([](auto& i) {
         i.Src = "C:\\Source Dir";
         i.Dest = "D:\\Target Dir";
         i.A = i.M = i.D = true;
         i.D_Date = DateValue(2024, 3, 5);
         i.Exclude = {"x.txt"};
         i.P = i.S = i.E = i.V = i.W = i.C = i.I = i.Q = i.F = i.L = true;
         i.G = i.H = i.R = i.T = i.U = i.K = i.N = i.O = i.X = true;
         i.Y = TXCopyOvewritePrompt::opAlwaysAsk;
         i.Z = i.B = i.J = true;
       }),
       "XCOPY \"C:\\Source Dir\" \"D:\\Target Dir\" /A /M /D:3-5-2024 /EXCLUDE:x.txt /P /S /E /V /W "
       "/C /I /Q /F /L /G /H /R /T /U /K /N /O /X /-Y /Z /B /J",
       readable + "C:\\Source Dir to D:\\Target Dir"},
  });
}

// A value loaded from a file may hold a line break; it must never start a command line
// of its own.
TEST(FileAndFolderItems, LineBreaksInValuesStayOnTheirLine) {
  const std::string evil = "x\r\nEVIL *";
  const std::vector<std::function<std::unique_ptr<TCustomProjectItem>()>> makers = {
      Make<TCopyItem>([&](auto& i) {
        AddSource(i, evil);
        i.Destination = evil;
      }),
      Make<TMoveFilesItem>([&](auto& i) {
        i.Files = {evil};
        i.Destination = evil;
      }),
      Make<TDeleteItem>([&](auto& i) { i.Files = {evil}; }),
      Make<TAttribItem>([&](auto& i) { i.Path = evil; }),
      Make<TMakeDirItem>([&](auto& i) { i.Path = evil; }),
      Make<TChangeDirItem>([&](auto& i) { i.Path = evil; }),
      Make<TDeleteDirItem>([&](auto& i) { i.Dir = evil; }),
      Make<TRenameDirItem>([&](auto& i) {
        i.Dir = evil;
        i.Destination = "y\nEVIL *";
      }),
      Make<TRenameFileItem>([&](auto& i) {
        i.FileName = evil;
        i.Destination = "y\nEVIL *";
      }),
      Make<TReplaceItem>([&](auto& i) {
        i.SrcPath = evil;
        i.DestPath = evil;
      }),
      Make<TXCopyItem>([&](auto& i) {
        i.Src = evil;
        i.Dest = evil;
        i.Exclude = {evil};
      }),
  };
  for (const auto& make : makers) {
    const auto item = make();
    SCOPED_TRACE(std::string(item->ClassName()));
    const TStrings lines = SplitLines(item->GetBatchText());
    EXPECT_EQ(lines.size(), 1u);
    for (const auto& line : lines) EXPECT_FALSE(line.starts_with("EVIL")) << line;
  }
}

TEST(FileAndFolderItems, NewNameIsTheLastPartOfThePath) {
  const std::pair<const char*, const char*> cases[] = {
      {"new.txt", "new.txt"},           {" \"C:\\x\\new.txt\" ", "new.txt"},
      {"D:\\x\\New Name\\", "New Name"}, {"D:new", "new"},
      {"C:\\", ""},                   {"\"\"", ""},
      {"a\\\\", ""},
  };
  for (const auto& [typed, name] : cases) EXPECT_EQ(NewNameOf(typed), name) << typed;
}

TEST(FileAndFolderItems, DisabledItemsWriteNothing) {
  TProject project;
  project.Add<TMakeDirItem>().Path = "x";
  project.Add<TXCopyItem>().Src = "a";
  for (int i = 0; i < project.Count(); ++i) project.Items(i).Enabled = false;
  EXPECT_EQ(testing::GenerateBatch(project), "@ECHO OFF\r\n");
}

// The COPY dialog shows the paths only: a source that comes back unchanged keeps its
// type, a new or edited one has none, and blank lines are dropped.
TEST(FileAndFolderEditorMapping, CopySourcesKeepTheirTypeWhileTheirPathStays) {
  TCopyItem copy;
  AddSource(copy, "a.bin", TFileType::stBinary);
  AddSource(copy, "b.txt", TFileType::stASCII);
  AddSource(copy, "a.bin", TFileType::stASCII);
  TEditorValues values;
  copy.ToEditor(values);
  EXPECT_EQ(values.Text("memSrcFiles"), "a.bin\r\nb.txt\r\na.bin\r\n");
  values.SetText("memSrcFiles", " a.bin \r\n\r\nc.txt\r\na.bin\r\nb.txt");
  copy.FromEditor(values);
  ASSERT_EQ(copy.Sources.Count(), 4u);
  const std::pair<std::string, TFileType> expected[] = {{"a.bin", TFileType::stBinary},
                                                        {"c.txt", TFileType::stUndef},
                                                        {"a.bin", TFileType::stASCII},
                                                        {"b.txt", TFileType::stASCII}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(copy.Sources[i].Path, expected[i].first);
    EXPECT_EQ(copy.Sources[i].SourceType, expected[i].second);
  }
  EXPECT_EQ(copy.GetBatchText(),
            "COPY /-Y a.bin /B\r\nCOPY /-Y c.txt\r\nCOPY /-Y a.bin /A\r\nCOPY /-Y b.txt /A");
}

TEST(FileAndFolderEditorMapping, AttributesAreTheGridRowsOrdinals) {
  TDeleteItem del;
  del.Hidden = TFileAttr::frNotSet;
  del.ReparsePoints = TFileAttr::frSet;
  TEditorValues values;
  del.ToEditor(values);
  EXPECT_EQ(values.Index("attHidden"), 2);
  EXPECT_EQ(values.Index("attReparsePoints"), 1);
  EXPECT_EQ(values.Index("attReadOnly"), 0);
  values.SetIndex("attHidden", 0);
  values.SetIndex("attSystem", 2);
  values.SetIndex("attArch", 7);  // no such state: kept
  del.FromEditor(values);
  EXPECT_EQ(del.Hidden, TFileAttr::frUndef);
  EXPECT_EQ(del.System, TFileAttr::frNotSet);
  EXPECT_EQ(del.Arch, TFileAttr::frUndef);
}

// A new item's picker offers today; the picker's date is taken only with /D, so a
// dialog confirmed without it leaves the date alone.
TEST(FileAndFolderEditorMapping, XCopyDateOnlyWithTheBox) {
  TXCopyItem xcopy;
  TEditorValues values;
  xcopy.ToEditor(values);
  EXPECT_EQ(values.Date("dtpD_Date"), Today());
  EXPECT_TRUE(values.Entries("lbxExclude").empty());
  xcopy.FromEditor(values);
  EXPECT_EQ(xcopy.D_Date, 0);

  values.SetChecked("cbxD", true);
  values.SetDate("dtpD_Date", DateValue(2024, 3, 5));
  values.SetEntries("lbxExclude", {"a.txt", ""});
  xcopy.FromEditor(values);
  EXPECT_EQ(xcopy.D_Date, DateValue(2024, 3, 5));
  EXPECT_EQ(xcopy.Exclude, (std::vector<std::string>{"a.txt", ""}));
  xcopy.ToEditor(values);
  EXPECT_EQ(values.Date("dtpD_Date"), DateValue(2024, 3, 5));
}

TEST(FileAndFolderEditorMapping, FileListsKeepBlankLines) {
  TDeleteItem del;
  del.Files = {"a", "", "b"};
  TEditorValues values;
  del.ToEditor(values);
  EXPECT_EQ(values.Text("memFiles"), "a\r\n\r\nb\r\n");
  values.SetText("memFiles", "x\n\ny");
  del.FromEditor(values);
  EXPECT_EQ(del.Files, (std::vector<std::string>{"x", "", "y"}));
}

}  // namespace
}  // namespace palvetta
