#pragma once

// Asks "Overwrite existing file?" with No as the default; true only on an explicit yes.
bool askOverwriteWithDialog();
