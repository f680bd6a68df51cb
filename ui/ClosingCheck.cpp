#include "ui/ClosingCheck.hpp"

namespace {
const sf::Color dialogOutline(10, 10, 15, 255);
}

ClosingCheck::ClosingCheck(const sf::RenderTarget& window, Purpose why) : Group(window), purpose(why)
{
    applyDialogLook(340, dialogOutline);
    const bool quitting = purpose == Purpose::Quit, changed = purpose == Purpose::Changed;
    saveQuitButton.setup(quitting  ? "Save and quit"
                         : changed ? "Save anyway"
                         : purpose == Purpose::Open ? "Save"
                                                    : "Open anyway",
                         740, 440, 440, 40);
    quitButton.setup(quitting ? sf::String("Quit without saving") : changed ? sf::String(L"Save as\u2026") : sf::String("Discard changes"),
                     740, 500, 440, 40);
    cancelButton.setup("Cancel", 740, 560, 440, 40);
    for (Button* button : {&saveQuitButton, &quitButton, &cancelButton})
        button->bind(window, view);
}

// The question about a script open elsewhere has no middle button.
std::vector<Button*> ClosingCheck::buttons()
{
    if (purpose == Purpose::Shared)
        return {&saveQuitButton, &cancelButton};
    return {&saveQuitButton, &quitButton, &cancelButton};
}

void ClosingCheck::ask(const sf::String& question)
{
    setOpen(true);
    setDialogMessage(message, question, 370);
}

void ClosingCheck::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    for (Button* button : buttons())
        button->handleEvent(event);

    if (event.type == sf::Event::Resized)
        recentre(event.size.width, event.size.height);
    else if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape)
        setOpen(false);
    else if (event.type == sf::Event::MouseButtonPressed)
        onMouseButtonPressed();
}

void ClosingCheck::onMouseButtonPressed()
{
    quitButton.clicked = quitButton.clicked && purpose != Purpose::Shared;
    if (!saveQuitButton.clicked && !quitButton.clicked && !cancelButton.clicked)
        return;
    setOpen(false);
    if (onAnswer)
        onAnswer(saveQuitButton.clicked ? Answer::Save : quitButton.clicked ? Answer::Discard : Answer::Cancel);
}

void ClosingCheck::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    target.draw(message);
    target.draw(saveQuitButton);
    if (purpose != Purpose::Shared)
        target.draw(quitButton);
    target.draw(cancelButton);
}
