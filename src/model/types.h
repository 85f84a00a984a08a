#pragma once
// Small enumerations that several item families and their dialogs share.

#include <string_view>

#include "model/properties.h"

namespace palvetta {

enum class TSystemProjectItemPos { sppHead, sppTail };
enum class TParamCheck { pcNoCheck, pcRequired, pcPathMustExist, pcPathMustNOTExist };
enum class TFileAttr { frUndef, frSet, frNotSet };
enum class TFileSystem { fsFAT, fsFAT32, fsexFAT, fsNTFS, fsUDF };
enum class TUDFRevision { udfr2_01, udfr1_02, udfr1_50, udfr2_00, udfr2_50 };
enum class TOutputFormat { ofTable, ofList, ofCSV };
enum class TOutputFormat_WithXML { ofxTable, ofxList, ofxCSV, ofxXML };

namespace enum_names {
inline constexpr std::string_view kParamCheck[] = {"pcNoCheck", "pcRequired", "pcPathMustExist",
                                                   "pcPathMustNOTExist"};
inline constexpr std::string_view kFileAttr[] = {"frUndef", "frSet", "frNotSet"};
inline constexpr std::string_view kFileSystem[] = {"fsFAT", "fsFAT32", "fsexFAT", "fsNTFS",
                                                   "fsUDF"};
inline constexpr std::string_view kUDFRevision[] = {"udfr2_01", "udfr1_02", "udfr1_50",
                                                    "udfr2_00", "udfr2_50"};
inline constexpr std::string_view kOutputFormat[] = {"ofTable", "ofList", "ofCSV"};
inline constexpr std::string_view kOutputFormatWithXML[] = {"ofxTable", "ofxList", "ofxCSV",
                                                            "ofxXML"};
}  // namespace enum_names

PALVETTA_ENUM_INFO(TParamCheck, enum_names::kParamCheck);
PALVETTA_ENUM_INFO(TFileAttr, enum_names::kFileAttr);
PALVETTA_ENUM_INFO(TFileSystem, enum_names::kFileSystem);
PALVETTA_ENUM_INFO(TUDFRevision, enum_names::kUDFRevision);
PALVETTA_ENUM_INFO(TOutputFormat, enum_names::kOutputFormat);
PALVETTA_ENUM_INFO(TOutputFormat_WithXML, enum_names::kOutputFormatWithXML);

}  // namespace palvetta
