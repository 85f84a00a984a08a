#include "items/system/task_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/filter_conditions.h"
#include "model/project.h"
#include "model/project_reader_writer.h"
#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectTexts;
using testing::Make;

void AddCondition(TCustomFilter& filter, std::string field, TFilterOperation op,
                  std::string value) {
  TCustomFilterItem& condition = filter.Add();
  condition.FieldName = std::move(field);
  condition.FilterOperation = op;
  condition.Value = std::move(value);
}

TEST(TaskItems, TaskListTexts) {
  const std::string local = "Display a list of currently running processes on local machine";
  ExpectTexts({
      {Make<TTaskListItem>([](auto&) {}), "TASKLIST /FO TABLE", local},
      {Make<TTaskListItem>([](auto& i) {
         i.NoHeader = true;
         i.OutputFormat = TOutputFormat::ofCSV;
       }),
       "TASKLIST /NH /FO CSV", local},
      {Make<TTaskListItem>([](auto& i) {
         i.NoHeader = true;
         i.OutputFormat = TOutputFormat::ofList;
       }),
       "TASKLIST /FO LIST", local},
      // The conditions come last, after /SVC and /V.
      {Make<TTaskListItem>([](auto& i) {
         i.System = "PC1";
         i.User = "me";
         i.Password = "%x";
         i.Module = "my mod.dll";
         i.Svc = i.Verbose = true;
         AddCondition(i.Filter, "STATUS", TFilterOperation::foNE, "RUNNING");
         AddCondition(i.Filter, "memusage", TFilterOperation::foGE, "");
       }),
       "TASKLIST /S PC1 /U me /P %%x /FO TABLE /M \"my mod.dll\" /SVC /V /FI \"STATUS ne "
       "RUNNING\" /FI \"MEMUSAGE ge \"",
       "Display a list of currently running processes on remote machine PC1"},
      // A condition on a field the tool does not know is not written.
      {Make<TTaskListItem>([](auto& i) {
         AddCondition(i.Filter, "FOO", TFilterOperation::foEQ, "1");
         AddCondition(i.Filter, "Status", TFilterOperation::foEQ, "UNKNOWN");
       }),
       "TASKLIST /FO TABLE /FI \"STATUS eq UNKNOWN\"", local},
  });
}

TEST(TaskItems, TaskKillTexts) {
  ExpectTexts({
      {Make<TTaskKillItem>([](auto&) {}), "TASKKILL",
       "Terminate task with <u>unknown</u> parameters"},
      // Process ids win over image names; the conditions go before them.
      {Make<TTaskKillItem>([](auto& i) {
         i.PID = {"10", " 20 "};
         i.IM = {"a b.exe"};
         i.Terminate = i.Force = true;
         AddCondition(i.Filter, "USERNAME", TFilterOperation::foNE, "SYSTEM");
       }),
       "TASKKILL /FI \"USERNAME ne SYSTEM\" /PID 10 /PID 20 /T /F",
       "Terminate task with process id 10,  20 , "},
      {Make<TTaskKillItem>([](auto& i) { i.IM = {"a b.exe", "x.exe"}; }),
       "TASKKILL /IM \"a b.exe\" /IM x.exe", "Terminate task with image name a b.exe, x.exe, "},
      // Blank lines are no ids: the image names count, and no empty /PID is written.
      {Make<TTaskKillItem>([](auto& i) {
         i.PID = {"", "  "};
         i.IM = {"x.exe"};
       }),
       "TASKKILL /IM x.exe", "Terminate task with image name x.exe, "},
      {Make<TTaskKillItem>([](auto& i) {
         i.PID = {"", "20"};
         i.IM = {"", "x.exe", " "};
       }),
       "TASKKILL /PID 20", "Terminate task with process id 20, "},
      {Make<TTaskKillItem>([](auto& i) {
         i.System = "PC1";
         i.IM = {"a&b.exe"};
       }),
       "TASKKILL /S PC1 /IM \"a&b.exe\"", "Terminate task with image name a&b.exe, "},
  });
}

TEST(FilterConditions, OperationNames) {
  struct TCase {
    std::string text;
    TFilterOperation op;
  };
  for (const TCase& c : std::vector<TCase>{{"less or equal", TFilterOperation::foLE},
                                           {"NOT EQUAL", TFilterOperation::foNE},
                                           {"Greater than", TFilterOperation::foGT},
                                           {"Less than", TFilterOperation::foLT},
                                           {"greater or equal", TFilterOperation::foGE},
                                           {"Equal", TFilterOperation::foEQ},
                                           {"", TFilterOperation::foEQ},
                                           {"xyz", TFilterOperation::foEQ}}) {
    EXPECT_EQ(FilterOpFromDisplayName(c.text), c.op) << c.text;
  }
  EXPECT_EQ(ListFilterOps(kAllFilterOps),
            (TStrings{"Equal", "Not equal", "Greater than", "Less than", "Greater or Equal",
                      "Less or Equal"}));
  EXPECT_EQ(ListFilterOps(kEqualityOps), (TStrings{"Equal", "Not equal"}));
  EXPECT_EQ(FilterOpKeyword(TFilterOperation::foGE), "ge");
}

TEST(FilterConditions, FieldDefinitions) {
  const TFilterDef fields = TaskFilterFields();
  ASSERT_EQ(fields.size(), 11u);
  EXPECT_EQ(fields[0].FieldName, "STATUS");
  EXPECT_EQ(fields[0].FirstPossibleValue(), "RUNNING");
  EXPECT_EQ(fields[2].FirstPossibleValue(), "");
  for (const TFilterFieldDef& field : fields) {
    EXPECT_EQ(field.FirstPossibleOp(), TFilterOperation::foEQ) << field.FieldName;
  }
  EXPECT_EQ((TFilterFieldDef{"X", 0}).FirstPossibleOp(), TFilterOperation::foEQ);
  EXPECT_EQ((TFilterFieldDef{"X", FilterOps({TFilterOperation::foLT, TFilterOperation::foGE})})
                .FirstPossibleOp(),
            TFilterOperation::foLT);
  EXPECT_EQ(FindFilterField(fields, "imageName"), &fields[1]);
  EXPECT_EQ(FindFilterField(fields, "IMAGE"), nullptr);
}

TEST(FilterConditions, RelinkSpellsKnownFieldsAndKeepsUnknownOnes) {
  TCustomFilter filter;
  AddCondition(filter, "imagename", TFilterOperation::foNE, "a.exe");
  AddCondition(filter, "FOO", TFilterOperation::foGT, "1");
  Relink(filter, TaskFilterFields());
  ASSERT_EQ(filter.Count(), 2u);
  EXPECT_EQ(filter[0].FieldName, "IMAGENAME");
  EXPECT_EQ(filter[1].FieldName, "FOO");
  EXPECT_EQ(filter[1].FilterOperation, TFilterOperation::foGT);
}

TEST(FilterConditions, GridRowsRoundTrip) {
  TCustomFilter filter;
  AddCondition(filter, "pid", TFilterOperation::foLE, "40");
  AddCondition(filter, "FOO", TFilterOperation::foNE, "x");
  const TGridRows rows = FilterRows(filter, TaskFilterFields());
  EXPECT_EQ(rows, (TGridRows{{"PID", "Less or Equal", "40"}, {"FOO", "Not equal", "x"}}));

  TGridRows edited = rows;
  edited.push_back({"", "", ""});  // the grid's empty rows
  edited.push_back({"status", "Not equal", "UNKNOWN"});
  TCustomFilter back;
  FilterFromRows(edited, back, TaskFilterFields());
  ASSERT_EQ(back.Count(), 3u);
  EXPECT_EQ(back[0].FilterOperation, TFilterOperation::foLE);
  EXPECT_EQ(back[1].FieldName, "FOO");
  EXPECT_EQ(back[2].FieldName, "STATUS");
}

std::string SavedBytes(TProject& project) {
  TClassRegistry classes;
  classes.Register(TTaskListItem::Class);
  TProjectReaderWriter writer(classes);
  writer.Project = &project;
  return writer.SaveToBytes();
}

// Making the batch text or filling the dialog never changes the item: a condition the
// tool does not know stays in it, and so in the saved file.
TEST(TaskItems, TextsAndEditorKeepUnknownConditions) {
  TProject project;
  auto& item = static_cast<TTaskListItem&>(project.AddItem(TTaskListItem::Class, -1));
  AddCondition(item.Filter, "FOO", TFilterOperation::foEQ, "1");
  AddCondition(item.Filter, "pid", TFilterOperation::foEQ, "4");
  const std::string before = SavedBytes(project);
  EXPECT_EQ(item.GetBatchText(), "TASKLIST /FO TABLE /FI \"PID eq 4\"");
  TEditorValues values;
  item.ToEditor(values);
  EXPECT_EQ(SavedBytes(project), before);

  // Confirming the dialog unchanged keeps both, the known one spelt as the tool knows it.
  item.FromEditor(values);
  ASSERT_EQ(item.Filter.Count(), 2u);
  EXPECT_EQ(item.Filter[0].FieldName, "FOO");
  EXPECT_EQ(item.Filter[1].FieldName, "PID");
}

}  // namespace
}  // namespace palvetta
