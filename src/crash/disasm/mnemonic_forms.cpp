#include "crash/disasm/mnemonic_forms.h"

namespace palvetta::disasm {
namespace {

// The index-th part of text split at separator; false when there is no such part.
bool Part(std::string_view text, char separator, int index, std::string_view& part) noexcept {
  size_t start = 0;
  for (int i = 0;; ++i) {
    const size_t end = text.find(separator, start);
    if (i == index) {
      part = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
      return true;
    }
    if (end == std::string_view::npos) return false;
    start = end + 1;
  }
}

int PartCount(std::string_view text, char separator) noexcept {
  int count = 1;
  for (char c : text) count += c == separator;
  return count;
}

}  // namespace

TSelectedForm SelectForm(std::string_view entry, const TFormChoice& choice) noexcept {
  std::string_view form = entry;
  if (form.find('|') != std::string_view::npos) {
    const int index = choice.RegisterForm && PartCount(form, '|') > 8 ? choice.Reg + 8 : choice.Reg;
    if (!Part(entry, '|', index, form)) return {};
  }
  if (form.find('/') != std::string_view::npos) {
    std::string_view picked;
    if (!Part(form, '/', choice.Prefix, picked) || picked.empty()) Part(form, '/', 0, picked);
    form = picked;
  }
  if (const size_t colon = form.find(':'); colon != std::string_view::npos) {
    form = choice.RegisterForm ? form.substr(0, colon) : form.substr(colon + 1);
  }
  if (form.find('-') != std::string_view::npos) {
    if (!choice.RegisterForm || !Part(form, '-', choice.Rm, form)) return {};
    return {form, true};
  }
  return {form, false};
}

bool HasPrefixForms(std::string_view entry) noexcept {
  for (char c : entry) {
    if (c == '/' || c == 'P' || c == 'S') return true;
  }
  return false;
}

bool FormTakesPrefix(std::string_view entry, TPrefixForm prefix) noexcept {
  for (char c : entry) {
    if (c == 'P' || c == 'S') return true;
  }
  std::string_view part;
  return entry.find('/') != std::string_view::npos && Part(entry, '/', prefix, part) && !part.empty();
}

}  // namespace palvetta::disasm
