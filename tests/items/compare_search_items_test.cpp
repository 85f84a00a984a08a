#include "items/compare_search/compare_search_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/field_table.h"
#include "model/project.h"
#include "model/project_reader_writer.h"
#include "support/item_texts.h"
#include "support/project_files.h"

namespace palvetta {
namespace {

using testing::ExpectTexts;
using testing::Make;
using testing::TTextCase;

TEST(CompareSearchItems, CompareTexts) {
  const std::string unknown = "<u>unknown file</u>";
  ExpectTexts({
      {Make<TFCItem>([](auto&) {}), "FC", "Compare " + unknown + " with " + unknown},
      {Make<TFCItem>([](auto& i) {
         i.DisregardCase = true;
         i.MaxConsMismatches = 5;
         i.NumberOfLinesAfterMismatch = 2;
         i.FileName1 = "a.txt";
         i.FileName2 = " b c.txt ";
       }),
       "FC /C /LB5 /2 a.txt \"b c.txt\"", "Compare a.txt with  b c.txt "},
      {Make<TFCItem>([](auto& i) {
         i.OnlyFirstAndLastDiff = true;
         i.BinaryComp = true;
         i.DisregardCase = true;
         i.ASCII = true;
         i.MaxConsMismatches = 5;
         i.LineNumbers = true;
         i.DoNotSkipOffline = true;
         i.DoNotExpandTabs = true;
         i.Unicode = true;
         i.CompressWhitespace = true;
         i.NumberOfLinesAfterMismatch = 3;
         i.FileName1 = "x";
         i.FileName2 = "y";
       }),
       "FC /A /B /C /L /LB5 /N /OFFLINE /T /U /W /3 x y", "Compare x with y"},
      // A negative mismatch count is written; a line count only when positive.
      {Make<TFCItem>([](auto& i) {
         i.MaxConsMismatches = -2;
         i.NumberOfLinesAfterMismatch = -1;
         i.FileName1 = "x";
       }),
       "FC /LB-2 x", "Compare x with " + unknown},

      // COMP always ends in /M, so that it never asks whether to compare more files.
      {Make<TCompItem>([](auto&) {}), "COMP   /M",
       "Compare the contents of " + unknown + " with " + unknown},
      {Make<TCompItem>([](auto& i) {
         i.Path1 = "a";
         i.Path2 = "b";
       }),
       "COMP a b /M", "Compare the contents of a with b"},
      {Make<TCompItem>([](auto& i) {
         i.Path1 = "a.bin";
         i.Path2 = "C:\\Backup Copy\\a.bin";
         i.Decimal = true;
         i.ASCII = true;
         i.LineNum = true;
         i.FirstNLines = 12;
         i.IgnoreCase = true;
         i.DoNotSkipOffline = true;
       }),
       "COMP a.bin \"C:\\Backup Copy\\a.bin\" /D /A /L /N=12 /C /OFFLINE /M",
       "Compare the contents of a.bin with C:\\Backup Copy\\a.bin"},
      {Make<TCompItem>([](auto& i) {
         i.Path1 = "a";
         i.Path2 = "b";
         i.FirstNLines = -3;
       }),
       "COMP a b /M", "Compare the contents of a with b"},
  });
}

TEST(CompareSearchItems, SearchTexts) {
  const std::string unknownString = "Search for string  <u>unknown</u> string ";
  ExpectTexts({
      // FIND: the file argument is always written, quoted; quotes in the text doubled.
      {Make<TFindItem>([](auto&) {}), "FIND \"\" \"\"",
       "Search for <u>unknown string</u> in <u>unknown files</u>"},
      {Make<TFindItem>([](auto& i) {
         i.SearchFor = "say \"hi\"";
         i.Path = "C:\\logs\\*.log";
       }),
       "FIND \"say \"\"hi\"\"\" \"C:\\logs\\*.log\"", "Search for say \"hi\" in C:\\logs\\*.log"},
      {Make<TFindItem>([](auto& i) {
         i.SearchFor = "error";
         i.Path = " \"C:\\My Logs\\a.log\" ";
         i.NotContaining = true;
         i.OnlyCount = true;
         i.LineNumbers = true;
         i.IgnoreCase = true;
         i.DoNotSkipOffline = true;
       }),
       "FIND /V /C /N /I /OFFLINE \"error\" \"C:\\My Logs\\a.log\"",
       "Search for error in  \"C:\\My Logs\\a.log\" "},

      // FINDSTR
      {Make<TFindStrItem>([](auto&) {}), "FINDSTR",
       unknownString + " in <u>unknown</u> places "},
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "hello";
         i.Path = "a.txt";
       }),
       "FINDSTR hello a.txt", "Search for string hello  in a.txt"},
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "hello world";
         i.Path = "C:\\My Files\\*.txt";
         i.Regular = true;
       }),
       "FINDSTR /R /C:\"hello world\" \"C:\\My Files\\*.txt\"",
       "Search for regular expression hello world  in C:\\My Files\\*.txt"},
      // A single word as literal text.
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "x";
         i.SearchAsLiteral = true;
         i.Path = "a.txt";
       }),
       "FINDSTR /C:\"x\" a.txt", "Search for string x  in a.txt"},
      // Strings from a file, searched in folders for the path's file name. The list of
      // folders is one argument: its semicolons would split it for cmd.exe otherwise.
      {Make<TFindStrItem>([](auto& i) {
         i.FindStrItem_SearchFor = TFindStrItem_SearchFor::sfStringsFromFile;
         i.SearchStringsFile = "words.txt";
         i.FindStrItem_SearchIn = TFindStrItem_SearchIn::siDirList;
         i.ListOfDirs = "C:\\a;C:\\b";
         i.Path = "C:\\x\\*.cfg";
         i.IgnoreCase = true;
       }),
       "FINDSTR /I /G:words.txt /D:\"C:\\a;C:\\b\" *.cfg",
       "Search for string  strings stored in file words.txt  in C:\\x\\*.cfg"},
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "x";
         i.FindStrItem_SearchIn = TFindStrItem_SearchIn::siDirList;
         i.ListOfDirs = "C:\\a";
         i.Path = " D:*.log ";
       }),
       "FINDSTR /D:C:\\a x *.log", "Search for string x  in  D:*.log "},
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "x";
         i.FindStrItem_SearchIn = TFindStrItem_SearchIn::siDirList;
         i.ListOfDirs = "C:\\a";
       }),
       "FINDSTR /D:C:\\a x *.*", "Search for string x  in folders C:\\a"},
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "x";
         i.FindStrItem_SearchIn = TFindStrItem_SearchIn::siFileList;
         i.FileListFile = "my files.txt";
         i.Path = "ignored.txt";
       }),
       "FINDSTR /F:\"my files.txt\" x", "Search for string x  in ignored.txt"},
      {Make<TFindStrItem>([](auto& i) { i.FileListFile = "files.txt"; }), "FINDSTR",
       "Search for string  list of files stored in files.txt in <u>unknown</u> places "},
      {Make<TFindStrItem>([](auto& i) {
         i.BegLine = true;
         i.EndLine = true;
         i.Literal = true;
         i.Regular = true;
         i.Subdir = true;
         i.IgnoreCase = true;
         i.ExactMatch = true;
         i.NotMatch = true;
         i.LineNumbers = true;
         i.OnlyFileName = true;
         i.Offset = true;
         i.SkipNonPrint = true;
         i.DoNotSkipOffline = true;
         i.SetColor = true;
         i.Color = 10;
         i.SearchFor = "x";
         i.Path = "a.txt";
       }),
       "FINDSTR /B /E /L /R /S /I /X /V /N /M /O /P /OFFLINE /A:A x a.txt",
       "Search for regular expression x  in a.txt"},
      // A colour without the box writes nothing.
      {Make<TFindStrItem>([](auto& i) {
         i.Color = 4;
         i.SearchFor = "x";
       }),
       "FINDSTR x", "Search for string x  in <u>unknown</u> places "},
      {Make<TFindStrItem>([](auto& i) {
         i.SetColor = true;
         i.SearchFor = "x";
       }),
       "FINDSTR /A:0 x", "Search for string x  in <u>unknown</u> places "},
  });
}

TEST(CompareSearchItems, PrintVerifySortTexts) {
  ExpectTexts({
      {Make<TPrintItem>([](auto&) {}), "PRINT", "Print <u>unknown</u> file"},
      {Make<TPrintItem>([](auto& i) {
         i.Path = "C:\\My Docs\\report.txt";
         i.Device = "LPT2";
       }),
       "PRINT /D:LPT2 \"C:\\My Docs\\report.txt\"", "Print file C:\\My Docs\\report.txt"},
      {Make<TPrintItem>([](auto& i) {
         i.Path = "a.txt";
         i.Device = "LPT2";
         i.ToDefaultDevice = true;
       }),
       "PRINT a.txt", "Print file a.txt"},
      {Make<TPrintItem>([](auto& i) {
         i.Path = "a.txt";
         i.Device = "  ";
       }),
       "PRINT a.txt", "Print file a.txt"},

      {Make<TVerifyItem>([](auto&) {}), "VERIFY ON", "Enable file write verification"},
      {Make<TVerifyItem>([](auto& i) { i.Enable = false; }), "VERIFY OFF",
       "Disable file write verification"},

      // SORT leaves out what is at SORT's own defaults; without a file it reads standard
      // input.
      {Make<TSORTItem>([](auto&) {}), "SORT", "Sort lines in standard input"},
      {Make<TSORTItem>([](auto& i) {
         i.Rec = 0;
         i.M = 100;
         i.N = 0;
         i.L = " ";
         i.Path = " ";
       }),
       "SORT", "Sort lines in standard input"},
      {Make<TSORTItem>([](auto& i) {
         i.R = true;
         i.N = 3;
         i.M = 2048;
         i.Rec = 8192;
         i.L = "C";
         i.Path = "names.txt";
         i.TemporaryPath = "C:\\Temp Dir";
         i.OutputPath = "\"sorted.txt\"";
       }),
       "SORT /R /+3 /M 2048 /REC 8192 /L C \"names.txt\" /T \"C:\\Temp Dir\" /O \"sorted.txt\"",
       "Sort lines in names.txt"},
      {Make<TSORTItem>([](auto& i) {
         i.Rec = 4096;
         i.M = 161;
         i.OutputPath = "out.txt";
       }),
       "SORT /M 161 /O \"out.txt\"", "Sort lines in standard input"},
  });
}

TEST(CompareSearchItems, WriteToFileTexts) {
  ExpectTexts({
      {Make<TWriteToFileItem>([](auto&) {}), ">>\"\" ECHO(%%",
       "Write <u>unknown</u> variable to <u>unknown</u> file"},
      {Make<TWriteToFileItem>([](auto& i) {
         i.VarName = "RESULT";
         i.Path = "C:\\out\\log.txt";
       }),
       ">>\"C:\\out\\log.txt\" ECHO(%RESULT%", "Write variable RESULT to file \"C:\\out\\log.txt\""},
      {Make<TWriteToFileItem>([](auto& i) {
         i.VarName = "X";
         i.Path = "C:\\a b.txt";
       }),
       ">>\"C:\\a b.txt\" ECHO(%X%", "Write variable X to file \"C:\\a b.txt\""},
      {Make<TWriteToFileItem>([](auto& i) {
         i.Mode = TWriteToFileMode::wtfText;
         i.Text = "done";
         i.VarName = "ignored";
         i.Overwrite = true;
         i.Path = " \"out.txt\" ";
       }),
       ">\"out.txt\" ECHO(done", "Write text \"done\" to file \"out.txt\""},
      {Make<TWriteToFileItem>([](auto& i) {
         i.Mode = TWriteToFileMode::wtfText;
         i.Path = "out.txt";
       }),
       ">>\"out.txt\" ECHO(", "Write <u>unknown</u> text to file \"out.txt\""},
  });
}

// Values are data: whatever they hold, each item writes one line, and nothing in it can
// close the block it stands in or start a second command.
TEST(CompareSearchItems, ValuesCannotBreakTheLine) {
  ExpectTexts({
      // FIND keeps the whole text inside quotes: doubled quotes never leave them.
      {Make<TFindItem>([](auto& i) {
         i.SearchFor = "5\" & del x";
         i.Path = "C:\\R&D\\\"x\".txt\r\ndel y";
       }),
       "FIND \"5\"\" & del x\" \"C:\\R&D\\x.txt del y\"",
       "Search for 5\" & del x in C:\\R&D\\\"x\".txt\r\ndel y"},
      // A percent sign is searched for as typed; a variable reference expands.
      {Make<TFindItem>([](auto& i) {
         i.SearchFor = "100% of %USERNAME%";
         i.Path = "a.txt";
       }),
       "FIND \"100%% of %USERNAME%\" \"a.txt\"", "Search for 100% of %USERNAME% in a.txt"},
      // FINDSTR: a single word with batch syntax in it is quoted (FINDSTR reads a quoted
      // word as the same word), plain words stay bare, and other specials get carets.
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "a&b";
         i.Path = "f.txt";
       }),
       "FINDSTR \"a&b\" f.txt", "Search for string a&b  in f.txt"},
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = " x|y<z>^ ";
         i.Path = "f.txt";
       }),
       "FINDSTR \"x|y<z>^\" f.txt", "Search for string  x|y<z>^   in f.txt"},
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "a)b";
         i.Path = "f(1).txt";
       }),
       "FINDSTR a^)b \"f(1).txt\"", "Search for string a)b  in f(1).txt"},
      // Inside /C:"..." a quote is FINDSTR's \"; cmd.exe still reads it as a quote, so
      // what follows it is outside quotes for cmd.exe and gets carets.
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "say \"hi & bye\"";
         i.Path = "f.txt";
       }),
       "FINDSTR /C:\"say \\\"hi ^& bye\\\"\" f.txt", "Search for string say \"hi & bye\"  in f.txt"},
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "a\"b";
         i.Path = "x&y.txt";
       }),
       "FINDSTR \"a\\\"b\" \"x^&y.txt\"", "Search for string a\"b  in x&y.txt"},
      {Make<TFindStrItem>([](auto& i) {
         i.SearchFor = "one\r\ndel x";
         i.Path = "f.txt\r\ndel y";
       }),
       "FINDSTR /C:\"one del x\" \"f.txt del y\"", "Search for string one\r\ndel x  in f.txt\r\ndel y"},
      {Make<TPrintItem>([](auto& i) {
         i.Device = "LPT1 & del x";
         i.Path = "a.txt";
       }),
       "PRINT /D:LPT1 ^& del x a.txt", "Print file a.txt"},
      {Make<TSORTItem>([](auto& i) {
         i.L = "C) & del x";
         i.Path = "in.txt\r\ndel y";
       }),
       "SORT /L C^) ^& del x \"in.txt del y\"", "Sort lines in in.txt\r\ndel y"},
      {Make<TFCItem>([](auto& i) {
         i.FileName1 = "a&b.txt";
         i.FileName2 = "\"c d\"&x";
       }),
       "FC \"a&b.txt\" \"c d&x\"", "Compare a&b.txt with \"c d\"&x"},
      // Write to file: the text is written as text. A "%" expands only where it names a
      // variable, so %DATE% gives the date and 100% stays 100%.
      {Make<TWriteToFileItem>([](auto& i) {
         i.Mode = TWriteToFileMode::wtfText;
         i.Text = "a & del x (1) | y > z";
         i.Path = "out.txt";
       }),
       ">>\"out.txt\" ECHO(a ^& del x ^(1^) ^| y ^> z",
       "Write text \"a & del x (1) | y > z\" to file \"out.txt\""},
      {Make<TWriteToFileItem>([](auto& i) {
         i.Mode = TWriteToFileMode::wtfText;
         i.Text = "%DATE% is 100%\r\ndel x";
         i.Path = "out.txt\r\ndel y";
       }),
       ">>\"out.txt del y\" ECHO(%DATE% is 100%% del x",
       "Write text \"%DATE% is 100%\r\ndel x\" to file \"out.txt\r\ndel y\""},
      {Make<TWriteToFileItem>([](auto& i) {
         i.VarName = "A%&del x&%";
         i.Path = "out.txt";
       }),
       ">>\"out.txt\" ECHO(%A%^&del x^&%%", "Write variable A%&del x&% to file \"out.txt\""},
  });
}

TEST(CompareSearchItems, DisabledItemsWriteNothing) {
  TProject project;
  for (const TClass* cls : kCompareSearchItemClasses) {
    project.AddItem(*cls, -1).Enabled = false;
  }
  EXPECT_EQ(testing::GenerateBatch(project), "@ECHO OFF\r\n");
}

// The item's own Overwrite is stored in the base's place under the base's name; the
// redirection flag it hides is never stored, and the base's redirection of the item
// appends.
TEST(WriteToFileItem, OwnOverwriteTakesTheBasesPlaceInFiles) {
  TProject project;
  auto& item = project.Add<TWriteToFileItem>();
  item.Overwrite = true;
  static_cast<TCustomProjectItem&>(item).Overwrite = false;
  item.RedirectTo = "log.txt";
  item.Path = "out.txt";
  item.VarName = "X";

  std::vector<std::string> names;
  ForEachField(TWriteToFileItem::Class, [&](const TField& row) {
    if (row.Saved()) names.emplace_back(row.Name);
  });
  EXPECT_EQ(names, (std::vector<std::string>{"Enabled", "RedirectTo", "Overwrite", "GUID", "Path",
                                             "Text", "VarName", "Mode"}));

  const std::string saved = testing::SaveProject(project);
  EXPECT_NE(saved.find("<Overwrite>TRUE</Overwrite>"), std::string::npos) << saved;

  static_cast<TCustomProjectItem&>(item).Overwrite = true;
  item.Overwrite = false;
  EXPECT_EQ(testing::SaveProject(project).find("<Overwrite>TRUE</Overwrite>"), std::string::npos);

  TProject loaded;
  TProjectReaderWriter reader(testing::TestClasses());
  reader.Project = &loaded;
  reader.LoadFromBytes(saved);
  ASSERT_EQ(loaded.Count(), 1);
  auto& back = static_cast<TWriteToFileItem&>(loaded.Items(0));
  EXPECT_TRUE(back.Overwrite);
  EXPECT_FALSE(static_cast<TCustomProjectItem&>(back).Overwrite);
  EXPECT_EQ(testing::GenerateBatch(loaded), "@ECHO OFF\r\n>\"out.txt\" ECHO(%X% >> log.txt\r\n");

  TWriteToFileItem copy;
  copy.Assign(back);
  EXPECT_TRUE(copy.Overwrite);
  EXPECT_FALSE(static_cast<TCustomProjectItem&>(copy).Overwrite);
}

}  // namespace
}  // namespace palvetta
