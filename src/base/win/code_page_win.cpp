#include <windows.h>

#include <map>
#include <memory>
#include <mutex>

#include "base/code_page.h"
#include "base/win/wide.h"

namespace palvetta {
namespace {

class TWindowsCodePage final : public ICodePage {
 public:
  explicit TWindowsCodePage(unsigned id) : FId(id) {}

  unsigned Id() const override { return FId; }

  std::string FromUtf8(std::string_view text) const override {
    std::wstring wide = Widen(text);
    if (wide.empty()) return {};
    // A character outside the basic plane is two UTF-16 units, which would become two
    // "?"; it is one character the code page lacks.
    std::erase_if(wide, [](wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; });
    for (wchar_t& unit : wide) {
      if (unit >= 0xD800 && unit <= 0xDBFF) unit = L'?';
    }
    // No best fit: what the code page lacks becomes the default character "?".
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int size = WideCharToMultiByte(FId, flags, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, "?", nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(FId, flags, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                        "?", nullptr);
    return out;
  }

  std::string ToUtf8(std::string_view bytes) const override {
    if (bytes.empty()) return {};
    const int size =
        MultiByteToWideChar(FId, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(FId, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), size);
    return Narrow(wide);
  }

 private:
  unsigned FId;
};

}  // namespace

const ICodePage* CodePageById(unsigned id) {
  if (id == CP_UTF8) return &Utf8CodePage();
  if (id == 1200 || id == 1201 || !IsValidCodePage(id)) return nullptr;
  static std::mutex lock;
  static std::map<unsigned, std::unique_ptr<TWindowsCodePage>> pages;
  const std::lock_guard<std::mutex> guard(lock);
  auto& page = pages[id];
  if (!page) page = std::make_unique<TWindowsCodePage>(id);
  return page.get();
}

const ICodePage& SystemCodePage() {
  static const ICodePage& codePage = *CodePageById(GetACP());
  return codePage;
}

const ICodePage& BatchCodePage() {
  static const ICodePage& codePage = *CodePageById(GetOEMCP());
  return codePage;
}

}  // namespace palvetta
