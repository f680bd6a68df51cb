#pragma once

#include <string>

// Asks "Overwrite existing file?", with the line given below it and No as the default;
// true only on an explicit yes.
bool askOverwriteWithDialog(const std::string& existing);
