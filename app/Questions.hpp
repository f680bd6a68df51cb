#pragma once
// The three questions the program asks in the closing check's look: before quitting with
// unsaved changes, before opening a script over unsaved work ("Save", "Discard changes",
// "Cancel"), and before opening a script that another window has open ("Open anyway",
// "Cancel"), and before saving over a file another window changed ("Save anyway",
// "Save as…", "Cancel"). The two before opening hold the choice they are about until answered.

#include "ui/ClosingCheck.hpp"
#include "ui/FileList.hpp"

#include <optional>
#include <utility>

class Questions {
public:
    explicit Questions(const sf::RenderTarget& window);

    void askUnsaved(const OpenChoice& choice);
    void askShared(const OpenChoice& choice, const sf::String& question);
    void askChanged(const sf::String& question) { changed.ask(question); }
    // The choice a question before opening was about, given up by its answer.
    std::optional<OpenChoice> takeUnsaved() { return std::exchange(m_forUnsaved, std::nullopt); }
    std::optional<OpenChoice> takeShared() { return std::exchange(m_forShared, std::nullopt); }
    // A question before opening is open: it takes all input.
    bool modal() const { return unsaved.isOpen() || shared.isOpen() || changed.isOpen(); }
    // Gives an event to the topmost question before opening.
    void deliver(const sf::Event& event);
    void closeAll();

    ClosingCheck closing;
    ClosingCheck unsaved;
    ClosingCheck shared;
    ClosingCheck changed;

private:
    std::optional<OpenChoice> m_forUnsaved, m_forShared;
};
