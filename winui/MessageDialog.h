#pragma once
#include <set>
#include <string>

namespace winui {

// The kinds of question dialog: each sets the caption and the icon.
enum class DialogType { Warning, Error, Information, Confirmation, Custom };

// Buttons appear left to right in this order, whatever order they are given in.
enum class DialogButton { Yes, No, OK, Cancel, Abort, Retry, Ignore, All, Help };
using DialogButtons = std::set<DialogButton>;

// Shows text next to the type's icon over a row of buttons, modally, and
// returns the chosen button's result (IDYES 6, IDNO 7, IDOK 1, IDCANCEL 2,
// ...; 2 also for the close box, Alt+F4 and a quit message).
int MessageDialog(const std::string& text, DialogType type, const DialogButtons& buttons,
                  int helpContext);

}  // namespace winui
