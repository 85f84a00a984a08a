#include "model/batch_generator.h"

#include <map>
#include <stdexcept>
#include <unordered_map>

#include "base/code_page.h"
#include "base/file_io.h"
#include "base/utf.h"
#include "model/project.h"
#include "model/quoting.h"
#include "model/system_items.h"

namespace palvetta {
namespace {

const char* const kCrLf = "\r\n";

void AppendTo(TStrings& lines, const TStrings& more) { lines.insert(lines.end(), more.begin(), more.end()); }

struct TSubroutine {
  TCustomProjectItem* Head;
  TItemList Body;
};

bool IsRemLine(std::string_view trimmed) {
  return StartsWithAscii(trimmed, "REM") &&
         (trimmed.size() == 3 || trimmed[3] == ' ' || trimmed[3] == '\t');
}

// Labels, block lines, blank and REM lines keep their place in the flow and get no
// redirection.
bool TakesRedirection(const std::string& line) {
  const std::string trimmed = Trim(line);
  return !trimmed.empty() && trimmed.front() != ':' && trimmed.front() != ')' &&
         trimmed.back() != '(' && !IsRemLine(trimmed);
}

// The target is quoted only when a line takes it: an item whose lines take no redirection
// (a block's ") ELSE (") writes none, so nothing of its target can be lost either.
std::string AddRedirection(const std::string& text, std::string_view target, bool overwrite) {
  TStrings lines = SplitLines(text);
  std::string quoted;
  bool first = true;
  for (auto& line : lines) {
    if (!TakesRedirection(line)) continue;
    if (first) quoted = QuoteIfSpaced(target);
    line = TrimRight(line) + (first && overwrite ? " > " : " >> ") + quoted;
    first = false;
  }
  return TrimRight(JoinWith(lines, kCrLf));
}

// A parameter item that other items' texts may name as "%" + Name + "%".
struct TReference {
  size_t Index;              // among the parameter items
  std::string Name;          // as declared, compared ignoring case
  std::string InSubroutine;  // what it becomes inside a subroutine
  std::string Number;        // what it becomes in the main part
};

// The text with each reference to a parameter replaced by what the callback gives for it
// (nothing: left as it is). It reads the text as cmd.exe does: "%%" is a percent sign
// written as text (or a FOR variable), so "100%% sure%%" names no parameter "sure".
std::string ReplaceReferences(std::string_view text, const std::vector<TReference>& references,
                              const std::function<const std::string*(const TReference&)>& replacement) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t percent = text.find('%', i);
    out.append(text.substr(i, percent == std::string_view::npos ? std::string_view::npos : percent - i));
    if (percent == std::string_view::npos) break;
    if (percent + 1 < text.size() && text[percent + 1] == '%') {
      out += "%%";
      i = percent + 2;
      continue;
    }
    const size_t close = text.find('%', percent + 1);
    const TReference* found = nullptr;
    if (close != std::string_view::npos) {
      const std::string_view name = text.substr(percent + 1, close - percent - 1);
      for (const TReference& ref : references) {
        if (SameTextIgnoreCase(ref.Name, name)) {
          found = &ref;
          break;
        }
      }
    }
    const std::string* by = found ? replacement(*found) : nullptr;
    if (by) {
      out += *by;
      i = close + 1;
    } else {
      out += '%';
      i = percent + 1;
    }
  }
  return out;
}

// The file-name part of a name, without any folder.
std::string FileNamePart(const std::string& name) {
  const size_t slash = name.find_last_of("\\/:");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

// The subroutines of the project: a subroutine item and the items after it, up to the
// next subroutine item, a subroutine end item or the end of the project. Marks every item
// that belongs to one, the closing end item included.
std::vector<TSubroutine> CollectSubroutines(const TProject& project, std::vector<bool>& marked) {
  const int count = project.Count();
  std::vector<TSubroutine> subroutines;
  for (int k = 0; k < count;) {
    TCustomProjectItem& item = project.Items(k);
    if (item.Role() != TItemRole::irSubroutine) {
      ++k;
      continue;
    }
    TSubroutine& sub = subroutines.emplace_back(TSubroutine{&item, {}});
    marked[static_cast<size_t>(k)] = true;
    int j = k + 1;
    for (; j < count; ++j) {
      const TItemRole role = project.Items(j).Role();
      if (role == TItemRole::irSubroutine || role == TItemRole::irSubroutineEnd) {
        break;
      }
      sub.Body.push_back(&project.Items(j));
      marked[static_cast<size_t>(j)] = true;
    }
    if (j < count && project.Items(j).Role() == TItemRole::irSubroutineEnd) {
      marked[static_cast<size_t>(j)] = true;
      ++j;
    }
    k = j;
  }
  return subroutines;
}

// The lines after "@ECHO OFF": parameters the batch file cannot read, and the copies of
// the parameters that subroutines read.
TStrings ParameterBlock(const TItemList& params, const std::vector<bool>& usedInSubroutine,
                        bool beyondNine) {
  TStrings paramBlock;
  if (params.size() > 9) {
    TStrings names;
    for (size_t i = 9; i < params.size(); ++i) {
      const std::string name = Trim(params[i]->DeclaredName());
      names.push_back(name.empty() ? "unnamed" : OneLine(name));
    }
    paramBlock.push_back(
        "REM A batch file reads only nine parameters by number. Parameters 10 and later are left "
        "out: " +
        JoinWith(names, ", "));
    if (beyondNine) {
      paramBlock.push_back(
          "ECHO This batch file uses more than nine parameters, which a batch file cannot read.");
      paramBlock.push_back(
          "ECHO Remove the extra Parameter tasks in Palvetta and make the batch file again.");
      paramBlock.push_back("EXIT /B 1");
    }
  }
  bool copiesHeader = false;
  for (size_t i = 0; i < params.size(); ++i) {
    if (!usedInSubroutine[i]) continue;
    if (!copiesHeader) paramBlock.push_back("REM Copies of the batch file's parameters for its subroutines");
    copiesHeader = true;
    paramBlock.push_back("SET KWJ_PARAM_" + EscapeBatchSpecials(Trim(params[i]->DeclaredName())) + "=%" +
                         IntToStr(static_cast<long long>(i) + 1));
  }
  return paramBlock;
}

}  // namespace

struct TBatchGenerator::Run {
  TItemList Params;        // every parameter item, in project order
  std::vector<TReference> References;     // the parameters other texts may name
  std::vector<bool> UsedInSubroutine;     // parallel to Params
  bool BeyondNine = false;                // a parameter after the ninth is referenced
  TItemList Hooked;                       // items whose generation hooks this run set
  const TCustomProjectItem* Current = nullptr;  // the item asked for its text
  // Characters the batch file cannot hold, by the 1-based position of the item that wrote
  // them; the positions are found only once a character is lost.
  std::map<int, TLostCharacters> Lost;
  std::unordered_map<const TCustomProjectItem*, int> Positions;

  ~Run() {
    for (auto* item : Hooked) item->SetGenerationHooks(nullptr);
  }
};

TBatchGenerator::TBatchGenerator() = default;
TBatchGenerator::~TBatchGenerator() = default;

void TBatchGenerator::MakeBatchFile() {
  if (Project == nullptr) throw std::logic_error("The batch generator has no project.");
  try {
    Build();
  } catch (...) {
    // What a failed run leaves must not be taken for a batch file.
    FCreatedFiles.Clear();
    throw;
  }
}

// The file's parts in the order they stand in it. The head (parameter block and head
// system blocks) depends on what the items asked for, so the items are asked first.
void TBatchGenerator::Build() {
  FLost.clear();
  FCreatedFiles.Clear();
  FAppendLines.clear();
  FSystemItems.clear();

  Run run;
  FRun = &run;
  struct TDetach {
    Run*& Current;
    ~TDetach() { Current = nullptr; }
  } detach{FRun};
  TNamedStream& batch = FCreatedFiles.Add("Main batch");

  CollectParameters(run);
  const TStrings body = ItemLines(run);
  TStrings file = {"@ECHO OFF"};
  AppendTo(file, ParameterLines(run));
  AppendTo(file, SystemBlocks(TSystemProjectItemPos::sppHead));
  AppendTo(file, body);
  AppendTo(file, FAppendLines);
  AppendTo(file, SystemBlocks(TSystemProjectItemPos::sppTail));

  batch.Stream = EncodeCreatedFile(file);
  for (auto& [position, entry] : run.Lost) FLost.push_back(std::move(entry));
}

// The parameter items and the references "%" + name + "%" to look for, made once per run;
// blank names have none.
void TBatchGenerator::CollectParameters(Run& run) {
  Project->ListItems(TItemRole::irParameter, run.Params);
  run.UsedInSubroutine.assign(run.Params.size(), false);
  for (size_t i = 0; i < run.Params.size(); ++i) {
    const std::string declared = run.Params[i]->DeclaredName();
    const std::string name = Trim(declared);
    if (name.empty()) continue;
    run.References.push_back({i, declared, "%KWJ_PARAM_" + name + "%",
                              "%" + IntToStr(static_cast<long long>(i) + 1)});
  }
}

// The main part, then each enabled subroutine behind an EXIT /B that ends the main part.
TStrings TBatchGenerator::ItemLines(Run& run) {
  TStrings lines;
  const int count = Project->Count();
  std::vector<bool> marked(static_cast<size_t>(count), false);
  const std::vector<TSubroutine> subroutines = CollectSubroutines(*Project, marked);
  for (int k = 0; k < count; ++k) {
    if (!marked[static_cast<size_t>(k)]) AddItemText(run, Project->Items(k), false, lines);
  }
  bool firstSubroutine = true;
  for (const TSubroutine& sub : subroutines) {
    if (!sub.Head->Enabled) continue;
    if (firstSubroutine) lines.push_back("EXIT /B");
    firstSubroutine = false;
    AddItemText(run, *sub.Head, true, lines);
    for (auto* item : sub.Body) AddItemText(run, *item, true, lines);
    lines.push_back("EXIT /B");
    lines.push_back("REM End of subroutine " + CommentText(sub.Head->DeclaredName()));
    lines.push_back("REM ----------------- ");
  }
  return lines;
}

// An enabled item's text with its parameter references replaced and its redirection
// added; a blank text adds nothing.
void TBatchGenerator::AddItemText(Run& run, TCustomProjectItem& item, bool inSubroutine,
                                  TStrings& lines) {
  if (!item.Enabled) return;
  item.SetGenerationHooks(this);
  run.Hooked.push_back(&item);
  run.Current = &item;
  TLeftOutCharacters leftOut;
  std::string text = TrimRight(item.GetBatchText());
  run.Current = nullptr;
  // Every reference holds a "%": most texts need no search at all.
  if (!run.References.empty() && text.find('%') != std::string::npos) {
    text = ReplaceReferences(text, run.References, [&](const TReference& ref) -> const std::string* {
      if (ref.Index >= 9) {
        run.BeyondNine = true;
        return nullptr;
      }
      if (!inSubroutine) return &ref.Number;
      run.UsedInSubroutine[ref.Index] = true;
      return &ref.InSubroutine;
    });
  }
  if (IsBlank(text)) return;
  if (!IsBlank(item.RedirectTo)) text = AddRedirection(text, item.RedirectTo, item.Overwrite);
  NoteLostCharacters(item, text);
  NoteLeftOutCharacters(item, leftOut.Characters());
  lines.push_back(std::move(text));
}

// The parameter block; the names it writes may lose characters too.
TStrings TBatchGenerator::ParameterLines(Run& run) {
  for (size_t i = 0; i < run.Params.size(); ++i) {
    if (i >= 9 || run.UsedInSubroutine[i]) NoteLostCharacters(*run.Params[i], run.Params[i]->DeclaredName());
  }
  return ParameterBlock(run.Params, run.UsedInSubroutine, run.BeyondNine);
}

// The system blocks of one place that the items asked for. The head blocks stand latest
// request first, the tail blocks in the order asked.
TStrings TBatchGenerator::SystemBlocks(TSystemProjectItemPos place) const {
  TStrings blocks;
  for (const auto& block : FSystemItems) {
    if (block->Pos() != place) continue;
    if (place == TSystemProjectItemPos::sppHead) {
      blocks.insert(blocks.begin(), block->GetBatchText());
    } else {
      blocks.push_back(block->GetBatchText());
    }
  }
  return blocks;
}

void TBatchGenerator::MakeBatchFile(const std::string& fileName) {
  MakeBatchFile();
  const std::filesystem::path target = PathFromUtf8(fileName);
  WriteFileReplacing(target, FCreatedFiles.Items(0).Stream);
  for (int n = 1; n < FCreatedFiles.Count(); ++n) {
    const TNamedStream& file = FCreatedFiles.Items(n);
    WriteFileReplacing(target.parent_path() / PathFromUtf8(file.Name), file.Stream);
  }
}

void TBatchGenerator::NeedSaveFile(const TStrings& lines, std::string& fileName) {
  // Only the file-name part is used, so a created file always lands beside the batch file.
  std::string name = FileNamePart(Trim(fileName));
  if (name.empty()) name = "file.ext";
  const size_t dot = name.rfind('.');
  const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
  for (int counter = 1; FCreatedFiles.ItemByName(name) != nullptr; ++counter) {
    name = base + IntToStr(counter) + ext;
  }
  FCreatedFiles.Add(name).Stream = EncodeCreatedFile(lines);
  fileName = name;
}

void TBatchGenerator::AppendLines(const TStrings& lines) {
  if (FRun != nullptr && FRun->Current != nullptr) {
    for (const auto& line : lines) NoteLostCharacters(*FRun->Current, line);
  }
  FAppendLines.insert(FAppendLines.end(), lines.begin(), lines.end());
}

namespace {

void AddOnce(std::u32string& noted, std::u32string_view characters) {
  for (char32_t c : characters) {
    if (noted.find(c) == std::u32string::npos) noted += c;
  }
}

}  // namespace

TLostCharacters& TBatchGenerator::LostEntry(const TCustomProjectItem& item) {
  if (FRun->Positions.empty()) {
    for (int i = 0; i < Project->Count(); ++i) FRun->Positions.emplace(&Project->Items(i), i + 1);
  }
  const int position = FRun->Positions.at(&item);
  return FRun->Lost.try_emplace(position, TLostCharacters{position, {}, {}}).first->second;
}

void TBatchGenerator::NoteLostCharacters(const TCustomProjectItem& item, std::string_view text) {
  const std::u32string lost = CharactersLost(BatchCodePage(), text);
  if (!lost.empty()) AddOnce(LostEntry(item).Characters, lost);
}

void TBatchGenerator::NoteLeftOutCharacters(const TCustomProjectItem& item,
                                            std::string_view characters) {
  if (!characters.empty()) AddOnce(LostEntry(item).LeftOut, DecodeUtf8(characters));
}

std::string LostCharactersMessage(const std::vector<TLostCharacters>& lost,
                                  const std::function<std::string(int position)>& describe) {
  const auto section = [&](const std::string& heading, std::u32string TLostCharacters::*which) {
    std::string text;
    for (const TLostCharacters& entry : lost) {
      if ((entry.*which).empty()) continue;
      TStrings characters;
      for (char32_t c : entry.*which) characters.push_back(EncodeUtf8(std::u32string(1, c)));
      text += "\r\n" + describe(entry.Position) + ": " + JoinWith(characters, " ");
    }
    return text.empty() ? text : heading + text;
  };
  const std::string replaced = section(
      "The batch file's code page (" + IntToStr(BatchCodePage().Id()) +
          ") has no place for some characters; each of them was written as \"?\":",
      &TLostCharacters::Characters);
  const std::string leftOut = section(
      "Paths, names and quoted texts cannot hold some characters; each of them was left out "
      "of the batch file:",
      &TLostCharacters::LeftOut);
  return replaced.empty() || leftOut.empty() ? replaced + leftOut : replaced + "\r\n" + leftOut;
}

void TBatchGenerator::GetParamList(TItemList& list) {
  list.clear();
  if (FRun == nullptr) return;
  for (size_t i = 0; i < FRun->Params.size() && i < 9; ++i) list.push_back(FRun->Params[i]);
}

void TBatchGenerator::AddSystemItem(const TClass& cls) {
  for (const auto& block : FSystemItems) {
    if (block->ClassType().InheritsFrom(cls)) return;
  }
  if (!cls.InheritsFrom(TSystemProjectItem::Class) || cls.Create == nullptr) return;
  std::unique_ptr<TCustomProjectItem> block = CreateItem(cls);
  FSystemItems.emplace_back(static_cast<TSystemProjectItem*>(block.release()));
}

std::string EncodeCreatedFile(const TStrings& lines) {
  std::string text;
  size_t size = 0;
  for (const auto& entry : lines) size += entry.size() + 2;
  text.reserve(size);
  for (const auto& entry : lines) {
    // Line breaks inside an entry are written as CRLF like every other line end.
    text += ReplaceLineBreaks(entry, kCrLf);
    text += kCrLf;
  }
  return BatchCodePage().FromUtf8(text);
}

}  // namespace palvetta
