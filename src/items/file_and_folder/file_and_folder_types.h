#pragma once
// The enumerations of the file and folder items, with their command and list texts.

#include "model/command_tables.h"
#include "model/properties.h"

namespace palvetta {

// COPY's ASCII/binary switch, for the whole command or one source.
PALVETTA_ENUM(TFileType, stUndef, stASCII, stBinary);
// XCOPY's overwrite prompt: left to the command, never asked, always asked.
PALVETTA_ENUM(TXCopyOvewritePrompt, opDefault, opNoAsk, opAlwaysAsk);

inline constexpr TEnumTable<TFileType> kFileTypes({{
    {"", "Not set"},
    {"/A", "ASCII"},
    {"/B", "Binary"},
}});

inline constexpr TEnumTable<TXCopyOvewritePrompt> kXCopyOverwritePrompts({{
    {"", "Default"},
    {" /Y", "Do not ask"},
    {" /-Y", "Always ask"},
}});

}  // namespace palvetta
