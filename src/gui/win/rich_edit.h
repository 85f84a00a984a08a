#pragma once
// The RichEdit control as the batch preview uses it: which window class to create, and
// its text in and out.

#include <windows.h>

#include <string>
#include <string_view>

namespace palvetta {

// The newest RichEdit class the system has: "RICHEDIT50W" (msftedit.dll), else
// "RichEdit20W" (riched20.dll). Loads its library once; raises std::runtime_error when
// neither loads.
const wchar_t* RichEditClass();

// Replaces the control's whole content by an RTF document.
void StreamInRtf(HWND editor, std::string_view rtf);

// Puts the text after the control's content.
void AppendText(HWND editor, std::string_view text);

// The control's text as UTF-8, with CR LF line breaks.
std::string RichEditText(HWND editor);

}  // namespace palvetta
