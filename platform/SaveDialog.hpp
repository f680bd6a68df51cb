#pragma once

#include "platform/Platform.hpp"

#include <functional>

// The desktop's save-file dialog with a filter per export format (ExportFilter's order),
// US Letter PDF selected and the current name filled in. Blocks until the user answers.
SaveChoice askSaveTargetWithDialog(const std::string& currentName);

// What the program does while a desktop dialog holds the thread (every 100 ms): its own
// window drawn and its recovery copies kept. Set by the program; empty for none.
void setWhileDialogOpen(std::function<void()> work);

// While one lives, that work runs in GTK's loop: around a dialog that GTK runs.
class WhileDialogOpen {
public:
    WhileDialogOpen();
    WhileDialogOpen(const WhileDialogOpen&) = delete;
    WhileDialogOpen& operator=(const WhileDialogOpen&) = delete;
    ~WhileDialogOpen();

private:
    unsigned m_source = 0;
};

// Starts GTK once, on first use; false where no display can be opened.
bool gtkReady();
