#include "items/seven_zip/seven_zip_items.h"

#include <gtest/gtest.h>

#include "model/batch_generator.h"
#include "model/project.h"
#include "model/system_items.h"
#include "support/item_texts.h"

namespace palvetta {
namespace {

using testing::ExpectTexts;
using testing::Make;

TEST(SevenZipItems, Texts) {
  ExpectTexts({
      {Make<TSevenZipCreateItem>([](auto&) {}), "\"%KWJ_7Z%\" a -tzip -mx=1 \"\" \"\"",
       "Create <u>unknown archive</u> with <u>unknown files</u>"},
      {Make<TSevenZipCreateItem>([](auto& i) {
         i.CompressionLevel = TCompressionLevel::clNormal;
         i.ArchFileName = "D:\\b.zip";
         i.SrcPath = "C:\\data\\*.txt";
       }),
       "\"%KWJ_7Z%\" a -tzip -mx=5 \"D:\\b.zip\" \"C:\\data\\*.txt\"",
       "Create archive D:\\b.zip with files from C:\\data\\*.txt"},
      // The user's own quotes and blanks around a path go: one pair of quotes each.
      {Make<TSevenZipCreateItem>([](auto& i) {
         i.CompressionLevel = TCompressionLevel::clUltra;
         i.ArchFileName = "\"D:\\b.zip\"";
         i.SrcPath = " \"C:\\my data\" ";
       }),
       "\"%KWJ_7Z%\" a -tzip -mx=9 \"D:\\b.zip\" \"C:\\my data\"",
       "Create archive \"D:\\b.zip\" with files from  \"C:\\my data\" "},
      // A path is one argument on one line, without a double quote of its own.
      {Make<TSevenZipCreateItem>([](auto& i) {
         i.ArchFileName = "D:\\b\r\nECHO INJ>canary.zip";
         i.SrcPath = "C:\\a\" & ECHO INJ & \"\\50%";
       }),
       "\"%KWJ_7Z%\" a -tzip -mx=1 \"D:\\b ECHO INJ>canary.zip\" \"C:\\a & ECHO INJ & \\50%%\"",
       "Create archive D:\\b\r\nECHO INJ>canary.zip with files from C:\\a\" & ECHO INJ & \"\\50%"},
      {Make<TSevenZipCreateItem>([](auto& i) { i.CompressionLevel = TCompressionLevel::clFast; }),
       "\"%KWJ_7Z%\" a -tzip -mx=3 \"\" \"\"", "Create <u>unknown archive</u> with <u>unknown files</u>"},
      {Make<TSevenZipCreateItem>([](auto& i) { i.CompressionLevel = TCompressionLevel::clMaximum; }),
       "\"%KWJ_7Z%\" a -tzip -mx=7 \"\" \"\"", "Create <u>unknown archive</u> with <u>unknown files</u>"},

      {Make<TSevenZipExtractItem>([](auto&) {}), "\"%KWJ_7Z%\" e -aos -y -r \"\"",
       "Extract files from <u>unknown archive</u> to <u>unknown folder</u>"},
      {Make<TSevenZipExtractItem>([](auto& i) {
         i.Subfolders = i.OverwriteFiles = true;
         i.ExtractTo = "C:\\out";
         i.ArchFileName = "a.zip";
       }),
       "\"%KWJ_7Z%\" x -o\"C:\\out\" -aoa -y -r \"a.zip\"", "Extract files from archive a.zip to C:\\out"},
      {Make<TSevenZipExtractItem>([](auto& i) {
         i.ExtractTo = "  ";
         i.ArchFileName = "a.zip";
       }),
       "\"%KWJ_7Z%\" e -aos -y -r \"a.zip\"", "Extract files from archive a.zip to <u>unknown folder</u>"},
      {Make<TSevenZipExtractItem>([](auto& i) {
         i.ExtractTo = "\"C:\\my out\"";
         i.ArchFileName = " \"D:\\b c.zip\"";
       }),
       "\"%KWJ_7Z%\" e -o\"C:\\my out\" -aos -y -r \"D:\\b c.zip\"",
       "Extract files from archive  \"D:\\b c.zip\" to \"C:\\my out\""},
  });
}

TEST(SevenZipItems, CompressionDigits) {
  TSevenZipCreateItem item;
  const int expected[] = {1, 3, 5, 7, 9};
  for (int level = 0; level < 5; ++level) {
    item.CompressionLevel = static_cast<TCompressionLevel>(level);
    EXPECT_EQ(item.GetCompressionInt(), expected[level]);
  }
  item.CompressionLevel = static_cast<TCompressionLevel>(7);  // from a damaged file
  EXPECT_EQ(item.GetCompressionInt(), 0);
}

// Each text asks the running generation for the 7-Zip locator block, every time.
TEST(SevenZipItems, RequestTheLocatorBlockEachTime) {
  struct TRecorder : IGenerationHooks {
    void NeedSaveFile(const TStrings&, std::string&) override {}
    void AppendLines(const TStrings&) override {}
    void GetParamList(TItemList&) override {}
    void AddSystemItem(const TClass& cls) override { requested.push_back(&cls); }
    std::vector<const TClass*> requested;
  } hooks;
  TSevenZipCreateItem create;
  TSevenZipExtractItem extract;
  create.SetGenerationHooks(&hooks);
  extract.SetGenerationHooks(&hooks);
  create.GetBatchText();
  extract.GetBatchText();
  create.GetBatchText();
  EXPECT_EQ(hooks.requested,
            (std::vector<const TClass*>{&TSys7Zip::Class, &TSys7Zip::Class, &TSys7Zip::Class}));
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string Generate(TProject& project) {
  TBatchGenerator maker;
  maker.Project = &project;
  maker.MakeBatchFile();
  return maker.CreatedFiles().Items(0).Stream;
}

// Two 7-Zip items share one locator block, written before them; a disabled item asks
// for none.
TEST(SevenZipItems, OneLocatorBlockPerBatchFile) {
  const std::string block = TSys7Zip().GetBatchText();
  TProject project;
  auto& disabled = project.Add<TSevenZipExtractItem>();
  disabled.Enabled = false;
  EXPECT_EQ(Count(Generate(project), "KWJ_7Z="), 0u);

  project.Add<TSevenZipCreateItem>().ArchFileName = "a.zip";
  project.Add<TSevenZipExtractItem>().ArchFileName = "a.zip";
  const std::string batch = Generate(project);
  EXPECT_EQ(Count(batch, block), 1u);
  EXPECT_LT(batch.find(block), batch.find("\"%KWJ_7Z%\" a "));
  EXPECT_EQ(Count(batch, "\"%KWJ_7Z%\" "), 2u);
}

}  // namespace
}  // namespace palvetta
