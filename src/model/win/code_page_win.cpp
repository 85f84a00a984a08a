#include <windows.h>

#include "model/code_page.h"
#include "model/win/wide.h"

namespace palvetta {
namespace {

class AnsiCodePage final : public CodePage {
 public:
  unsigned Id() const override { return GetACP(); }

  std::string FromUtf8(std::string_view text) const override {
    if (GetACP() == CP_UTF8) return std::string(text);
    const std::wstring wide = Widen(text);
    if (wide.empty()) return {};
    // No best fit: what the code page lacks becomes the default character "?".
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int size = WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                        "?", nullptr);
    return out;
  }

  std::string ToUtf8(std::string_view bytes) const override {
    if (bytes.empty()) return {};
    if (GetACP() == CP_UTF8) return std::string(bytes);
    const int size =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), size);
    return Narrow(wide);
  }
};

}  // namespace

const CodePage& SystemCodePage() {
  static const AnsiCodePage codePage;
  return codePage;
}

}  // namespace palvetta
