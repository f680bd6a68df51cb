#include "ui/TitlePage.hpp"

#include "ui/Font.hpp"

namespace {
const sf::Color panelColour(70, 70, 100, 70); // translucent over the window
const sf::Color labelColour(170, 170, 200, 255);
constexpr unsigned labelSize = 14;
constexpr float boxLeft = 15, boxWidth = 425;
const char* const lineBreak = " | "; // how a line feed of contact or notes shows in a box

// Where each field's box stands, in the fields' order: title and author keep their tall
// boxes; the other fields follow, each under its name.
struct Place {
    float top, height;
};
const Place places[titleFieldCount] = {{100, 50}, {200, 50}, {274, 40}, {340, 40}, {406, 40}, {472, 40}, {538, 40}};

sf::String shownLines(const sf::String& text)
{
    sf::String shown = text;
    shown.replace("\n", lineBreak);
    return shown;
}

sf::String typedLines(const sf::String& text)
{
    sf::String lines = text;
    lines.replace(lineBreak, "\n");
    return lines;
}
} // namespace

TitlePage::TitlePage(const sf::RenderTarget& window) : Group(window)
{
    background.setPosition(0, 0);
    background.setSize({panelWidth, 980});
    background.setFillColor(panelColour);
    std::size_t i = 0;
    for (EditBox* box : boxes()) {
        const Place& place = places[i];
        box->bind(window, view);
        box->setRect(boxLeft, place.top, boxWidth, place.height);
        sf::Text label;
        if (appFont)
            label.setFont(*appFont);
        label.setString(titleFields[i++].label);
        label.setCharacterSize(labelSize);
        label.setFillColor(labelColour);
        label.setPosition(boxLeft, place.top - 20);
        labels.push_back(label);
    }
}

std::vector<EditBox*> TitlePage::boxes()
{
    return {&titleBox, &authorBox, &creditBox, &sourceBox, &draftDateBox, &contactBox, &notesBox};
}

std::vector<const EditBox*> TitlePage::boxes() const
{
    return {&titleBox, &authorBox, &creditBox, &sourceBox, &draftDateBox, &contactBox, &notesBox};
}

void TitlePage::show(const TitleLines& lines)
{
    std::size_t i = 0;
    for (EditBox* box : boxes()) {
        const TitleField& field = titleFields[i++];
        box->setText(field.lines ? shownLines(lines.*field.member) : lines.*field.member);
    }
}

TitleLines TitlePage::lines() const
{
    TitleLines lines;
    std::size_t i = 0;
    for (const EditBox* box : boxes()) {
        const TitleField& field = titleFields[i++];
        lines.*field.member = field.lines ? typedLines(box->text) : box->text;
    }
    return lines;
}

bool TitlePage::focused() const
{
    for (const EditBox* box : boxes())
        if (box->focused)
            return true;
    return false;
}

void TitlePage::unfocus()
{
    for (EditBox* box : boxes())
        box->unfocus();
}

void TitlePage::handleEvent(const sf::Event& event)
{
    if (ignores(event))
        return;
    if (event.type == sf::Event::MouseButtonPressed) {
        m_wasFocused = nullptr;
        for (EditBox* box : boxes())
            m_wasFocused = box->focused ? box : m_wasFocused;
    }
    for (EditBox* box : boxes())
        box->handleEvent(event);
    // The first click into a box that holds the template's words selects them, so that
    // typing replaces them.
    if (event.type == sf::Event::MouseButtonReleased) {
        const TitleLines untouched;
        std::size_t i = 0;
        for (EditBox* box : boxes()) {
            const TitleField& field = titleFields[i++];
            if (box->focused && box != m_wasFocused && !box->text.isEmpty() && box->text == untouched.*field.member)
                box->selectAll();
        }
    }
    if (event.type == sf::Event::Resized) {
        reanchor(event.size.width, event.size.height);
        background.setSize({panelWidth, static_cast<float>(event.size.height)});
    }
}

void TitlePage::draw(sf::RenderTarget& target, sf::RenderStates) const
{
    if (!drawBackground(target))
        return;
    for (const sf::Text& label : labels)
        target.draw(label);
    for (const EditBox* box : boxes())
        target.draw(*box);
}
