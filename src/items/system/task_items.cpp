#include "items/system/task_items.h"

#include <algorithm>
#include <iterator>

#include "model/field_table.h"
#include "model/procs.h"
#include "model/quoting.h"
#include "model/remote_switches.h"

namespace palvetta {
namespace {

using namespace fields;

constexpr TFilterFieldDef kTaskFilterFields[] = {
    {"STATUS", kEqualityOps, "RUNNING|NOT RESPONDING|UNKNOWN"},
    {"IMAGENAME", kEqualityOps},
    {"PID", kAllFilterOps},
    {"SESSION", kAllFilterOps},
    {"SESSIONNAME", kEqualityOps},
    {"CPUTIME", kAllFilterOps},
    {"MEMUSAGE", kAllFilterOps},
    {"USERNAME", kEqualityOps},
    {"SERVICES", kEqualityOps},
    {"WINDOWTITLE", kEqualityOps},
    {"MODULES", kEqualityOps},
};

constexpr TField kTaskFields[] = {
    Text<&TCustomTaskItem::System>("System", "edtSystem"),
    Text<&TCustomTaskItem::User>("User", "edtUser"),
    Text<&TCustomTaskItem::Password>("Password", "edtPassword"),
    Grid<&TCustomTaskItem::Filter>("Filter", "vstFilter"),
};

constexpr TField kTaskListFields[] = {
    Text<&TTaskListItem::Module>("Module", "edtModule"),
    Flag<&TTaskListItem::Verbose>("Verbose", "cbxVerbose"),
    Flag<&TTaskListItem::Svc>("Svc", "cbxSvc"),
    Flag<&TTaskListItem::NoHeader>("NoHeader", "cbxNoHeader"),
    Enum<&TTaskListItem::OutputFormat>("OutputFormat", "cmbOutputFormat"),
};

constexpr TField kTaskKillFields[] = {
    LineList<&TTaskKillItem::PID>("PID", "memPID"),
    LineList<&TTaskKillItem::IM>("IM", "memIM"),
    Flag<&TTaskKillItem::Terminate>("Terminate", "cbxTerminate"),
    Flag<&TTaskKillItem::Force>("Force", "cbxForce"),
};

TStrings NonBlank(const TStrings& lines) {
  TStrings kept;
  std::copy_if(lines.begin(), lines.end(), std::back_inserter(kept),
               [](const std::string& line) { return !IsBlank(line); });
  return kept;
}

// The non-blank lines, each trimmed and written after the switch.
std::string EachLine(const TStrings& lines, std::string_view name, bool quoted) {
  std::string text;
  for (const std::string& line : lines) {
    if (IsBlank(line)) continue;
    text += std::string(name) + (quoted ? QuoteIfSpaced(line) : Trim(line));
  }
  return text;
}

}  // namespace

const TClass TCustomTaskItem::Class =
    AbstractClass<TCustomProjectItem>("TCustomTaskItem", kTaskFields);
PALVETTA_DEFINE_CLASS(TTaskListItem, TCustomTaskItem, kTaskListFields);
PALVETTA_DEFINE_CLASS(TTaskKillItem, TCustomTaskItem, kTaskKillFields);

TFilterDef TaskFilterFields() { return kTaskFilterFields; }

std::string TCustomTaskItem::SystemParams() const {
  return RemoteSystemSwitches(System, User, Password);
}

std::string TCustomTaskItem::FilterParams() const {
  return FilterSwitches(Filter, TaskFilterFields());
}

void TCustomTaskItem::SpecialToEditor(TEditorValues& values) const {
  values.SetRows("vstFilter", FilterRows(Filter, TaskFilterFields()));
}

void TCustomTaskItem::SpecialFromEditor(const TEditorValues& values) {
  FilterFromRows(values.Rows("vstFilter"), Filter, TaskFilterFields());
}

// TASKLIST

std::string TTaskListItem::GetHumanReadableText() const {
  return "Display a list of currently running processes on " +
         (IsBlank(System) ? std::string("local machine") : "remote machine " + System);
}

std::string TTaskListItem::GetBatchText() const {
  std::string text = "TASKLIST" + SystemParams() + HeaderAndFormatSwitches(NoHeader, OutputFormat);
  if (!IsBlank(Module)) text += " /M " + QuoteIfSpaced(Module);
  if (Svc) text += " /SVC";
  if (Verbose) text += " /V";
  return TrimRight(EscapeBatchSpecials(text + FilterParams()));
}

// TASKKILL

std::string TTaskKillItem::GetHumanReadableText() const {
  if (const TStrings ids = NonBlank(PID); !ids.empty()) {
    return "Terminate task with process id " + JoinLines(ids, ", ");
  }
  if (const TStrings names = NonBlank(IM); !names.empty()) {
    return "Terminate task with image name " + JoinLines(names, ", ");
  }
  return "Terminate task with <u>unknown</u> parameters";
}

// Process ids win over image names, but only when there is one: blank lines are no ids.
std::string TTaskKillItem::GetBatchText() const {
  std::string text = "TASKKILL" + SystemParams() + FilterParams();
  text += NonBlank(PID).empty() ? EachLine(IM, " /IM ", true) : EachLine(PID, " /PID ", false);
  if (Terminate) text += " /T";
  if (Force) text += " /F";
  return TrimRight(EscapeBatchSpecials(text));
}

}  // namespace palvetta
