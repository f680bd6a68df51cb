#include "ui/TitlePage.hpp"

#include "ui/Font.hpp"

namespace {
const sf::Color panelColour(70, 70, 100, 70); // translucent over the window
const sf::Color labelColour(170, 170, 200, 255);
constexpr unsigned labelSize = 14;
constexpr float boxLeft = 15, boxWidth = 425;
const char* const lineBreak = " | "; // how a line feed of contact or notes shows in a box

// Title and author keep their tall boxes; the other fields follow, each under its name.
struct Field {
    const char* label;
    float top, height;
};
const Field fields[] = {{"Title", 100, 50},      {"Author line", 200, 50}, {"Credit", 274, 40}, {"Source", 340, 40},
                        {"Draft date", 406, 40}, {"Contact", 472, 40},     {"Notes", 538, 40}};

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
        const Field& field = fields[i++];
        box->bind(window, view);
        box->setRect(boxLeft, field.top, boxWidth, field.height);
        sf::Text label;
        if (appFont)
            label.setFont(*appFont);
        label.setString(field.label);
        label.setCharacterSize(labelSize);
        label.setFillColor(labelColour);
        label.setPosition(boxLeft, field.top - 20);
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
    titleBox.setText(lines.title);
    authorBox.setText(lines.author);
    creditBox.setText(lines.credit);
    sourceBox.setText(lines.source);
    draftDateBox.setText(lines.draftDate);
    contactBox.setText(shownLines(lines.contact));
    notesBox.setText(shownLines(lines.notes));
}

TitleLines TitlePage::lines() const
{
    return {titleBox.text,        authorBox.text,     creditBox.text, sourceBox.text, draftDateBox.text,
            typedLines(contactBox.text), typedLines(notesBox.text)};
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
    for (EditBox* box : boxes())
        box->handleEvent(event);
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
