#include "gui/win/registry_settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "base/win/wide.h"

namespace palvetta {
namespace {

// Every test works below its own scratch key and deletes it afterwards.
class RegistrySettingsStoreTest : public testing::Test {
 protected:
  RegistrySettingsStoreTest()
      : Root("Software\\Palvetta-Test-" + std::to_string(GetCurrentProcessId()) + "-" +
             testing::UnitTest::GetInstance()->current_test_info()->name()),
        Store(Root) {}

  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(Root).c_str()); }

  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(Root).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, Widen(Root).c_str());
    EXPECT_FALSE(KeyExists(""));
  }

  std::wstring KeyPath(const std::string& section) const {
    return Widen(section.empty() ? Root : Root + "\\" + section);
  }

  bool KeyExists(const std::string& section) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

  // The type of a stored value, or nothing when it is missing.
  std::optional<DWORD> RawType(const std::string& section, const std::string& name) const {
    DWORD type = REG_NONE;
    if (RegGetValueW(HKEY_CURRENT_USER, KeyPath(section).c_str(), Widen(name).c_str(),
                     RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return type;
  }

  std::optional<DWORD> RawDword(const std::string& section, const std::string& name) const {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, KeyPath(section).c_str(), Widen(name).c_str(),
                     RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return value;
  }

  std::optional<std::wstring> RawText(const std::string& section, const std::string& name) const {
    wchar_t buffer[512];
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, KeyPath(section).c_str(), Widen(name).c_str(),
                     RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return std::wstring(buffer);
  }

  // Writes a value of any type, as a user or another program might have left it.
  void PutRaw(const std::string& section, const std::string& name, DWORD type, const void* data,
              DWORD size) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, KeyPath(section).c_str(), Widen(name).c_str(),
                              type, data, size),
              ERROR_SUCCESS);
  }

  const std::string Root;
  TRegistrySettingsStore Store;
};

TEST(RegistrySettingsStore, DefaultRootIsTheProgramsKey) {
  EXPECT_EQ(TRegistrySettingsStore().RootPath(), "Software\\Palvetta");
}

TEST_F(RegistrySettingsStoreTest, EachKindRoundTripsWithItsRegistryType) {
  Store.WriteString("Settings", "Theme", "Carbon");
  Store.WriteString("Settings", "Empty", "");
  Store.WriteInteger("Window", "Left", -120);
  Store.WriteInteger("Window", "Big", INT_MAX);
  Store.WriteInteger("Window", "Small", INT_MIN);
  Store.WriteBool("Window", "Maximized", true);
  Store.WriteBool("Window", "Hidden", false);

  EXPECT_EQ(Store.ReadString("Settings", "Theme", "x"), "Carbon");
  EXPECT_EQ(Store.ReadString("Settings", "Empty", "x"), "");
  EXPECT_EQ(Store.ReadInteger("Window", "Left", 0), -120);
  EXPECT_EQ(Store.ReadInteger("Window", "Big", 0), INT_MAX);
  EXPECT_EQ(Store.ReadInteger("Window", "Small", 0), INT_MIN);
  EXPECT_TRUE(Store.ReadBool("Window", "Maximized", false));
  EXPECT_FALSE(Store.ReadBool("Window", "Hidden", true));

  EXPECT_EQ(RawType("Settings", "Theme"), DWORD{REG_SZ});
  EXPECT_EQ(RawText("Settings", "Theme"), L"Carbon");
  EXPECT_EQ(RawType("Window", "Left"), DWORD{REG_DWORD});
  EXPECT_EQ(RawDword("Window", "Left"), static_cast<DWORD>(-120));
  EXPECT_EQ(RawType("Window", "Maximized"), DWORD{REG_DWORD});
  EXPECT_EQ(RawDword("Window", "Maximized"), DWORD{1});
  EXPECT_EQ(RawDword("Window", "Hidden"), DWORD{0});
}

TEST_F(RegistrySettingsStoreTest, OverwritingReplacesTheValueAndItsType) {
  Store.WriteString("Settings", "FontSize", "abc");
  Store.WriteInteger("Settings", "FontSize", 11);
  EXPECT_EQ(RawType("Settings", "FontSize"), DWORD{REG_DWORD});
  EXPECT_EQ(Store.ReadInteger("Settings", "FontSize", 9), 11);
  Store.WriteInteger("Settings", "FontSize", 12);
  EXPECT_EQ(Store.ReadInteger("Settings", "FontSize", 9), 12);
}

TEST_F(RegistrySettingsStoreTest, DeletingRemovesOnlyThatValueAndMissingOnesAreNoError) {
  Store.DeleteValue("Recent", "1");  // no root key yet
  EXPECT_FALSE(KeyExists("")) << "deleting must not create keys";
  Store.WriteString("Recent", "1", "a.kwj");
  Store.WriteString("Recent", "2", "b.kwj");
  Store.DeleteValue("Recent", "2");
  Store.DeleteValue("Recent", "3");
  EXPECT_EQ(RawText("Recent", "1"), L"a.kwj");
  EXPECT_EQ(RawType("Recent", "2"), std::nullopt);
}

TEST_F(RegistrySettingsStoreTest, MissingValuesGiveTheDefault) {
  // No root key at all.
  EXPECT_EQ(Store.ReadString("Settings", "Theme", "Modern"), "Modern");
  EXPECT_EQ(Store.ReadInteger("Settings", "FontSize", 9), 9);
  EXPECT_TRUE(Store.ReadBool("Window", "Maximized", true));
  EXPECT_FALSE(KeyExists("")) << "reads must not create keys";
  // The section exists, the value does not.
  Store.WriteInteger("Window", "Left", 5);
  EXPECT_EQ(Store.ReadInteger("Window", "Top", 17), 17);
  EXPECT_EQ(Store.ReadString("Window", "Theme", "dflt"), "dflt");
  EXPECT_FALSE(Store.ReadBool("Window", "Maximized", false));
  // Another section does not exist.
  EXPECT_EQ(Store.ReadInteger("Preview", "Left", 3), 3);
}

TEST_F(RegistrySettingsStoreTest, ValuesOfTheWrongTypeGiveTheDefault) {
  Store.WriteString("S", "Text", "12");
  Store.WriteInteger("S", "Number", 12);
  const unsigned char bytes[] = {1, 0, 0, 0};
  PutRaw("S", "Binary", REG_BINARY, bytes, sizeof bytes);
  const unsigned long long wide = 12;
  PutRaw("S", "Qword", REG_QWORD, &wide, sizeof wide);
  const DWORD shortDword = 0;
  PutRaw("S", "Truncated", REG_DWORD, &shortDword, 2);

  EXPECT_EQ(Store.ReadInteger("S", "Text", 9), 9);
  EXPECT_EQ(Store.ReadString("S", "Number", "dflt"), "dflt");
  EXPECT_EQ(Store.ReadString("S", "Binary", "dflt"), "dflt");
  EXPECT_EQ(Store.ReadInteger("S", "Binary", 9), 9);
  EXPECT_TRUE(Store.ReadBool("S", "Binary", true));
  EXPECT_FALSE(Store.ReadBool("S", "Binary", false));
  EXPECT_EQ(Store.ReadInteger("S", "Qword", 9), 9);
  EXPECT_EQ(Store.ReadInteger("S", "Truncated", 9), 9);
}

TEST_F(RegistrySettingsStoreTest, BooleansReadLenientlyFromText) {
  struct Case {
    const wchar_t* text;
    std::optional<bool> expected;
  };
  const Case cases[] = {
      {L"1", true},    {L"0", false}, {L"True", true}, {L"False", false},
      {L"true", true}, {L"maybe", {}}, {L"", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    const std::wstring text = c.text;
    PutRaw("S", "Flag", REG_SZ, text.c_str(),
           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(Store.ReadBool("S", "Flag", true), c.expected.value_or(true));
    EXPECT_EQ(Store.ReadBool("S", "Flag", false), c.expected.value_or(false));
  }
  const DWORD other = 7;
  PutRaw("S", "Flag", REG_DWORD, &other, sizeof other);
  EXPECT_TRUE(Store.ReadBool("S", "Flag", false));
}

TEST_F(RegistrySettingsStoreTest, TextWithoutTerminatorOrWithExpansionIsReadAsStored) {
  const wchar_t bare[] = {L'a', L'b', L'c'};
  PutRaw("S", "Bare", REG_SZ, bare, sizeof bare);
  EXPECT_EQ(Store.ReadString("S", "Bare", "x"), "abc");
  const std::wstring expandable = L"%TEMP%\\x";
  PutRaw("S", "Expand", REG_EXPAND_SZ, expandable.c_str(),
         static_cast<DWORD>((expandable.size() + 1) * sizeof(wchar_t)));
  EXPECT_EQ(Store.ReadString("S", "Expand", "x"), "%TEMP%\\x");
}

TEST_F(RegistrySettingsStoreTest, SectionIsASubkeyOfTheRoot) {
  Store.WriteInteger("Window", "Left", 1);
  Store.WriteInteger("Preview", "Left", 2);
  Store.WriteInteger("Dialogs\\Settings", "Left", 3);
  EXPECT_TRUE(KeyExists("Window"));
  EXPECT_TRUE(KeyExists("Preview"));
  EXPECT_TRUE(KeyExists("Dialogs\\Settings"));
  EXPECT_EQ(RawDword("Window", "Left"), DWORD{1});
  EXPECT_EQ(RawDword("Preview", "Left"), DWORD{2});
  EXPECT_EQ(RawDword("Dialogs\\Settings", "Left"), DWORD{3});
  EXPECT_EQ(RawType("", "Left"), std::nullopt) << "nothing lands on the root itself";
  EXPECT_EQ(Store.ReadInteger("Window", "Left", 0), 1);
  EXPECT_EQ(Store.ReadInteger("Preview", "Left", 0), 2);
  EXPECT_EQ(Store.ReadInteger("Dialogs\\Settings", "Left", 0), 3);
  // The registry ignores case in key and value names.
  EXPECT_EQ(Store.ReadInteger("WINDOW", "left", 0), 1);
}

TEST_F(RegistrySettingsStoreTest, NonAsciiTextRoundTrips) {
  const std::string section = "Fenster \xC3\x84nderung";                // Fenster Änderung
  const std::string key = "Gr\xC3\xB6\xC3\x9F" "e";                    // Größe
  const std::string value = "\xE6\x97\xA5\xE6\x9C\xAC \xE2\x9C\x93 "  // 日本 ✓
                            "\xC3\xBCml\xC3\xA4ut \xF0\x9F\x98\x80";  // ümläut, an emoji
  Store.WriteString(section, key, value);
  EXPECT_EQ(Store.ReadString(section, key, ""), value);
  EXPECT_EQ(RawText(section, key), Widen(value));
}

TEST_F(RegistrySettingsStoreTest, LongTextRoundTrips) {
  std::string value;
  for (int i = 0; i < 2000; ++i) value += "\xC3\xA9" + std::to_string(i % 10);
  Store.WriteString("S", "Long", value);
  EXPECT_EQ(Store.ReadString("S", "Long", ""), value);
}

}  // namespace
}  // namespace palvetta
