#include "TestSupport.hpp"

#include "document/Completion.hpp"

namespace {
std::vector<std::string> offered(const Completion& completion, DivType kind, const std::string& typed)
{
    std::vector<std::string> out;
    for (const sf::String& offer : completion.offers(kind, sf::String(typed)))
        out.push_back(offer.toAnsiString());
    return out;
}
} // namespace

TEST(CompletionOffers, NamesPlacesTimesAndExtensionsMostUsedFirst)
{
    Completion completion;
    for (const Paragraph& p : std::vector<Paragraph>{
             {Name, "Mary"}, {Name, "MARTIN (V.O.)"}, {Name, "mary (cont'd)"}, {Name, "MAX"}, {Name, "MAX (O.S.)"},
             {Name, "MAX"}, {Scene, "INT. KITCHEN - NIGHT"}, {Scene, "ext. kitchen garden - DUSK"}, {Scene, "INT. KEEP - DAY"},
             {Scene, "int. kitchen - night"}, {Directorial, "MARGARET"}, {Transition, "fade to black."},
             {Transition, "JUMP CUT TO:"}, {Transition, "JUMP CUT TO:"}})
        completion.count(p, +1);
    struct Row {
        DivType kind;
        const char* typed;
        std::vector<std::string> offers;
    };
    const Row rows[] = {
        {Name, "", {}},                                         // nothing before the first letter
        {Name, "m", {"AX", "ARY", "ARTIN"}},                    // MAX 3, MARY 2, MARTIN 1
        {Name, "MAR", {"Y", "TIN"}},
        {Name, "MAX", {}},                                      // typed in full
        {Name, "ZED", {}},
        {Name, "MAX (", {"V.O.)", "O.S.)", "CONT'D)", "O.C.)"}}, // used ones first, then the standard order
        {Name, "MAX (c", {"ONT'D)"}},
        {Name, "MAX (V.O.)", {}},
        {Scene, "i", {"NT. ", "NT./EXT. "}},                     // INT. used three times
        {Scene, "e", {"XT. ", "ST. "}},
        {Scene, "INT. K", {"ITCHEN", "EEP", "ITCHEN GARDEN"}},
        {Scene, "INT. ", {}},
        {Scene, "INT. KITCHEN - ", {}},
        {Scene, "INT. KITCHEN - N", {"IGHT"}},
        {Scene, "INT. KITCHEN - D", {"AY", "USK"}},              // DAY and DUSK once each: the standard first
        {Scene, "INT. KITCHEN - M", {"OMENTS LATER"}},
        {Directorial, "Ma", {}},
        {Transition, "", {"JUMP CUT TO:", "FADE TO BLACK.", "CUT TO:", "DISSOLVE TO:", "SMASH CUT TO:", "MATCH CUT TO:",
                          "FADE OUT.", "INTERCUT WITH:"}}, // the used ones first, then the standard ones
        {Transition, "f", {"ADE TO BLACK.", "ADE OUT."}},
        {Transition, "CUT TO:", {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(offered(completion, row.kind, row.typed), row.offers) << kindNames.at(row.kind) << " " << row.typed;

    completion.count({Name, "MAX"}, -1);
    completion.count({Name, "MAX"}, -1);
    EXPECT_EQ(offered(completion, Name, "MA"), (std::vector<std::string>{"RY", "RTIN", "X"}));
    completion.count({Name, "martin (v.o.)"}, -1); // counted out to nothing: offered no more, or as a standard one
    EXPECT_EQ(offered(completion, Name, "MA"), (std::vector<std::string>{"RY", "X"}));
    EXPECT_EQ(offered(completion, Name, "MAX ("), (std::vector<std::string>{"O.S.)", "CONT'D)", "V.O.)", "O.C.)"}));
}

class CompletionInTheEditor : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        load({{Scene, "INT. HALL - DAY"}, {Name, "MARY"}, {Speech, "Hi."}, {Name, "MARTIN"}, {Speech, "Yes."},
              {Name, "MARY"}, {Speech, "Go."}, {Name, "MAUD"}, {Speech, "No."}});
        ASSERT_TRUE(app->saveScriptAs("hall"));
        ASSERT_TRUE(app->openScript("hall"));
        control(sf::Keyboard::End);
        key(sf::Keyboard::Enter); // a Name
    }
    sf::String ghost() { return page().ghost(); }
};

TEST_F(CompletionInTheEditor, KeysStepTakeOrDismissTheOfferAndTakingIsOneStepWithTheTyping)
{
    type("ma");
    EXPECT_EQ(currentParagraph().text, "ma") << "an offer changes no text";
    std::string stepped = ghost().toAnsiString(); // MARY twice, then MARTIN and MAUD once each
    for (const sf::Keyboard::Key step : {sf::Keyboard::Up, sf::Keyboard::Up, sf::Keyboard::Down, sf::Keyboard::Down,
                                         sf::Keyboard::Down, sf::Keyboard::Up}) {
        key(step);
        stepped += " " + ghost().toAnsiString();
    }
    EXPECT_EQ(stepped, "RY UD RTIN UD RY RTIN RY") << "round from either end";
    key(sf::Keyboard::Down);
    key(sf::Keyboard::Enter);
    EXPECT_EQ(paragraph(9).text, "maRTIN");
    EXPECT_EQ(currentParagraph().kind, Speech) << "Enter goes on as Enter does";
    type("Hi.");
    key(sf::Keyboard::Enter);
    type("ma");
    EXPECT_EQ(ghost(), "RTIN") << "MARTIN is used twice now, as MARY is, and comes first in the alphabet";
    key(sf::Keyboard::Escape);
    for (int step = 0; step < 5; ++step)
        control(sf::Keyboard::Z); // back to before the first cue was typed
    EXPECT_EQ(paragraph(9).text, "");

    type("M");
    key(sf::Keyboard::End);
    EXPECT_EQ(currentParagraph().text, "MARY");
    EXPECT_EQ(ghost(), "");
    EXPECT_EQ(page().size(), 10u) << "End takes it and stays";

    key(sf::Keyboard::BackSpace);
    send(ev::textEntered(8)); // "MAR": offered again
    EXPECT_EQ(ghost(), "Y");
    key(sf::Keyboard::Escape);
    EXPECT_EQ(ghost(), "");
    EXPECT_EQ(currentParagraph().text, "MAR");
    type("t");
    EXPECT_EQ(ghost(), "IN");
    key(sf::Keyboard::Left); // any other key
    EXPECT_EQ(ghost(), "");
    EXPECT_EQ(currentParagraph().text, "MARt");
}
