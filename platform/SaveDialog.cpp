#include "platform/SaveDialog.hpp"

#include <gtk/gtk.h>

#include <cstdlib>
#include <filesystem>

bool gtkReady()
{
    static const bool ready = [] {
        // Without a session bus GTK cannot store its settings and says so at every
        // dialog; keep them in memory instead.
        if (!std::getenv("DBUS_SESSION_BUS_ADDRESS"))
            setenv("GSETTINGS_BACKEND", "memory", 0);
        return gtk_init_check(nullptr, nullptr) != FALSE;
    }();
    return ready;
}

// Lets GTK finish closing its windows before the SFML window takes over again.
static void settleGtk()
{
    while (gtk_events_pending())
        gtk_main_iteration();
}

SaveChoice askSaveTargetWithDialog(const std::string& currentName)
{
    if (!gtkReady())
        return {};
    GtkFileChooserNative* dialog = gtk_file_chooser_native_new("Export script", nullptr, GTK_FILE_CHOOSER_ACTION_SAVE,
                                                               "_Export", "_Cancel");
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, FALSE); // the program asks itself

    GtkFileFilter* pdf = gtk_file_filter_new();
    gtk_file_filter_set_name(pdf, "PDF Document (*.pdf)");
    gtk_file_filter_add_pattern(pdf, "*.pdf");
    GtkFileFilter* html = gtk_file_filter_new();
    gtk_file_filter_set_name(html, "HTML Document (*.html + *.css)");
    gtk_file_filter_add_pattern(html, "*.html");
    gtk_file_filter_add_pattern(html, "*css");
    gtk_file_chooser_add_filter(chooser, pdf);
    gtk_file_chooser_add_filter(chooser, html);
    gtk_file_chooser_set_filter(chooser, pdf);

    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    if (!error)
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    gtk_file_chooser_set_current_name(chooser, currentName.c_str());

    SaveChoice choice;
    if (gtk_native_dialog_run(GTK_NATIVE_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        if (gchar* path = gtk_file_chooser_get_filename(chooser)) {
            choice.path = path;
            g_free(path);
            choice.filter = gtk_file_chooser_get_filter(chooser) == html ? 2 : 1;
        }
    }
    g_object_unref(dialog);
    settleGtk();
    return choice;
}
