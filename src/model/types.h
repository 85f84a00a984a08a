#pragma once
// Small enumerations that several item families and their dialogs share.

#include <string_view>

#include "model/properties.h"

namespace palvetta {

PALVETTA_ENUM(TSystemProjectItemPos, sppHead, sppTail);
PALVETTA_ENUM(TParamCheck, pcNoCheck, pcRequired, pcPathMustExist, pcPathMustNOTExist);
PALVETTA_ENUM(TFileAttr, frUndef, frSet, frNotSet);
PALVETTA_ENUM(TFileSystem, fsFAT, fsFAT32, fsexFAT, fsNTFS, fsUDF);
PALVETTA_ENUM(TUDFRevision, udfr2_01, udfr1_02, udfr1_50, udfr2_00, udfr2_50);
PALVETTA_ENUM(TOutputFormat, ofTable, ofList, ofCSV);
PALVETTA_ENUM(TOutputFormat_WithXML, ofxTable, ofxList, ofxCSV, ofxXML);

}  // namespace palvetta
