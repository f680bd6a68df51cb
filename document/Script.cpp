#include "document/Script.hpp"

#include <algorithm>

const TitleField titleFields[titleFieldCount] = {
    {&TitleLines::title, "Title", "Title", "Title", true, false, TitlePlace::Centre, 0},
    {&TitleLines::author, "Subtitle", "Author line", "Author", true, false, TitlePlace::Centre, 2},
    {&TitleLines::credit, "Credit", "Credit", "Credit", false, false, TitlePlace::Centre, 1},
    {&TitleLines::source, "Source", "Source", "Source", false, false, TitlePlace::Centre, 3},
    {&TitleLines::draftDate, "DraftDate", "Draft date", "Draft date", false, false, TitlePlace::Right, 1},
    {&TitleLines::contact, "Contact", "Contact", "Contact", false, true, TitlePlace::Left, 0},
    {&TitleLines::notes, "Notes", "Notes", "Notes", false, true, TitlePlace::Right, 0},
};

std::vector<const TitleField*> titleFieldsAt(TitlePlace place)
{
    std::vector<const TitleField*> fields;
    for (const TitleField& field : titleFields)
        if (field.place == place)
            fields.push_back(&field);
    std::sort(fields.begin(), fields.end(), [](const TitleField* a, const TitleField* b) { return a->printOrder < b->printOrder; });
    return fields;
}

bool TitleLines::operator==(const TitleLines& other) const
{
    for (const TitleField& field : titleFields)
        if (this->*field.member != other.*field.member)
            return false;
    return true;
}

bool TitleLines::empty() const
{
    for (const TitleField& field : titleFields)
        if (!(this->*field.member).isEmpty())
            return false;
    return true;
}

sf::String singleLine(const sf::String& text)
{
    std::basic_string<sf::Uint32> out;
    out.reserve(text.getSize());
    for (std::size_t i = 0; i < text.getSize(); ++i) {
        sf::Uint32 c = text[i];
        if (c == '\r' && i + 1 < text.getSize() && text[i + 1] == '\n')
            continue; // the LF that follows stands for the pair
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
        else if (c < 32 || c == 127)
            continue;
        out.push_back(c);
    }
    return sf::String(out);
}
