#include "gui/win/controls/control_registry.h"

#include "gui/layout_kinds.h"
#include "gui/win/controls/button_control.h"
#include "gui/win/controls/check_box_control.h"
#include "gui/win/controls/combo_control.h"
#include "gui/win/controls/date_control.h"
#include "gui/win/controls/drive_combo_control.h"
#include "gui/win/controls/edit_control.h"
#include "gui/win/controls/grid_control.h"
#include "gui/win/controls/icon_control.h"
#include "gui/win/controls/list_control.h"
#include "gui/win/controls/group_box_control.h"
#include "gui/win/controls/memo_control.h"
#include "gui/win/controls/number_control.h"
#include "gui/win/controls/pages_control.h"
#include "gui/win/controls/panel_control.h"
#include "gui/win/controls/panel_group_control.h"
#include "gui/win/controls/progress_control.h"
#include "gui/win/controls/radio_button_control.h"
#include "gui/win/controls/static_text_control.h"
#include "gui/win/controls/three_state_grid_control.h"
#include "gui/win/controls/time_control.h"

namespace palvetta {
namespace {

using TMaker = std::unique_ptr<IDialogControl> (*)(const TLayoutNode&, const TControlSite&);

template <class TControl>
std::unique_ptr<IDialogControl> Make(const TLayoutNode& node, const TControlSite& site) {
  return std::make_unique<TControl>(node, site);
}

std::unique_ptr<IDialogControl> MakeGroupBox(const TLayoutNode& node, const TControlSite& site) {
  if (!node.Group) return nullptr;
  return Make<TGroupBoxControl>(node, site);
}

std::unique_ptr<IDialogControl> MakeNothing(const TLayoutNode&, const TControlSite&) {
  return nullptr;
}

struct TControlClass {
  TLayoutKind Kind;
  TMaker Maker;
};

// In the order of TLayoutKind.
constexpr TControlClass kClasses[] = {
    {TLayoutKind::lkColumn, MakeGroupBox},
    {TLayoutKind::lkRow, MakeGroupBox},
    {TLayoutKind::lkLabel, Make<TStaticTextControl>},
    {TLayoutKind::lkNote, Make<TStaticTextControl>},
    {TLayoutKind::lkEdit, Make<TEditControl>},
    {TLayoutKind::lkMemo, Make<TMemoControl>},
    {TLayoutKind::lkCombo, Make<TComboControl>},
    {TLayoutKind::lkCheck, Make<TCheckBoxControl>},
    {TLayoutKind::lkRadio, Make<TRadioButtonControl>},
    {TLayoutKind::lkButton, Make<TButtonControl>},
    {TLayoutKind::lkNumber, Make<TNumberControl>},
    {TLayoutKind::lkGrid, Make<TGridControl>},
    {TLayoutKind::lkSpacer, MakeNothing},
    {TLayoutKind::lkPages, Make<TPagesControl>},
    {TLayoutKind::lkThreeStateGrid, Make<TThreeStateGridControl>},
    {TLayoutKind::lkDate, Make<TDateControl>},
    {TLayoutKind::lkList, Make<TListControl>},
    {TLayoutKind::lkPanel, Make<TPanelControl>},
    {TLayoutKind::lkPanelGroup, Make<TPanelGroupControl>},
    {TLayoutKind::lkDriveCombo, Make<TDriveComboControl>},
    {TLayoutKind::lkTime, Make<TTimeControl>},
    {TLayoutKind::lkProgress, Make<TProgressControl>},
    {TLayoutKind::lkIcon, Make<TIconControl>},
};

static_assert(InKindOrder(kClasses), "the rows follow the order of TLayoutKind");

}  // namespace

std::unique_ptr<IDialogControl> MakeControl(const TLayoutNode& node, const TControlSite& site) {
  return RowOfKind(kClasses, node.Kind).Maker(node, site);
}

}  // namespace palvetta
