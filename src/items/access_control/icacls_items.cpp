#include "items/access_control/icacls_items.h"

#include "items/access_control/icacls_quoting.h"
#include "items/inherited_rows.h"
#include "items/text_helpers.h"
#include "model/field_table.h"
#include "model/quoting.h"

namespace palvetta {

const TEnumTable<TSimpleAccessRight> kSimpleAccessRights({{
    {"N", "No access"},
    {"F", "Full access"},
    {"M", "Modify access"},
    {"RX", "Read and execute access"},
    {"R", "Read-only access"},
    {"W", "Write-only access"},
    {"D", "Delete access"},
}});
const TEnumTable<TSpecificRight> kSpecificRights({{
    {"DE", "Delete"},
    {"RC", "Read control"},
    {"WDAC", "Write DAC"},
    {"WO", "Write owner"},
    {"S", "Synchronize"},
    {"AS", "Access system security"},
    {"MA", "Maximum allowed"},
    {"GR", "Generic read"},
    {"GW", "Generic write"},
    {"GE", "Generic execute"},
    {"GA", "Generic all"},
    {"RD", "Read data/list directory"},
    {"WD", "Write data/add file"},
    {"AD", "Append data/add subdirectory"},
    {"REA", "Read extended attributes"},
    {"WEA", "Write extended attributes"},
    {"X", "Execute/traverse"},
    {"DC", "Delete child"},
    {"RA", "Read attributes"},
    {"WA", "Write attributes"},
}});
const TEnumTable<TICACLSRemoveMode> kICACLSRemoveModes({{
    {"", "Remove all"},
    {":g", "Remove granted rights"},
    {":d", "Remove denied rights"},
}});
const TEnumTable<TICACLSIntegrityLevel> kICACLSIntegrityLevels({{
    {"Low", "Low"},
    {"Medium", "Medium"},
    {"High", "High"},
}});
const TEnumTable<TICACLSIntegrityInheritance> kICACLSIntegrityInheritances({{
    {"", "Default"},
    {"(OI)", "Object inherit"},
    {"(CI)", "Container inherit"},
    {"(IO)", "Inherit only"},
    {"(NP)", "Don't propagate inherit"},
    {"(I)", "Permission inherited from parent container"},
}});

namespace {

using namespace fields;
using TBase = TICACLSCustomItem;
using TGrant = TICACLSGrantItem;
using enum TSimpleAccessRight;
using enum TSpecificRight;

constexpr TField kCustomFields[] = {
    Text<&TBase::FileName>("FileName", "edtFileName"),
    Text<&TBase::SID>("SID"),
    Text<&TBase::ACLFile>("ACLFile"),
    Flag<&TBase::T>("T"),
    Flag<&TBase::C>("C"),
    Flag<&TBase::L>("L"),
    Flag<&TBase::Q>("Q"),
};

constexpr TField kSwitchBoxes[] = {
    ShownOnly(Flag<&TBase::T>({}, "cbxT")),
    ShownOnly(Flag<&TBase::C>({}, "cbxC")),
    ShownOnly(Flag<&TBase::L>({}, "cbxL")),
    ShownOnly(Flag<&TBase::Q>({}, "cbxQ")),
};

constexpr TField kUserBox = ShownOnly(Choice<&TBase::SID>({}, "cmbSID"));

constexpr TField kSaveFields[] = {
    Text<&TICACLSSaveItem::ACLFileName>("ACLFileName", "edtACLFileName"),
    kSwitchBoxes[0], kSwitchBoxes[1], kSwitchBoxes[2], kSwitchBoxes[3],
};

// A restore applies to the whole folder: /T is neither shown nor written.
constexpr TField kRestoreFields[] = {
    Text<&TICACLSRestoreItem::ACLFileName>("ACLFileName", "edtACLFileName"),
    Flag<&TICACLSRestoreItem::ReplaceSID>("ReplaceSID", "cbxReplaceSID"),
    Choice<&TICACLSRestoreItem::SIDOld>("SIDOld", "cmbOldSID"),
    Choice<&TICACLSRestoreItem::SIDNew>("SIDNew", "cmbNewSID"),
    kSwitchBoxes[1], kSwitchBoxes[2], kSwitchBoxes[3],
};

constexpr TField kGrantFields[] = {
    Set<&TGrant::SimpleAccessRights, TSimpleAccessRight>("SimpleAccessRights"),
    Set<&TGrant::SpecificRights, TSpecificRight>("SpecificRights"),
    Flag<&TGrant::R>("R", "cbxR"),
    kUserBox,
    SetMember<&TGrant::SimpleAccessRights, sarN>("cbxSimpleN"),
    SetMember<&TGrant::SimpleAccessRights, sarF>("cbxSimpleF"),
    SetMember<&TGrant::SimpleAccessRights, sarM>("cbxSimpleM"),
    SetMember<&TGrant::SimpleAccessRights, sarRX>("cbxSimpleRX"),
    SetMember<&TGrant::SimpleAccessRights, sarR>("cbxSimpleR"),
    SetMember<&TGrant::SimpleAccessRights, sarW>("cbxSimpleW"),
    SetMember<&TGrant::SimpleAccessRights, sarD>("cbxSimpleD"),
    SetMember<&TGrant::SpecificRights, srDE>("cbxSpecificDE"),
    SetMember<&TGrant::SpecificRights, srRC>("cbxSpecificRC"),
    SetMember<&TGrant::SpecificRights, srWDAC>("cbxSpecificWDAC"),
    SetMember<&TGrant::SpecificRights, srWO>("cbxSpecificWO"),
    SetMember<&TGrant::SpecificRights, srS>("cbxSpecificS"),
    SetMember<&TGrant::SpecificRights, srAS>("cbxSpecificAS"),
    SetMember<&TGrant::SpecificRights, srMA>("cbxSpecificMA"),
    SetMember<&TGrant::SpecificRights, srGR>("cbxSpecificGR"),
    SetMember<&TGrant::SpecificRights, srGW>("cbxSpecificGW"),
    SetMember<&TGrant::SpecificRights, srGE>("cbxSpecificGE"),
    SetMember<&TGrant::SpecificRights, srGA>("cbxSpecificGA"),
    SetMember<&TGrant::SpecificRights, srRD>("cbxSpecificRD"),
    SetMember<&TGrant::SpecificRights, srWD>("cbxSpecificWD"),
    SetMember<&TGrant::SpecificRights, srAD>("cbxSpecificAD"),
    SetMember<&TGrant::SpecificRights, srREA>("cbxSpecificREA"),
    SetMember<&TGrant::SpecificRights, srWEA>("cbxSpecificWEA"),
    SetMember<&TGrant::SpecificRights, srX>("cbxSpecificX"),
    SetMember<&TGrant::SpecificRights, srDC>("cbxSpecificDC"),
    SetMember<&TGrant::SpecificRights, srRA>("cbxSpecificRA"),
    SetMember<&TGrant::SpecificRights, srWA>("cbxSpecificWA"),
};

constexpr TField kRemoveFields[] = {
    Enum<&TICACLSRemoveItem::ICACLSRemoveMode>("ICACLSRemoveMode", "cmbICACLSRemoveMode"),
    kUserBox,
    kSwitchBoxes[0], kSwitchBoxes[1], kSwitchBoxes[2], kSwitchBoxes[3],
};

constexpr TField kIntegrityFields[] = {
    Enum<&TICACLSSetIntegrityLevelItem::ICACLSIntegrityLevel>("ICACLSIntegrityLevel",
                                                              "cmbIntegrityLevel"),
    Enum<&TICACLSSetIntegrityLevelItem::ICACLSIntegrityInheritance>("ICACLSIntegrityInheritance",
                                                                    "cmbIntegrityInheritance"),
};

template <class E>
std::string RightsText(uint32_t rights, const TEnumTable<E>& table) {
  TStrings letters;
  for (size_t i = 0; i < TEnumTable<E>::kSize; ++i) {
    if (rights & (uint32_t{1} << i)) letters.emplace_back(table.Command(static_cast<E>(i)));
  }
  return JoinWith(letters, ",");
}

// Parentheses outside quotes would close an IF block the line stands in; ICACLS gets
// them without the carets.
std::string EscapedParentheses(std::string_view text) { return EscapeOutsideQuotes(text, "()"); }

}  // namespace

const TClass TICACLSCustomItem::Class = AbstractClass<TCustomProjectItem>("TICACLSCustomItem",
                                                                          kCustomFields);
PALVETTA_DEFINE_CLASS(TICACLSResetItem, TICACLSCustomItem, kSwitchBoxes);
PALVETTA_DEFINE_CLASS(TICACLSVerifyItem, TICACLSCustomItem, kSwitchBoxes);
PALVETTA_DEFINE_CLASS(TICACLSSaveItem, TICACLSCustomItem, kSaveFields);
PALVETTA_DEFINE_CLASS(TICACLSRestoreItem, TICACLSCustomItem, kRestoreFields);
PALVETTA_DEFINE_CLASS(TICACLSGrantItem, TICACLSCustomItem, kGrantFields);
PALVETTA_DEFINE_CLASS(TICACLSDenyItem, TICACLSGrantItem);
PALVETTA_DEFINE_CLASS(TICACLSRemoveItem, TICACLSCustomItem, kRemoveFields);
PALVETTA_DEFINE_CLASS(TICACLSSetIntegrityLevelItem, TICACLSCustomItem, kIntegrityFields);

std::string SimpleRightsText(uint32_t rights) { return RightsText(rights, kSimpleAccessRights); }
std::string SpecificRightsText(uint32_t rights) { return RightsText(rights, kSpecificRights); }

std::string TICACLSCustomItem::SwitchesText(bool noT) const {
  std::string text;
  if (T && !noT) text += " /T";
  if (C) text += " /C";
  if (L) text += " /L";
  if (Q) text += " /Q";
  return text;
}

std::string TICACLSCustomItem::Head() const { return "ICACLS " + QuoteIfSpaced(FileName); }

// Reset, verify

std::string TICACLSResetItem::GetHumanReadableText() const {
  return "Replace ACLs with default inherited ACLs for " +
         OrPlaceholder(FileName, "<u>unknown file</u>");
}
std::string TICACLSResetItem::GetBatchText() const {
  return Head() + " /reset " + SwitchesText(false);
}

std::string TICACLSVerifyItem::GetHumanReadableText() const {
  return "Find all files whose ACL is not in canonical form or whose lengths are inconsistent "
         "with ACE counts";
}
std::string TICACLSVerifyItem::GetBatchText() const {
  return Head() + " /verify " + SwitchesText(false);
}

// Save, restore

std::string TICACLSSaveItem::GetHumanReadableText() const {
  return "Backup DACLs of " + OrPlaceholder(FileName, "<u>unknown</u> files") + " to " +
         OrPlaceholder(ACLFileName, "<u>unknown</u> ACL file");
}
std::string TICACLSSaveItem::GetBatchText() const {
  return Head() + " /save " + QuoteIfSpaced(ACLFileName) + " " + SwitchesText(false);
}

std::string TICACLSRestoreItem::GetHumanReadableText() const {
  return "Restore ACLs for all files in " + OrPlaceholder(FileName, "<u>unknown</u> folder") +
         " from " + OrPlaceholder(ACLFileName, "<u>unknown</u> backup ACL file");
}
std::string TICACLSRestoreItem::GetBatchText() const {
  std::string text = Head();
  if (ReplaceSID) text += " /substitute " + ICACLSQuoteSID(SIDOld) + " " + ICACLSQuoteSID(SIDNew);
  return text + " /restore " + QuoteIfSpaced(ACLFileName) + " " + SwitchesText(true);
}

// Grant, deny

std::string TICACLSGrantItem::UserAndRights() const {
  const std::string simple = SimpleRightsText(SimpleAccessRights);
  const std::string specific = SpecificRightsText(SpecificRights);
  std::string rights;
  if (!simple.empty() && !specific.empty()) {
    rights = "(" + simple + "," + specific + ")";
  } else if (!simple.empty() || !specific.empty()) {
    rights = "(" + simple + specific + ")";
  }
  return ICACLSQuoteSID(SID) + ":" + EscapedParentheses(rights);
}

std::string TICACLSGrantItem::GetHumanReadableText() const {
  return "Grant permissions on " + OrPlaceholder(FileName, "<u>unknown file</u>") + " to " +
         OrPlaceholder(SID, "<u>unknown</u> user");
}
std::string TICACLSGrantItem::GetBatchText() const {
  return Head() + (R ? " /grant:r " : " /grant ") + UserAndRights();
}

std::string TICACLSDenyItem::GetHumanReadableText() const {
  return "Deny permissions on " + OrPlaceholder(FileName, "<u>unknown file</u>") + " to " +
         OrPlaceholder(SID, "<u>unknown</u> user");
}
std::string TICACLSDenyItem::GetBatchText() const { return Head() + " /deny " + UserAndRights(); }

// Remove

std::string TICACLSRemoveItem::GetHumanReadableText() const {
  static constexpr const char* kWhat[] = {"all occurrences of ",
                                          " all occurrences of rights granted to ",
                                          "all occurrences of rights denied to "};
  const int mode = Ordinal(ICACLSRemoveMode);
  return "Remove " + std::string(mode >= 0 && mode < 3 ? kWhat[mode] : kWhat[0]) +
         OrPlaceholder(SID, "<u>unknown</u> user") + " for " +
         OrPlaceholder(FileName, "<u>unknown</u> file");
}
std::string TICACLSRemoveItem::GetBatchText() const {
  return Head() + " /remove" + std::string(kICACLSRemoveModes.Command(ICACLSRemoveMode)) + " " +
         ICACLSQuoteSID(SID) + " " + SwitchesText(false);
}

// Set integrity level

std::string TICACLSSetIntegrityLevelItem::GetHumanReadableText() const {
  return "Set integrity ACE for " + OrPlaceholder(FileName, "<u>unknown</u> files") + " to \"" +
         std::string(kICACLSIntegrityLevels.Command(ICACLSIntegrityLevel)) + "\"";
}
std::string TICACLSSetIntegrityLevelItem::GetBatchText() const {
  return Head() + " /setintegritylevel " +
         EscapedParentheses(kICACLSIntegrityInheritances.Command(ICACLSIntegrityInheritance)) +
         std::string(kICACLSIntegrityLevels.Command(ICACLSIntegrityLevel));
}

}  // namespace palvetta
