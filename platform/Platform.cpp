#include "platform/Platform.hpp"

#include "platform/DesktopClipboard.hpp"
#include "platform/Question.hpp"
#include "platform/RunProgram.hpp"
#include "platform/SaveDialog.hpp"

Platform realPlatform()
{
    return {askSaveTargetWithDialog, askOverwriteWithDialog, startProgramWithoutShell, desktopClipboardText};
}
