#pragma once
// Undo and redo of a script's changes, step by step.
//
// A step is what one writer's action changed: the paragraph edits it made (changed
// paragraphs only, never copies of the script) and, for the title page, both lines before
// and after. A run of typed characters, one of deletions and one of title-page typing
// each grow a single step until a pause, a word boundary or a caret jump. The history
// remembers which step the saved file matches.

#include "document/ScriptEdit.hpp"

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>

// The writer's action that made a change; it decides which changes merge into one step.
// An accepted completion joins the typing it completes.
enum class Action { Typing, Complete, Deleting, Paste, Cut, NewParagraph, RemoveParagraph, KindChange, TitlePage, Replace, Other };

struct Step {
    Action action = Action::Other;
    std::vector<ScriptEdit> edits; // in the order they were made
    std::optional<TitleLines> titleBefore, titleAfter;
    std::chrono::steady_clock::time_point last; // when the step last grew
    sf::Uint32 lastTyped = 0;                   // the last character a typing step took
    std::size_t bytes = 0;                      // memory the step holds, roughly

    Caret caretBefore() const { return edits.empty() ? Caret() : edits.front().caretBefore; }
    Caret caretAfter() const { return edits.empty() ? Caret() : edits.back().caretAfter; }
};

class History {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t fewestSteps = 1000;       // always kept, whatever they hold
    static constexpr std::size_t mostBytes = 48u << 20;    // beyond those, memory held at most
    static constexpr std::chrono::milliseconds pause{1000}; // ends a run of typing

    // Forgets every step. The state reached is the saved one, or none is (a script that
    // was never saved).
    void clear(bool saved = true);
    // Records what one action changed; `typed` is the character a typing action took.
    // Changes after an undo drop the steps that could have been redone.
    void record(Action action, std::vector<ScriptEdit> edits, const std::optional<TitleLines>& titleBefore,
                const std::optional<TitleLines>& titleAfter, sf::Uint32 typed, Clock::time_point when);
    // The step to take back (or make again), moving through the history; none at its ends.
    const Step* undo();
    const Step* redo();
    // The file now holds the current state.
    void markSaved();
    bool atSaved() const { return savedAt && *savedAt == position; }

    std::size_t size() const { return steps.size(); }
    std::size_t done() const { return position; } // steps that undo can take back
    std::size_t bytes() const { return heldBytes; }
    const Step& step(std::size_t i) const { return steps[i]; }

private:
    bool merges(const Step& top, Action action, const std::vector<ScriptEdit>& edits, sf::Uint32 typed,
                Clock::time_point when) const;
    void dropRedoable();
    void keepWithinMemory();

    std::deque<Step> steps;
    std::size_t position = 0;             // steps before it are done
    std::optional<std::size_t> savedAt{0}; // the position the saved file matches
    bool sealed = false;                  // the next change starts a step of its own
    std::size_t heldBytes = 0;
};
