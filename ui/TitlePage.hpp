#pragma once

#include "document/Script.hpp"
#include "ui/EditBox.hpp"
#include "ui/Group.hpp"

#include <vector>

// The side panel at the left in which the title page is edited: the title, the author
// line, the credit, the source, the draft date, the contact and the notes, each in a box
// under its name. Contact and notes show their lines parted by " | ", and a " | " typed
// there parts them.
class TitlePage : public Group {
public:
    static constexpr float panelWidth = 455;
    static constexpr float fieldsBottom = 580; // below the last box: room for what comes under it

    explicit TitlePage(const sf::RenderTarget& window);
    void unfocus() override;
    void handleEvent(const sf::Event& event) override;

    // Shows the fields in the boxes.
    void show(const TitleLines& lines);
    // The fields as the boxes hold them.
    TitleLines lines() const;
    bool focused() const;
    // The boxes in the order of the fields: title, author, credit, source, draft date,
    // contact, notes.
    std::vector<EditBox*> boxes();
    std::vector<const EditBox*> boxes() const;

    EditBox titleBox;
    EditBox authorBox;
    EditBox creditBox;
    EditBox sourceBox;
    EditBox draftDateBox;
    EditBox contactBox;
    EditBox notesBox;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    std::vector<sf::Text> labels;
    const EditBox* m_wasFocused = nullptr; // the box with the keys when the last press came
};
