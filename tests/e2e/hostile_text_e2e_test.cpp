// Hostile text in every text field of every item class, run in cmd.exe: the sample item
// of each class (the item of its golden project file), one field at a time set to a
// value that tries to run "echo INJ>canary" or to break its line or block, outside and
// inside an IF block. No case may create its canary file, make cmd.exe report a syntax
// error, break its IF block or keep the batch file from running to its last line. A
// value the generator reports as one the batch file cannot hold counts as safe.
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
//   IF 1==1 (                     in a block only
//   REM block
//   ... the item, with the items it needs around it ...
//   ) ELSE (
//   ECHO HOSTILE-BROKEN n         runs only when the item closed the block early
//   )
//   EXIT /B
//   :HOSTILE_AFTER_n
//
// The markers must come in order. Where they stop or go astray, the case that last
// began is found unsafe and the cases after it run again in a new batch file.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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
// until the generator writes them safely. Each one listed must still fail, so that
// the list only shrinks.
const std::set<std::string> kNotYetSafe = {};

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
constexpr size_t kCasesPerBatch = 48;

// What cmd.exe says of a line it cannot parse (Wine's words and Windows').
constexpr std::string_view kSyntaxErrors[] = {"Syntax error", "was unexpected at this time",
                                              "syntax of the command is incorrect",
                                              "path operator in batch-parameter substitution"};

struct TCase {
  size_t Number = 0;
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
};

std::string Marker(std::string_view kind, size_t n) {
  return "HOSTILE-" + std::string(kind) + " " + std::to_string(n);
}

bool IsStandInName(std::string_view word) {
  if (word.empty() || word.size() > 32) return false;
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

class HostileText : public ::testing::TestWithParam<const TClass*> {
 protected:
  static void SetUpTestSuite() {
    StandInFolder = new TTempFolder();
    for (const wchar_t* name : kStandIns) AddStandIn(Narrow(name));
  }
  static void TearDownTestSuite() {
    delete StandInFolder;
    StandInFolder = nullptr;
  }
  static std::string Narrow(const wchar_t* name) { return PathToUtf8(fs::path(name)); }
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
  // other parts, a FOR's end, a subroutine's end and call, a GOTO's bookmark. Blocks get
  // a REM line so that none is empty.
  TCustomProjectItem& AddItem(TProject& project, const TCase& c) {
    const TClass& cls = c.Source->ClassType();
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
      Command(project, "CALL :HOSTILE_SUB_" + std::to_string(c.Number));
      static_cast<TSubroutineItem&>(added(TSubroutineItem::Class)).Name =
          "HOSTILE_SUB_" + std::to_string(c.Number);
    }
    if (&cls == &TSubroutineItem::Class && c.Field != "Name") {
      Command(project, "CALL :HOSTILE_SUB_" + std::to_string(c.Number));
    }
    TCustomProjectItem& item = project.AddItem(cls, -1);
    item.Assign(*c.Source);
    testing::SetStringField(item, c.Field, c.Value);
    item.Enabled = true;
    if (&cls == &TSubroutineItem::Class && c.Field != "Name") {
      static_cast<TSubroutineItem&>(item).Name = "HOSTILE_SUB_" + std::to_string(c.Number);
    }
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
      project.Add<TIfItem>().Condition = "1==1";
      Command(project, "REM block");
    }
    const TCustomProjectItem& item = AddItem(project, c);
    if (c.InBlock) {
      project.Add<TElseItem>();
      Command(project, "ECHO " + Marker("BROKEN", c.Number));
      project.Add<TIfEndItem>();
    }
    AddAfterBlock(project, item);
    Command(project, "EXIT /B");
    Command(project, ":HOSTILE_AFTER_" + n);
  }

  // Makes the case's batch text on its own: false when the generator reports the value
  // as one the batch file cannot hold, which makes the case safe; a "%~" that cmd.exe
  // would stop at is a finding (Wine's cmd.exe reads on, so a run cannot show it).
  bool ToRun(TCase& c) {
    TProject project;
    const TCustomProjectItem& item = AddItem(project, c);
    TBatchGenerator maker;
    maker.Project = &project;
    maker.MakeBatchFile();
    for (const TLostCharacters& lost : maker.LostCharacters()) {
      if (&project.Items(lost.Position - 1) == &item) return false;
    }
    if (StopsAtPercentTilde(BatchCodePage().ToUtf8(maker.CreatedFiles().Items(0).Stream))) {
      c.Finding = "percent tilde: cmd.exe stops the batch file there";
    }
    return true;
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
    const std::vector<std::string> lines = SplitOutput(result.Output);

    // Walk the output: each case owns the lines from its BEGIN marker to its END marker.
    size_t at = 0;  // the next case expected
    bool inCase = false;
    size_t broke = cases.size();  // the case at which the run went astray
    std::string astray;
    bool finished = false;
    // The case that began last: a run that stops between two cases stopped in what the
    // earlier one left.
    const auto lastBegun = [&] { return inCase || at == 0 ? at : at - 1; };
    for (const std::string& line : lines) {
      if (line.rfind("HOSTILE-", 0) != 0) {
        if (!inCase) continue;
        for (std::string_view error : kSyntaxErrors) {
          if (line.find(error) != std::string::npos && cases[at]->Finding.empty()) {
            cases[at]->Finding = "syntax error: " + line;
          }
        }
        continue;
      }
      if (at < cases.size() && !inCase && line == Marker("BEGIN", cases[at]->Number)) {
        inCase = true;
      } else if (at < cases.size() && inCase && line == Marker("END", cases[at]->Number)) {
        inCase = false;
        ++at;
      } else if (at < cases.size() && inCase && line == Marker("BROKEN", cases[at]->Number)) {
        if (cases[at]->Finding.empty()) cases[at]->Finding = "block broken";
      } else if (at == cases.size() && line == "HOSTILE-FINISHED") {
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
    if (broke < cases.size() && cases[broke]->Finding.empty()) cases[broke]->Finding = astray;
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

// The findings of the run as tab-separated lines, for a report across all classes:
// class, field, payload, place, what happened.
void WriteFindings(const TClass& cls, const std::vector<TCase>& cases) {
  const char* folder = std::getenv("PALVETTA_HOSTILE_FINDINGS");
  if (folder == nullptr || *folder == '\0') return;
  std::ofstream out(PathFromUtf8(std::string(folder) + "/" + std::string(cls.Name) + ".tsv"),
                    std::ios::binary);
  for (const TCase& c : cases) {
    std::string finding = c.Finding;
    std::replace(finding.begin(), finding.end(), '\t', ' ');
    out << cls.Name << '\t' << c.Field << '\t' << c.Payload->Name << '\t'
        << (c.InBlock ? "in block" : "outside") << '\t' << (finding.empty() ? "safe" : finding)
        << '\n';
  }
}

TEST_P(HostileText, NoValueBreaksTheBatchFile) {
  const TClass& cls = *GetParam();
  std::unique_ptr<TCustomProjectItem> sample = CreateItem(cls);
  testing::FillSample(*sample);

  std::vector<THostileCopy> copies =
      testing::HostileCopies(*sample, [&](size_t n) { return CanaryName(n); });
  std::vector<TCase> cases;
  for (size_t n = 0; n < copies.size(); ++n) {
    for (bool inBlock : {false, true}) {
      TCase& c = cases.emplace_back();
      // Both places share the value and so the canary: they never run in one batch file.
      c.Number = 2 * n + (inBlock ? 1 : 0);
      c.Field = copies[n].Field;
      c.Payload = copies[n].Payload;
      c.Value = copies[n].Value;
      c.InBlock = inBlock;
      c.Canary = Canaries / PathFromUtf8("c" + std::to_string(n));
      c.Source = copies[n].Item.get();
    }
  }
  for (auto place : {false, true}) {
    std::vector<TCase*> pending;
    for (TCase& c : cases) {
      if (c.InBlock == place && ToRun(c)) pending.push_back(&c);
    }
    while (!pending.empty()) {
      const size_t count = std::min(pending.size(), kCasesPerBatch);
      std::vector<TCase*> batch(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(count));
      std::vector<TCase*> again = RunBatch(batch);
      again.insert(again.end(), pending.begin() + static_cast<std::ptrdiff_t>(count), pending.end());
      pending = std::move(again);
    }
  }
  WriteFindings(cls, cases);

  for (const TCase& c : cases) {
    const std::string key = c.Key(cls);
    if (kNotYetSafe.count(key) != 0) {
      EXPECT_FALSE(c.Finding.empty()) << key << " is safe now: take it off kNotYetSafe";
    } else {
      EXPECT_EQ(c.Finding, "") << key << " (value: " << c.Value << ")";
    }
  }
  if (HasFailure()) std::cout << Log;
}

std::vector<const TClass*> ItemClasses() {
  std::vector<const TClass*> classes;
  for (const testing::TSampleItem& sample : testing::SampleItems()) classes.push_back(sample.Class);
  return classes;
}

INSTANTIATE_TEST_SUITE_P(EveryClass, HostileText, ::testing::ValuesIn(ItemClasses()),
                         [](const ::testing::TestParamInfo<const TClass*>& info) {
                           return std::string(info.param->Name);
                         });

}  // namespace
}  // namespace palvetta::e2e
