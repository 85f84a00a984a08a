#pragma once
// The batch preview: the files a generation run made, shown before anything is written,
// with batch syntax colours of the current theme. One tab per file when there are several.
// The text can be edited and copied, but edits go nowhere: closing the preview drops them.

#include <windows.h>

#include <functional>

#include "gui/actions.h"
#include "gui/win/action_binding.h"
#include "gui/win/form.h"
#include "gui/win/gdi_text_measurer.h"
#include "model/created_files.h"

namespace palvetta {

class TfrmBatchPreview : public TForm {
 public:
  explicit TfrmBatchPreview(const TFormEnvironment& environment);
  ~TfrmBatchPreview() override;

  // Shows the files: a tab per file captioned with its name when there is more than one,
  // the first selected, and file 0 in the editor. The files are not owned and must stay
  // unchanged while the preview shows them.
  void Init(const TCreatedFiles& createdFiles);
  // Modal over the owner until the user closes the window.
  void ShowModal(HWND owner);
  // Ends ShowModal, as closing the window does.
  void Close() { EndModal(TModalResult::mrCancel); }
  // Called once the preview is shown, before its loop runs (tests Post from here).
  std::function<void(TfrmBatchPreview&)> OnShown;

  // Selects a tab and shows its file, as a click on the tab does.
  void SelectTab(int index);
  HWND Tabs() const { return FTabs; }
  HWND Editor() const { return FEditor; }
  HWND Toolbar() const { return FToolbar; }
  TActionList& Actions() { return FActions; }
  TActionBinding& Binding() { return FBinding; }

 protected:
  void Rescale(const TRect* suggested) override;
  LRESULT HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateModal(const MSG& message) override;
  void ModalIdle() override { FBinding.OnIdle(); }

 private:
  void CreateControls();
  void AddEditActions();
  void LoadFile(int index);
  void ApplyFonts();
  void LayoutControls();
  bool RunShortcut(const MSG& message);

  const TCreatedFiles* FCreatedFiles = nullptr;
  TActionList FActions;
  TActionBinding FBinding{FActions};
  TScopedFont FFont;  // tabs and tool bar
  HWND FToolbar = nullptr;
  HWND FTabs = nullptr;
  HWND FEditor = nullptr;
  int FScale = 0;  // Dpi() times the font pixels the window size was made for
};

}  // namespace palvetta
