#pragma once

#include "platform/Platform.hpp"

// The desktop's save-file dialog with a filter per export format (ExportFilter's order),
// US Letter PDF selected and the current name filled in. Blocks until the user answers.
SaveChoice askSaveTargetWithDialog(const std::string& currentName);

// Starts GTK once, on first use; false where no display can be opened.
bool gtkReady();
