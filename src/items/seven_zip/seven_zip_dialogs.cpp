// The dialogs of the 7-Zip items.

#include "items/seven_zip/seven_zip_dialogs.h"

#include "items/seven_zip/seven_zip_items.h"

namespace palvetta {

std::vector<TItemEditorSpec> SevenZipEditorSpecs() {
  TEditorSpec create{
      .Title = "7Zip create archive",
      .Layout = Dialog({FieldWithBrowse("Path to files (or a wildcard)", "edtSrcPath", "btnBrowseSrcPath"),
                        FieldWithBrowse("Archive file name", "edtArchFileName", "btnBrowseArchFileName"),
                        LabelBeside("Compression level",
                                    Combo("cmbCompression", {"Fastest", "Fast", "Normal", "Maximum", "Ultra"}))}),
      .Browse = {{.Button = "btnBrowseSrcPath",
                  .Field = "edtSrcPath",
                  .Kind = TBrowseKind::bkFolder,
                  .Title = "Select directory"},
                 {.Button = "btnBrowseArchFileName",
                  .Field = "edtArchFileName",
                  .Kind = TBrowseKind::bkSaveFile,
                  .Filter = "ZIP archives (*.zip)|*.zip",
                  .DefaultExt = ".zip"}}};
  // The open picker takes only a file that exists.
  TEditorSpec extract{
      .Title = "Extract files from zip archive",
      .Layout = Dialog({FieldWithBrowse("Zip archive file name:", "edtArchFileName", "btnBrowseArchFileName"),
                        FieldWithBrowse("Extract to folder:", "edtExtractTo", "btnBrowseExtractTo"),
                        Check("cbxSubfolders", "With subfolders"), Check("cbxOverwrite", "Overwrite files")}),
      .Browse = {{.Button = "btnBrowseArchFileName",
                  .Field = "edtArchFileName",
                  .Filter = "Archives (*.zip;*.7z)|*.zip;*.7z|All files (*.*)|*.*"},
                 {.Button = "btnBrowseExtractTo",
                  .Field = "edtExtractTo",
                  .Kind = TBrowseKind::bkFolder,
                  .Title = "Extract the files into"}}};
  return {{&TSevenZipCreateItem::Class, std::move(create)},
          {&TSevenZipExtractItem::Class, std::move(extract)}};
}

constinit const TItemFamily kSevenZipFamily{kSevenZipItemClasses, [](const TEnvironmentLookup&) { return SevenZipEditorSpecs(); }};

}  // namespace palvetta
