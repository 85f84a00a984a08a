#include "gui/win/controls/list_control.h"

#include "base/win/wide.h"

namespace palvetta {

TListControl::TListControl(const TLayoutNode& node, const TControlSite& site)
    : TDialogControl(node, site,
                     {.ClassName = L"LISTBOX",
                      .Style = kInputStyle | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT |
                               LBS_HASSTRINGS | LBS_NOTIFY,
                      .ExStyle = WS_EX_CLIENTEDGE}) {}

void TListControl::SetEntries(const TStrings& entries) {
  SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries) Append(entry);
}

TStrings TListControl::Entries() const {
  TStrings entries;
  const int count = static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, i, 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(Handle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    entries.push_back(Narrow(text));
  }
  return entries;
}

void TListControl::Append(std::string_view text) {
  const std::wstring wide = Widen(text);
  SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TListControl::SetSelected(int index, bool selected) {
  SendMessageW(Handle(), LB_SETSEL, selected ? TRUE : FALSE, index);
}

void TListControl::DeleteSelected() {
  // From the end, so the indexes still to go stay valid.
  const int count = static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0));
  for (int i = count - 1; i >= 0; --i) {
    if (SendMessageW(Handle(), LB_GETSEL, i, 0) > 0) SendMessageW(Handle(), LB_DELETESTRING, i, 0);
  }
}

TStrings TListControl::SelectedEntries() const {
  const TStrings entries = Entries();
  TStrings selected;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (SendMessageW(Handle(), LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(entries[i]);
  }
  return selected;
}

void TListControl::Fill(const TEditorValues& values) {
  if (values.Has(Name())) SetEntries(values.Entries(Name()));
}

void TListControl::Read(TEditorValues& values) const { values.SetEntries(Name(), Entries()); }

void TListControl::Place(const TRect& rect, const TPlaceContext& context) {
  TDialogControl::Place(rect, context);
  const int row = static_cast<int>(SendMessageW(Handle(), LB_GETITEMHEIGHT, 0, 0));
  RECT client = {};
  GetClientRect(Handle(), &client);
  if (row <= 0 || client.bottom < row) return;
  MoveTo(rect, rect.Height - client.bottom % row);
}

}  // namespace palvetta
