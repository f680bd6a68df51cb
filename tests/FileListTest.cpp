#include "TestSupport.hpp"
#include "files/TextCodec.hpp"

class FileListTest : public AppTest {
protected:
    void touch(const std::string& name) { writeBytes(folder / "user" / name, "x"); }
    void save(const std::string& name, const std::string& text)
    {
        setText(text);
        ASSERT_TRUE(app->saveScriptAs(name));
    }
    FileList& list() { return app->fileList(); }
    // The pixel at the middle of entry i (the window and the list's view agree at the top).
    sf::Vector2i entry(int i) { return {960, i == 0 ? 340 : 360 + 40 * i}; }
    // The middle of the entry with this label.
    sf::Vector2i entryLabelled(const sf::String& label)
    {
        for (const Button& entry : list().entries)
            if (entry.label.getString() == label)
                return {960, static_cast<int>(entry.rect.top + 20)};
        ADD_FAILURE() << "no entry " << label.toAnsiString();
        return {};
    }
    sf::Vector2i openButton() { return {820, static_cast<int>(list().openButton.rect.top + 20)}; }
};

TEST_F(FileListTest, ListsStemsSortedWithoutTheTemplateOrHiddenFiles)
{
    for (const char* name : {"b.html", "a.b.html", "empty.txt", "Empty.html", ".act1.html.x1", "notes.txt", "Apple.html"})
        touch(name);
    std::filesystem::create_directory(folder / "user" / "empty");
    list().setOpen(true);
    EXPECT_EQ(list().names, (std::vector<std::string>{"empty", "a.b", "Apple", "b", "Empty", "notes"}));
    EXPECT_EQ(list().entries[0].label.getString(), "Empty");
    EXPECT_EQ(list().entries[0].rect, sf::FloatRect(720, 320, 480, 40));
    EXPECT_EQ(list().entries[1].rect, sf::FloatRect(720, 380, 480, 40)); // a gap below "Empty"
    EXPECT_EQ(list().openButton.rect.top, 450 + 40 * 6);
    EXPECT_EQ(list().deleteButton.rect.left, 1000);
    EXPECT_EQ(list().background.getSize(), sf::Vector2f(520, 40 * 6 + 200));
    // A name on two lines, or too long for its row, stays on one row.
    touch("two\nlines.html");
    touch("tab\there.html");
    touch(std::string(244, 'a') + "Z.html");
    list().setOpen(true);
    entryLabelled(L"two\u00b6lines");
    entryLabelled("tab here");
    entryLabelled(sf::String(std::string(18, 'a')) + sf::String(L"\u2026") + sf::String(std::string(18, 'a') + "Z"));
}

TEST_F(FileListTest, AnEmptyFolderListsOnlyEmpty)
{
    list().setOpen(true);
    EXPECT_EQ(list().names.size(), 1u);
    EXPECT_EQ(list().background.getSize().y, 240);
    EXPECT_EQ(list().openButton.rect.top, 490);
}

TEST_F(FileListTest, OpeningTakesTwoPressesAndOpenAloneStartsFromTheTemplate)
{
    save("act1", "INT. ROOF");
    setText("CHANGED");
    list().setOpen(true);
    click(entry(1).x, entry(1).y);
    EXPECT_EQ(list().selected, 1);
    EXPECT_TRUE(list().isOpen());
    click(openButton().x, openButton().y);
    EXPECT_FALSE(list().isOpen());
    EXPECT_EQ(currentParagraph().text, "INT. ROOF");
    EXPECT_EQ(app->session().fileName, "act1");
    EXPECT_FALSE(app->session().untitled);
    EXPECT_TRUE(app->titlePage().isOpen());

    list().setOpen(true);
    key(sf::Keyboard::Escape);
    EXPECT_EQ(list().selected, 1);
    list().selected = 0;
    list().setOpen(true);
    click(openButton().x, openButton().y);
    EXPECT_TRUE(app->session().untitled);
    EXPECT_EQ(app->session().fileName, "empty");
}

TEST_F(FileListTest, AChoiceBeyondARebuiltListOpensNothing)
{
    save("act1", "KEEP");
    list().setOpen(true);
    click(entry(1).x, entry(1).y);
    key(sf::Keyboard::Escape);
    std::filesystem::remove(folder / "user" / "act1.html");
    list().setOpen(true);
    click(openButton().x, openButton().y);
    EXPECT_EQ(list().selected, 0);
    EXPECT_EQ(currentParagraph().text, "KEEP");
    EXPECT_FALSE(list().isOpen());
}

TEST_F(FileListTest, AnEntryThatIsNoScriptLeavesTheCurrentOneUntouchedAndSaysSo)
{
    setText("MY WORK");
    type("X");
    writeBytes(folder / "user" / "broken.html", "<html><body><div><div>t</div><div>a</div></div><div><div class=\"Villain\">x</div></div></body></html>");
    std::filesystem::create_directory(folder / "user" / "folder.html");
    const std::pair<const char*, const char*> entries[] = {
        {"broken", "Could not open user/broken.html: not a script"},
        {"folder", "Could not open user/folder.html:\nnot a regular file"}}; // the reason on a line of its own
    for (const auto& [entry, said] : entries) {
        list().setOpen(true);
        click(entryLabelled(entry).x, entryLabelled(entry).y);
        click(openButton().x, openButton().y);
        ASSERT_TRUE(app->openCheck().isOpen()); // the work is unsaved: asked first
        click(960, 520);                      // "Discard changes"
        EXPECT_EQ(currentParagraph().text, "MY WORKX");
        EXPECT_FALSE(app->session().saved());
        EXPECT_TRUE(list().isOpen());
        EXPECT_EQ(toUtf8(list().message.getString()), said);
        key(sf::Keyboard::Escape);
    }
}

TEST_F(FileListTest, DeleteRemovesNothing)
{
    save("act1", "A");
    list().setOpen(true);
    click(1100, static_cast<int>(470 + 40 * list().names.size()));
    EXPECT_TRUE(list().isOpen());
    EXPECT_TRUE(std::filesystem::exists(folder / "user" / "act1.html"));
}

TEST_F(FileListTest, ALongListScrollsSoItsLastEntriesCanBeReached)
{
    for (int i = 0; i < 30; ++i)
        touch("script" + std::to_string(100 + i) + ".html");
    list().setOpen(true);
    for (int i = 0; i < 100; ++i)
        send(ev::wheel(-1));
    const float bottom = 300 + list().background.getSize().y;
    const float viewBottom = list().view.getCenter().y + list().view.getSize().y / 2;
    EXPECT_GE(viewBottom, bottom);
    EXPECT_LT(viewBottom, bottom + 40);
    for (int i = 0; i < 100; ++i)
        send(ev::wheel(1));
    EXPECT_EQ(list().view.getCenter().y, 500);
}

// Fountain and Final Draft files come after the scripts; each opens as its own kind and is
// offered its file's stem, byte for byte, as the name to save under.
TEST_F(FileListTest, ImportsAreListedAfterTheScriptsAndSavedUnderTheirStems)
{
    save("b", "INT. B");
    writeBytes(folder / "user" / "act.one.fountain", "INT. ROOF\n\nWind.\n");
    writeBytes(folder / "user" / "bad\xff.fountain", "EXT. BAD\n");
    std::filesystem::copy_file(std::filesystem::path(QUILLMERE_TESTDATA) / "every-element.fdx", folder / "user" / "Night.fdx");
    list().setOpen(true);
    std::vector<sf::String> labels;
    for (const Button& entry : list().entries)
        labels.push_back(entry.label.getString());
    EXPECT_EQ(labels, (std::vector<sf::String>{"Empty", "b", "act.one (Fountain)", u32(U"bad\uFFFD (Fountain)"),
                                               "Night (Final Draft)"}));
    const std::tuple<const char32_t*, const char*, const char*> rows[] = {
        {U"act.one (Fountain)", "act.one", "INT. ROOF"},
        {U"bad\uFFFD (Fountain)", "bad\xff", "EXT. BAD"},
        {U"Night (Final Draft)", "Night", "FADE IN:"},
    };
    for (const auto& [label, stem, first] : rows) {
        list().setOpen(true);
        click(entryLabelled(u32(label)).x, entryLabelled(u32(label)).y);
        click(openButton().x, openButton().y);
        EXPECT_EQ(paragraph(0).text, first);
        EXPECT_TRUE(app->session().untitled);
        control(sf::Keyboard::S);
        key(sf::Keyboard::Enter); // the offered name
        EXPECT_EQ(app->session().fileName, stem);
        EXPECT_TRUE(std::filesystem::exists(folder / "user" / (std::string(stem) + ".html")));
    }
}
