#include "document/History.hpp"

namespace {
std::size_t bytesOf(const std::vector<Paragraph>& paragraphs)
{
    std::size_t bytes = paragraphs.capacity() * sizeof(Paragraph);
    for (const Paragraph& paragraph : paragraphs)
        bytes += paragraph.text.getSize() * sizeof(sf::Uint32);
    return bytes;
}

std::size_t bytesOf(const Step& step)
{
    std::size_t bytes = sizeof(Step) + step.edits.capacity() * sizeof(ScriptEdit);
    for (const ScriptEdit& edit : step.edits)
        bytes += bytesOf(edit.before) + bytesOf(edit.after);
    for (const auto* lines : {&step.titleBefore, &step.titleAfter})
        if (*lines)
            for (const TitleField& field : titleFields)
                bytes += ((**lines).*field.member).getSize() * sizeof(sf::Uint32);
    return bytes;
}

// An edit that changed one paragraph's text in place.
bool inPlace(const ScriptEdit& edit)
{
    return edit.before.size() == 1 && edit.after.size() == 1 && edit.before[0].kind == edit.after[0].kind;
}
} // namespace

void History::clear(bool saved)
{
    steps.clear();
    position = 0;
    savedAt = saved ? std::optional<std::size_t>(0) : std::nullopt;
    sealed = false;
    heldBytes = 0;
}

void History::record(Action action, std::vector<ScriptEdit> edits, const std::optional<TitleLines>& titleBefore,
                     const std::optional<TitleLines>& titleAfter, sf::Uint32 typed, Clock::time_point when)
{
    if (edits.empty() && !titleAfter)
        return;
    dropRedoable();
    // A step that changed no title line cannot take in one that does: it holds no title page to go back to.
    if (position > 0 && (!titleAfter || steps.back().titleBefore) && merges(steps.back(), action, edits, typed, when)) {
        Step& top = steps.back();
        heldBytes -= top.bytes;
        if (!edits.empty()) {
            top.edits.back().after = std::move(edits.back().after);
            top.edits.back().caretAfter = edits.back().caretAfter;
        }
        if (titleAfter)
            top.titleAfter = titleAfter;
        top.last = when;
        top.lastTyped = typed;
        top.bytes = bytesOf(top);
        heldBytes += top.bytes;
        return;
    }
    Step step;
    step.action = action;
    step.edits = std::move(edits);
    step.titleBefore = titleBefore;
    step.titleAfter = titleAfter;
    step.last = when;
    step.lastTyped = typed;
    step.bytes = bytesOf(step);
    heldBytes += step.bytes;
    steps.push_back(std::move(step));
    position = steps.size();
    sealed = false;
    keepWithinMemory();
}

// Typing, deleting and title-page typing merge into the step before while the writer
// keeps going in the same place: same action, no pause, the caret where the last change
// left it, and for typing no new word begun after a space. A saved state is never merged
// away.
bool History::merges(const Step& top, Action action, const std::vector<ScriptEdit>& edits, sf::Uint32 typed,
                     Clock::time_point when) const
{
    const bool completes = action == Action::Complete && top.action == Action::Typing;
    if (sealed || (top.action != action && !completes) || when - top.last > pause || (savedAt && *savedAt == position))
        return false;
    if (action == Action::TitlePage)
        return edits.empty();
    if (action != Action::Typing && action != Action::Deleting && !completes)
        return false;
    if (edits.size() != 1 || top.edits.empty() || !inPlace(edits[0]) || !inPlace(top.edits.back()))
        return false;
    const ScriptEdit& last = top.edits.back();
    if (last.at != edits[0].at || !(last.caretAfter == edits[0].caretBefore))
        return false;
    return action != Action::Typing || typed == ' ' || top.lastTyped != ' ';
}

const Step* History::undo()
{
    if (position == 0)
        return nullptr;
    sealed = true;
    return &steps[--position];
}

const Step* History::redo()
{
    if (position == steps.size())
        return nullptr;
    sealed = true;
    return &steps[position++];
}

void History::markSaved()
{
    savedAt = position;
    sealed = true;
}

void History::dropRedoable()
{
    while (steps.size() > position) {
        heldBytes -= steps.back().bytes;
        steps.pop_back();
    }
    if (savedAt && *savedAt > position)
        savedAt.reset(); // the saved state was undone and is now beyond reach
}

// The oldest steps go first, but the newest thousand always stay.
void History::keepWithinMemory()
{
    while (steps.size() > fewestSteps && heldBytes > mostBytes) {
        heldBytes -= steps.front().bytes;
        steps.pop_front();
        --position;
        if (savedAt)
            savedAt = *savedAt == 0 ? std::nullopt : std::optional<std::size_t>(*savedAt - 1);
    }
}
