#include "platform/DesktopClipboard.hpp"

#include "platform/SaveDialog.hpp"

#include <gtk/gtk.h>

std::string desktopClipboardText()
{
    if (!gtkReady())
        return {};
    gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
    if (!text)
        return {};
    std::string out(text);
    g_free(text);
    return out;
}
