#include "items/scheduled_tasks/schtasks_create_item.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/date_time_text.h"
#include "items/inherited_rows.h"
#include "items/radio_groups.h"
#include "items/scheduled_tasks/schtasks_quoting.h"
#include "model/command_dates.h"
#include "model/field_table.h"
#include "model/quoting.h"
#include "model/system_items.h"

namespace palvetta {

const TEnumTable<TScheduleType> kScheduleTypes({{
    {"MINUTE", "Run every N minutes"},
    {"HOURLY", "Run every N hours"},
    {"DAILY", "Run every N days"},
    {"WEEKLY", "Run every N weeks"},
    {"MONTHLY", "Run every N months"},
    {"ONCE", "Run just once"},
    {"ONSTART", "Run on Windows start"},
    {"ONLOGON", "Run on logon to windows"},
    {"ONIDLE", "Run when idle"},
    {"ONEVENT", "Run on event"},
}});
const TEnumTable<TDayOfWeek> kDaysOfWeek({{
    {"*", "Every day of week"},
    {"MON", "Mon"},
    {"TUE", "Tue"},
    {"WED", "Wed"},
    {"THU", "Thu"},
    {"FRI", "Fri"},
    {"SAT", "Sat"},
    {"SUN", "Sun"},
}});
const TEnumTable<TMonth> kMonths({{
    {"*", "Every Month"},
    {"JAN", "Jan"},
    {"FEB", "Feb"},
    {"MAR", "Mar"},
    {"APR", "Apr"},
    {"MAY", "May"},
    {"JUN", "Jun"},
    {"JUL", "Jul"},
    {"AUG", "Aug"},
    {"SEP", "Sep"},
    {"OCT", "Oct"},
    {"NOV", "Nov"},
    {"DEC", "Dec"},
}});
// The dialog offers the first five; LASTDAY comes only from project files.
const TEnumTable<TMonthlySchedule_WeekNo> kMonthlyWeeks({{
    {"FIRST", " FIRST"},
    {"SECOND", "SECOND"},
    {"THIRD", "THIRD"},
    {"FOURTH", "FOURTH"},
    {"LAST", "LAST"},
    {"LASTDAY", "LASTDAY"},
}});

namespace {

using namespace fields;
using TCreate = TSCHTASKSCreateItem;

struct TRepeatStore {
  TScheduleType Type;
  int32_t TCreate::*Member;
  const char* Field;  // hidden in the dialog
  int Minimum;
  int Maximum;
};

// Which N each repeating schedule keeps, and the range SCHTASKS accepts for it.
constexpr TRepeatStore kRepeatStores[] = {
    {TScheduleType::scMINUTE, &TCreate::MO_MINUTE, "sedMO_MINUTE", 1, 1439},
    {TScheduleType::scHOURLY, &TCreate::MO_HOURLY, "sedMO_HOURLY", 1, 23},
    {TScheduleType::scDAILY, &TCreate::MO_DAILY, "sedMO_DAILY", 1, 365},
    {TScheduleType::scWEEKLY, &TCreate::MO_WEEKLY, "sedMO_WEEKLY", 1, 52},
    {TScheduleType::scMONTHLY, &TCreate::MO_MONTHLY_Int, "sedMO_MONTHLY_Int", 1, 12},
};

const TRepeatStore* RepeatStoreOf(int type) {
  for (const TRepeatStore& store : kRepeatStores) {
    if (static_cast<int>(store.Type) == type) return &store;
  }
  return nullptr;
}

int Shown(const TRepeatStore& store, int remembered) {
  return std::clamp(remembered, store.Minimum, store.Maximum);
}

constexpr std::string_view kMonthlyButtons[] = {"rbLastDay", "rbSelectDay", "rbSelectedDay"};
constexpr std::string_view kEndButtons[] = {"rbNoEndTime", "rbET_Set", "rbDU_Set"};
constexpr std::string_view kInteractiveButtons[] = {"rbIT", "rbNP"};

constexpr TField kCreateFields[] = {
    // The account boxes of the first page.
    ShownOnly(Text<&TCreate::Sys>({}, "edtSystem")),
    ShownOnly(Text<&TCreate::Username>({}, "edtUser")),
    ShownOnly(Text<&TCreate::Password>({}, "edtPassword")),
    ShownOnly(Flag<&TCreate::AskForPassword>({}, "cbxAskForPassword")),
    ShownOnly(Text<&TCreate::RAUsername>({}, "edtRAUserName")),
    ShownOnly(Text<&TCreate::RAPassword>({}, "edtRAPassword")),
    ShownOnly(Flag<&TCreate::AskForRAPassword>({}, "cbxAskForRAPassword")),

    Enum<&TCreate::SC>("SC", "cmbSC"),
    Flag<&TCreate::UseModifier>("UseModifier"),
    Integer<&TCreate::MO_MINUTE>("MO_MINUTE", "sedMO_MINUTE"),
    Integer<&TCreate::MO_HOURLY>("MO_HOURLY", "sedMO_HOURLY"),
    Integer<&TCreate::MO_DAILY>("MO_DAILY", "sedMO_DAILY"),
    Integer<&TCreate::MO_WEEKLY>("MO_WEEKLY", "sedMO_WEEKLY"),
    Integer<&TCreate::MO_MONTHLY_Int>("MO_MONTHLY_Int", "sedMO_MONTHLY_Int"),
    Enum<&TCreate::MO_MONTHLY>("MO_MONTHLY"),
    Text<&TCreate::MO_XPathEventString>("MO_XPathEventString", "edtEventQuery"),
    Enum<&TCreate::D>("D"),
    Enum<&TCreate::D_DayOfWeek>("D_DayOfWeek"),
    Integer<&TCreate::D_DayOfMonth>("D_DayOfMonth"),
    Enum<&TCreate::M>("M"),
    Enum<&TCreate::M_Month>("M_Month"),
    Integer<&TCreate::I>("I", "sedI"),
    Text<&TCreate::TN>("TN", "edtTN"),
    Text<&TCreate::TR>("TR", "edtTR"),
    Time<&TCreate::ST>("ST", "tedST"),
    Flag<&TCreate::RI_set>("RI_set", "cbxRI_Set"),
    Integer<&TCreate::RI>("RI", "sedRI"),
    Time<&TCreate::ET>("ET", "tedET"),
    Time<&TCreate::DU>("DU", "tedDU"),
    Flag<&TCreate::K>("K", "cbxK"),
    DateTime<&TCreate::SD>("SD", "dtpSD"),  // the picker shows the day; the time stays
    DateTime<&TCreate::ED>("ED", "dtpED"),
    Text<&TCreate::EC>("EC", "edtEC"),
    Flag<&TCreate::IT>("IT"),
    Flag<&TCreate::NP>("NP"),
    Flag<&TCreate::Z>("Z", "cbxZ"),
    Text<&TCreate::XML>("XML", "edtXML"),
    Flag<&TCreate::V1>("V1", "cbxV1"),
    Flag<&TCreate::F>("F", "cbxF"),
    Enum<&TCreate::RL>("RL"),
    Time<&TCreate::Delay>("Delay"),
    Flag<&TCreate::ST_Set>("ST_Set", "cbxST_Set"),
    Flag<&TCreate::ET_Set>("ET_Set"),
    Flag<&TCreate::DU_Set>("DU_Set"),
    Flag<&TCreate::SD_Set>("SD_Set", "cbxSD_Set"),
    Flag<&TCreate::ED_Set>("ED_Set", "cbxED_Set"),
    Flag<&TCreate::Delay_Set>("Delay_Set", "cbxDelay_Set"),
    Enum<&TCreate::MonthlySchedule>("MonthlySchedule"),
    Enum<&TCreate::MonthlySchedule_LastDay>("MonthlySchedule_LastDay", "cmbMonth"),
    Enum<&TCreate::MonthlySchedule_WeekNo>("MonthlySchedule_WeekNo", "cmbFIRSTLAST"),
    Enum<&TCreate::MonthlySchedule_WeekDay>("MonthlySchedule_WeekDay", "cmbDayOfWeek"),
    Integer<&TCreate::MonthlySchedule_DayOfMonth>("MonthlySchedule_DayOfMonth", "sedDayOfMonth"),
    Enum<&TCreate::WeeklySchedule_WeekDay>("WeeklySchedule_WeekDay", "cmbDayOfWeek_Weekly"),
    Enum<&TCreate::EndTimeDuration>("EndTimeDuration"),
    Enum<&TCreate::InteractiveMode>("InteractiveMode"),

    // Filled and read by the item's code.
    Control(TFieldKind::fkNumber, "sedN"),
    Control(TFieldKind::fkNumber, kShownRepeatTypeField),
    Control(TFieldKind::fkEnumeration, "cmbRunLevel"),
    Control(TFieldKind::fkNumber, kDelayMinutesField),
    Control(TFieldKind::fkNumber, kDelaySecondsField),
    Control(TFieldKind::fkRadio, kMonthlyButtons[0]),
    Control(TFieldKind::fkRadio, kMonthlyButtons[1]),
    Control(TFieldKind::fkRadio, kMonthlyButtons[2]),
    Control(TFieldKind::fkRadio, kEndButtons[0]),
    Control(TFieldKind::fkRadio, kEndButtons[1]),
    Control(TFieldKind::fkRadio, kEndButtons[2]),
    Control(TFieldKind::fkRadio, kInteractiveButtons[0]),
    Control(TFieldKind::fkRadio, kInteractiveButtons[1]),
};

constexpr TField kChangeFields[] = {
    Enum<&TSCHTASKSChangeItem::TaskEnableDisable>("TaskEnableDisable", "cmbEnableDisableTask"),
    Flag<&TSCHTASKSChangeItem::RL_Set>("RL_Set"),
};

constexpr const char* kStartDate = "{KWJ_SD}";
constexpr const char* kEndDate = "{KWJ_ED}";

std::string Number(int value) { return IntToStr(value); }

// Whole seconds of a value in days.
long long SecondsOf(double days) {
  return std::isfinite(days) ? std::llround(std::max(0.0, days) * 86400.0) : 0;
}

std::string WithDates(std::string command, const TSCHTASKSCreateItem& item, TDateOrder order) {
  command = ReplaceAll(command, kStartDate, SlashedDate(item.SD, order));
  command = ReplaceAll(command, kEndDate, SlashedDate(item.ED, order));
  // A parenthesis outside quotes would end the IF block the line stands in.
  return EscapeOutsideQuotes(command, "()");
}

}  // namespace

PALVETTA_DEFINE_CLASS(TSCHTASKSCreateItem, TSCHTASKSCustomItem, kCreateFields);
PALVETTA_DEFINE_CLASS(TSCHTASKSChangeItem, TSCHTASKSCreateItem, kChangeFields);

void ShowRepeatOf(TEditorValues& values, TScheduleType type) {
  const TRepeatStore* store = RepeatStoreOf(static_cast<int>(type));
  values.SetIndex(kShownRepeatTypeField, static_cast<int>(type));
  values.SetIndex("sedN", store ? Shown(*store, values.Index(store->Field)) : 0);
}

void KeepShownRepeat(TEditorValues& values) {
  const TRepeatStore* store = RepeatStoreOf(values.Index(kShownRepeatTypeField));
  if (!store) return;
  const int shown = values.Index("sedN");
  if (shown != Shown(*store, values.Index(store->Field))) {
    values.SetIndex(store->Field, Shown(*store, shown));
  }
}

TSCHTASKSCreateItem::TSCHTASKSCreateItem() {
  const double now = NowToTheMinute();
  ST = ET = SD = ED = now;
}

TSCHTASKSChangeItem::TSCHTASKSChangeItem() {
  FNeedScheduleBatch = false;
  InteractiveMode = TInteractiveMode::imNP;
}

// A password reaches SCHTASKS as typed (see SystemParams).
std::string TSCHTASKSCreateItem::RunAsParams() const {
  if (!RunAsUser) return {};
  std::string text = " /RU " + SchtasksQuote(Trim(RAUsername));
  if (IsBuiltinAccount(RAUsername)) return text;
  return text + " /RP " + (AskForRAPassword ? std::string() : SchtasksQuote(EscapePercents(RAPassword)));
}

std::string TSCHTASKSCreateItem::DelaySwitch() const {
  const long long seconds = SecondsOf(Delay);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, " /Delay %04lld:%02lld", seconds / 60, seconds % 60);
  return buffer;
}

std::string TSCHTASKSCreateItem::BuildCommand() const {
  const bool create = FNeedScheduleBatch;
  std::string text = create ? "SCHTASKS /Create" : "SCHTASKS /Change";
  if (const std::string system = SystemParams(); !IsBlank(system)) text += " " + system;
  if (const std::string runAs = RunAsParams(); !IsBlank(runAs)) text += " " + runAs;
  if (create && !IsBlank(XML) && !V1) {
    return text + " /XML " + QuotePath(XML) + " /TN " + QuoteOnce(TN) + (F ? " /F" : "");
  }
  if (create) {
    text += " /SC " + std::string(kScheduleTypes.Command(SC));
    const auto repeat = [&text](int n) {
      if (n >= 2) text += " /MO " + Number(n);
    };
    switch (SC) {
      case TScheduleType::scMINUTE: repeat(MO_MINUTE); break;
      case TScheduleType::scHOURLY: repeat(MO_HOURLY); break;
      case TScheduleType::scDAILY: repeat(MO_DAILY); break;
      case TScheduleType::scWEEKLY:
        repeat(MO_WEEKLY);
        text += " /d " + std::string(kDaysOfWeek.Command(WeeklySchedule_WeekDay));
        break;
      case TScheduleType::scMONTHLY:
        if (MonthlySchedule == TMonthlySchedule::msWeekNo) {
          text += " /MO " + std::string(kMonthlyWeeks.Command(MonthlySchedule_WeekNo)) + " /d " +
                  std::string(kDaysOfWeek.Command(MonthlySchedule_WeekDay));
        } else if (MonthlySchedule == TMonthlySchedule::msDayNo) {
          repeat(MO_MONTHLY_Int);
          if (MonthlySchedule_DayOfMonth >= 1) text += " /d " + Number(MonthlySchedule_DayOfMonth);
        } else {
          text += " /MO LASTDAY /m " + std::string(kMonths.Command(MonthlySchedule_LastDay));
        }
        break;
      case TScheduleType::scONEVENT:
        if (!IsBlank(MO_XPathEventString)) {
          text += " /MO " + ShieldOutsideQuotes(QuoteEscaped(MO_XPathEventString));
        }
        break;
      default:
        break;
    }
    if (SC == TScheduleType::scONIDLE && I > 0) text += " /I " + Number(I);
  }
  text += " /TN " + QuoteOnce(TN);
  if (create || !IsBlank(TR)) {
    text += " /TR " + ShieldOutsideQuotes("\"" + ReplaceAll(EscapeArgumentPercents(OneLine(TR)), "\"", "\\\"") + "\"");
  }
  if (ST_Set) text += " /ST " + HourMinute(ST);
  if (RI_set) text += " /RI " + Number(RI);
  if (EndTimeDuration == TEndTimeDuration::etdET) text += " /ET " + HourMinute(ET);
  if (EndTimeDuration == TEndTimeDuration::etdDU) text += " /DU " + HourMinute(DU);
  if (K) text += " /K";
  if (SD_Set) text += std::string(" /SD ") + kStartDate;
  if (ED_Set) text += std::string(" /ED ") + kEndDate;
  if (create && SC == TScheduleType::scONEVENT && !IsBlank(EC)) text += " /EC " + SchtasksQuote(Trim(EC));
  if (InteractiveMode == TInteractiveMode::imIT) text += " /IT";
  if (InteractiveMode == TInteractiveMode::imNP && create) text += " /NP";
  if (Z) text += " /Z";
  if (create && V1) text += " /V1";
  if (create && F) text += " /F";
  if (RL == TRunLevel::rlHighest) {
    text += " /RL HIGHEST";
  } else if (WritesLimitedRunLevel()) {
    text += " /RL LIMITED";
  }
  const bool delayed = SC == TScheduleType::scONSTART || SC == TScheduleType::scONLOGON ||
                       SC == TScheduleType::scONEVENT;
  if (Delay_Set && (!create || delayed)) text += DelaySwitch();
  return text;
}

// SCHTASKS reads dates in the order of the machine it runs on, which only the batch file
// can tell: with dates, the command is written once per order, and the date order block
// picks one.
std::string TSCHTASKSCreateItem::GetBatchText() const {
  const std::string command = BuildCommand();
  if (command.find(kStartDate) == std::string::npos && command.find(kEndDate) == std::string::npos) {
    return EscapeOutsideQuotes(command, "()");
  }
  DoAddSystemItem(TSysDateOrder::Class);
  return "(IF /I \"%KWJ_DATEORDER%\"==\"d\" (" + WithDates(command, *this, TDateOrder::DayMonthYear) +
         ") ELSE IF /I \"%KWJ_DATEORDER%\"==\"y\" (" +
         WithDates(command, *this, TDateOrder::YearMonthDay) + ") ELSE (" +
         WithDates(command, *this, TDateOrder::MonthDayYear) + "))";
}

std::string TSCHTASKSCreateItem::GetHumanReadableText() const {
  return "Create " + (IsBlank(TN) ? std::string("<u>unnamed</u> task") : "task \"" + TN + "\"") +
         " for " + (IsBlank(TR) ? std::string("<u>unknown</u> command line") : TR);
}

void TSCHTASKSCreateItem::SpecialToEditor(TEditorValues& values) const {
  ShowRepeatOf(values, SC);
  RadiosToEditor(values, kMonthlyButtons, MonthlySchedule);
  RadiosToEditor(values, kEndButtons, EndTimeDuration);
  RadiosToEditor(values, kInteractiveButtons, InteractiveMode);
  values.SetIndex("cmbRunLevel", static_cast<int>(RL));
  const long long seconds = SecondsOf(Delay);
  values.SetIndex(kDelayMinutesField, static_cast<int>(std::min(seconds / 60, 9999LL)));
  values.SetIndex(kDelaySecondsField, static_cast<int>(seconds % 60));
}

void TSCHTASKSCreateItem::SpecialFromEditor(const TEditorValues& values) {
  TEditorValues kept = values;
  KeepShownRepeat(kept);
  for (const TRepeatStore& store : kRepeatStores) this->*store.Member = kept.Index(store.Field);
  MonthlySchedule = RadiosFromEditor(values, kMonthlyButtons, MonthlySchedule);
  EndTimeDuration = RadiosFromEditor(values, kEndButtons, EndTimeDuration);
  InteractiveMode = RadiosFromEditor(values, kInteractiveButtons, InteractiveMode);
  if (const int level = values.Index("cmbRunLevel"); level == 0 || level == 1) {
    RL = static_cast<TRunLevel>(level);
  }
  RunAsUser = !IsBlank(RAUsername);
  const int minutes = std::clamp(values.Index(kDelayMinutesField), 0, 9999);
  const int seconds = std::clamp(values.Index(kDelaySecondsField), 0, 59);
  Delay = (minutes * 60 + seconds) / 86400.0;
}

bool TSCHTASKSCreateItem::WritesLimitedRunLevel() const { return false; }

std::string TSCHTASKSChangeItem::GetHumanReadableText() const { return TaskText("Change", TN); }

std::string TSCHTASKSChangeItem::BuildCommand() const {
  std::string text = TSCHTASKSCreateItem::BuildCommand();
  if (TaskEnableDisable == TTaskEnableDisable::tedEnable) text += " /ENABLE";
  if (TaskEnableDisable == TTaskEnableDisable::tedDisable) text += " /DISABLE";
  return text;
}

bool TSCHTASKSChangeItem::WritesLimitedRunLevel() const { return RL_Set; }

// The change dialog's run level list starts with "Do not change".
void TSCHTASKSChangeItem::SpecialToEditor(TEditorValues& values) const {
  TSCHTASKSCreateItem::SpecialToEditor(values);
  values.SetIndex("cmbRunLevel", RL == TRunLevel::rlHighest ? 2 : RL_Set ? 1 : 0);
}

void TSCHTASKSChangeItem::SpecialFromEditor(const TEditorValues& values) {
  const TRunLevel kept = RL;
  TSCHTASKSCreateItem::SpecialFromEditor(values);
  const int level = values.Index("cmbRunLevel");
  if (level < 0 || level > 2) {
    RL = kept;
    return;
  }
  RL_Set = level > 0;
  RL = level == 2 ? TRunLevel::rlHighest : TRunLevel::rlLimited;
}

}  // namespace palvetta
