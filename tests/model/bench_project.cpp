#include "bench_project.h"

#include <string>

#include "items/control_of_flow/control_of_flow_items.h"
#include "items/misc/misc_items.h"
#include "model/system_items.h"
#include "support/test_items.h"

namespace palvetta::testing {
namespace {

// The requested block only counts for verbatim commands: the generator's benchmark has
// one command ask for a system block.
TCustomProjectItem& AddCommand(TProject& project, TBenchCommands commands, std::string text,
                               std::string redirectTo = {}, bool overwrite = false,
                               const TClass* requestedBlock = nullptr) {
  TCustomProjectItem* item;
  if (commands == TBenchCommands::bcVerbatim) {
    auto& verbatim = project.Add<TTestCommandItem>();
    verbatim.Text = std::move(text);
    verbatim.RequestedBlock = requestedBlock;
    item = &verbatim;
  } else {
    auto& run = project.Add<TRunProgramItem>();
    run.Path = std::move(text);
    item = &run;
  }
  item->RedirectTo = std::move(redirectTo);
  item->Overwrite = overwrite;
  return *item;
}

void AddParams(TProject& project) {
  struct Param {
    const char* Name;
    const char* Descr;
    TParamCheck Check;
  };
  // Five parameters: all are read by number, none is past the ninth.
  const Param params[] = {
      {"Source", "Folder to copy from", TParamCheck::pcPathMustExist},
      {"Target", "Folder to copy to\r\nCreated when missing", TParamCheck::pcRequired},
      {"LogDir", "Folder for the logs", TParamCheck::pcNoCheck},
      {"Mode", "debug or release", TParamCheck::pcRequired},
      {"Stamp", "Archive that must not exist yet", TParamCheck::pcPathMustNOTExist},
  };
  for (const Param& p : params) {
    auto& item = project.Add<TParamItem>();
    item.Name = p.Name;
    item.Descr = p.Descr;
    item.ParamCheck = p.Check;
  }
  project.Add<TCheckParamsItem>();
  auto& variable = project.Add<TVariableItem>();
  variable.Name = "Counter";
  variable.Descr = "Steps done so far";
}

// Appends the item at position `slot` of a repeating group of twenty; `n` numbers the
// group so that names, labels and texts differ across the project.
void AddPatternItem(TProject& project, TBenchCommands commands, int slot, int n) {
  const std::string i = std::to_string(n);
  switch (slot) {
    case 0: {
      auto& rem = project.Add<TREMItem>();
      rem.Text = "Step " + i + ": copy the sources\r\nand keep a log of what was copied\r\n"
                 "so that a failed run can be traced";
      break;
    }
    case 1: {
      auto& set = project.Add<TSetVarValItem>();
      set.Name = "Counter";
      set.Value = i;
      break;
    }
    case 2:
      project.Add<TGotoLabelItem>().Name = "Step_" + i;
      break;
    case 3:
      AddCommand(project, commands, "COPY %Source%\\file_" + i + ".txt %Target%\\file_" + i + ".txt");
      break;
    case 4:
      AddCommand(project, commands, "XCOPY %Source%\\sub_" + i + " %Target%\\sub_" + i + " /E /I /Y",
                 "C:\\Build Logs\\copy.log");
      break;
    case 5:
      AddCommand(project, commands, "IF ERRORLEVEL 1 GOTO :Step_" + i);
      break;
    case 6: {
      auto& set = project.Add<TSetVarValItem>();
      set.Name = "Title_" + i;
      set.Value = "Build & test (" + i + ") > done | ok";
      break;
    }
    case 7:
      // References are matched ignoring case.
      AddCommand(project, commands, "ECHO Mode is %mode%, stamp %STAMP%");
      break;
    case 8: {
      auto& variable = project.Add<TVariableItem>();
      variable.Name = "Result_" + i;
      variable.Descr = "Exit code of step " + i;
      break;
    }
    case 9:
      AddCommand(project, commands, "CALL :Sub_" + i + " %Source% %Target%");
      break;
    case 10:
      AddCommand(project, commands,
                 "IF EXIST %Target%\\stale_" + i + " (\r\n  DEL /Q %Target%\\stale_" + i +
                     "\r\n  ECHO removed stale_" + i + "\r\n)",
                 "build.log");
      break;
    case 11:
      // Commands that use the date ask for the date-order block, once per file.
      AddCommand(project, commands, "ECHO Date order is %KWJ_DATEORDER%", {}, false,
                 &TSysDateOrder::Class);
      break;
    case 12: {
      auto& sub = project.Add<TSubroutineItem>();
      sub.Name = "Sub_" + i;
      sub.Descr = "Copies one folder\r\nand checks its arguments";
      TRunParam& from = sub.RunParams.Add();
      from.Param = "From";
      from.Descr = "Folder to copy from";
      from.ParamCheck = TParamCheck::pcPathMustExist;
      TRunParam& to = sub.RunParams.Add();
      to.Param = "To";
      to.Descr = "Folder to copy to";
      to.ParamCheck = TParamCheck::pcRequired;
      break;
    }
    case 13:
      project.Add<TREMItem>().Text = "Copy with mirroring\r\nlogs go to the log folder";
      break;
    case 14:
      AddCommand(project, commands, "ROBOCOPY %~1 %~2 /MIR", "logs\\robocopy_" + i + ".log", true);
      break;
    case 15:
      // A batch-file parameter read inside a subroutine goes through its copy.
      AddCommand(project, commands, "ECHO Copied from %Source% in mode %Mode%");
      break;
    case 16: {
      auto& set = project.Add<TSetVarValItem>();
      set.Name = "Result_" + i;
      set.Value = "%ERRORLEVEL%";
      break;
    }
    case 17:
      project.Add<TSubroutineEndItem>();
      break;
    case 18:
      AddCommand(project, commands, "ECHO Step " + i + " of the build is done");
      break;
    default:
      // A command switched off while editing.
      AddCommand(project, commands, "PAUSE").Enabled = false;
      break;
  }
}

constexpr int kGroup = 20;

}  // namespace

std::unique_ptr<TProject> MakeBenchProject(int itemCount, TBenchCommands commands) {
  auto project = std::make_unique<TProject>();
  AddParams(*project);
  for (int k = 0; project->Count() < itemCount; ++k) {
    AddPatternItem(*project, commands, k % kGroup, k / kGroup);
  }
  return project;
}

}  // namespace palvetta::testing
