// The settings resource linked into the program (this test links the same resources),
// the process's registry of settings blocks, and the placeholders' facts from the system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/number_text.h"
#include "base/path_text.h"
#include "base/win/kernel_handles.h"
#include "crash/settings/win/module_settings.h"
#include "crash/settings/win/placeholder_facts.h"
#include "crash/settings/win/settings_alert.h"
#include "crash/settings/win/settings_resource.h"
#include "shipped_settings_check.h"

namespace palvetta {
namespace {

uintptr_t Executable() { return reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr)); }

std::u16string ExecutableName() { return PathFileName(WindowsPlaceholderFacts().ModuleFileName(0)); }

std::wstring ProcessObjectName(const char* prefix) {
  const std::string name = prefix + CardToHexPadA(GetCurrentProcessId(), 1);
  return std::wstring(name.begin(), name.end());
}

int gAlerts = 0;
void CountAlert(const std::u16string&) { ++gAlerts; }

class SettingsWin : public testing::Test {
 protected:
  SettingsWin() : FPrevious(SetSettingsAlert(CountAlert)) { gAlerts = 0; }
  ~SettingsWin() override { SetSettingsAlert(FPrevious); }

 private:
  TSettingsAlert FPrevious;
};

TEST_F(SettingsWin, ProgramCarriesTheSettingsResource) {
  const auto resource = FindSettingsResource(Executable());
  ASSERT_GT(resource.size(), 25u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(resource.data()), 4), "TPF0");
  EXPECT_TRUE(FindSettingsResource(reinterpret_cast<uintptr_t>(GetModuleHandleW(L"kernel32.dll"))).empty());
}

TEST_F(SettingsWin, MainSettingsAnswerEveryShippedValue) {
  const auto settings = MainModuleSettings(0);
  EXPECT_EQ(settings->Module(), Executable());
  ExpectShippedSettings(*settings, ExecutableName());
  EXPECT_EQ(gAlerts, 0);
}

TEST_F(SettingsWin, TwoObjectsShareOneBlockThroughTheProcessRegistry) {
  const std::wstring mappingName = ProcessObjectName("StackwardSettingsBuf2");
  {
    const auto first = MainModuleSettings(0);
    const auto second = std::make_shared<TISWSettings>(Executable(), true);
    first->SetSmtpPort(587);
    EXPECT_EQ(second->GetSmtpPort(), 587u);

    // The named mapping holds the record's address, pointer-sized; the mutex exists.
    TScopedKernelHandle mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, mappingName.c_str()));
    ASSERT_TRUE(mapping);
    TScopedMappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, sizeof(void*)));
    ASSERT_TRUE(view);
    EXPECT_NE(*static_cast<void* const*>(view.Get()), nullptr);
    TScopedKernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, ProcessObjectName("StackwardSettingsMtx").c_str()));
    EXPECT_TRUE(mutex);

    second->Reload();
    EXPECT_EQ(first->GetSmtpPort(), 25u);
  }
  // The last object gone, the registry is gone with its mapping; the next one starts anew.
  EXPECT_FALSE(TScopedKernelHandle(OpenFileMappingW(FILE_MAP_READ, FALSE, mappingName.c_str())));
  EXPECT_EQ(MainModuleSettings(0)->GetSmtpPort(), 25u);
}

TEST_F(SettingsWin, ModuleWithoutResourceHasNoSettingsAndNoMessage) {
  TISWSettings settings(reinterpret_cast<uintptr_t>(GetModuleHandleW(L"kernel32.dll")), true);
  EXPECT_FALSE(settings.IsValid());
  EXPECT_EQ(settings.GetBugReportFile(), u"bugreport.mbr");
  EXPECT_EQ(gAlerts, 0);
}

TEST_F(SettingsWin, CodeAddressesFindTheProgramsSettings) {
  const void* inProgram = reinterpret_cast<const void*>(&Executable);
  const void* inSystem = reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "Sleep"));
  for (const void* address : {inProgram, inSystem}) {
    const auto settings = SettingsOfAddress(address);
    EXPECT_TRUE(settings->IsValid());
    EXPECT_EQ(settings->Module(), Executable());
  }
  EXPECT_EQ(CallerModuleSettings()->Module(), Executable());
  EXPECT_EQ(FindModuleSettings()->Module(), Executable());
}

TEST_F(SettingsWin, PlaceholdersTakeTheSystemsFacts) {
  std::u16string text = u"%appname%|%appversion%|%computerName%|%os%|%date%|%desktop%";
  ExpandPlaceholders(WindowsPlaceholderFacts(), Executable(), text, {});
  const std::u16string expectedStart = ExecutableName() + u"|0.1.0.0|";
  ASSERT_EQ(text.substr(0, expectedStart.size()), expectedStart);
  EXPECT_EQ(text.find(u'%'), std::u16string::npos) << std::string(text.begin(), text.end());
  EXPECT_NE(text.find(u"|Windows"), std::u16string::npos);
  EXPECT_NE(text.back(), u'\\');  // folders come without their final backslash
}

}  // namespace
}  // namespace palvetta
