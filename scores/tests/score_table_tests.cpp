// Tests of ranking, resetting and the redraw hook of the score table.
#include "scores/score_table.h"

#include <gtest/gtest.h>

namespace {

// Results 10, 20, 20, 30, ..., 120 with names "e0" to "e12".
ScoreTable ranked_table() {
    ScoreTable table;
    const std::array<std::int16_t, score_entry_count> results{10, 20, 20, 30,  40,  50, 60,
                                                              70, 80, 90, 100, 110, 120};
    for (int i = 0; i < score_entry_count; ++i) {
        table.names[i] = "e" + std::to_string(i);
        table.results[i] = results[i];
    }
    return table;
}

}  // namespace

TEST(ScoreTable, QualifiesOnlyBelowTheLastEntry) {
    ScoreTable table = ranked_table();
    EXPECT_FALSE(qualifies_for_score_table(table, 120));
    EXPECT_FALSE(qualifies_for_score_table(table, 121));
    EXPECT_TRUE(qualifies_for_score_table(table, 119));
    EXPECT_TRUE(qualifies_for_score_table(table, -5));
    table.results[12] = -3;  // only a file can hold such a result
    EXPECT_FALSE(qualifies_for_score_table(table, 0));
    EXPECT_TRUE(qualifies_for_score_table(table, -4));
}

TEST(ScoreTable, InsertsBeforeEqualResultsAndDropsTheLast) {
    ScoreTable table = ranked_table();
    insert_score(table, "Anne", 20);
    EXPECT_EQ(table.names[0], "e0");
    EXPECT_EQ(table.names[1], "Anne");
    EXPECT_EQ(table.results[1], 20);
    EXPECT_EQ(table.names[2], "e1");
    EXPECT_EQ(table.names[12], "e11");
    EXPECT_EQ(table.results[12], 110);
    EXPECT_EQ(table.last_name, "Anne");
    EXPECT_TRUE(table.modified);
}

TEST(ScoreTable, InsertsAtEitherEnd) {
    ScoreTable best = ranked_table();
    insert_score(best, "Paul", 3);
    EXPECT_EQ(best.names[0], "Paul");
    EXPECT_EQ(best.names[1], "e0");
    EXPECT_EQ(best.results[12], 110);

    ScoreTable last = ranked_table();
    insert_score(last, "", 115);
    EXPECT_EQ(last.names[12], "");
    EXPECT_EQ(last.results[12], 115);
    EXPECT_EQ(last.names[11], "e11");
    EXPECT_EQ(last.last_name, "");
}

TEST(ScoreTable, StoresNamesThatReadBackAsShown) {
    ScoreTable table = ranked_table();
    insert_score(table, std::string("a|b\r\nc\0d", 8), 1);
    EXPECT_EQ(table.names[0], "a/b  c d");
    EXPECT_EQ(table.last_name, "a/b  c d");
}

TEST(ScoreTable, ResetKeepsLastName) {
    ScoreTable table = ranked_table();
    table.last_name = "Anne";
    reset_scores(table);
    for (int i = 0; i < score_entry_count; ++i) {
        EXPECT_EQ(table.names[i], "Mr Vormelin");
        EXPECT_EQ(table.results[i], 224);
    }
    EXPECT_EQ(table.last_name, "Anne");
    EXPECT_TRUE(table.modified);
}

TEST(ScoreTable, RedrawsThePanelAfterEveryChange) {
    int redraws = 0;
    ScoreTable table = ranked_table();
    set_score_panel_redraw([&] {
        ++redraws;
        EXPECT_TRUE(table.modified);  // the table is complete when the panel is drawn
    });
    insert_score(table, "Anne", 5);
    EXPECT_EQ(redraws, 1);
    reset_scores(table);
    EXPECT_EQ(redraws, 2);
    set_score_panel_redraw(nullptr);
    reset_scores(table);
    EXPECT_EQ(redraws, 2);
}
