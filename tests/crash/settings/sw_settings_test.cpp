#include "crash/settings/sw_settings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "codec/stored_password.h"
#include "fake_settings_host.h"
#include "settings_stream_builder.h"

namespace palvetta {
namespace {

using B = TSettingsStreamBuilder;

constexpr uintptr_t kLibrary = 0x2000;
constexpr uintptr_t kNoResource = 0x3000;

class SWSettings : public testing::Test {
 protected:
  ~SWSettings() override { SetMainSettings(nullptr); }

  uintptr_t Exe() const { return FHost.Facts.Executable; }
  std::unique_ptr<TISWSettings> Settings(uintptr_t module) {
    return std::make_unique<TISWSettings>(module, true, FHost);
  }

  TFakeSettingsHost FHost;
};

// A resource that lacks a key leaves it to the built-in defaults; keys without a default
// read false, 0 or empty.
TEST_F(SWSettings, MissingKeysAnswerTheirDefaults) {
  FHost.Resources[Exe()] = B().Bool("Enabled", true).Bytes();
  const auto settings = Settings(Exe());
  ASSERT_TRUE(settings->IsValid());
  EXPECT_TRUE(settings->Enabled());
  EXPECT_EQ(settings->GetAutoDelay(), 60u);
  EXPECT_EQ(settings->GetMailFrom(), u"");
  EXPECT_EQ(settings->GetSmtpPort(), 0u);
  EXPECT_TRUE(settings->GetAutoClipboard());
  EXPECT_TRUE(settings->GetScreenShotAppOnly());
  EXPECT_EQ(settings->GetScreenShotDepth(), 0);
  EXPECT_EQ(settings->GetBugReportFile(), u"bugreport.mbr");
  EXPECT_EQ(settings->GetPrepareAttachMsg(), u"Prepare attachments...");
  EXPECT_FALSE(settings->LinkInSettings());  // NoSettings defaults to true
  EXPECT_FALSE(settings->CrashOnOverrun());
  EXPECT_FALSE(settings->CrashOnUnderrun());
  EXPECT_TRUE(settings->LinkInMapFile());  // MinDebugInfo is empty
  EXPECT_EQ(settings->GetPropStr("Assistant1"), u"");
  // Milliseconds like the shipped value, not 60: a module without the key must not take
  // its main thread for frozen after 60 ms.
  EXPECT_EQ(settings->FreezeTimeout(), 60000u);
}

TEST_F(SWSettings, CrashOnBufferCombinesWithUnderrun) {
  const struct {
    bool Buffer, Underrun, Overrun, UnderrunResult;
  } cases[] = {{false, false, false, false}, {false, true, false, false}, {true, false, true, false},
               {true, true, false, true}};
  for (const auto& c : cases) {
    FHost.Resources[Exe()] = B().Bool("CrashOnBuffer", c.Buffer).Bool("CrashOnUnderrun", c.Underrun).Bytes();
    const auto settings = Settings(Exe());
    EXPECT_EQ(settings->CrashOnOverrun(), c.Overrun);
    EXPECT_EQ(settings->CrashOnUnderrun(), c.UnderrunResult);
  }
}

TEST_F(SWSettings, ModuleWithoutResourceIsInvalidAndRefusesChanges) {
  const auto settings = Settings(kNoResource);
  EXPECT_FALSE(settings->IsValid());
  EXPECT_EQ(settings->Module(), 0u);
  EXPECT_EQ(settings->GetBugReportSendAs(), u"bugreport.mbr");
  EXPECT_FALSE(settings->SetPropBool("AutoSend", true));
  settings->SetAutoSend(true);
  EXPECT_FALSE(settings->GetAutoSend());
}

TEST_F(SWSettings, SettersStoreOnlyTheirOwnType) {
  FHost.Resources[Exe()] = B().Bool("AutoSend", false).Text("MailAddr", "a@b.c").Int("SmtpPort", 25).Bytes();
  const auto settings = Settings(Exe());
  EXPECT_FALSE(settings->SetPropInt("AutoSend", 1));
  EXPECT_FALSE(settings->GetAutoSend());
  EXPECT_FALSE(settings->SetPropBool("MailAddr", true));
  EXPECT_FALSE(settings->SetPropStr("SmtpPort", u"587"));
  EXPECT_EQ(settings->GetSmtpPort(), 25u);

  EXPECT_TRUE(settings->SetPropStr("MailFrom", u"me@example.com"));  // absent: created
  EXPECT_EQ(settings->GetMailFrom(), u"me@example.com");
  settings->SetSmtpPort(587);
  settings->SetFocusedButton(bCloseApplication);
  settings->SetSmtpServer("m\xE4il.example");  // 8-bit, in the ANSI code page
  EXPECT_EQ(settings->GetSmtpPort(), 587u);
  EXPECT_EQ(settings->GetFocusedButton(), bCloseApplication);
  EXPECT_EQ(settings->GetPropStr("SmtpServer"), u"m\u00e4il.example");
  EXPECT_EQ(settings->GetSmtpServer(), "m\xE4il.example");
}

// A key listed twice answers its first value, through its accessor and by name alike.
TEST_F(SWSettings, ARepeatedKeyAnswersItsFirstValue) {
  FHost.Resources[Exe()] = B().Int("SmtpPort", 25).Int("SmtpPort", 587).Text("Plugins", "modules").Bytes();
  const auto settings = Settings(Exe());
  EXPECT_EQ(settings->GetSmtpPort(), 25u);
  EXPECT_EQ(settings->GetPropInt("SmtpPort"), 25);
  settings->SetSmtpPort(465);
  EXPECT_EQ(settings->GetPropInt("SmtpPort"), 465);
  EXPECT_TRUE(settings->GetPluginEnabled(u"modules"));
  EXPECT_FALSE(settings->GetPluginEnabled(u"hardware"));
}

TEST_F(SWSettings, ObjectsOfOneModuleShareOneBlock) {
  FHost.Resources[Exe()] = B().Int("HttpPort", 80).Bytes();
  {
    const auto first = Settings(Exe());
    const auto second = Settings(Exe());
    first->SetHttpPort(8080);
    EXPECT_EQ(second->GetHttpPort(), 8080u);
    EXPECT_EQ(FHost.Loads, 1);
    EXPECT_EQ(FHost.Blocks.BlockCount(), 1u);

    second->Reload();  // the resource again: the change is gone for both
    EXPECT_EQ(first->GetHttpPort(), 80u);
  }
  EXPECT_EQ(FHost.Blocks.BlockCount(), 0u);
  EXPECT_EQ(Settings(Exe())->GetHttpPort(), 80u);
}

// Readers on one thread while a setter on another replaces a text and adds keys (which
// moves the block's properties): each read sees one whole value, never freed memory.
TEST_F(SWSettings, ReadsAndWritesOnSeveralThreadsKeepEachValueWhole) {
  FHost.Resources[Exe()] = B().Text("MailAddr", "first@example.com").Bytes();
  const auto settings = Settings(Exe());
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; i < 2000; ++i) {
      settings->SetMailAddr(i % 2 ? u"first@example.com" : u"second.address@example.com");
      settings->SetPropInt("Counter" + std::to_string(i), i);
    }
    done = true;
  });
  int unexpected = 0;
  while (!done) {
    const std::u16string address = settings->GetMailAddr();
    unexpected += address != u"first@example.com" && address != u"second.address@example.com";
  }
  writer.join();
  EXPECT_EQ(unexpected, 0);
  EXPECT_EQ(settings->GetPropInt("Counter1999"), 1999);
}

// A library's settings without a key of their own take the executable's value, not the
// built-in default.
TEST_F(SWSettings, LibraryAsksTheMainSettingsForWhatItLacks) {
  FHost.Resources[Exe()] = B().Int("AutoDelay", 5).Text("MailAddr", "exe@example.com").Bytes();
  FHost.Resources[kLibrary] = B().Text("MailAddr", "lib@example.com").Bytes();
  const auto library = Settings(kLibrary);
  EXPECT_EQ(library->GetAutoDelay(), 60u);  // no main settings yet: the defaults
  SetMainSettings(std::make_shared<TISWSettings>(Exe(), true, FHost));
  EXPECT_EQ(library->GetAutoDelay(), 5u);
  EXPECT_EQ(library->GetMailAddr(), u"lib@example.com");
  EXPECT_EQ(library->GetBugReportFile(), u"bugreport.mbr");  // the main settings' default
}

TEST_F(SWSettings, PasswordsAreDecipheredWhenLoaded) {
  FHost.Resources[Exe()] = B().Text("SmtpServer", "smtp.example.com")
                               .Text("SmtpAccount", "smtpuser")
                               .Text("SmtpPassword", StoredPassword("secret1", "smtpuser", "smtp.example.com"))
                               .Text("HttpServer", "www.example.com")
                               .Text("HttpAccount", "httpuser")
                               .Text("HttpPassword", StoredPassword("secret2", "httpuser", "www.example.com"))
                               .Text("BugTrAccount", "tracker")
                               .Text("BugTrPassword", StoredPassword("secret3", "tracker", "www.example.com"))
                               .Bytes();
  const auto settings = Settings(Exe());
  EXPECT_EQ(settings->GetSmtpPassword(), u"secret1");
  EXPECT_EQ(settings->GetHttpPassword(), u"secret2");
  EXPECT_EQ(settings->GetBugTrackerPassword(), u"secret3");
}

TEST_F(SWSettings, VersionVarPointsAtTheModulesVersionText) {
  FHost.Resources[Exe()] = B().Int("VersionVar", 0x40).Text("TitleBar", "%appname% %appversion%").Bytes();
  FHost.Resources[kLibrary] = B().Text("TitleBar", "%modname% %modversion% of %appversion%").Bytes();
  FHost.VersionTexts[{Exe(), 0x40}] = "2.5 beta";
  SetMainSettings(std::make_shared<TISWSettings>(Exe(), true, FHost));
  const auto exe = Settings(Exe());
  EXPECT_EQ(exe->VersionVar(), u"2.5 beta");
  EXPECT_EQ(exe->GetTitleBar(), u"palvetta.exe 2.5 beta");
  EXPECT_EQ(Settings(kLibrary)->GetTitleBar(), u"plugin.dll ? of 2.5 beta");
}

TEST_F(SWSettings, TextsAreExpandedExceptTheFrozenMessage) {
  FHost.Resources[Exe()] = B().Text("FrozenMsg", "%appname% hangs")
                               .Text("TitleBar", "%appname%")
                               .Text("BugTrTitle", "%appname%, %exceptMsg%")
                               .Bytes();
  const auto settings = Settings(Exe());
  EXPECT_EQ(settings->GetFrozenMsg(), u"%appname% hangs");
  EXPECT_EQ(settings->GetTitleBar(), u"palvetta.exe");
  EXPECT_EQ(settings->GetBugTrackerTitle(), u"palvetta.exe, %exceptMsg%");
}

TEST_F(SWSettings, PluginsAreEnabledAndDisabledByName) {
  FHost.Resources[Exe()] = B().Text("Plugins", "modules|processes|hardware").Bytes();
  const auto settings = Settings(Exe());
  settings->SetPluginEnabled(u"Modules", false);
  EXPECT_EQ(settings->GetPropStr("Plugins"), u"processes|hardware");
  EXPECT_FALSE(settings->GetPluginEnabled(u"modules"));
  settings->SetPluginEnabled(u"modules", true);
  EXPECT_EQ(settings->GetPropStr("Plugins"), u"processes|hardware|modules");
  settings->SetPluginEnabled(u"HARDWARE", true);  // already there
  EXPECT_EQ(settings->GetPropStr("Plugins"), u"processes|hardware|modules");

  settings->SetPropStr("Plugins", u"");
  settings->SetPluginEnabled(u"hardware", true);
  EXPECT_EQ(settings->GetPropStr("Plugins"), u"hardware");
  settings->SetPluginEnabled(u"hardware", false);
  EXPECT_EQ(settings->GetPropStr("Plugins"), u"");
}

TEST_F(SWSettings, AdditionalFieldsWriteTheirChangesBack) {
  FHost.Resources[Exe()] = B().Text("AddFields", "Product=Palvetta|Formula=a=b").Bytes();
  const auto settings = Settings(Exe());
  const auto fields = settings->GetAdditionalFields();
  EXPECT_EQ(fields->GetContent(u"formula"), u"a=b");
  EXPECT_EQ(fields, settings->GetAdditionalFields());
  fields->SetContent(u"Build", u"42");
  EXPECT_EQ(settings->GetPropStr("AddFields"), u"Product=Palvetta|Formula=a=b|Build=42");
  EXPECT_EQ(settings->GetAssistant(u"sendassistant"), nullptr);
}

// A page of edits and check boxes, as the form cache sees an assistant's page.
class TFakeItem final : public IFormCacheItem {
 public:
  TFakeItem(TFormCacheItemKind kind, std::u16string name) : FKind(kind), FName(std::move(name)) {}
  TFormCacheItemKind Kind() override { return FKind; }
  std::u16string Name() override { return FName; }
  std::u16string Text() override { return Value; }
  void SetText(const std::u16string& text) override { Value = text; }
  bool Checked() override { return IsChecked; }
  void SetChecked(bool checked) override { IsChecked = checked; }

  std::u16string Value;
  bool IsChecked = false;

 private:
  TFormCacheItemKind FKind;
  std::u16string FName;
};

class TFakePage final : public IFormCachePage {
 public:
  bool Accepted() override { return IsAccepted; }
  int ItemCount() override { return static_cast<int>(Items.size()); }
  IFormCacheItem& Item(int index) override { return Items[static_cast<size_t>(index)]; }
  bool ContinueEnabled() override { return true; }
  void ActivateContinue() override { ContinueActive = true; }

  std::vector<TFakeItem> Items;
  bool IsAccepted = true;
  bool ContinueActive = false;
};

class TFakeAssistant : public IFormCacheAssistant {
 public:
  int PageCount() override { return static_cast<int>(Pages.size()); }
  IFormCachePage& Page(int index) override { return Pages[static_cast<size_t>(index)]; }
  std::vector<TFakePage> Pages;
};

TFakeAssistant ContactAndDetails() {
  TFakeAssistant assistant;
  assistant.Pages.resize(2);
  assistant.Pages[0].Items = {{fkEdit, u"Email"}, {fkCheckBox, u"Remember"}, {fkOther, u"Label"}};
  assistant.Pages[1].Items = {{fkEdit, u"Details"}};
  return assistant;
}

TEST_F(SWSettings, FormCacheRestoresWhatWasEntered) {
  FHost.Resources[Exe()] = B().Bytes();
  const auto settings = Settings(Exe());
  TFakeAssistant first = ContactAndDetails();
  settings->ReadFormCache(first);  // no cache yet: nothing happens
  EXPECT_FALSE(first.Pages[0].ContinueActive);

  first.Pages[0].Items[0].Value = u"me@example.com";
  first.Pages[0].Items[1].IsChecked = true;
  first.Pages[1].Items[0].Value = u"it crashed";
  first.Pages[1].IsAccepted = false;  // left with cancel: not remembered
  settings->FillFormCache(first);

  TFakeAssistant second = ContactAndDetails();
  settings->ReadFormCache(second);
  EXPECT_EQ(second.Pages[0].Items[0].Value, u"me@example.com");
  EXPECT_TRUE(second.Pages[0].Items[1].IsChecked);
  EXPECT_TRUE(second.Pages[0].ContinueActive);
  EXPECT_EQ(second.Pages[1].Items[0].Value, u"");
  EXPECT_FALSE(second.Pages[1].ContinueActive);

  // An emptied edit drops its entry, so that page is no longer complete.
  second.Pages[0].Items[0].Value.clear();
  settings->FillFormCache(second);
  TFakeAssistant third = ContactAndDetails();
  settings->ReadFormCache(third);
  EXPECT_TRUE(third.Pages[0].Items[1].IsChecked);
  EXPECT_FALSE(third.Pages[0].ContinueActive);
}

}  // namespace
}  // namespace palvetta
