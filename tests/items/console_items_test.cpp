#include "items/console/console_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/xml_document.h"
#include "items/console/code_pages.h"
#include "items/misc/misc_items.h"
#include "model/project.h"
#include "model/property_mapping.h"
#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectTexts;
using testing::Make;

// The menu's options "o1".."oN".
TStrings Options(int count) {
  TStrings options;
  for (int i = 1; i <= count; ++i) options.push_back("o" + std::to_string(i));
  return options;
}

// The line of the menu's batch text at the 0-based position.
std::string MenuLine(TChoiceNumbering numbering, int options, size_t line) {
  TUserChoiceItem menu;
  menu.UserChoices = Options(options);
  menu.ChoiceNumbering = numbering;
  return SplitLines(menu.GetBatchText()).at(line);
}

TEST(ConsoleItems, MessageAndStateTexts) {
  ExpectTexts({
      // A blank text prints an empty line: a bare ECHO would print "ECHO is off."
      {Make<TECHOItem>([](auto&) {}), "ECHO.", "Show <u>undefined</u> text"},
      {Make<TECHOItem>([](auto& i) { i.Text = "  "; }), "ECHO.", "Show <u>undefined</u> text"},
      {Make<TECHOItem>([](auto& i) { i.Text = "Hello"; }), "ECHO Hello", "Show \"Hello\""},
      // Text stays text: no special closes a block or starts a command, a lone "%" prints,
      // a variable or parameter reference expands.
      {Make<TECHOItem>([](auto& i) { i.Text = "a & b | c > d (x) ^"; }),
       "ECHO a ^& b ^| c ^> d ^(x^) ^^", "Show \"a & b | c > d (x) ^\""},
      {Make<TECHOItem>([](auto& i) { i.Text = "100% sure, %Source% on %DATE%"; }),
       "ECHO 100%% sure, %Source% on %DATE%", "Show \"100% sure, %Source% on %DATE%\""},
      {Make<TECHOItem>([](auto& i) { i.Text = "say \"a & b\""; }), "ECHO say \"a & b\"",
       "Show \"say \"a & b\"\""},
      {Make<TECHOItem>([](auto& i) { i.Text = "one\r\nDEL x"; }), "ECHO one DEL x",
       "Show \"one\r\nDEL x\""},

      {Make<TECHOControlItem>([](auto&) {}), "ECHO", "Show current command output settings"},
      {Make<TECHOControlItem>([](auto& i) { i.Mode = TEchoMode::emEchoON; }), "ECHO ON",
       "Enable command output"},
      {Make<TECHOControlItem>([](auto& i) { i.Mode = TEchoMode::emEchoOFF; }), "ECHO OFF",
       "Disable command output"},
      {Make<TClearScreenItem>([](auto&) {}), "CLS", "Clear screen"},
      {Make<TPressAnyKeyItem>([](auto&) {}), "PAUSE", "Press any key to continue..."},
      {Make<TVerItem>([](auto&) {}), "VER", "Display Windows version"},
  });
}

TEST(ConsoleItems, WindowTexts) {
  ExpectTexts({
      {Make<TColorItem>([](auto&) {}), "COLOR 07",
       "Set text color to White  and background color to Black "},
      {Make<TColorItem>([](auto& i) {
         i.BGColor = 1;
         i.TextColor = 14;
       }),
       "COLOR 1E", "Set text color to Light Yellow and background color to Blue  "},
      {Make<TColorItem>([](auto& i) {
         i.BGColor = 15;
         i.TextColor = 10;
       }),
       "COLOR FA", "Set text color to Light Green and background color to Bright White"},
      // A damaged file's number above 15 counts by its low four bits, in both texts.
      {Make<TColorItem>([](auto& i) {
         i.BGColor = 17;
         i.TextColor = 255;
       }),
       "COLOR 1F", "Set text color to Bright White and background color to Blue  "},

      {Make<TTitleItem>([](auto&) {}), "TITLE",
       "Set title of console window to <u>empty string</u>."},
      {Make<TTitleItem>([](auto& i) { i.Title = "Backup (nightly) & 50% done"; }),
       "TITLE Backup ^(nightly^) ^& 50%% done",
       "Set title of console window to Backup (nightly) & 50% done"},

      {Make<TPromptItem>([](auto&) {}), "PROMPT",
       "Changes the cmd.exe command prompt to <u>unknown text</u>"},
      {Make<TPromptItem>([](auto& i) { i.Prompt = "$P$G"; }), "PROMPT $P$G",
       "Changes the cmd.exe command prompt to $P$G"},
      {Make<TPromptItem>([](auto& i) { i.Prompt = "%USERNAME% > "; }), "PROMPT %USERNAME% ^>",
       "Changes the cmd.exe command prompt to %USERNAME% > "},

      {Make<TTypeItem>([](auto&) {}), "TYPE", "Display contents of <u>unknown</u> file"},
      {Make<TTypeItem>([](auto& i) { i.Path = "C:\\my file.txt"; }), "TYPE \"C:\\my file.txt\"",
       "Display contents of file C:\\my file.txt"},
      {Make<TTypeItem>([](auto& i) { i.Path = "a&b.txt"; }), "TYPE \"a&b.txt\"",
       "Display contents of file a&b.txt"},
      {Make<TTypeItem>([](auto& i) { i.Path = "x\" & DEL y"; }), "TYPE \"x & DEL y\"",
       "Display contents of file x\" & DEL y"},
  });
}

TEST(ConsoleItems, AskTexts) {
  ExpectTexts({
      // The two double quotes are written even around an empty intro.
      {Make<TAskUserItem>([](auto&) {}), "SET /P =\"\"",
       "Ask user \"Enter something\" and store input to unknown variable"},
      {Make<TAskUserItem>([](auto& i) { i.VarName = "X"; }), "SET /P X=\"\"",
       "Ask user \"Enter something\" and store input to variable X"},
      {Make<TAskUserItem>([](auto& i) {
         i.Intro = "Name & age? ";
         i.VarName = "NAME";
       }),
       "SET /P NAME=\"Name & age? \"", "Ask user \"Name & age? \" and store input to variable NAME"},
      // A quote inside the intro cannot leave what follows it unescaped, and a lone "%"
      // prints.
      {Make<TAskUserItem>([](auto& i) {
         i.Intro = "a\"b&c) 50%";
         i.VarName = "X";
       }),
       "SET /P X=\"a\"b^&c^) 50%%\"", "Ask user \"a\"b&c) 50%\" and store input to variable X"},
  });
}

TEST(ConsoleItems, MenuTexts) {
  ExpectTexts({
      {Make<TUserChoiceItem>([](auto& i) {
         i.Intro = "Choose:\r\n\r\n";
         i.UserChoices = {"Copy", "Move"};
         i.ChoiceNumbering = TChoiceNumbering::cnLetters;
         i.VarName = "CHOICE";
         i.Prompt = "Your choice: ";
       }),
       "ECHO Choose:\r\nECHO.\r\nECHO A. Copy\r\nECHO B. Move\r\nSET /P CHOICE=\"Your choice: \"",
       "Ask a user to choose an option and store it to variable CHOICE"},
      {Make<TUserChoiceItem>([](auto&) {}), "SET /P =\"\"",
       "Ask a user to choose an option and store it to <u>unknown variable</u>"},
      // A middle line of blanks is an empty line; options are text like any message.
      {Make<TUserChoiceItem>([](auto& i) {
         i.Intro = "Pick one\r\n   \r\n(or 0 to quit)";
         i.UserChoices = {"Copy & verify", "", "100% done"};
         i.VarName = "N";
       }),
       "ECHO Pick one\r\nECHO.\r\nECHO ^(or 0 to quit^)\r\nECHO 1. Copy ^& verify\r\nECHO 2. \r\n"
       "ECHO 3. 100%% done\r\nSET /P N=\"\"",
       "Ask a user to choose an option and store it to variable N"},
  });
}

// The twelfth option is marked 12 or L; past "Z" the markers run on into "[", "\", "]",
// "^" and later "|": the caret and the pipe are escaped, so the menu shows the character
// the user is to type.
TEST(ConsoleItems, MenuMarkers) {
  EXPECT_EQ(MenuLine(TChoiceNumbering::cnNumbers, 12, 11), "ECHO 12. o12");
  EXPECT_EQ(MenuLine(TChoiceNumbering::cnLetters, 12, 11), "ECHO L. o12");
  EXPECT_EQ(MenuLine(TChoiceNumbering::cnLetters, 30, 26), "ECHO [. o27");
  EXPECT_EQ(MenuLine(TChoiceNumbering::cnLetters, 30, 27), "ECHO \\. o28");
  EXPECT_EQ(MenuLine(TChoiceNumbering::cnLetters, 30, 29), "ECHO ^^. o30");
  EXPECT_EQ(MenuLine(TChoiceNumbering::cnLetters, 60, 59), "ECHO ^|. o60");
  EXPECT_EQ(MenuMarker(0, TChoiceNumbering::cnLetters), "A");
  EXPECT_EQ(MenuMarker(25, TChoiceNumbering::cnLetters), "Z");
  EXPECT_EQ(MenuMarker(29, TChoiceNumbering::cnLetters), "^");
  EXPECT_EQ(MenuMarker(99, TChoiceNumbering::cnNumbers), "100");
  // Far past any menu the count still gives valid text.
  EXPECT_EQ(MenuMarker(0xD800 - 'A', TChoiceNumbering::cnLetters), "?");
}

TEST(ConsoleItems, CodePageTexts) {
  ExpectTexts({
      {Make<TCHCPItem>([](auto&) {}), "CHCP", "Change code page to <u>unknown</u> code page"},
      {Make<TCHCPItem>([](auto& i) { i.CodePage = " 850 "; }), "CHCP 850",
       "Change code page to  850 "},
      {Make<TCHCPItem>([](auto& i) { i.CodePage = "65001&x"; }), "CHCP 65001^&x",
       "Change code page to 65001&x"},
      {Make<TGraphTablItem>([](auto&) {}), "GRAFTABL",
       "Display extended character set of <u>unknown</u> code page"},
      {Make<TGraphTablItem>([](auto& i) { i.CodePage = "850"; }), "GRAFTABL 850",
       "Display extended character set of code page 850"},
      // The status ignores the code page.
      {Make<TGraphTablItem>([](auto& i) {
         i.CodePage = "850";
         i.Status = true;
       }),
       "GRAFTABL /STATUS", "Display the current code page selected for use with GRAFTABL"},
  });
}

TEST(ConsoleItems, ParseCodePage) {
  const struct {
    const char* text;
    const char* number;
  } cases[] = {
      {"850 (Western European, DOS)", "850"},
      {"0065001x", "65001"},
      {"  1252  ", "1252"},
      {"65535", "65535"},
      {"1", "1"},
      {"abc", ""},
      {"70000", ""},
      {"65536", ""},
      {"0", ""},
      {"", ""},
      {"cp850", ""},
      {"99999999999999999999999", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseCodePage(c.text), c.number) << c.text;
  for (const std::string_view entry : kCHCPCodePages) EXPECT_FALSE(ParseCodePage(entry).empty());
}

// Project files store the properties by these names, in this order, after the base's.
TEST(ConsoleItems, PropertiesInPersistedOrder) {
  const auto namesOf = [](TCustomProjectItem&& item) {
    TXmlDocument document("item");
    WriteProperties(item, document.Root());
    std::vector<std::string> names;
    for (const TXmlElement& child : document.Root().Children()) names.emplace_back(child.Name());
    return std::vector<std::string>(names.begin() + 4, names.end());
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(namesOf(TECHOItem()), V{"Text"});
  EXPECT_EQ(namesOf(TECHOControlItem()), V{"Mode"});
  EXPECT_EQ(namesOf(TColorItem()), (V{"TextColor", "BGColor"}));
  EXPECT_EQ(namesOf(TAskUserItem()), (V{"Intro", "VarName"}));
  EXPECT_EQ(namesOf(TUserChoiceItem()),
            (V{"UserChoices", "Intro", "Prompt", "VarName", "ChoiceNumbering"}));
  EXPECT_EQ(namesOf(TCHCPItem()), (V{"CodePage", "Lang"}));
  EXPECT_EQ(namesOf(TGraphTablItem()), (V{"CodePage", "Lang", "Status"}));
  EXPECT_EQ(namesOf(TVerItem()), V{});
}

TEST(ConsoleEditorMapping, MenuOffersTheProjectsVariablesAndItsMarkers) {
  TProject project;
  project.Add<TVariableItem>().Name = "Answer";
  auto& menu = project.Add<TUserChoiceItem>();
  menu.ChoiceNumbering = TChoiceNumbering::cnLetters;
  TEditorValues values;
  menu.ToEditor(values);
  EXPECT_EQ(values.Choices("cmbVarName"), TStrings{"Answer"});
  EXPECT_FALSE(values.Checked("rbDigits"));
  EXPECT_TRUE(values.Checked("rbLetters"));
  values.SetChecked("rbDigits", true);
  values.SetChecked("rbLetters", false);
  values.SetText("cmbVarName", "Answer");
  values.SetText("memItems", "Copy\r\n\r\nMove");
  menu.FromEditor(values);
  EXPECT_EQ(menu.ChoiceNumbering, TChoiceNumbering::cnNumbers);
  EXPECT_EQ(menu.VarName, "Answer");
  EXPECT_EQ(menu.UserChoices, (TStrings{"Copy", "", "Move"}));
}

TEST(ConsoleEditorMapping, CHCPShowsTheEntryOrTheTypedNumber) {
  const struct {
    const char* stored;
    const char* shown;
  } cases[] = {
      {"850", "850 (Western European, DOS)"},
      {" 65001 ", "65001 (UTF-8)"},
      {"20127", "20127"},
      {"", ""},
  };
  for (const auto& c : cases) {
    TCHCPItem chcp;
    chcp.CodePage = c.stored;
    TEditorValues values;
    chcp.ToEditor(values);
    EXPECT_EQ(values.Text("cmbCodePage"), c.shown) << c.stored;
  }
  const struct {
    const char* typed;
    const char* stored;
  } typed[] = {{"1252", "1252"}, {"65001 (UTF-8)", "65001"}, {"  ", ""}};
  for (const auto& c : typed) {
    TCHCPItem chcp;
    TEditorValues values;
    chcp.ToEditor(values);
    values.SetText("cmbCodePage", c.typed);
    chcp.FromEditor(values);
    EXPECT_EQ(chcp.CodePage, c.stored) << c.typed;
  }
}

TEST(ConsoleEditorMapping, GraftablKeepsACodePageItDoesNotAccept) {
  TGraphTablItem graftabl;
  graftabl.CodePage = "1252";
  TEditorValues values;
  graftabl.ToEditor(values);
  TStrings entries(std::begin(kGraftablCodePages), std::end(kGraftablCodePages));
  entries.push_back("1252 (not accepted by GRAFTABL)");
  EXPECT_EQ(values.Choices("cmbCodePage"), entries);
  EXPECT_EQ(values.Index("cmbCodePage"), 11);
  EXPECT_TRUE(values.Checked("rbSetCodePage"));
  graftabl.FromEditor(values);
  EXPECT_EQ(graftabl.CodePage, "1252");
  // Opened again, the remark entry is there once.
  TEditorValues again;
  graftabl.ToEditor(again);
  EXPECT_EQ(again.Choices("cmbCodePage"), entries);

  // A listed code page is chosen; a chosen entry gives its number; a blank code page
  // opens on the first entry.
  graftabl.CodePage = "866";
  graftabl.ToEditor(values);
  EXPECT_EQ(values.Choices("cmbCodePage").size(), 11u);
  EXPECT_EQ(values.Index("cmbCodePage"), 9);
  values.SetIndex("cmbCodePage", 1);
  values.SetChecked("rbSetCodePage", false);
  values.SetChecked("rbStatus", true);
  graftabl.FromEditor(values);
  EXPECT_EQ(graftabl.CodePage, "850");
  EXPECT_TRUE(graftabl.Status);
  graftabl.CodePage.clear();
  graftabl.ToEditor(values);
  EXPECT_EQ(values.Index("cmbCodePage"), 0);
  EXPECT_TRUE(values.Checked("rbStatus"));
}

TEST(ConsoleEditorMapping, EchoModeAsThreeRadioButtons) {
  TECHOControlItem echo;
  TEditorValues values;
  echo.ToEditor(values);
  EXPECT_TRUE(values.Checked("rbShowSettings"));
  values.SetChecked("rbShowSettings", false);
  values.SetChecked("rbEchoOFF", true);
  echo.FromEditor(values);
  EXPECT_EQ(echo.Mode, TEchoMode::emEchoOFF);
}

}  // namespace
}  // namespace palvetta
