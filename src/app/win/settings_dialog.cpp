#include "app/win/settings_dialog.h"

#include <string>

#include "app/help_contexts.h"

namespace palvetta {
namespace {

TStrings FontSizeEntries() {
  TStrings entries;
  for (int size = TAppearance::kMinFontSize; size <= TAppearance::kMaxFontSize; ++size) {
    entries.push_back(size == TAppearance::kDefaultFontSize ? std::to_string(size) + " (default)"
                                                           : std::to_string(size));
  }
  return entries;
}

TLayoutNode SettingsDescription() {
  return Dialog({
      LabelAbove("Color theme:", Combo("cmbTheme", TAppearance::GetThemeNames())),
      LabelAbove("Font size:", Combo("cmbFontSize", FontSizeEntries())),
      Note("lblNote",
           "Changes show at once. With a larger font size, every window grows "
           "with its text.",
           40),
  });
}

int ThemeIndex(std::string_view name) {
  const TThemeRow* row = FindThemeRow(name);
  if (!row) return -1;
  return static_cast<int>(row - ThemeTable.data());
}

TDialogOptions SettingsOptions(const TFormEnvironment& environment) {
  TDialogOptions options;
  options.Title = "Settings";
  options.HelpContext = SettingsDialogHelpContext;
  options.Environment = environment;
  return options;
}

}  // namespace

TfrmSettings::TfrmSettings(const TFormEnvironment& environment)
    : FDialog(SettingsDescription(), SettingsOptions(environment)) {}

bool TfrmSettings::Execute(TAppearance& appearance, TSettingsStore& store, HWND owner) {
  const std::string rememberedTheme = appearance.GetCurrentTheme();
  const int rememberedSize = appearance.GetFontSize();
  FQueued.clear();
  // Setting an index in code runs no change handler, so filling applies
  // nothing.
  FDialog.SetIndex("cmbTheme", ThemeIndex(rememberedTheme));
  FDialog.SetIndex("cmbFontSize", rememberedSize - TAppearance::kMinFontSize);
  FDialog.OnChange("cmbTheme", [this, &appearance] {
    const int index = FDialog.Index("cmbTheme");
    if (index < 0 || index >= static_cast<int>(ThemeTable.size())) return;
    // The entry's text, which is the row's display name.
    Queue([&appearance,
           theme = std::string(ThemeTable[static_cast<std::size_t>(index)].DisplayName)] {
      appearance.ApplyTheme(theme);
    });
  });
  FDialog.OnChange("cmbFontSize", [this, &appearance] {
    const int index = FDialog.Index("cmbFontSize");
    if (index < 0) return;
    Queue([&appearance, index] { appearance.SetFontSize(index + TAppearance::kMinFontSize); });
  });

  const TModalResult result = FDialog.ShowModal(owner);
  // The dialog drops its own posted work when it closes; what the user chose
  // last must still take effect before OK saves it or Cancel undoes it.
  RunAllQueued();
  // The handlers refer to this call's appearance.
  FDialog.OnChange("cmbTheme", nullptr);
  FDialog.OnChange("cmbFontSize", nullptr);

  if (result == TModalResult::mrOK) {
    appearance.SaveAppearanceSettings(store);
    return true;
  }
  if (appearance.GetCurrentTheme() != rememberedTheme) appearance.ApplyTheme(rememberedTheme);
  appearance.SetFontSize(rememberedSize);
  return false;
}

void TfrmSettings::Queue(std::function<void()> change) {
  FQueued.push_back(std::move(change));
  FDialog.Post([this] { RunNextQueued(); });
}

void TfrmSettings::RunNextQueued() {
  if (FQueued.empty()) return;
  std::function<void()> change = std::move(FQueued.front());
  FQueued.pop_front();
  change();
}

void TfrmSettings::RunAllQueued() {
  while (!FQueued.empty()) RunNextQueued();
}

}  // namespace palvetta
