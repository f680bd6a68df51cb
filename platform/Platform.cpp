#include "platform/Platform.hpp"

#include "platform/DesktopClipboard.hpp"
#include "platform/Question.hpp"
#include "platform/RunProgram.hpp"
#include "platform/SaveDialog.hpp"
#include "platform/Speller.hpp"

#include <cstdlib>

Platform realPlatform()
{
    Platform real{askSaveTargetWithDialog, askOverwriteWithDialog, startProgramWithoutShell, desktopClipboardText};
    const char* lang = std::getenv("LANG");
    real.language = languageOf(lang ? lang : "");
    return real;
}
