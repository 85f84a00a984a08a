#include "items/control_of_flow_items.h"

#include "model/quoting.h"

namespace palvetta {

const TClass TGotoLabelItem::Class = ConcreteClass<TGotoLabelItem, TCustomProjectItem>("TGotoLabelItem");
const TClass TSubroutineItem::Class =
    ConcreteClass<TSubroutineItem, TCustomProjectItem>("TSubroutineItem");
const TClass TSubroutineEndItem::Class =
    ConcreteClass<TSubroutineEndItem, TCustomProjectItem>("TSubroutineEndItem");

void RegisterControlOfFlowItems(TClassRegistry& registry) {
  for (const TClass* cls :
       {&TGotoLabelItem::Class, &TSubroutineItem::Class, &TSubroutineEndItem::Class}) {
    registry.Register(*cls);
  }
}

// Bookmark

void TGotoLabelItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Name", Name);
}

std::string TGotoLabelItem::GetHumanReadableText() const {
  return IsBlank(Name) ? "<u>Unnamed</u> bookmark" : Name;
}

std::string TGotoLabelItem::GetBatchText() const { return IsBlank(Name) ? std::string() : ":" + OneLine(Name); }

// Subroutine

void TSubroutineItem::DescribeProperties(PropertyVisitor& visitor) {
  TCustomProjectItem::DescribeProperties(visitor);
  visitor.String("Name", Name);
  visitor.String("Descr", Descr);
  visitor.Collection("RunParams", RunParams);
}

std::string TSubroutineItem::GetHumanReadableText() const {
  return "Subroutine: " + (IsBlank(Name) ? std::string("<u>unnamed</u>") : Name);
}

std::string TSubroutineItem::GetBatchText() const {
  const std::string dashes = "REM -----------------------";
  TStrings lines{dashes, "REM SUBroutine " + OneLine(Name)};
  if (!IsBlank(Descr)) {
    lines.insert(lines.end(), {dashes, "REM Description:"});
    for (const auto& line : SplitLines(Descr)) lines.push_back("REM " + line);
  }
  if (!RunParams.Empty()) {
    lines.insert(lines.end(), {dashes, "REM Parameters:"});
    for (const TRunParam& entry : RunParams) {
      lines.push_back("REM Name: " + OneLine(entry.Param));
      lines.push_back("REM Description: " + OneLine(entry.Descr));
    }
  }
  lines.push_back("");
  lines.push_back(":" + OneLine(Name));
  // A failed argument check returns from the subroutine with an error.
  if (!RunParams.Empty()) RunParams.GetParamCheckCode(lines, {"EXIT /B 1"}, true);
  return TrimRight(JoinWith(lines, "\r\n"));
}

// Subroutine end

std::string TSubroutineEndItem::GetHumanReadableText() const { return "End of subroutine"; }

std::string TSubroutineEndItem::GetBatchText() const { return "REM End of Subroutine -----"; }

}  // namespace palvetta
