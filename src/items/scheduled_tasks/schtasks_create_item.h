#pragma once
// SCHTASKS /Create and /Change: a task with its schedule, timings, account and settings.
// Start and end dates are written in the order of the machine that runs the batch file.

#include <cstdint>
#include <string>

#include "items/scheduled_tasks/schtasks_items.h"
#include "model/command_tables.h"

namespace palvetta {

PALVETTA_ENUM(TScheduleType, scMINUTE, scHOURLY, scDAILY, scWEEKLY, scMONTHLY, scONCE,
              scONSTART, scONLOGON, scONIDLE, scONEVENT);
PALVETTA_ENUM(TDayOfWeek, dwAll, dwMON, dwTUE, dwWED, dwTHU, dwFRI, dwSAT, dwSUN);
PALVETTA_ENUM(TMonth, moAnyMonth, moJAN, moFEB, moMAR, moAPR, moMAY, moJUN, moJUL, moAUG,
              moSEP, moOCT, moNOV, moDEC);
PALVETTA_ENUM(TMonthlySchedule, msLastDay, msWeekNo, msDayNo);
PALVETTA_ENUM(TMonthlySchedule_WeekNo, mswFIRST, mswSECOND, mswTHIRD, mswFOURTH, mswLAST,
              mswLASTDAY);
PALVETTA_ENUM(TEndTimeDuration, etdNo, etdET, etdDU);
PALVETTA_ENUM(TInteractiveMode, imIT, imNP);
PALVETTA_ENUM(TRunLevel, rlLimited, rlHighest);
PALVETTA_ENUM(TTaskEnableDisable, tedNotSet, tedEnable, tedDisable);
// Kept in project files; nothing reads them.
PALVETTA_ENUM(TMonthlyModifier, mmNumDays, mmFIRST, mmSECOND, mmTHIRD, mmFOURTH, mmLAST,
              mmLASTDAY);
PALVETTA_ENUM(TDayMode, dmNotSet, dmDayOfWeek, dmDayOfMonth, dmAllDays);
PALVETTA_ENUM(TMonthMode, mmNotSet, mmSelectMonth, mmAllMonths);

class TSCHTASKSCreateItem : public TSCHTASKSCustomItem {
 public:
  PALVETTA_CLASS
  TSCHTASKSCreateItem();

  TScheduleType SC = TScheduleType::scDAILY;
  bool UseModifier = false;
  // The repeat interval N of each schedule that has one (N of 1 or less writes none).
  int32_t MO_MINUTE = 0;
  int32_t MO_HOURLY = 0;
  int32_t MO_DAILY = 0;
  int32_t MO_WEEKLY = 0;
  int32_t MO_MONTHLY_Int = 0;
  TMonthlyModifier MO_MONTHLY = TMonthlyModifier::mmNumDays;
  std::string MO_XPathEventString;  // the event query of "on event"
  TDayMode D = TDayMode::dmNotSet;
  TDayOfWeek D_DayOfWeek = TDayOfWeek::dwAll;
  int32_t D_DayOfMonth = 0;
  TMonthMode M = TMonthMode::mmNotSet;
  TMonth M_Month = TMonth::moAnyMonth;
  int32_t I = 0;  // idle minutes of "on idle"
  std::string TN;
  std::string TR;  // the command line the task runs
  double ST;       // start time
  bool RI_set = false;
  int32_t RI = 0;  // repeat every RI minutes
  double ET;       // end time
  double DU = 0;   // duration
  bool K = false;  // end the task at the end time or after the duration
  double SD;       // first date
  double ED;       // last date
  std::string EC;  // event channel
  bool IT = false;
  bool NP = false;
  bool Z = false;  // delete the task after its last run
  std::string XML;  // a task definition file instead of the settings
  bool V1 = false;
  bool F = false;  // overwrite a task of the name
  TRunLevel RL = TRunLevel::rlLimited;
  double Delay = 0;  // days, as times are; may pass a day
  bool ST_Set = false;
  bool ET_Set = false;
  bool DU_Set = false;
  bool SD_Set = false;
  bool ED_Set = false;
  bool Delay_Set = false;
  TMonthlySchedule MonthlySchedule = TMonthlySchedule::msLastDay;
  TMonth MonthlySchedule_LastDay = TMonth::moAnyMonth;
  TMonthlySchedule_WeekNo MonthlySchedule_WeekNo = TMonthlySchedule_WeekNo::mswFIRST;
  TDayOfWeek MonthlySchedule_WeekDay = TDayOfWeek::dwAll;
  int32_t MonthlySchedule_DayOfMonth = 0;
  TDayOfWeek WeeklySchedule_WeekDay = TDayOfWeek::dwAll;
  TEndTimeDuration EndTimeDuration = TEndTimeDuration::etdNo;
  TInteractiveMode InteractiveMode = TInteractiveMode::imIT;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE

  // The command with "{KWJ_SD}" and "{KWJ_ED}" standing for the dates.
  virtual std::string BuildCommand() const;
  // " /RU user" and its password, or nothing unless the task runs as another account.
  std::string RunAsParams() const;
  // " /Delay mmmm:ss".
  std::string DelaySwitch() const;

 protected:
  // " /RL LIMITED" is written too (the change command, told to set it).
  virtual bool WritesLimitedRunLevel() const;

  // The create command names a schedule; the change command keeps the task's.
  bool FNeedScheduleBatch = true;
};

class TSCHTASKSChangeItem : public TSCHTASKSCreateItem {
 public:
  PALVETTA_CLASS
  TSCHTASKSChangeItem();

  TTaskEnableDisable TaskEnableDisable = TTaskEnableDisable::tedNotSet;
  bool RL_Set = false;  // write the run level also when it is LIMITED

  std::string GetHumanReadableText() const override;
  std::string BuildCommand() const override;

 protected:
  bool WritesLimitedRunLevel() const override;
  void SpecialToEditor(TEditorValues& values) const override;
  void SpecialFromEditor(const TEditorValues& values) override;
};

// The words the commands write and the dialog's lists show.
extern const TEnumTable<TScheduleType> kScheduleTypes;
extern const TEnumTable<TDayOfWeek> kDaysOfWeek;
extern const TEnumTable<TMonth> kMonths;
extern const TEnumTable<TMonthlySchedule_WeekNo> kMonthlyWeeks;

// The dialog shows one N, that of the chosen schedule, and remembers each schedule's own
// N in a hidden field while the user switches between schedules.
// Shows the N remembered for the schedule (within its range; 0 for a schedule without N).
void ShowRepeatOf(TEditorValues& values, TScheduleType type);
// Remembers the N shown for the schedule it was shown for, when the user changed it (a
// remembered 0, shown as 1, stays 0 otherwise).
void KeepShownRepeat(TEditorValues& values);

// The editor fields of the delay, which may pass an hour: whole minutes and seconds.
inline constexpr const char* kDelayMinutesField = "sedDelayMinutes";
inline constexpr const char* kDelaySecondsField = "sedDelaySeconds";
// The hidden field holding the schedule whose N the dialog's N field shows.
inline constexpr const char* kShownRepeatTypeField = "sedNType";

}  // namespace palvetta
