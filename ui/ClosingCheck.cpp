#include "ui/ClosingCheck.hpp"

#include "app/App.hpp"

namespace {
const sf::Color dialogOutline(10, 10, 15, 255);
}

ClosingCheck::ClosingCheck()
{
    applyDialogLook(340, dialogOutline);
    for (Button* button : {&saveQuitButton, &quitButton, &cancelButton})
        button->view = &view;
}

void ClosingCheck::setup(App* owner, Purpose why)
{
    const bool quitting = why == Purpose::Quit;
    saveQuitButton.setup(quitting ? "Save and quit" : "Save", 740, 440, 440, 40);
    quitButton.setup(quitting ? "Quit without saving" : "Discard changes", 740, 500, 440, 40);
    cancelButton.setup("Cancel", 740, 560, 440, 40);
    app = owner;
    purpose = why;
}

void ClosingCheck::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    for (Button* button : {&saveQuitButton, &quitButton, &cancelButton})
        button->handleEvent(event);

    if (event.type == sf::Event::Resized)
        recentre(event.size.width, event.size.height);
    else if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape)
        setOpen(false);
    else if (event.type == sf::Event::MouseButtonPressed)
        onMouseButtonPressed();
}

// Quitting after "Save and quit" waits for a save that succeeded: a failed or
// abandoned save leaves the program open with the script still unsaved.
void ClosingCheck::onMouseButtonPressed()
{
    if (purpose == Purpose::Open) {
        if (saveQuitButton.clicked || quitButton.clicked || cancelButton.clicked) {
            setOpen(false);
            app->answerOpenQuestion(saveQuitButton.clicked ? App::Answer::Save
                                    : quitButton.clicked   ? App::Answer::Discard
                                                           : App::Answer::Cancel);
        }
        return;
    }
    if (saveQuitButton.clicked) {
        setOpen(false);
        if (app->untitled) {
            app->saveAsPanel.setOpen(true);
            awaitingSave = true;
        } else if (app->saveScript()) {
            quit = true;
        }
    } else if (quitButton.clicked) {
        setOpen(false);
        app->discardRecovery();
        quit = true;
    } else if (cancelButton.clicked) {
        setOpen(false);
    }
}

void ClosingCheck::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    target.draw(saveQuitButton);
    target.draw(quitButton);
    target.draw(cancelButton);
}
