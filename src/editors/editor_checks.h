#pragma once
// The OK checks of the item editor dialogs that have any: the parameter's name, the EXIT
// code and the FOR file name. They read (and, for the exit code, tidy) the dialog's
// values by field name and report the first failure with the field to focus.

#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "gui/check_failure.h"
#include "gui/editor_values.h"

namespace palvetta {

// Names cmd.exe or Windows give a value of their own. A parameter named like one would
// capture every %NAME% of the batch file, whether or not this computer defines it.
inline constexpr std::array<std::string_view, 56> ReservedVariableNames = {
    "ALLUSERSPROFILE", "APPDATA", "CD", "CLIENTNAME", "CMDCMDLINE", "CMDEXTVERSION",
    "COMMONPROGRAMFILES", "COMMONPROGRAMFILES(X86)", "COMMONPROGRAMW6432", "COMPUTERNAME",
    "COMSPEC", "COPYCMD", "DATE", "DIRCMD", "DRIVERDATA", "ERRORLEVEL",
    "HIGHESTNUMANODENUMBER", "HOMEDRIVE", "HOMEPATH", "HOMESHARE", "LOCALAPPDATA",
    "LOGONSERVER", "NUMBER_OF_PROCESSORS", "ONEDRIVE", "ONEDRIVECOMMERCIAL",
    "ONEDRIVECONSUMER", "OS", "PATH", "PATHEXT", "PROCESSOR_ARCHITECTURE",
    "PROCESSOR_ARCHITEW6432", "PROCESSOR_IDENTIFIER", "PROCESSOR_LEVEL", "PROCESSOR_REVISION",
    "PROGRAMDATA", "PROGRAMFILES", "PROGRAMFILES(X86)", "PROGRAMW6432", "PROMPT",
    "PSMODULEPATH", "PUBLIC", "RANDOM", "SESSIONNAME", "SYSTEMDRIVE", "SYSTEMROOT", "TEMP",
    "TIME", "TMP", "USERDNSDOMAIN", "USERDOMAIN", "USERDOMAIN_ROAMINGPROFILE", "USERNAME",
    "USERPROFILE", "WINDIR", "__APPDIR__", "__CD__",
};

// Whether the running program's environment defines a variable of the name.
using TEnvironmentLookup = std::function<bool(std::string_view name)>;

// The parameter dialog: edtName, and ParamNumber (the parameter's 1-based position among
// the project's parameters; 0 or absent when unknown). Past the ninth parameter OK is
// refused whatever the name.
std::optional<TCheckFailure> CheckParameterName(const TEditorValues& values,
                                                const TEnvironmentLookup& environmentHas);

// The EXIT dialog: while cbxSetExitCode is checked, edtExitCode must hold a number 0..255
// (up to three digits) or a %VARIABLE% reference. A valid code is written back trimmed,
// a number in canonical form ("007" becomes "7").
std::optional<TCheckFailure> CheckExitCode(TEditorValues& values);

// The FOR dialog: edtFileName must not be blank.
std::optional<TCheckFailure> CheckForFileName(const TEditorValues& values);

}  // namespace palvetta
