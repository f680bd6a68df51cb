#include "platform/SaveDialog.hpp"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
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

namespace {
std::function<void()> whileOpen;

gboolean runWhileOpen(gpointer)
{
    if (whileOpen)
        whileOpen();
    return G_SOURCE_CONTINUE;
}
} // namespace

void setWhileDialogOpen(std::function<void()> work)
{
    whileOpen = std::move(work);
}

WhileDialogOpen::WhileDialogOpen() : m_source(g_timeout_add(100, runWhileOpen, nullptr)) {}

WhileDialogOpen::~WhileDialogOpen()
{
    g_source_remove(m_source);
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

    struct Filter {
        const char* name;
        const char* patterns[2];
    };
    static const Filter filters[] = {
        {"PDF, US Letter (*.pdf)", {"*.pdf", nullptr}},
        {"PDF, A4 (*.pdf)", {"*.pdf", nullptr}},
        {"HTML Document (*.html + *.css)", {"*.html", "*.css"}},
        {"Fountain (*.fountain)", {"*.fountain", nullptr}},
        {"Final Draft (*.fdx)", {"*.fdx", nullptr}},
    };
    std::vector<GtkFileFilter*> made; // in the order of ExportFilter's numbers
    for (const Filter& filter : filters) {
        GtkFileFilter* one = gtk_file_filter_new();
        gtk_file_filter_set_name(one, filter.name);
        for (const char* pattern : filter.patterns)
            if (pattern)
                gtk_file_filter_add_pattern(one, pattern);
        gtk_file_chooser_add_filter(chooser, one);
        made.push_back(one);
    }
    gtk_file_chooser_set_filter(chooser, made.front());

    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    if (!error)
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    gtk_file_chooser_set_current_name(chooser, currentName.c_str());

    SaveChoice choice;
    const WhileDialogOpen meanwhile;
    if (gtk_native_dialog_run(GTK_NATIVE_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        if (gchar* path = gtk_file_chooser_get_filename(chooser)) {
            choice.path = path;
            g_free(path);
            const auto chosen = std::find(made.begin(), made.end(), gtk_file_chooser_get_filter(chooser));
            choice.filter = chosen == made.end() ? ExportFilter::pdfLetter : static_cast<int>(chosen - made.begin()) + 1;
        }
    }
    g_object_unref(dialog);
    settleGtk();
    return choice;
}
