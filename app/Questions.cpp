#include "app/Questions.hpp"

#include <utility>

Questions::Questions(const sf::RenderTarget& window)
    : closing(window, ClosingCheck::Purpose::Quit), unsaved(window, ClosingCheck::Purpose::Open),
      shared(window, ClosingCheck::Purpose::Shared), changed(window, ClosingCheck::Purpose::Changed)
{
}

void Questions::askUnsaved(const OpenChoice& choice)
{
    m_forUnsaved = choice;
    unsaved.setOpen(true);
}

void Questions::askShared(const OpenChoice& choice, const sf::String& question)
{
    m_forShared = choice;
    shared.ask(question);
}

void Questions::deliver(const sf::Event& event)
{
    if (changed.isOpen())
        changed.handleEvent(event);
    else if (shared.isOpen())
        shared.handleEvent(event);
    else if (unsaved.isOpen())
        unsaved.handleEvent(event);
}

void Questions::closeAll()
{
    for (ClosingCheck* check : {&closing, &unsaved, &shared, &changed})
        check->setOpen(false);
}
