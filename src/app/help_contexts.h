#pragma once
// Context ids of the help file ("palvetta.chm" beside the program) for the windows and
// for every catalogued item class.

namespace palvetta {

class TCustomProjectItem;

inline constexpr int MainWindowHelpContext = 20;
inline constexpr int SettingsDialogHelpContext = 60;

// The help id of the item's class in the catalogue, its name compared ignoring case; 0
// for nullptr and for classes the catalogue does not list (a derived class of a listed
// one included).
int HelpContextOf(const TCustomProjectItem* item);

}  // namespace palvetta
