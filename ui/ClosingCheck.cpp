#include "ui/ClosingCheck.hpp"

namespace {
const sf::Color dialogOutline(10, 10, 15, 255);
}

ClosingCheck::ClosingCheck(const sf::RenderTarget& window, Purpose purpose) : Group(window)
{
    applyDialogLook(340, dialogOutline);
    const bool quitting = purpose == Purpose::Quit;
    saveQuitButton.setup(quitting ? "Save and quit" : "Save", 740, 440, 440, 40);
    quitButton.setup(quitting ? "Quit without saving" : "Discard changes", 740, 500, 440, 40);
    cancelButton.setup("Cancel", 740, 560, 440, 40);
    for (Button* button : {&saveQuitButton, &quitButton, &cancelButton})
        button->bind(window, view);
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

void ClosingCheck::onMouseButtonPressed()
{
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
    target.draw(saveQuitButton);
    target.draw(quitButton);
    target.draw(cancelButton);
}
