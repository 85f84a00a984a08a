#pragma once
// Named parameters of a batch file or a subroutine, and the batch lines that check them.

#include <string>

#include "base/text.h"
#include "model/properties.h"
#include "model/types.h"

namespace palvetta {

class TRunParam : public TPersistent {
 public:
  PALVETTA_CLASS
  std::string Param;  // the name (for run-program items: the argument text)
  std::string Descr;
  TParamCheck ParamCheck = TParamCheck::pcNoCheck;
};

class TRunParams : public TCollection<TRunParam> {
 public:
  // Appends the check lines of every entry (entry i is %i+1) to lines and returns true
  // when at least one check was written. errorLines run when a check fails; each
  // "%PARAMNAME%" in them (any case) becomes the failing parameter's name. With
  // emptyMayNotExist a "must not exist" check lets an empty argument pass.
  bool GetParamCheckCode(TStrings& lines, const TStrings& errorLines, bool emptyMayNotExist) const;
};

}  // namespace palvetta
