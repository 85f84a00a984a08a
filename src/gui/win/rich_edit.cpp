#include "gui/win/rich_edit.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "base/win/wide.h"

namespace palvetta {
namespace {

struct TRtfSource {
  std::string_view Text;
  std::size_t At = 0;
};

DWORD CALLBACK ReadRtf(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  auto* source = reinterpret_cast<TRtfSource*>(cookie);
  const std::size_t count =
      std::min(static_cast<std::size_t>(size), source->Text.size() - source->At);
  std::memcpy(buffer, source->Text.data() + source->At, count);
  source->At += count;
  *read = static_cast<LONG>(count);
  return 0;
}

const wchar_t* LoadRichEditClass() {
  if (LoadLibraryW(L"msftedit.dll")) return MSFTEDIT_CLASS;
  if (LoadLibraryW(L"riched20.dll")) return RICHEDIT_CLASSW;
  throw std::runtime_error("No RichEdit control is available");
}

}  // namespace

const wchar_t* RichEditClass() {
  static const wchar_t* const name = LoadRichEditClass();
  return name;
}

void StreamInRtf(HWND editor, std::string_view rtf) {
  TRtfSource source{rtf};
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = &ReadRtf;
  SendMessageW(editor, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

void AppendText(HWND editor, std::string_view text) {
  GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto end = SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  SendMessageW(editor, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageW(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::string RichEditText(HWND editor) {
  GETTEXTLENGTHEX length = {GTL_USECRLF | GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto count = SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (count <= 0) return {};
  std::wstring text(static_cast<std::size_t>(count) + 1, L'\0');
  GETTEXTEX get = {};
  get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  get.flags = GT_USECRLF;
  get.codepage = 1200;
  const auto copied = SendMessageW(editor, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                   reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
  return Narrow(text);
}

}  // namespace palvetta
