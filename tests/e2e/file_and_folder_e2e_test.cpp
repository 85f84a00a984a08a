// The file and folder items in cmd.exe: each test builds a project, makes its batch file
// as batchgen does, runs it and checks the files and folders on disk afterwards. Names
// hold blanks, parentheses, commas and ampersands, and the items with paths also run
// inside an IF block, where an unquoted ")" would end the block early.

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "base/date_time_text.h"
#include "base/file_io.h"
#include "base/win/program.h"
#include "base/win/wide.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/file_and_folder/file_and_folder_items.h"
#include "model/batch_generator.h"
#include "model/project.h"
#include "support/batch_runner.h"
#include "support/temp_folder.h"
#include "e2e_support.h"
#include "support/test_items.h"

namespace palvetta::e2e {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class FileAndFolderBatch : public GeneratedBatch {
 protected:
  // Generates the batch file and runs it in the temp folder.
  TBatchResult Run() {
    const TBatchResult result = GeneratedBatch::Run();
    EXPECT_FALSE(result.TimedOut);
    return result;
  }

  void Echo(const std::string& text) { Project.Add<testing::TTestCommandItem>().Text = text; }

  fs::path At(const std::wstring& relative) const { return Temp.Path() / relative; }
  std::string Utf8(const std::wstring& relative) const { return PathToUtf8(At(relative)); }
  void Write(const std::wstring& relative, const std::string& text) const {
    fs::create_directories(At(relative).parent_path());
    WriteFileReplacing(At(relative), text);
  }

  // Every source is a COPY of its own; MOVE takes each file line; DEL /A:-R spares the
  // read-only file.
  void CopyMoveAndDelete(bool inBlock) {
    Write(L"src (1)\\a b.txt", "first");
    Write(L"src (1)\\c&d.txt", "second");
    Write(L"old, files\\keep.txt", "read-only");
    Write(L"old, files\\gone.txt", "normal");
    SetFileAttributesW(At(L"old, files\\keep.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    if (inBlock) OpenIfBlock();
    Project.Add<TMakeDirItem>().Path = Utf8(L"out dir (x)");
    Project.Add<TMakeDirItem>().Path = "moved, here";
    auto& copy = Project.Add<TCopyItem>();
    copy.Sources.Add().Path = Utf8(L"src (1)\\a b.txt");
    copy.Sources.Add().Path = "src (1)\\c&d.txt";
    copy.Destination = "out dir (x)";
    auto& move = Project.Add<TMoveFilesItem>();
    move.Files = {"out dir (x)\\a b.txt", ""};
    move.Destination = "moved, here";
    auto& del = Project.Add<TDeleteItem>();
    del.Files = {"old, files\\*.txt"};
    del.Quiet = true;
    del.DelAttr = true;
    del.ReadOnlyAttr = TFileAttr::frNotSet;
    if (inBlock) CloseIfBlock();
    Echo("ECHO done");

    const TBatchResult result = Run();
    EXPECT_EQ(SplitOutput(result.Output), Lines{"done"});
    EXPECT_EQ(ReadFileBytes(At(L"out dir (x)\\c&d.txt")), "second");
    EXPECT_FALSE(fs::exists(At(L"out dir (x)\\a b.txt")));
    EXPECT_EQ(ReadFileBytes(At(L"moved, here\\a b.txt")), "first");
    EXPECT_TRUE(fs::exists(At(L"old, files\\keep.txt")));
    EXPECT_FALSE(fs::exists(At(L"old, files\\gone.txt")));
    SetFileAttributesW(At(L"old, files\\keep.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  }
};

TEST_F(FileAndFolderBatch, CopyMoveAndDeleteWithAttributeFilter) { CopyMoveAndDelete(false); }

TEST_F(FileAndFolderBatch, CopyMoveAndDeleteInsideAnIfBlock) { CopyMoveAndDelete(true); }

// Wine's ATTRIB applies only the last of several changes, so each item here makes one.
TEST_F(FileAndFolderBatch, AttribSetsAndClearsAttributes) {
  Write(L"a (1)\\x y.txt", "x");
  Write(L"a (1)\\w&v.txt", "w");
  Write(L"a (1)\\z.txt", "z");
  SetFileAttributesW(At(L"a (1)\\z.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  OpenIfBlock();
  auto& readOnly = Project.Add<TAttribItem>();
  readOnly.Path = "a (1)\\x y.txt";
  readOnly.ReadOnlyAttr = TFileAttr::frSet;
  auto& hide = Project.Add<TAttribItem>();
  hide.Path = "a (1)\\w&v.txt";
  hide.Hidden = TFileAttr::frSet;
  auto& clear = Project.Add<TAttribItem>();
  clear.Path = "a (1)\\z.txt";
  clear.ReadOnlyAttr = TFileAttr::frNotSet;
  CloseIfBlock();

  Run();
  EXPECT_TRUE(GetFileAttributesW(At(L"a (1)\\x y.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(GetFileAttributesW(At(L"a (1)\\w&v.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(GetFileAttributesW(At(L"a (1)\\z.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
  SetFileAttributesW(At(L"a (1)\\x y.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// %CD% is read when cmd.exe reads the whole block, so the folder is shown after it.
TEST_F(FileAndFolderBatch, MakeChangeAndRemoveFolders) {
  Write(L"tree (old)\\sub dir\\f.txt", "f");
  OpenIfBlock();
  Project.Add<TMakeDirItem>().Path = "new dir (2)\\sub";
  auto& cd = Project.Add<TChangeDirItem>();
  cd.Path = Utf8(L"new dir (2)");
  cd.Disk = true;
  auto& rmdir = Project.Add<TDeleteDirItem>();
  rmdir.Dir = Utf8(L"tree (old)");
  rmdir.Subdirs = rmdir.Quiet = true;
  CloseIfBlock();
  Echo("ECHO cd=[%CD%]");
  Project.Add<TChangeDirItem>();  // shows the current folder

  const TBatchResult result = Run();
  const std::string folder = Utf8(L"new dir (2)");
  EXPECT_EQ(SplitOutput(result.Output), (Lines{"cd=[" + folder + "]", folder}));
  EXPECT_TRUE(fs::is_directory(At(L"new dir (2)\\sub")));
  EXPECT_FALSE(fs::exists(At(L"tree (old)")));
}

// The new names come from full paths, one of them quoted as "Copy as path" gives it.
TEST_F(FileAndFolderBatch, RenameFoldersAndFilesWithBlanksAndParentheses) {
  Write(L"old dir (1)\\f.txt", "f");
  Write(L"data\\a (1).txt", "a");
  OpenIfBlock();
  auto& folder = Project.Add<TRenameDirItem>();
  folder.Dir = "old dir (1)";
  folder.Destination = "\"D:\\x\\new dir (2)\"";
  auto& file = Project.Add<TRenameFileItem>();
  file.FileName = "data\\a (1).txt";
  file.Destination = "C:\\elsewhere\\b & c (2).txt\\";
  CloseIfBlock();

  Run();
  EXPECT_FALSE(fs::exists(At(L"old dir (1)")));
  EXPECT_EQ(ReadFileBytes(At(L"new dir (2)\\f.txt")), "f");
  EXPECT_FALSE(fs::exists(At(L"data\\a (1).txt")));
  EXPECT_EQ(ReadFileBytes(At(L"data\\b & c (2).txt")), "a");
}

void SetModified(const fs::path& file, int year) {
  SYSTEMTIME when = {};
  when.wYear = static_cast<WORD>(year);
  when.wMonth = 6;
  when.wDay = 1;
  FILETIME stamp;
  SystemTimeToFileTime(&when, &stamp);
  const HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  SetFileTime(handle, nullptr, nullptr, &stamp);
  CloseHandle(handle);
}

// /D: copies only what changed since the date; the exclude list's blank lines are
// skipped, where "excl.txt+" would make XCOPY fail.
TEST_F(FileAndFolderBatch, XCopyByDateWithAnExcludeList) {
  Write(L"src (a)\\old.txt", "old");
  Write(L"src (a)\\new.txt", "new");
  Write(L"src (a)\\skip-me.txt", "skip");
  Write(L"excl.txt", "skip-me\r\n");
  SetModified(At(L"src (a)\\old.txt"), 2020);
  SetModified(At(L"src (a)\\new.txt"), 2023);
  SetModified(At(L"src (a)\\skip-me.txt"), 2023);
  OpenIfBlock();
  auto& xcopy = Project.Add<TXCopyItem>();
  xcopy.Src = "src (a)";
  xcopy.Dest = "out (b)";
  xcopy.D = true;
  xcopy.D_Date = DateValue(2022, 1, 1);
  xcopy.Exclude = {" excl.txt ", ""};
  xcopy.I = true;
  xcopy.Y = TXCopyOvewritePrompt::opNoAsk;
  CloseIfBlock();

  Run();
  EXPECT_EQ(ReadFileBytes(At(L"out (b)\\new.txt")), "new");
  EXPECT_FALSE(fs::exists(At(L"out (b)\\old.txt")));
  EXPECT_FALSE(fs::exists(At(L"out (b)\\skip-me.txt")));
}

// Wine lacks REPLACE: the stand-in shows the arguments exactly as REPLACE would get them.
TEST_F(FileAndFolderBatch, ReplaceGetsItsArguments) {
  StandIns({L"replace"});
  OpenIfBlock();
  auto& replace = Project.Add<TReplaceItem>();
  replace.SrcPath = "C:\\New Files (x)\\*.dll";
  replace.DestPath = "C:\\App Dir";
  replace.AddNewFiles = replace.Wait = true;
  CloseIfBlock();

  const TBatchResult result = Run();
  EXPECT_EQ(SplitOutput(result.Output),
            (Lines{"argecho name=[replace.exe]", "argecho argc=4",
                   "argecho arg1=[C:\\New Files (x)\\*.dll]", "argecho arg2=[C:\\App Dir]",
                   "argecho arg3=[/A]", "argecho arg4=[/W]"}));
}

}  // namespace
}  // namespace palvetta::e2e
