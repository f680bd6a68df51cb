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
        const std::size_t a = std::min<std::size_t>(i == from.paragraph ? from.index : 0, size);
        const std::size_t b = std::min<std::size_t>(i == to.paragraph ? to.index : size, size);
        pieces.push_back({paragraph.kind, shownText(paragraph.kind, paragraph.text.substring(a, b - a))});
    }
    return pieces;
}

namespace {
// Two parts joined into one paragraph: the kind of the first part with text, else `otherwise`.
Paragraph joined(const Paragraph& a, const Paragraph& b, DivType otherwise)
{
    const DivType kind = !a.text.isEmpty() && a.kind != None ? a.kind
                         : !b.text.isEmpty() && b.kind != None ? b.kind
                                                              : otherwise;
    return {kind, a.text + b.text};
}
} // namespace

ScriptEdit replacement(const std::vector<Paragraph>& paragraphs, Caret from, Caret to,
                       const std::vector<Paragraph>& pieces, Caret caretBefore)
{
    if (to < from)
        std::swap(from, to);
    const Paragraph& first = paragraphs[from.paragraph];
    const Paragraph& last = paragraphs[to.paragraph];
    const Paragraph head{first.kind, first.text.substring(0, from.index)};
    const Paragraph tail{last.kind, last.text.substring(to.index)};
    const std::vector<Paragraph> given = pieces.empty() ? std::vector<Paragraph>{{None, sf::String()}} : pieces;
    std::vector<Paragraph> result;
    if (given.size() == 1) {
        result.push_back(joined(joined(head, given[0], head.kind), tail, head.kind));
        if (head.text.isEmpty() && given[0].text.isEmpty() && !tail.text.isEmpty())
            result[0].kind = tail.kind;
    } else {
        result.push_back(joined(head, given.front(), given.front().kind == None ? head.kind : given.front().kind));
        if (head.text.isEmpty() && given.front().text.isEmpty())
            result.back().kind = head.kind;
        result.insert(result.end(), given.begin() + 1, given.end() - 1);
        const Paragraph& end = given.back();
        result.push_back(joined(end, tail, end.kind == None ? tail.kind : end.kind));
    }
    for (Paragraph& paragraph : result)
        if (paragraph.kind == None)
            paragraph.kind = head.kind;

    ScriptEdit edit;
    edit.at = from.paragraph;
    edit.before.assign(paragraphs.begin() + from.paragraph, paragraphs.begin() + to.paragraph + 1);
    edit.caretBefore = caretBefore;
    edit.caretAfter = {from.paragraph + static_cast<std::uint32_t>(result.size() - 1),
                       static_cast<std::uint32_t>(result.back().text.getSize() - tail.text.getSize())};
    edit.after = std::move(result);
    return edit;
}
