// One wording in every dialog: a field's label ends in a colon, and captions (labels,
// check boxes, radio buttons, group boxes, panels, pages, grid columns) are in sentence
// case, so that "Copy options" does not sit beside "File Selection".

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "base/text.h"
#include "editors/editor_spec.h"
#include "items/item_families.h"

namespace palvetta {
namespace {

// Names that keep their capital letter wherever they stand.
const std::set<std::string, std::less<>> kProperNouns = {"Windows", "Unicode", "Ethernet",
                                                         "Internet", "Explorer", "Vista"};

// A word after the first with a capital and then a lower-case letter, which is neither a
// name nor the start of a new sentence or clause. Abbreviations in capitals ("XML", "SC")
// and names with inner capitals ("XPath", "TagID") are left alone.
std::string CapitalisedWord(std::string_view caption) {
  TStrings words;
  std::istringstream split{std::string(caption)};
  for (std::string word; split >> word;) words.push_back(word);
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::string& before = words[i - 1];
    if (before.empty() || before.back() == '.' || before.back() == ':' || before == "/" ||
        before == "-") {
      continue;
    }
    // A quoted name, such as the title of another item, keeps its own capitals.
    if (words[i].front() == '"') continue;
    std::string word = words[i];
    while (!word.empty() && (word.front() == '(' || word.front() == '"')) word.erase(0, 1);
    while (!word.empty() && !std::isalnum(static_cast<unsigned char>(word.back()))) word.pop_back();
    if (word.size() < 2 || !std::isupper(static_cast<unsigned char>(word[0]))) continue;
    bool innerCapital = false;
    for (std::size_t c = 1; c < word.size(); ++c) {
      if (std::isupper(static_cast<unsigned char>(word[c]))) innerCapital = true;
    }
    if (innerCapital || kProperNouns.count(word)) continue;
    return word;
  }
  return {};
}

bool EndsWithColon(std::string_view text) { return !text.empty() && text.back() == ':'; }

void CheckCaption(const std::string& where, const std::string& caption) {
  if (caption.empty()) return;
  const std::string word = CapitalisedWord(caption);
  EXPECT_TRUE(word.empty()) << where << ": \"" << caption << "\" capitalises \"" << word << "\"";
}

void CheckNode(const TLayoutNode& node, const std::string& dialog) {
  const std::string where = dialog + " " + node.Name;
  switch (node.Kind) {
    case TLayoutKind::lkLabel:
    case TLayoutKind::lkCheck:
    case TLayoutKind::lkRadio:
    case TLayoutKind::lkPanel:
      CheckCaption(where, node.Text);
      break;
    case TLayoutKind::lkGrid:
    case TLayoutKind::lkThreeStateGrid:
      for (const std::string& column : node.Entries) CheckCaption(where, column);
      for (const TThreeStateRow& row : node.StateRows) CheckCaption(where, row.Caption);
      break;
    default:
      // A group box's or a page's caption.
      CheckCaption(where, node.Text);
      break;
  }
  // A caption over a group of controls is no field's label: it takes no colon.
  if (node.Group || node.Kind == TLayoutKind::lkPanel) {
    EXPECT_FALSE(EndsWithColon(node.Text)) << where << ": \"" << node.Text << "\"";
  }
  if (node.LabelPair && !node.Children.empty() && node.Children[0].Kind == TLayoutKind::lkLabel) {
    const std::string& label = node.Children[0].Text;
    EXPECT_TRUE(EndsWithColon(label)) << dialog << " " << node.Children[0].Name << ": \"" << label
                                      << "\" has no colon";
  }
  for (const TLayoutNode& child : node.Children) CheckNode(child, dialog);
}

TEST(CaptionWordingTest, FieldLabelsEndInAColonAndCaptionsAreInSentenceCase) {
  for (const TItemEditorSpec& spec : AllEditorSpecs([](std::string_view) { return false; })) {
    CheckNode(spec.Spec.Layout, std::string(spec.ItemClass->Name));
  }
}

TEST(CaptionWordingTest, TheRuleTellsNamesAndNewSentencesFromCapitalisedWords) {
  const struct {
    const char* caption;
    const char* capitalised;
  } cases[] = {
      {"Copy options", ""},
      {"File Selection", "Selection"},
      {"Sort By", "By"},
      {"Output status as Unicode (/UNICODE)", ""},
      {"Event query (XPath):", ""},
      {"Remote system (leave blank for local): Host", ""},
      {"Save in the Registry", "Registry"},
      {"Visible to pre-Vista platforms", ""},
      {"Picked in \"User choice\"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CapitalisedWord(c.caption), c.capitalised) << c.caption;
}

}  // namespace
}  // namespace palvetta
