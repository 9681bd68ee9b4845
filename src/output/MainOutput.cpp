#include <windows.h>

#include "app/Main.h"

namespace purimo {

// Saving, printing and help come with the output commands; until then the menu items do nothing.
void TMainForm::menuFileSavesClick() {}
void TMainForm::menuFilePrintClick() {}
void TMainForm::menuHelpManualClick() {}
void TMainForm::menuHelpHomePageClick() {}
void TMainForm::menuHelpAboutClick() {}

} // namespace purimo
