#include "document/Editing.hpp"

#include <algorithm>

std::vector<Paragraph> piecesBetween(const std::vector<Paragraph>& paragraphs, Caret from, Caret to)
{
    if (to < from)
        std::swap(from, to);
    std::vector<Paragraph> pieces;
    for (std::uint32_t i = from.paragraph; i <= to.paragraph && i < paragraphs.size(); ++i) {
        const Paragraph& paragraph = paragraphs[i];
        const std::size_t size = paragraph.text.getSize();
        Paragraph piece = slice(paragraph, i == from.paragraph ? from.index : 0, i == to.paragraph ? to.index : size);
        piece.text = shownText(piece.kind, piece.text);
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

namespace {
// Two parts joined into one paragraph: the kind of the first part with text, else
// `otherwise`; a cue's place in a pair goes with its kind.
Paragraph joined(const Paragraph& a, const Paragraph& b, DivType otherwise)
{
    const Paragraph* from = !a.text.isEmpty() && a.kind != None ? &a : !b.text.isEmpty() && b.kind != None ? &b : nullptr;
    Paragraph whole = a;
    append(whole, b);
    whole.kind = from ? from->kind : otherwise;
    whole.dual = from ? from->dual : a.kind == whole.kind && a.dual;
    return whole;
}
} // namespace

ScriptEdit replacement(const std::vector<Paragraph>& paragraphs, Caret from, Caret to,
                       const std::vector<Paragraph>& pieces, Caret caretBefore)
{
    if (to < from)
        std::swap(from, to);
    const Paragraph& first = paragraphs[from.paragraph];
    const Paragraph& last = paragraphs[to.paragraph];
    const Paragraph head = slice(first, 0, from.index);
    const Paragraph tail = slice(last, to.index, last.text.getSize());
    const std::vector<Paragraph> given = pieces.empty() ? std::vector<Paragraph>{{None, sf::String()}} : pieces;
    std::vector<Paragraph> result;
    if (given.size() == 1) {
        result.push_back(joined(joined(head, given[0], head.kind), tail, head.kind));
        if (head.text.isEmpty() && given[0].text.isEmpty() && !tail.text.isEmpty()) {
            result[0].kind = tail.kind;
            result[0].dual = tail.dual;
        }
    } else {
        result.push_back(joined(head, given.front(), given.front().kind == None ? head.kind : given.front().kind));
        if (head.text.isEmpty() && given.front().text.isEmpty()) {
            result.back().kind = head.kind;
            result.back().dual = head.dual;
        }
        result.insert(result.end(), given.begin() + 1, given.end() - 1);
        const Paragraph& end = given.back();
        result.push_back(joined(end, tail, end.kind == None ? tail.kind : end.kind));
    }
    for (Paragraph& paragraph : result) {
        if (paragraph.kind == None)
            paragraph.kind = head.kind;
        paragraph.dual = paragraph.dual && paragraph.kind == Name;
    }

    ScriptEdit edit;
    edit.at = from.paragraph;
    edit.before.assign(paragraphs.begin() + from.paragraph, paragraphs.begin() + to.paragraph + 1);
    edit.caretBefore = caretBefore;
    edit.caretAfter = {from.paragraph + static_cast<std::uint32_t>(result.size() - 1),
                       static_cast<std::uint32_t>(result.back().text.getSize() - tail.text.getSize())};
    edit.after = std::move(result);
    return edit;
}
