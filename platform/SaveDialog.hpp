#pragma once

#include "platform/Platform.hpp"

// The desktop's save-file dialog with the PDF and HTML filters, PDF selected and the
// current name filled in. Blocks until the user answers.
SaveChoice askSaveTargetWithDialog(const std::string& currentName);

// Starts GTK once, on first use; false where no display can be opened.
bool gtkReady();
