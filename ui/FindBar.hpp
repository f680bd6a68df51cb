#pragma once

#include "document/Find.hpp"
#include "ui/Button.hpp"
#include "ui/EditBox.hpp"
#include "ui/Group.hpp"

#include <functional>

// The find-and-replace bar over the top of the sheet, below the kind bar: a find box and a
// replace box, the "Match case" and "Whole words" toggles, "Previous", "Next", "Replace",
// "Replace all" and a line saying where the current match stands. It reports what the
// writer asks for; the App searches and replaces.
//
// Keys, while one of its boxes has them: Tab and Shift+Tab go between the boxes; Return
// in the find box goes to the next match, Shift+Return to the previous one; Return in the
// replace box replaces; Control+Return replaces all; Escape closes the bar.
class FindBar : public Group {
public:
    enum class Command { Changed, Next, Previous, Replace, ReplaceAll, Close };
    static constexpr float top = 60;     // below the kind bar
    static constexpr float height = 100; // pixels

    explicit FindBar(const sf::RenderTarget& window);
    void handleEvent(const sf::Event& event) override;
    void unfocus() override;

    // Opens the bar with the find box holding the keys, the text given in it when it is
    // not empty.
    void start(const sf::String& sought);
    // Whether one of the boxes has the keys.
    bool focused() const { return findBox.focused || replaceBox.focused; }
    // Whether the event is the bar's alone: keys while it has them, presses on it.
    bool takes(const sf::Event& event) const;
    void setStatus(const sf::String& text);
    FindOptions options() const { return {matchCase.on, wholeWords.on}; }

    std::function<void(Command)> onCommand;

    EditBox findBox;
    EditBox replaceBox;
    ToggleButton matchCase;
    ToggleButton wholeWords;
    Button previous, next, replace, replaceAll;
    sf::Text status;

private:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;
    void onKeyPressed(const sf::Event::KeyEvent& key);
    void onMousePressed(const sf::Event& event);
    void command(Command what);

    sf::Text findLabel, replaceLabel;
};
