// Hostile text in every text field of every item class, run in cmd.exe: the sample item
// of each class (the item of its golden project file), one field at a time set to a
// value that tries to run "echo INJ>canary" or to break its line or block, outside and
// inside an IF block. No case may create its canary file, make cmd.exe report a syntax
// error, break its IF block or keep the batch file from running to its last line. A
// value the generator reports as one the batch file cannot hold counts as safe, and so
// does one that leaves the batch text as the sample's. A field that keeps the user's own
// batch syntax is held only to its line breaks: its canary must not appear.
//
// Many cases share one batch file, each called as a subroutine of its own between
// markers, so that an EXIT of the item returns to the next case:
//
//   ECHO HOSTILE-BEGIN n          the marker before
//   CALL :HOSTILE_CASE_n
//   @ECHO OFF & CD /D "work"      what an item may have changed
//   ECHO HOSTILE-END n            the marker after
//   GOTO :HOSTILE_AFTER_n
//   :HOSTILE_CASE_n
//   SET HOSTILE_PHASE=parsed      in a block only
//   IF 1==1 (
//   SET HOSTILE_PHASE=run
//   ... the item, with the items it needs around it ...
//   ECHO HOSTILE-TAIL n %HOSTILE_PHASE%
//   )
//   EXIT /B
//   :HOSTILE_AFTER_n
//
// The block's last line is read with the block, before it runs, so it prints "parsed";
// once the item closes the block early, it is read on its own and prints "run". The
// markers must come in order. Where they stop or go astray, the case that last began is
// found unsafe and the cases after it run again in a new batch file. The first case of
// each batch file is the sample itself: what it does under Wine's cmd.exe (a syntax
// error of the sample's own) is no finding of the payloads.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>

#include "e2e_support.h"
#include "items/control_of_flow/control_of_flow_items.h"
#include "items/for/for_items.h"
#include "model/batch_generator.h"
#include "support/batch_safety.h"
#include "support/hostile_text.h"
#include "support/sample_items.h"
#include "support/test_items.h"

namespace palvetta::e2e {
namespace {

using testing::THostileCopy;
using testing::TTestCommandItem;

// Cases still unsafe, as "class field payload place" (place: "outside" or "in block"),
// until the generator writes them safely. Each one listed must still fail, so that the
// list only shrinks.
const std::set<std::string> kNotYetSafe = {
    "TCMDItem RedirectTo trailing caret in block",
    "TCMDItem Str CR in block",
    "TCMDItem Str CR outside",
    "TCMDItem Str CRLF in block",
    "TCMDItem Str CRLF outside",
    "TCMDItem Str LF in block",
    "TCMDItem Str LF outside",
    "TCallItem BatchFileParams CR in block",
    "TCallItem BatchFileParams CR outside",
    "TCallItem BatchFileParams CRLF in block",
    "TCallItem BatchFileParams CRLF outside",
    "TCallItem BatchFileParams LF in block",
    "TCallItem BatchFileParams LF outside",
    "TDeleteItem RedirectTo trailing caret in block",
    "TDeleteItem RedirectTo trailing caret outside",
    "TLabelItem RedirectTo trailing caret in block",
    "TLabelItem RedirectTo trailing caret outside",
    "TRunProgramItem RunParams.Param CR in block",
    "TRunProgramItem RunParams.Param CR outside",
    "TRunProgramItem RunParams.Param CRLF in block",
    "TRunProgramItem RunParams.Param CRLF outside",
    "TRunProgramItem RunParams.Param LF in block",
    "TRunProgramItem RunParams.Param LF outside",
    "TSCStartItem Args CR in block",
    "TSCStartItem Args CR outside",
    "TSCStartItem Args CRLF in block",
    "TSCStartItem Args CRLF outside",
    "TSCStartItem Args LF in block",
    "TSCStartItem Args LF outside",
    "TStartItem Params CR in block",
    "TStartItem Params CR outside",
    "TStartItem Params CRLF in block",
    "TStartItem Params CRLF outside",
    "TStartItem Params LF in block",
    "TStartItem Params LF outside",
    "TVOLItem RedirectTo trailing caret in block",
    "TVOLItem RedirectTo trailing caret outside",
};

// Programs the items may start, as stand-ins that print their arguments: no test may
// format a disk or end a process, and none should wait on the network.
constexpr const wchar_t* kStandIns[] = {
    L"7z",       L"attrib",   L"chcp",       L"chkdsk",  L"chkntfs",   L"comp",     L"compact",
    L"convert",  L"curl",     L"driverquery", L"fc",     L"find",      L"findstr",  L"format",
    L"ftp",      L"gpresult", L"graftabl",   L"icacls",  L"ipconfig",  L"label",    L"mode",
    L"netstat",  L"openfiles", L"ping",      L"print",   L"recover",   L"replace",  L"robocopy",
    L"sc",       L"schtasks", L"shutdown",   L"sort",    L"subst",     L"systeminfo", L"taskkill",
    L"tasklist", L"tree",     L"xcopy",      L"timeout", L"choice",    L"more",     L"where",
    L"whoami",   L"hostname", L"reg",        L"net",     L"notepad",   L"mountvol", L"fsutil",
    L"bitsadmin", L"certutil", L"powershell", L"wmic",   L"cscript",   L"wscript",  L"msiexec",
};

// cmd.exe's own commands: any other word in command position gets a stand-in too.
constexpr std::string_view kBuiltIns[] = {
    "ASSOC", "BREAK", "CALL",  "CD",     "CHDIR", "CLS",   "COLOR",    "COPY",  "DATE",
    "DEL",   "DIR",   "ECHO",  "ENDLOCAL", "ERASE", "EXIT", "FOR",     "FTYPE", "GOTO",
    "IF",    "MD",    "MKDIR", "MKLINK", "MOVE",  "PATH",  "PAUSE",    "POPD",  "PROMPT",
    "PUSHD", "RD",    "REM",   "REN",    "RENAME", "RMDIR", "SET",     "SETLOCAL", "SHIFT",
    "START", "TIME",  "TITLE", "TYPE",   "VER",   "VERIFY", "VOL",     "CMD",   "NOT",
    "EXIST", "DEFINED", "ERRORLEVEL", "ELSE", "DO", "IN",  "EQU",     "NEQ",   "LSS",
    "LEQ",   "GTR",   "GEQ",
};

// Cases per batch file: enough to make few cmd.exe runs, few enough that one run stays
// well inside its time limit.
constexpr size_t kCasesPerBatch = 40;

// What cmd.exe says of a line it cannot parse (Wine's words and Windows').
constexpr std::string_view kSyntaxErrors[] = {"Syntax error", "was unexpected at this time",
                                              "syntax of the command is incorrect",
                                              "path operator in batch-parameter substitution"};

struct TCase {
  size_t Number = 0;
  bool Baseline = false;  // the sample unchanged
  std::string Field;
  const testing::THostilePayload* Payload = nullptr;
  std::string Value;
  fs::path Canary;  // the file the value's injected command would create
  bool InBlock = false;
  TCustomProjectItem* Source = nullptr;  // the copy to add
  std::string Finding;                         // what went wrong; empty while safe

  std::string Key(const TClass& cls) const {
    return std::string(cls.Name) + " " + testing::FieldName(Field) + " " +
           std::string(Payload->Name) + (InBlock ? " in block" : " outside");
  }
  // The kind of finding, without the details: "syntax error: ..." gives "syntax error".
  std::string Kind() const { return Finding.substr(0, Finding.find(':')); }
};

std::string Marker(std::string_view kind, size_t n) {
  return "HOSTILE-" + std::string(kind) + " " + std::to_string(n);
}

// A device's name (MODE COM3) names no program and can be no file's name either.
bool IsDeviceName(std::string_view word) {
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (word == device) return true;
  }
  return word.size() == 4 && (word.starts_with("COM") || word.starts_with("LPT")) && word[3] >= '1' &&
         word[3] <= '9';
}

bool IsStandInName(std::string_view word) {
  if (word.empty() || word.size() > 32 || IsDeviceName(word)) return false;
  return std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
  });
}

// A path as cmd.exe can take it unquoted: its short form when it holds a blank.
std::string Unquotable(const fs::path& path) {
  wchar_t shortPath[MAX_PATH] = {};
  const std::wstring wide = path.wstring();
  if (wide.find(L' ') == std::wstring::npos) return PathToUtf8(path);
  GetShortPathNameW(wide.c_str(), shortPath, MAX_PATH);
  return PathToUtf8(fs::path(shortPath));
}

// Whether cmd.exe stops the batch file at a line of the text: it reads "%" as it expands
// a line, and a "%~" that starts no parameter ("%~dp0", "%~1") is an error that ends the
// whole batch file.
bool StopsAtPercentTilde(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || i + 1 == text.size()) continue;
    const char next = text[i + 1];
    if (next == '%' || next == '*' || (next >= '0' && next <= '9')) {
      ++i;
    } else if (next == '~') {
      size_t j = i + 2;
      while (j < text.size() && std::string_view("fdpnxsatz").find(text[j]) != std::string_view::npos) ++j;
      if (j == text.size() || !((text[j] >= '0' && text[j] <= '9') || text[j] == '*')) return true;
      i = j;
    } else {
      const size_t close = text.find_first_of("%\r\n", i + 1);
      if (close != std::string_view::npos && text[close] == '%') i = close;
    }
  }
  return false;
}

struct TFieldParam {
  const TClass* Class;
  std::string Field;  // a path, as testing::StringFields gives it
};

// Every text field of every class's sample item.
std::vector<TFieldParam> TextFields() {
  std::vector<TFieldParam> params;
  for (const testing::TSampleItem& sample : testing::SampleItems()) {
    std::unique_ptr<TCustomProjectItem> item = CreateItem(*sample.Class);
    testing::FillSample(*item);
    for (const testing::TStringField& field : testing::StringFields(*item)) {
      params.push_back({sample.Class, field.Path});
    }
  }
  return params;
}

class HostileText : public ::testing::TestWithParam<TFieldParam> {
 protected:
  static void SetUpTestSuite() {
    StandInFolder = new TTempFolder();
    for (const wchar_t* name : kStandIns) AddStandIn(PathToUtf8(fs::path(name)));
  }
  static void TearDownTestSuite() {
    delete StandInFolder;
    StandInFolder = nullptr;
  }
  static void AddStandIn(const std::string& name) {
    const fs::path target = StandInFolder->Path() / PathFromUtf8(name + ".exe");
    std::error_code exists;
    if (!fs::exists(target, exists)) fs::copy_file(ArgEcho(), target);
  }

  void SetUp() override {
    Work = Temp.Folder(L"work");
    Canaries = Temp.Folder(L"canaries");
    Runner.PathPrepend = {StandInFolder->Path()};
    Runner.WorkingDirectory = Work;
    Runner.TimeLimit = std::chrono::milliseconds(120000);
  }

  std::string CanaryName(size_t n) const { return Unquotable(Canaries) + "\\c" + std::to_string(n); }

  TTestCommandItem& Command(TProject& project, const std::string& text) {
    TTestCommandItem& item = project.Add<TTestCommandItem>();
    item.Text = text;
    return item;
  }

  // The item of the case, enabled, with the items it needs around it: an IF block's
  // other parts, a FOR's end, a subroutine's end and call. Blocks get a REM line so that
  // none is empty. Where the case sets another field, the item writes its output to a
  // file in the working folder: the sample's log folder does not exist, and a command
  // whose redirection fails does not run.
  TCustomProjectItem& AddItem(TProject& project, const TCase& c) {
    const TClass& cls = c.Source->ClassType();
    const std::string sub = "HOSTILE_SUB_" + std::to_string(c.Number);
    auto added = [&](const TClass& partner) -> TCustomProjectItem& {
      TCustomProjectItem& item = project.AddItem(partner, -1);
      testing::FillSample(item);
      item.Enabled = true;
      item.RedirectTo.clear();
      return item;
    };
    if (&cls == &TElseItem::Class || &cls == &TIfEndItem::Class) {
      project.Add<TIfItem>().Condition = "1==1";
      Command(project, "REM if");
    } else if (&cls == &TFOREndItem::Class) {
      added(TFOREachLineInFile::Class);
      Command(project, "REM for");
    } else if (&cls == &TSubroutineEndItem::Class) {
      Command(project, "CALL :" + sub);
      static_cast<TSubroutineItem&>(added(TSubroutineItem::Class)).Name = sub;
    }
    const bool calledSubroutine = &cls == &TSubroutineItem::Class && c.Field != "Name";
    if (calledSubroutine) Command(project, "CALL :" + sub);
    TCustomProjectItem& item = project.AddItem(cls, -1);
    item.Assign(*c.Source);
    item.Enabled = true;
    if (c.Field != "RedirectTo" && !item.RedirectTo.empty()) item.RedirectTo = "run log.txt";
    testing::SetStringField(item, c.Field, c.Value);
    if (calledSubroutine) static_cast<TSubroutineItem&>(item).Name = sub;
    if (&cls == &TIfItem::Class || &cls == &TElseItem::Class) {
      Command(project, "REM then");
      project.Add<TIfEndItem>();
    } else if (&cls == &TFOREachLineInFile::Class) {
      Command(project, "REM for");
      project.Add<TFOREndItem>();
    } else if (&cls == &TSubroutineItem::Class) {
      project.Add<TSubroutineEndItem>();
    }
    return item;
  }

  // A GOTO's bookmark stands after the block: a jump out of a block leaves it.
  void AddAfterBlock(TProject& project, const TCustomProjectItem& item) {
    if (const auto* jump = dynamic_cast<const TGotoItem*>(&item)) {
      project.Add<TGotoLabelItem>().Name = jump->LabelName;
    }
  }

  void AddCase(TProject& project, const TCase& c) {
    const std::string n = std::to_string(c.Number);
    Command(project, "ECHO " + Marker("BEGIN", c.Number));
    Command(project, "CALL :HOSTILE_CASE_" + n);
    Command(project, "@ECHO OFF");
    Command(project, "CD /D \"" + PathToUtf8(Work) + "\"");
    Command(project, "ECHO " + Marker("END", c.Number));
    Command(project, "GOTO :HOSTILE_AFTER_" + n);
    Command(project, ":HOSTILE_CASE_" + n);
    if (c.InBlock) {
      Command(project, "SET HOSTILE_PHASE=parsed");
      project.Add<TIfItem>().Condition = "1==1";
      Command(project, "SET HOSTILE_PHASE=run");
    }
    const TCustomProjectItem& item = AddItem(project, c);
    if (c.InBlock) {
      Command(project, "ECHO " + Marker("TAIL", c.Number) + " %HOSTILE_PHASE%");
      project.Add<TIfEndItem>();
    }
    AddAfterBlock(project, item);
    Command(project, "EXIT /B");
    Command(project, ":HOSTILE_AFTER_" + n);
  }

  // The case's batch text made on its own, and whether the generator reported the
  // item's value as one the batch file cannot hold.
  std::string BatchText(TCase& c, bool& reported) {
    TProject project;
    const TCustomProjectItem& item = AddItem(project, c);
    TBatchGenerator maker;
    maker.Project = &project;
    maker.MakeBatchFile();
    reported = false;
    for (const TLostCharacters& lost : maker.LostCharacters()) {
      reported = reported || &project.Items(lost.Position - 1) == &item;
    }
    return maker.CreatedFiles().Items(0).Stream;
  }

  // Runs the cases in one batch file and judges those the run reached in order; returns
  // the cases to run again, those after one that broke the run.
  std::vector<TCase*> RunBatch(const std::vector<TCase*>& cases) {
    TProject project;
    for (const TCase* c : cases) AddCase(project, *c);
    Command(project, "ECHO HOSTILE-FINISHED");
    for (const TCase* c : cases) {
      std::error_code missing;
      fs::remove(c->Canary, missing);
    }

    TBatchGenerator maker;
    maker.Project = &project;
    const fs::path batch = Temp.Path() / L"hostile.bat";
    maker.MakeBatchFile(PathToUtf8(batch));
    for (const std::string& word : CommandWords(BatchCodePage().ToUtf8(ReadFileBytes(batch)))) {
      if (IsStandInName(word) &&
          std::find(std::begin(kBuiltIns), std::end(kBuiltIns), word) == std::end(kBuiltIns)) {
        AddStandIn(word);
      }
    }
    const TBatchResult result = Runner.Run(batch);

    // Walk the output: each case owns the lines from its BEGIN marker to its END marker.
    size_t at = 0;  // the next case expected
    bool inCase = false;
    bool tail = false;  // the case's block printed its last line
    size_t broke = cases.size();  // the case at which the run went astray
    std::string astray;
    bool finished = false;
    // The case that began last: a run that stops between two cases stopped in what the
    // earlier one left.
    const auto lastBegun = [&] { return inCase || at == 0 ? at : at - 1; };
    const auto note = [&](TCase& c, const std::string& finding) {
      if (c.Finding.empty()) c.Finding = finding;
    };
    for (const std::string& line : SplitOutput(result.Output)) {
      if (line.rfind("HOSTILE-", 0) != 0) {
        if (!inCase) continue;
        for (std::string_view error : kSyntaxErrors) {
          if (line.find(error) != std::string::npos) note(*cases[at], "syntax error: " + line);
        }
        continue;
      }
      TCase* c = at < cases.size() ? cases[at] : nullptr;
      if (c && !inCase && line == Marker("BEGIN", c->Number)) {
        inCase = true;
        tail = false;
      } else if (c && inCase && line == Marker("TAIL", c->Number) + " parsed") {
        tail = true;
      } else if (c && inCase && line == Marker("TAIL", c->Number) + " run") {
        tail = true;
        note(*c, "block broken: its last line was read after the item ran");
      } else if (c && inCase && line == Marker("END", c->Number)) {
        if (c->InBlock && !tail && !LeavesBlock(c->Source->ClassType())) {
          note(*c, "block broken: its last line never ran");
        }
        inCase = false;
        ++at;
      } else if (!c && line == "HOSTILE-FINISHED") {
        finished = true;
        break;
      } else {
        astray = "markers out of order at \"" + line + "\"";
        broke = std::min(lastBegun(), cases.size() - 1);
        break;
      }
    }
    if (broke == cases.size() && !finished) {
      astray = result.TimedOut ? "the run timed out" : "the batch file stopped early";
      broke = std::min(lastBegun(), cases.size() - 1);
    }
    Log += "--- run of cases " + std::to_string(cases.front()->Number) + " to " +
           std::to_string(cases.back()->Number) + (astray.empty() ? "" : ": " + astray) + "\n";
    if (broke < cases.size()) note(*cases[broke], astray);
    // Canaries count only up to the case that broke the run: after it, a case may have run
    // in what that one left.
    const size_t judged = std::min(broke + 1, cases.size());
    for (size_t k = 0; k < judged; ++k) {
      std::error_code missing;
      if (fs::exists(cases[k]->Canary, missing)) cases[k]->Finding = "canary appeared";
    }
    if (!astray.empty()) KeepBatch(batch, result);
    return {cases.begin() + static_cast<std::ptrdiff_t>(judged), cases.end()};
  }

  // An item that may end its call before the block's last line: EXIT, a GOTO out of it.
  static bool LeavesBlock(const TClass& cls) {
    return &cls == &TExitItem::Class || &cls == &TGotoItem::Class;
  }

  void KeepBatch(const fs::path& batch, const TBatchResult& result) {
    if (Shown++ > 2) return;
    Log += "--- batch file\n" + BatchCodePage().ToUtf8(ReadFileBytes(batch)) + "--- output\n" +
           result.Output;
  }

  static TTempFolder* StandInFolder;
  TTempFolder Temp;
  fs::path Work;
  fs::path Canaries;
  TBatchRunner Runner;
  std::string Log;
  int Shown = 0;
};

TTempFolder* HostileText::StandInFolder = nullptr;

// The findings of the run as tab-separated lines, for a report across all fields:
// class, field, payload, place, what happened.
void WriteFindings(const TClass& cls, const std::string& field, const std::vector<TCase>& cases) {
  const char* folder = std::getenv("PALVETTA_HOSTILE_FINDINGS");
  if (folder == nullptr || *folder == '\0') return;
  std::string name = std::string(cls.Name) + "." + field;
  for (char& ch : name) {
    if (ch == '[' || ch == ']') ch = '_';
  }
  std::ofstream out(PathFromUtf8(std::string(folder) + "/" + name + ".tsv"), std::ios::binary);
  for (const TCase& c : cases) {
    std::string finding = c.Finding;
    std::replace(finding.begin(), finding.end(), '\t', ' ');
    out << cls.Name << '\t' << c.Field << '\t' << (c.Baseline ? "(sample)" : c.Payload->Name) << '\t'
        << (c.InBlock ? "in block" : "outside") << '\t' << (finding.empty() ? "safe" : finding)
        << '\n';
  }
}

TEST_P(HostileText, NoValueBreaksTheBatchFile) {
  const TClass& cls = *GetParam().Class;
  const std::string& field = GetParam().Field;
  std::unique_ptr<TCustomProjectItem> sample = CreateItem(cls);
  testing::FillSample(*sample);
  const bool userSyntax = testing::KeepsUserSyntax(cls, field);

  const std::vector<THostileCopy> copies =
      testing::HostileCopies(*sample, [&](size_t n) { return CanaryName(n); });
  std::vector<TCase> cases;
  for (bool inBlock : {false, true}) {
    TCase& baseline = cases.emplace_back();
    baseline.Baseline = true;
    baseline.Number = cases.size() - 1;
    baseline.Field = field;
    baseline.InBlock = inBlock;
    baseline.Source = sample.get();
    for (const testing::TStringField& text : testing::StringFields(*sample)) {
      if (text.Path == field) baseline.Value = text.Value;
    }
    baseline.Canary = Canaries / L"none";
    for (size_t n = 0; n < copies.size(); ++n) {
      const THostileCopy& copy = copies[n];
      if (copy.Field != field) continue;
      TCase& c = cases.emplace_back();
      c.Number = cases.size() - 1;
      c.Field = copy.Field;
      c.Payload = copy.Payload;
      c.Value = copy.Value;
      c.InBlock = inBlock;
      c.Source = copy.Item.get();
      // Both places share the value and so the canary: they never run in one batch file.
      c.Canary = Canaries / PathFromUtf8("c" + std::to_string(n));
    }
  }

  size_t ran = 0;
  for (bool place : {false, true}) {
    std::vector<TCase*> pending;
    bool sampleReported = false;
    std::string sampleText;
    for (TCase& c : cases) {
      if (c.InBlock != place) continue;
      bool reported = false;
      const std::string text = BatchText(c, reported);
      if (c.Baseline) {
        sampleText = text;
        sampleReported = reported;
      } else if ((reported && !sampleReported) || text == sampleText) {
        continue;  // reported, or not written at all
      }
      if (!c.Baseline && StopsAtPercentTilde(BatchCodePage().ToUtf8(text))) {
        c.Finding = "percent tilde: cmd.exe stops the batch file there";
      }
      pending.push_back(&c);
    }
    ran += pending.size();
    while (!pending.empty()) {
      // The first batch file of a place starts with the sample's case.
      const size_t count = std::min(pending.size(), kCasesPerBatch);
      const std::vector<TCase*> batch(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(count));
      std::vector<TCase*> again = RunBatch(batch);
      again.insert(again.end(), pending.begin() + static_cast<std::ptrdiff_t>(count), pending.end());
      pending = std::move(again);
    }
  }

  // What the sample does at a place is no finding of a payload there; a canary always is.
  // A field of the user's own syntax answers only for its canary.
  for (TCase& c : cases) {
    if (c.Baseline || c.Finding.empty() || c.Finding == "canary appeared") continue;
    const bool sampleDoesIt = std::any_of(cases.begin(), cases.end(), [&](const TCase& base) {
      return base.Baseline && base.InBlock == c.InBlock && !base.Finding.empty() && base.Kind() == c.Kind();
    });
    if (sampleDoesIt || userSyntax) c.Finding.clear();
  }
  WriteFindings(cls, field, cases);
  RecordProperty("cases run", static_cast<int>(ran));

  // A listed case stands for every entry of its field (Sources[0].Path, Sources[1].Path):
  // one of them still failing keeps it on the list.
  std::map<std::string, bool> listedFails;
  for (const TCase& c : cases) {
    if (c.Baseline) continue;
    const std::string key = c.Key(cls);
    if (kNotYetSafe.count(key) != 0) {
      listedFails[key] = listedFails[key] || !c.Finding.empty();
    } else {
      EXPECT_EQ(c.Finding, "") << key << " (value: " << c.Value << ")";
    }
  }
  for (const auto& [key, fails] : listedFails) {
    EXPECT_TRUE(fails) << key << " is safe now: take it off kNotYetSafe";
  }
  if (HasFailure()) std::cout << Log;
}

INSTANTIATE_TEST_SUITE_P(EveryTextField, HostileText, ::testing::ValuesIn(TextFields()),
                         [](const ::testing::TestParamInfo<TFieldParam>& info) {
                           std::string name = std::string(info.param.Class->Name) + "_" + info.param.Field;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace palvetta::e2e
