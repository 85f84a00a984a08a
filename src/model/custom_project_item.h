#pragma once
// The base of every command item, the two hook interfaces through which an item
// reaches its project and a running generation, and the base of the system blocks.

#include <memory>
#include <string>
#include <vector>

#include "base/text.h"
#include "gui/editor_values.h"
#include "model/class_info.h"
#include "model/properties.h"
#include "model/types.h"

namespace palvetta {

class TCustomProjectItem;
using TItemList = std::vector<TCustomProjectItem*>;  // does not own its entries
using TProjectItemClass = const TClass*;              // a class derived from TCustomProjectItem

// The project an item belongs to, for editors that offer its bookmarks, subroutines and
// variables. Set by the project when the item joins it.
class IProjectLists {
 public:
  virtual void GetLabelsList(TItemList& list) = 0;       // adds, in project order
  virtual void GetSubroutinesList(TItemList& list) = 0;  // adds, in project order
  virtual void GetVarList(TStrings& list) = 0;           // clears, then fills
  // 1-based position of the item among the project's items of that class, 0 if absent.
  virtual int PositionAmong(const TCustomProjectItem& item, const TClass& cls) = 0;

 protected:
  ~IProjectLists() = default;
};

// What a running generation offers the item it asks for text. Set by the generator on
// each enabled item for the run and cleared when the run ends.
class IGenerationHooks {
 public:
  // Makes a further created file of the lines; the name may be changed to a unique one.
  virtual void NeedSaveFile(const TStrings& lines, std::string& fileName) = 0;
  // Lines to write once after all main items and subroutines.
  virtual void AppendLines(const TStrings& lines) = 0;
  // Clears the list and fills it with the first nine parameter items.
  virtual void GetParamList(TItemList& list) = 0;
  // Requests a system block (a class derived from TSystemProjectItem); repeats are harmless.
  virtual void AddSystemItem(const TClass& cls) = 0;

 protected:
  ~IGenerationHooks() = default;
};

// What an item is to the project and the generator besides a command: the generator
// numbers parameters and moves subroutines behind the main part, and editors offer the
// names that bookmarks, variables and subroutines declare.
enum class TItemRole { irCommand, irParameter, irBookmark, irVariable, irSubroutine, irSubroutineEnd };

class TCustomProjectItem : public TPersistent {
 public:
  PALVETTA_CLASS

  TCustomProjectItem() = default;
  TCustomProjectItem(const TCustomProjectItem&) = delete;
  TCustomProjectItem& operator=(const TCustomProjectItem&) = delete;

  // Published properties.
  bool Enabled = true;
  std::string RedirectTo;
  bool Overwrite = false;
  std::string GUID;

  // Copies every published property of the source that this item also has, matched by
  // name. Hooks are not copied.
  void Assign(TCustomProjectItem& source);

  virtual TItemRole Role() const { return TItemRole::irCommand; }
  // The name a parameter, bookmark, variable or subroutine declares; empty for the rest.
  virtual std::string DeclaredName() const { return {}; }

  // One line for the project list, in the readable-text markup (<i>, <u>, <b>, <br>).
  virtual std::string GetHumanReadableText() const;
  // The item's batch lines, joined by CRLF.
  virtual std::string GetBatchText() const;

  // The values the item's editor dialog shows before it opens, and taking them back when
  // the user confirmed: the rows of the class's field table that name a control, then
  // the item's own code for the controls the table leaves to it. Whether a class has a
  // dialog at all is up to the dialog descriptions (src/editors).
  void ToEditor(TEditorValues& values) const;
  void FromEditor(const TEditorValues& values);

  void SetProjectLists(IProjectLists* lists) { FProjectLists = lists; }
  IProjectLists* ProjectLists() const { return FProjectLists; }
  void SetGenerationHooks(IGenerationHooks* hooks) { FGenerationHooks = hooks; }
  IGenerationHooks* GenerationHooks() const { return FGenerationHooks; }

  // Each fires its hook when it is set and otherwise does nothing, so an item outside a
  // project or a generation run gets empty lists.
  void DoAddSystemItem(const TClass& cls) const;
  void DoNeedLabelsList(TItemList& list) const;
  void DoNeedParamList(TItemList& list) const;
  void DoNeedSubroutinesList(TItemList& list) const;
  void DoNeedToAppendLines(const TStrings& lines) const;
  void DoNeedVarList(TStrings& list) const;

 protected:
  // The controls the field table leaves to the item's code: run after the table's rows.
  virtual void SpecialToEditor(TEditorValues&) const {}
  virtual void SpecialFromEditor(const TEditorValues&) {}

 private:
  IProjectLists* FProjectLists = nullptr;
  IGenerationHooks* FGenerationHooks = nullptr;
};

// Declare, inside an item class body, the operations item classes override: the two
// texts (every command), and the code for controls that the field table leaves to the
// item (PALVETTA_ITEM_EDITOR_CODE).
#define PALVETTA_ITEM_TEXTS                          \
  std::string GetHumanReadableText() const override; \
  std::string GetBatchText() const override;

#define PALVETTA_ITEM_EDITOR_CODE                                             \
  void SpecialToEditor(::palvetta::TEditorValues& values) const override; \
  void SpecialFromEditor(const ::palvetta::TEditorValues& values) override;

// Makes an item of the class; raises when the class is not an item class that can be made.
std::unique_ptr<TCustomProjectItem> CreateItem(const TClass& cls);

// A fixed group of batch lines that the generator writes at most once per file when an
// item asks for it. Never part of a project, never shown or saved.
class TSystemProjectItem : public TCustomProjectItem {
 public:
  PALVETTA_CLASS

  TSystemProjectItem() { Enabled = false; }
  TSystemProjectItemPos Pos() const { return FSystemProjectItemPos; }

 protected:
  explicit TSystemProjectItem(TSystemProjectItemPos pos) : TSystemProjectItem() {
    FSystemProjectItemPos = pos;
  }

 private:
  TSystemProjectItemPos FSystemProjectItemPos = TSystemProjectItemPos::sppHead;
};

}  // namespace palvetta
