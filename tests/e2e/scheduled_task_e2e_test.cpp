// SCHTASKS lines as the command receives them, through the argument-printing stand-in,
// inside an IF block: the dates in the order of the machine's short date pattern (the
// date order block picks the line), the task's command with inner quotes, "&" and
// parentheses arriving as one argument, and a password's "%" arriving as typed.

#include <gtest/gtest.h>

#include <string>

#include "base/date_time_text.h"
#include "e2e_support.h"
#include "items/scheduled_tasks/scheduled_tasks_items.h"

namespace palvetta::e2e {
namespace {

class ScheduledTaskBatch : public GeneratedBatch {
 protected:
  void SetUp() override {
    StandIns({L"schtasks"});
    // Wine's FIND lacks the /I the date order block uses.
    fs::copy_file(FindStandIn(), Runner.PathPrepend.front() / L"find.exe");
  }
};

TEST_F(ScheduledTaskBatch, DatesFollowTheMachinesOrderAndTheCommandStaysOneArgument) {
  OpenIfBlock();
  TSCHTASKSCreateItem& create = Project.Add<TSCHTASKSCreateItem>();
  create.TN = "Palvetta test";
  create.TR = "cmd /c \"echo a & echo (b)\"";
  create.SD_Set = true;
  create.SD = DateValue(2024, 3, 5);
  create.RunAsUser = true;
  create.RAUsername = "bob";
  create.RAPassword = "100% sure";
  CloseIfBlock();

  ShortDatePattern pattern;
  const std::pair<const wchar_t*, const char*> orders[] = {
      {L"dd.MM.yyyy", "05/03/2024"},
      {L"yyyy-MM-dd", "2024/03/05"},
      {L"M/d/yyyy", "03/05/2024"},
  };
  for (const auto& [shortDate, date] : orders) {
    SCOPED_TRACE(Narrow(shortDate));
    pattern.Set(shortDate);
    const TBatchResult result = Run();
    EXPECT_FALSE(result.TimedOut);
    EXPECT_EQ(SplitOutput(result.Output),
              (Lines{"argecho name=[schtasks.exe]", "argecho argc=14", "argecho arg1=[/Create]",
                     "argecho arg2=[/RU]", "argecho arg3=[bob]", "argecho arg4=[/RP]",
                     "argecho arg5=[100% sure]", "argecho arg6=[/SC]", "argecho arg7=[DAILY]",
                     "argecho arg8=[/TN]", "argecho arg9=[Palvetta test]", "argecho arg10=[/TR]",
                     "argecho arg11=[cmd /c \"echo a & echo (b)\"]", "argecho arg12=[/SD]",
                     "argecho arg13=[" + std::string(date) + "]", "argecho arg14=[/IT]"}));
  }
}

}  // namespace
}  // namespace palvetta::e2e
