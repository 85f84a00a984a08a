// settings_resource LISTING OUTPUT: turns the readable listing of the crash reporter's
// shipped settings into the settings resource, one object of the binary form-stream
// format. It links no library of the program (only the header-only settings table), so
// that a cross build can compile it for the machine it builds on.
//
// A listing line is "Name kind value": kind bool (true or false), int (decimal, 32
// bits) or text (in double quotes, with the escapes \r \n \t \" \\; ASCII only). Blank
// lines and lines starting with "#" are skipped. Entries keep the listing's order, and
// a name listed twice is written twice. Every name is a key of the settings table, listed
// with the kind that key is stored as, so a listing the reporter would misread fails the
// build.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "crash/settings/settings_table.h"

namespace {

// The form stream's value codes that the shipped settings use.
constexpr uint8_t kInt32 = 4;
constexpr uint8_t kFalse = 8;
constexpr uint8_t kTrue = 9;
constexpr uint8_t kLongString = 12;

struct TListingError {
  std::string Message;
};

void PutShortString(std::vector<uint8_t>& out, const std::string& text) {
  out.push_back(static_cast<uint8_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

void PutInt32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::string ReadQuotedText(std::istringstream& line) {
  line >> std::ws;
  if (line.get() != '"') throw TListingError{"a text value starts with a double quote"};
  std::string text;
  for (int c = line.get(); c != '"'; c = line.get()) {
    if (c == EOF) throw TListingError{"the text has no closing double quote"};
    if (c >= 0x80 || c < 0x20) throw TListingError{"texts hold printable ASCII characters only"};
    if (c == '\\') {
      switch (line.get()) {
        case 'r': c = '\r'; break;
        case 'n': c = '\n'; break;
        case 't': c = '\t'; break;
        case '"': c = '"'; break;
        case '\\': c = '\\'; break;
        default: throw TListingError{"unknown escape in a text"};
      }
    }
    text.push_back(static_cast<char>(c));
  }
  return text;
}

const char* ListingKind(palvetta::TPropertyType type) {
  switch (type) {
    case palvetta::ptBoolean: return "bool";
    case palvetta::ptInteger: return "int";
    default: return "text";
  }
}

// The name is a key of the settings table and the kind the one that key is stored as.
void CheckAgainstTable(const std::string& name, const std::string& kind) {
  const int row = palvetta::FindSWSettingRow(name);
  if (row < 0) throw TListingError{"unknown setting " + name + ": no row of the settings table has this key"};
  const char* expected = ListingKind(palvetta::kSWSettingRows[row].Typ);
  if (kind != expected) throw TListingError{name + " is a setting of kind " + expected + ", listed as " + kind};
}

void PutEntry(std::vector<uint8_t>& out, const std::string& lineText) {
  std::istringstream line(lineText);
  std::string name, kind;
  line >> name >> kind;
  if (name.empty() || name.size() > 255) throw TListingError{"a name has 1 to 255 characters"};
  if (kind == "bool" || kind == "int" || kind == "text") CheckAgainstTable(name, kind);
  PutShortString(out, name);
  if (kind == "bool") {
    std::string value;
    line >> value;
    if (value != "true" && value != "false") throw TListingError{"a bool is true or false"};
    out.push_back(value == "true" ? kTrue : kFalse);
  } else if (kind == "int") {
    long long value = 0;
    if (!(line >> value) || value < INT32_MIN || value > INT32_MAX) {
      throw TListingError{"an int is a decimal number of 32 bits"};
    }
    out.push_back(kInt32);
    PutInt32(out, static_cast<uint32_t>(static_cast<int32_t>(value)));
  } else if (kind == "text") {
    const std::string text = ReadQuotedText(line);
    out.push_back(kLongString);
    PutInt32(out, static_cast<uint32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
  } else {
    throw TListingError{"the kind is bool, int or text"};
  }
  std::string rest;
  if (line >> rest) throw TListingError{"unexpected text after the value: " + rest};
}

std::vector<uint8_t> SettingsResource(std::istream& listing, const std::string& listingName) {
  std::vector<uint8_t> out = {'T', 'P', 'F', '0'};
  PutShortString(out, "TStackward");
  PutShortString(out, "Stackward");
  std::string lineText;
  for (int number = 1; std::getline(listing, lineText); ++number) {
    if (!lineText.empty() && lineText.back() == '\r') lineText.pop_back();
    const auto first = lineText.find_first_not_of(" \t");
    if (first == std::string::npos || lineText[first] == '#') continue;
    try {
      PutEntry(out, lineText);
    } catch (const TListingError& error) {
      throw TListingError{listingName + ":" + std::to_string(number) + ": " + error.Message};
    }
  }
  out.push_back(0);  // end of the properties
  out.push_back(0);  // end of the (absent) child objects
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: settings_resource LISTING OUTPUT\n";
    return 2;
  }
  std::ifstream listing(argv[1], std::ios::binary);
  if (!listing) {
    std::cerr << "settings_resource: cannot read " << argv[1] << "\n";
    return 1;
  }
  try {
    const std::vector<uint8_t> resource = SettingsResource(listing, argv[1]);
    // Written beside the target and renamed over it, so no half-written file remains.
    const std::filesystem::path output(argv[2]);
    std::filesystem::path temporary = output;
    temporary += ".tmp";
    {
      std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(resource.data()), static_cast<std::streamsize>(resource.size()));
      if (!file.flush()) throw TListingError{"cannot write " + temporary.string()};
    }
    std::filesystem::rename(temporary, output);
  } catch (const TListingError& error) {
    std::cerr << "settings_resource: " << error.Message << "\n";
    return 1;
  } catch (const std::filesystem::filesystem_error& error) {
    std::cerr << "settings_resource: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
