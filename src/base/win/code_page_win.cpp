#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "base/code_page.h"
#include "base/single_byte_code_page.h"
#include "base/utf.h"
#include "base/win/wide.h"

namespace palvetta {
namespace {

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// The upper half of a single-byte code page whose lower half is ASCII, read from the
// system once, so that its text converts without the system's UTF-16 detour; nothing for
// any other code page.
std::optional<TCodePageHighHalf> SingleByteHighHalf(unsigned id) {
  CPINFO info = {};
  if (!GetCPInfo(id, &info) || info.MaxCharSize != 1) return std::nullopt;
  char bytes[256];
  for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
  wchar_t units[256];
  if (MultiByteToWideChar(id, 0, bytes, 256, units, 256) != 256) return std::nullopt;
  for (int b = 0; b < 128; ++b) {
    if (units[b] != static_cast<wchar_t>(b)) return std::nullopt;
  }
  TCodePageHighHalf half{};
  for (int b = 128; b < 256; ++b) half[static_cast<size_t>(b - 128)] = units[b];
  return half;
}

// Any other code page, through the system's UTF-16 conversions. Where every byte below
// 0x80 that starts a character is that ASCII character (the double-byte code pages of
// East Asian systems), runs of ASCII pass through and only the text between them is
// converted; otherwise (stateful or longer sequences) the whole text is.
class TWindowsCodePage final : public ICodePage {
 public:
  explicit TWindowsCodePage(unsigned id) : FId(id) {
    CPINFO info = {};
    FDoubleByte = GetCPInfo(id, &info) && info.MaxCharSize == 2;
    // The code page's own "?" (in EBCDIC it is no 0x3F).
    char mark[4] = {};
    if (WideCharToMultiByte(id, 0, L"?", 1, mark, sizeof(mark), nullptr, nullptr) == 1) {
      FQuestionMark[0] = mark[0];
    }
  }

  unsigned Id() const override { return FId; }

  std::string FromUtf8(std::string_view text) const override {
    std::string out;
    if (!FDoubleByte) {
      AppendFromUtf8(out, text);
      return out;
    }
    out.reserve(text.size());
    // ASCII bytes never occur inside a UTF-8 sequence.
    for (size_t i = 0; i < text.size();) {
      size_t end = i;
      while (end < text.size() && IsAscii(text[end])) ++end;
      out.append(text.substr(i, end - i));
      i = end;
      while (end < text.size() && !IsAscii(text[end])) ++end;
      AppendFromUtf8(out, text.substr(i, end - i));
      i = end;
    }
    return out;
  }

  std::string ToUtf8(std::string_view bytes) const override {
    std::string out;
    if (!FDoubleByte) {
      AppendToUtf8(out, bytes);
      return out;
    }
    out.reserve(bytes.size());
    // A trail byte may lie below 0x80: a run of characters ends only after a whole one.
    for (size_t i = 0; i < bytes.size();) {
      size_t end = i;
      while (end < bytes.size() && IsAscii(bytes[end])) ++end;
      out.append(bytes.substr(i, end - i));
      i = end;
      while (end < bytes.size() && !IsAscii(bytes[end])) {
        end += IsDBCSLeadByteEx(FId, static_cast<BYTE>(bytes[end])) ? 2 : 1;
      }
      end = std::min(end, bytes.size());
      AppendToUtf8(out, bytes.substr(i, end - i));
      i = end;
    }
    return out;
  }

 private:
  void AppendFromUtf8(std::string& out, std::string_view text) const {
    std::wstring wide = Widen(text);
    if (wide.empty()) return;
    // A character outside the basic plane is two UTF-16 units, which would become two
    // "?"; it is one character the code page lacks.
    std::erase_if(wide, [](wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; });
    for (wchar_t& unit : wide) {
      if (unit >= 0xD800 && unit <= 0xDBFF) unit = L'?';
    }
    // No best fit: what the code page lacks becomes "?".
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int size = WideCharToMultiByte(FId, flags, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, FQuestionMark, nullptr);
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(size));
    WideCharToMultiByte(FId, flags, wide.data(), static_cast<int>(wide.size()), out.data() + at,
                        size, FQuestionMark, nullptr);
  }

  void AppendToUtf8(std::string& out, std::string_view bytes) const {
    if (bytes.empty()) return;
    const int size =
        MultiByteToWideChar(FId, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(FId, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), size);
    out += Narrow(wide);
  }

  unsigned FId;
  bool FDoubleByte = false;
  char FQuestionMark[2] = "?";
};

std::unique_ptr<ICodePage> MakeCodePage(unsigned id) {
  if (const auto half = SingleByteHighHalf(id)) {
    return std::make_unique<TSingleByteCodePage>(id, *half);
  }
  return std::make_unique<TWindowsCodePage>(id);
}

}  // namespace

const ICodePage* CodePageById(unsigned id) {
  if (id == CP_UTF8) return &Utf8CodePage();
  if (id == 1200 || id == 1201 || !IsValidCodePage(id)) return nullptr;
  static std::mutex lock;
  static std::map<unsigned, std::unique_ptr<ICodePage>> pages;
  const std::lock_guard<std::mutex> guard(lock);
  auto& page = pages[id];
  if (!page) page = MakeCodePage(id);
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
