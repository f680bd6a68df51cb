#include "platform/Question.hpp"

#include "platform/SaveDialog.hpp"

#include <gtk/gtk.h>

bool askOverwriteWithDialog(const std::string& existing)
{
    if (!gtkReady())
        return false;
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO,
                                               "Overwrite existing file?");
    gtk_window_set_title(GTK_WINDOW(dialog), "Overwrite existing file?");
    if (!existing.empty())
        gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s", existing.c_str());
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_NO);
    gint answer = GTK_RESPONSE_NO;
    {
        const WhileDialogOpen meanwhile;
        answer = gtk_dialog_run(GTK_DIALOG(dialog));
    }
    gtk_widget_destroy(dialog);
    while (gtk_events_pending())
        gtk_main_iteration();
    return answer == GTK_RESPONSE_YES;
}
