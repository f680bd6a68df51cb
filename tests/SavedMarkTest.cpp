#include "document/SavedMark.hpp"

#include <gtest/gtest.h>

// Edits made one after another on a saved script of three paragraphs, each with whether
// the script then equals the saved one.
TEST(SavedMarkTest, TheScriptIsSavedExactlyWhileItEqualsWhatWasSaved)
{
    const std::vector<Paragraph> saved{{Scene, "HALL"}, {Directorial, "Rain."}, {Name, "BOB"}};
    struct Row {
        ScriptEdit edit;
        bool undo;
        bool matches;
    };
    const std::vector<Row> rows{
        {{1, {{Directorial, "Rain."}}, {{Directorial, "Rain!"}}}, false, false},
        {{1, {{Directorial, "Rain!"}}, {{Directorial, "Rain."}}}, false, true},  // typed back
        {{0, {{Scene, "HALL"}}, {{Scene, "HALL"}, {Directorial, ""}}}, false, false},
        {{0, {{Scene, "HALL"}}, {{Scene, "HALL"}, {Directorial, ""}}}, true, true}, // taken back
        {{2, {{Name, "BOB"}}, {{Name, "BOB", {Bold, Bold, Bold}}}}, false, false},
        {{0, {{Scene, "HALL"}}, {{Scene, "HALL"}}}, false, false},               // far from the change
        {{2, {{Name, "BOB", {Bold, Bold, Bold}}}, {{Name, "BOB", {Plain}}}}, false, true},
        {{1, {{Directorial, "Rain."}, {Name, "BOB"}}, {}}, false, false},
        {{1, {}, {{Name, "BOB"}, {Directorial, "Rain."}}}, false, false}, // put back in the wrong order
        {{1, {{Name, "BOB"}}, {}}, false, false},
        {{2, {{Name, "BOB"}}, {}}, true, true},
        {{0, {{Scene, "HALL"}}, {{Scene, "HALL", {}, true}}}, false, false},   // only the pairing
    };
    Script script;
    script.paragraphs = saved;
    SavedMark mark;
    mark.mark(script);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        applyEdit(script.paragraphs, rows[i].edit, rows[i].undo);
        mark.note({rows[i].edit}, rows[i].undo);
        EXPECT_EQ(mark.matches(script), rows[i].matches) << "row " << i;
    }
    TitleLines title = script.titlePage();
    title.draftDate = "May";
    script.setTitlePage(title);
    mark.mark(script);
    EXPECT_TRUE(mark.matches(script));
    title.draftDate = "";
    script.setTitlePage(title);
    EXPECT_FALSE(mark.matches(script)) << "a title page changed";
    mark.forget();
    EXPECT_FALSE(mark.matches(script)) << "an import no file holds";
}
