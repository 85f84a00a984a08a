// Every dialog at every font size the settings offer, every page shown and every panel
// expanded: no caption is cut by its control's width or the dialog's edge, no two
// controls overlap, drop-down lists leave room before their button, and list boxes show
// whole rows. Sizes are measured on the real controls with the dialog's font.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <uxtheme.h>
#include <vsstyle.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/win/wide.h"
#include "editor_dialogs_fixture.h"
#include "gui/appearance.h"
#include "gui/win/controls/three_state_grid_control.h"
#include "gui/win/dialog.h"
#include "gui/win/gdi_text_measurer.h"
#include "gui/win/open_windows.h"
#include "items/system/task_items.h"

namespace palvetta {
namespace {

std::string WindowText(HWND control) {
  wchar_t text[512] = {};
  GetWindowTextW(control, text, 512);
  return Narrow(text);
}

RECT InParent(HWND control) {
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int Width(const RECT& rect) { return rect.right - rect.left; }

bool IsGroupBox(HWND control) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  return _wcsicmp(name, L"BUTTON") == 0 &&
         (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// What a check box or radio button draws left of its caption: the glyph (its visual
// style's when it has one) and half a digit's width.
int GlyphRoom(HWND control, HDC dc, int dpi, bool radio) {
  int glyph = MulDiv(12, dpi, 96) + 1;
  if (const HTHEME theme = OpenThemeData(control, L"BUTTON")) {
    SIZE size = {};
    if (SUCCEEDED(GetThemePartSize(theme, dc, radio ? BP_RADIOBUTTON : BP_CHECKBOX, 1, nullptr,
                                   TS_DRAW, &size))) {
      glyph = std::max<int>(glyph, size.cx);
    }
    CloseThemeData(theme);
  }
  INT digit = 0;
  GetCharWidth32W(dc, L'0', L'0', &digit);
  return glyph + digit / 2 + 1;
}

class TFitChecker {
 public:
  TFitChecker(TDialog& dialog, std::string where)
      : FDialog(dialog), FWhere(std::move(where)), FMeasurer(dialog.Font()),
        FDpi(static_cast<int>(GetDpiForWindow(dialog.Handle()))) {}

  void Run() {
    std::vector<HWND> shown;
    VisitNodes(FDialog.Description(), [&](const TLayoutNode& node) {
      if (node.Name.empty() || !FDialog.HasControl(node.Name)) return;
      const HWND control = FDialog.Control(node.Name);
      if (!IsWindowVisible(control)) return;
      shown.push_back(control);
      CheckCaption(node, control);
      CheckInsideParent(node, control);
    });
    CheckNoOverlap(shown);
  }

 private:
  static void VisitNodes(const TLayoutNode& node,
                         const std::function<void(const TLayoutNode&)>& visit) {
    visit(node);
    for (const TLayoutNode& child : node.Children) VisitNodes(child, visit);
  }

  int Scaled(int pixels) const { return MulDiv(pixels, FDpi, 96); }
  int Text(const std::string& text) const { return FMeasurer.TextWidth(text); }

  void Fault(const TLayoutNode& node, const std::string& what) {
    ADD_FAILURE() << FWhere << ", " << node.Name << ": " << what;
  }

  void NeedWidth(const TLayoutNode& node, const std::string& caption, int needed, int room) {
    if (needed > room) {
      Fault(node, "\"" + caption + "\" needs " + std::to_string(needed) + " pixels, has " +
                      std::to_string(room));
    }
  }

  void CheckCaption(const TLayoutNode& node, HWND control) {
    RECT client = {};
    GetClientRect(control, &client);
    const std::string caption = WindowText(control);
    switch (node.Kind) {
      case TLayoutKind::lkLabel:
        NeedWidth(node, caption, Text(caption), client.right);
        break;
      case TLayoutKind::lkCheck:
      case TLayoutKind::lkRadio: {
        const HDC dc = GetDC(control);
        const HGDIOBJ old = SelectObject(dc, FDialog.Font());
        const int glyph = GlyphRoom(control, dc, FDpi, node.Kind == TLayoutKind::lkRadio);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        NeedWidth(node, caption, glyph + Text(caption), client.right);
        break;
      }
      case TLayoutKind::lkButton:
        NeedWidth(node, caption, Text(caption) + Scaled(8), client.right);
        break;
      case TLayoutKind::lkCombo: {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        if (!GetComboBoxInfo(control, &info)) break;
        // Room left of the text and before the button, so that no entry touches it.
        for (const std::string& entry : FDialog.Entries(node.Name)) {
          NeedWidth(node, entry, Text(entry) + Scaled(6), Width(info.rcItem));
        }
        break;
      }
      case TLayoutKind::lkGrid:
        for (std::size_t c = 0; c < node.Entries.size(); ++c) {
          NeedWidth(node, node.Entries[c], Text(node.Entries[c]) + Scaled(12),
                    ListView_GetColumnWidth(control, static_cast<int>(c)));
        }
        break;
      case TLayoutKind::lkThreeStateGrid:
        CheckThreeStateGrid(node, FDialog.ThreeStateGrid(node.Name).ColumnEdges());
        break;
      case TLayoutKind::lkList: {
        const int row = static_cast<int>(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0));
        if (row > 0 && client.bottom % row != 0) {
          Fault(node, "the last row shows " + std::to_string(client.bottom % row) + " of " +
                          std::to_string(row) + " pixels");
        }
        break;
      }
      default:
        // A group box's caption sits in its frame, a few pixels in from each side.
        if (node.Group) NeedWidth(node, caption, Text(caption) + Scaled(16), client.right);
        break;
    }
  }

  void CheckThreeStateGrid(const TLayoutNode& node, const std::vector<int>& edges) {
    const int padding = 2 * Scaled(6);
    int first = Text(node.Entries.at(0));
    for (const TThreeStateRow& row : node.StateRows) first = std::max(first, Text(row.Caption));
    NeedWidth(node, "its captions", first + padding, edges.at(0));
    for (std::size_t c = 1; c < 3; ++c) {
      NeedWidth(node, node.Entries.at(c), Text(node.Entries.at(c)) + padding,
                edges.at(c) - edges.at(c - 1));
    }
  }

  // Within the dialog's client area; inside a scrolled panel group only across, as the
  // group scrolls what runs past its bottom into view.
  void CheckInsideParent(const TLayoutNode& node, HWND control) {
    const HWND parent = GetParent(control);
    RECT room = {};
    GetClientRect(parent, &room);
    const RECT rect = InParent(control);
    const bool across = rect.left >= 0 && rect.right <= room.right;
    const bool down = parent != FDialog.Handle() || (rect.top >= 0 && rect.bottom <= room.bottom);
    if (!across || !down) Fault(node, "runs past the edge of the dialog");
  }

  // Controls of one parent never share pixels, except a group box and what it frames.
  void CheckNoOverlap(const std::vector<HWND>& controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        const HWND a = controls[i];
        const HWND b = controls[j];
        if (GetParent(a) != GetParent(b)) continue;
        const RECT ra = InParent(a);
        const RECT rb = InParent(b);
        RECT common = {};
        if (!IntersectRect(&common, &ra, &rb)) continue;
        if ((IsGroupBox(a) && EqualRect(&common, &rb)) ||
            (IsGroupBox(b) && EqualRect(&common, &ra))) {
          continue;
        }
        ADD_FAILURE() << FWhere << ": \"" << WindowText(a) << "\" and \"" << WindowText(b)
                      << "\" overlap";
      }
    }
  }

  TDialog& FDialog;
  std::string FWhere;
  TGdiTextMeasurer FMeasurer;
  int FDpi;
};

// Every panel expanded, then each page of each pages control in turn.
void CheckEveryPage(TDialog& dialog, const std::string& where) {
  std::vector<const TLayoutNode*> pagesNodes;
  std::function<void(const TLayoutNode&)> collect = [&](const TLayoutNode& node) {
    if (node.Kind == TLayoutKind::lkPanel) dialog.SetPanelExpanded(node.Name, true);
    if (node.Kind == TLayoutKind::lkPages) pagesNodes.push_back(&node);
    for (const TLayoutNode& child : node.Children) collect(child);
  };
  collect(dialog.Description());
  TFitChecker(dialog, where).Run();
  for (const TLayoutNode* pages : pagesNodes) {
    for (std::size_t page = 1; page < pages->Children.size(); ++page) {
      dialog.ShowPage(pages->Name, static_cast<int>(page));
      TFitChecker(dialog, where + ", page " + pages->Children[page].Text).Run();
    }
    dialog.ShowPage(pages->Name, 0);
  }
}

class LabelFitTest : public EditorDialogsFixture {};

TEST_F(LabelFitTest, EveryItemDialogFitsItsCaptionsAtEveryFontSize) {
  for (int points = TAppearance::kMinFontSize; points <= TAppearance::kMaxFontSize; ++points) {
    for (const TItemEditorSpec& spec : AllEditorSpecs([](std::string_view) { return false; })) {
      TDialogOptions options{spec.Spec.Title, points, spec.Spec.TypedCombos};
      TDialog dialog(spec.Spec.Layout, options);
      ShowWindow(dialog.Handle(), SW_SHOWNOACTIVATE);
      CheckEveryPage(dialog, std::string(spec.ItemClass->Name) + " at " + std::to_string(points) +
                                 " pt");
    }
  }
}

TEST_F(LabelFitTest, ThePickersFitTheirCaptionsAtEveryFontSize) {
  for (int points = TAppearance::kMinFontSize; points <= TAppearance::kMaxFontSize; ++points) {
    TOpenWindows windows;
    windows.FontSizeChanged(points);
    TFormEnvironment environment;
    environment.OpenWindows = &windows;
    const std::string size = " at " + std::to_string(points) + " pt";
    auto check = [&](const std::string& name) {
      return [name, size](TDialog& dialog) {
        dialog.Post([&dialog, name, size] {
          CheckEveryPage(dialog, name + size);
          dialog.Cancel();
        });
      };
    };
    TServicePickerDialog services(environment);
    services.OnShown = check("service picker");
    services.Execute(Owner.Handle(), {"Spooler", "EventLog"}, {"NetworkProvider"});
    TFieldPickerDialog fields(environment);
    fields.OnShown = check("field picker");
    fields.Execute(Owner.Handle(), TaskFilterFields());
    TFolderListDialog folders(environment);
    folders.OnShown = check("folder list");
    folders.Execute(Owner.Handle(), "C:\\Windows;C:\\Temp");
  }
}

}  // namespace
}  // namespace palvetta
