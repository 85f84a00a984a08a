#pragma once
// SHUTDOWN: log off, shut down, restart, hibernate or document a shutdown, here or on
// another computer, optionally with a documented reason.

#include <string>

#include "gui/editor_values.h"
#include "items/system/shutdown_reasons.h"
#include "model/class_info.h"
#include "model/command_tables.h"
#include "model/custom_project_item.h"

namespace palvetta {

PALVETTA_ENUM(TShutDownMode, sdmLogOff, sdmShutdown, sdmShutdownRestart, sdmShutdownRestartRegApp,
              sdmAbortShutdown, sdmTurnOff, sdmHibernate, sdmDocumentUnexpected);

class TShutdownItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS
  TShutDownMode ShutdownMode = TShutDownMode::sdmShutdown;
  std::string Computer;
  int32_t Timeout = 0;  // seconds
  bool ForceCloseApps = false;
  bool ProvideReason = false;
  TReasonType ReasonType = TReasonType::rtExpected;
  int32_t MajorReasonNumber = 0;
  int32_t MinorReasonNumber = 0;
  std::string Comment;

  PALVETTA_ITEM_TEXTS
  PALVETTA_ITEM_EDITOR_CODE
};

// The modes' switches and the texts of the dialog's list; the reason kinds' list texts.
extern const TEnumTable<TShutDownMode> kShutdownModes;
extern const TEnumTable<TReasonType> kReasonTypes;

// What the shutdown dialog does with its values, the same whether the item fills it or
// the user changes the mode or the kind of reason.
namespace shutdown_editor {

// Documenting an unexpected shutdown needs a reason of the unexpected kind: the mode
// chooses that kind and, while no reason is asked for, asks for one; any other mode
// leaves the box as it is.
void ApplyMode(TEditorValues& values);
// The reasons of the chosen kind as the reason list's entries, the first one of the given
// numbers selected (the first entry when none has them).
void FillReasons(TEditorValues& values, int major, int minor);

}  // namespace shutdown_editor

}  // namespace palvetta
