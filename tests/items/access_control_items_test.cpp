#include "items/access_control/icacls_items.h"

#include <gtest/gtest.h>

#include <string>

#include "items/access_control/icacls_quoting.h"
#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectTexts;
using testing::Make;

TEST(ICACLSQuoting, UserNamesAndSIDs) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"Domain Users\"", "\"Domain Users\""},
      {"*S-1-5-32-545", "*S-1-5-32-545"},
      {"a\"", "a"},
      {"\"a", "a"},
      {" \" Guest \" ", "Guest"},
      {"50%", "\"50%%\""},  // a lone "%" would pair with the next one
      {"a\tb", "\"a\tb\""},
      {"R&D", "\"R&D\""},
      {"x(y)", "\"x(y)\""},
      {"a<b>c^d|e", "\"a<b>c^d|e\""},
      {"DOMAIN\\User", "DOMAIN\\User"},
      {"", ""},
      {"\"", ""},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ICACLSQuoteSID(text), expected);
  }
}

TEST(ICACLSItems, RightsTexts) {
  using enum TSimpleAccessRight;
  using enum TSpecificRight;
  EXPECT_EQ(SimpleRightsText(0), "");
  EXPECT_EQ(SimpleRightsText(RightBit(sarD) | RightBit(sarN) | RightBit(sarRX)), "N,RX,D");
  EXPECT_EQ(SpecificRightsText(RightBit(srWA) | RightBit(srDE) | RightBit(srWDAC)), "DE,WDAC,WA");
  uint32_t all = 0;
  for (int i = 0; i < 20; ++i) all |= uint32_t{1} << i;
  EXPECT_EQ(SpecificRightsText(all),
            "DE,RC,WDAC,WO,S,AS,MA,GR,GW,GE,GA,RD,WD,AD,REA,WEA,X,DC,RA,WA");
}

// Parentheses of the rights and of the inheritance carry carets, so that the line can
// stand inside an IF block; cmd.exe hands ICACLS "Users:(RX)".
TEST(ICACLSItems, GrantDenyAndIntegrityTexts) {
  using enum TSimpleAccessRight;
  using enum TSpecificRight;
  const std::string unknownFile = "<u>unknown file</u>";
  ExpectTexts({
      {Make<TICACLSGrantItem>([](auto&) {}), "ICACLS  /grant :",
       "Grant permissions on " + unknownFile + " to <u>unknown</u> user"},
      {Make<TICACLSGrantItem>([](auto& i) {
         i.FileName = "C:\\My Data";
         i.SID = "Users";
         i.R = true;
         i.SimpleAccessRights = RightBit(sarRX);
         i.SpecificRights = RightBit(srRD) | RightBit(srX);
       }),
       "ICACLS \"C:\\My Data\" /grant:r Users:^(RX,RD,X^)",
       "Grant permissions on C:\\My Data to Users"},
      {Make<TICACLSGrantItem>([](auto& i) {
         i.FileName = "D:\\x";
         i.SID = "Users";
         i.SimpleAccessRights = RightBit(sarRX);
       }),
       "ICACLS D:\\x /grant Users:^(RX^)", "Grant permissions on D:\\x to Users"},
      {Make<TICACLSGrantItem>([](auto& i) {
         i.FileName = "D:\\x";
         i.SID = "Users";
         i.SpecificRights = RightBit(srGR) | RightBit(srGE);
       }),
       "ICACLS D:\\x /grant Users:^(GR,GE^)", "Grant permissions on D:\\x to Users"},
      {Make<TICACLSGrantItem>([](auto& i) {
         i.FileName = "D:\\x";
         i.SID = "Users";
       }),
       "ICACLS D:\\x /grant Users:", "Grant permissions on D:\\x to Users"},
      // Deny never replaces.
      {Make<TICACLSDenyItem>([](auto& i) {
         i.FileName = "D:\\x";
         i.SID = "NT AUTHORITY\\NETWORK SERVICE";
         i.R = true;
         i.SimpleAccessRights = RightBit(sarW);
       }),
       "ICACLS D:\\x /deny \"NT AUTHORITY\\NETWORK SERVICE\":^(W^)",
       "Deny permissions on D:\\x to NT AUTHORITY\\NETWORK SERVICE"},
      {Make<TICACLSDenyItem>([](auto&) {}), "ICACLS  /deny :",
       "Deny permissions on " + unknownFile + " to <u>unknown</u> user"},
      {Make<TICACLSSetIntegrityLevelItem>([](auto& i) {
         i.FileName = "C:\\a";
         i.ICACLSIntegrityLevel = TICACLSIntegrityLevel::ilHigh;
         i.ICACLSIntegrityInheritance = TICACLSIntegrityInheritance::iiOI;
         i.T = true;  // no switches here
       }),
       "ICACLS C:\\a /setintegritylevel ^(OI^)High", "Set integrity ACE for C:\\a to \"High\""},
      {Make<TICACLSSetIntegrityLevelItem>([](auto&) {}), "ICACLS  /setintegritylevel Low",
       "Set integrity ACE for <u>unknown</u> files to \"Low\""},
      {Make<TICACLSSetIntegrityLevelItem>([](auto& i) {
         i.FileName = "x";
         i.ICACLSIntegrityLevel = TICACLSIntegrityLevel::ilMedium;
         i.ICACLSIntegrityInheritance = TICACLSIntegrityInheritance::iiI;
       }),
       "ICACLS x /setintegritylevel ^(I^)Medium", "Set integrity ACE for x to \"Medium\""},
  });
}

TEST(ICACLSItems, SwitchedTexts) {
  const auto allSwitches = [](TICACLSCustomItem& i) {
    i.FileName = "C:\\My Data\\*.doc";
    i.T = i.C = i.L = i.Q = true;
  };
  ExpectTexts({
      {Make<TICACLSResetItem>([](auto&) {}), "ICACLS  /reset ",
       "Replace ACLs with default inherited ACLs for <u>unknown file</u>"},
      {Make<TICACLSResetItem>([](auto& i) {
         i.FileName = "x";
         i.T = i.C = true;
       }),
       "ICACLS x /reset  /T /C", "Replace ACLs with default inherited ACLs for x"},
      {Make<TICACLSVerifyItem>(allSwitches), "ICACLS \"C:\\My Data\\*.doc\" /verify  /T /C /L /Q",
       "Find all files whose ACL is not in canonical form or whose lengths are inconsistent "
       "with ACE counts"},
      {Make<TICACLSSaveItem>([](auto& i) {
         i.FileName = "C:\\d";
         i.ACLFileName = "D:\\acl list.txt";
         i.L = true;
       }),
       "ICACLS C:\\d /save \"D:\\acl list.txt\"  /L", "Backup DACLs of C:\\d to D:\\acl list.txt"},
      {Make<TICACLSSaveItem>([](auto&) {}), "ICACLS  /save  ",
       "Backup DACLs of <u>unknown</u> files to <u>unknown</u> ACL file"},
      // A restore never writes /T, even when a file or a copy set it.
      {Make<TICACLSRestoreItem>([](auto& i) {
         i.FileName = "C:\\d";
         i.ACLFileName = "acl.txt";
         i.T = i.C = true;
       }),
       "ICACLS C:\\d /restore acl.txt  /C", "Restore ACLs for all files in C:\\d from acl.txt"},
      {Make<TICACLSRestoreItem>([](auto& i) {
         i.FileName = "C:\\d";
         i.ACLFileName = "acl.txt";
         i.ReplaceSID = true;
         i.SIDOld = "*S-1-5-21-1";
         i.SIDNew = "\"Domain Users\"";
       }),
       "ICACLS C:\\d /substitute *S-1-5-21-1 \"Domain Users\" /restore acl.txt ",
       "Restore ACLs for all files in C:\\d from acl.txt"},
      {Make<TICACLSRestoreItem>([](auto&) {}), "ICACLS  /restore  ",
       "Restore ACLs for all files in <u>unknown</u> folder from <u>unknown</u> backup ACL file"},
      {Make<TICACLSRemoveItem>([](auto& i) {
         i.FileName = "C:\\a";
         i.SID = "Guest";
         i.Q = true;
         i.ICACLSRemoveMode = TICACLSRemoveMode::rmDenies;
       }),
       "ICACLS C:\\a /remove:d Guest  /Q", "Remove all occurrences of rights denied to Guest for C:\\a"},
      {Make<TICACLSRemoveItem>([](auto& i) {
         i.FileName = "C:\\a";
         i.SID = "R&D";
         i.ICACLSRemoveMode = TICACLSRemoveMode::rmGrants;
       }),
       "ICACLS C:\\a /remove:g \"R&D\" ",
       "Remove  all occurrences of rights granted to R&D for C:\\a"},
      {Make<TICACLSRemoveItem>([](auto&) {}), "ICACLS  /remove  ",
       "Remove all occurrences of <u>unknown</u> user for <u>unknown</u> file"},
  });
}

TEST(ICACLSItems, GrantDialogRebuildsTheRightsFromTheBoxes) {
  TICACLSGrantItem grant;
  grant.SimpleAccessRights = RightBit(TSimpleAccessRight::sarF);
  grant.SpecificRights = RightBit(TSpecificRight::srWA);
  TEditorValues values;
  grant.ToEditor(values);
  EXPECT_TRUE(values.Checked("cbxSimpleF"));
  EXPECT_FALSE(values.Checked("cbxSimpleN"));
  EXPECT_TRUE(values.Checked("cbxSpecificWA"));
  values.SetChecked("cbxSimpleF", false);
  values.SetChecked("cbxSimpleD", true);
  values.SetChecked("cbxSpecificWA", false);
  grant.FromEditor(values);
  EXPECT_EQ(grant.SimpleAccessRights, RightBit(TSimpleAccessRight::sarD));
  EXPECT_EQ(grant.SpecificRights, 0u);
}

}  // namespace
}  // namespace palvetta
