#include "items/for/for_items.h"

#include <gtest/gtest.h>

#include "support/item_texts.h"

#include <functional>
#include <memory>
#include <string>

#include "base/file_io.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "model/batch_generator.h"
#include "model/project.h"
#include "model/project_reader_writer.h"
#include "support/project_files.h"

namespace palvetta {
namespace {

using testing::Make;
using testing::TTextCase;

TEST(ForItems, BatchAndReadableTexts) {
  const TTextCase cases[] = {
      {Make<TFOREachLineInFile>([](auto&) {}),
       "REM For each line in file \r\nfor /F \"usebackq tokens=*\" %%L in (\"\") do (",
       "For each line in <u>unknown</u> file"},
      {Make<TFOREachLineInFile>([](auto& i) { i.FileName = "C:\\list.txt"; }),
       "REM For each line in file C:\\list.txt\r\n"
       "for /F \"usebackq tokens=*\" %%L in (\"C:\\list.txt\") do (",
       "For each line in file C:\\list.txt"},
      // The name goes in as stored: the IN clause always quotes it, so it needs no
      // quoting or trimming of its own.
      {Make<TFOREachLineInFile>([](auto& i) { i.FileName = " C:\\My Files\\a&b.txt"; }),
       "REM For each line in file  C:\\My Files\\a&b.txt\r\n"
       "for /F \"usebackq tokens=*\" %%L in (\" C:\\My Files\\a&b.txt\") do (",
       "For each line in file  C:\\My Files\\a&b.txt"},
      // A name pasted with its own quotes ("Copy as path") is quoted once.
      {Make<TFOREachLineInFile>([](auto& i) { i.FileName = " \"C:\\My Files\\list.txt\" "; }),
       "REM For each line in file  \"C:\\My Files\\list.txt\" \r\n"
       "for /F \"usebackq tokens=*\" %%L in (\"C:\\My Files\\list.txt\") do (",
       "For each line in file  \"C:\\My Files\\list.txt\" "},
      {Make<TFOREndItem>([](auto&) {}), ")\r\nREM End of FOR", "End of FOR"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.batch);
    const auto item = c.make();
    EXPECT_EQ(item->GetBatchText(), c.batch);
    EXPECT_EQ(item->GetHumanReadableText(), c.readable);
  }
}

TEST(ForItems, FileNameInTheRemLineStaysOnItsLine) {
  TFOREachLineInFile loop;
  loop.FileName = "a\r\ndel *\nb";
  const TStrings lines = SplitLines(loop.GetBatchText());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "REM For each line in file a del * b");
  for (const auto& line : lines) EXPECT_FALSE(line.starts_with("del")) << line;
}

// The loop's own lines open and close a block, so only the body lines are redirected.
TEST(ForItems, LoopWithAndWithoutBody) {
  {
    TProject project;
    project.Add<TFOREachLineInFile>().FileName = "C:\\list.txt";
    project.Add<TFOREndItem>();
    EXPECT_EQ(testing::GenerateBatch(project),
              "@ECHO OFF\r\n"
              "REM For each line in file C:\\list.txt\r\n"
              "for /F \"usebackq tokens=*\" %%L in (\"C:\\list.txt\") do (\r\n"
              ")\r\n"
              "REM End of FOR\r\n");
  }
  {
    TProject project;
    auto& loop = project.Add<TFOREachLineInFile>();
    loop.FileName = "C:\\list.txt";
    loop.RedirectTo = "out.txt";
    auto& body = project.Add<TRunProgramItem>();
    body.Path = "TYPE";
    body.RunParams.Add().Param = "\"%%L\"";
    body.RedirectTo = "out.txt";
    project.Add<TFOREndItem>().RedirectTo = "out.txt";
    EXPECT_EQ(testing::GenerateBatch(project),
              "@ECHO OFF\r\n"
              "REM For each line in file C:\\list.txt\r\n"
              "for /F \"usebackq tokens=*\" %%L in (\"C:\\list.txt\") do (\r\n"
              "TYPE \"%%L\" >> out.txt\r\n"
              ")\r\n"
              "REM End of FOR\r\n");
  }
}

TEST(ForItems, DisabledItemsWriteNothing) {
  TProject project;
  project.Add<TFOREachLineInFile>().FileName = "C:\\list.txt";
  project.Add<TFOREndItem>();
  for (int i = 0; i < project.Count(); ++i) project.Items(i).Enabled = false;
  EXPECT_EQ(testing::GenerateBatch(project), "@ECHO OFF\r\n");
}

}  // namespace
}  // namespace palvetta
