#include "gui/win/controls/combo_control.h"

#include "base/win/wide.h"
#include "gui/win/controls/wheel_routing.h"

namespace palvetta {
namespace {

// Room below a combo's field for its drop-down list, in lines, unless its node says.
constexpr int kDropDownLines = 8;

}  // namespace

TComboControl::TComboControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = L"COMBOBOX",
                      .Style = kInputStyle | WS_VSCROLL |
                               (site.Typed ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST)}),
      FTyped(site.Typed),
      FDropDownLines(node.Lines > 0 ? node.Lines : kDropDownLines) {
  AddEntries(node.Entries);
  WheelOnlyWithFocus(Handle());  // a typed combo's field is its child
}

void TComboControl::AddEntries(const TStrings& entries) const {
  for (const auto& entry : entries) {
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
  }
}

void TComboControl::SetEntries(const TStrings& entries) {
  const std::string text = FTyped ? WindowText(Handle()) : std::string();
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  AddEntries(entries);
  if (FTyped) SetWindowTextUtf8(Handle(), text);
}

TStrings TComboControl::Entries() const {
  TStrings entries;
  const int count = static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto length = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    entries.push_back(Narrow(entry));
  }
  return entries;
}

void TComboControl::SetIndex(int index) {
  SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TComboControl::Index() const {
  return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboControl::Fill(const TEditorValues& values) {
  if (values.HasChoices(Name())) SetEntries(values.Choices(Name()));
  if (!values.Has(Name())) return;
  if (FTyped) {
    SetText(values.Text(Name()));
  } else {
    SetIndex(values.Index(Name()));
  }
}

void TComboControl::Read(TEditorValues& values) const {
  if (FTyped) {
    values.SetText(Name(), WindowText(Handle()));
  } else {
    values.SetIndex(Name(), Index());
  }
}

void TComboControl::Place(const TRect& rect, const TPlaceContext& context) {
  const int edges = static_cast<int>(
      SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  RECT field = {};
  GetWindowRect(Handle(), &field);
  const int chrome = (field.bottom - field.top) - edges;
  if (chrome > 0 && rect.Height > chrome) {
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), rect.Height - chrome);
  }
  MoveTo(rect, rect.Height + FDropDownLines * context.LineHeight);
  Show(!rect.IsEmpty());
}

}  // namespace palvetta
