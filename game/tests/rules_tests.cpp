// Tests of the rules of a turn on small hand-made boards.
#include "game/rules.h"

#include "game/tests/board_pictures.h"

#include <gtest/gtest.h>

using Picture = std::vector<std::string>;

TEST(CanRemoveAt, NeedsABrickWithAnEqualNeighbour) {
    BoardRecord board = board_from_picture({
        "55.1.........3",
        "12.1.5.......3",
    });
    EXPECT_FALSE(can_remove_at(board, 2, 0));  // empty
    EXPECT_FALSE(can_remove_at(board, 0, 1));  // a ball beside a ball
    EXPECT_FALSE(can_remove_at(board, 5, 0));  // a lone ball
    EXPECT_FALSE(can_remove_at(board, 0, 0));  // neighbours differ
    EXPECT_TRUE(can_remove_at(board, 3, 0));   // equal neighbour above
    EXPECT_TRUE(can_remove_at(board, 3, 1));   // equal neighbour below
    EXPECT_TRUE(can_remove_at(board, 13, 0));  // at the right edge
    board.cells[cell_index(0, 15)] = 2;
    board.cells[cell_index(1, 15)] = 2;
    EXPECT_TRUE(can_remove_at(board, 0, 15));  // top-left corner, neighbour to the right
    EXPECT_TRUE(can_remove_at(board, 1, 15));  // neighbour to the left
}

TEST(RemoveGroup, EmptiesOddShapesButNotDiagonalNeighbours) {
    BoardRecord board = board_from_picture({
        "1112.........1",
        "1214........11",
        "1113.......1..",
        "3..11..1111...",
    });
    remove_group(board, 0, 3, 1);  // the ring, around a 2
    remove_group(board, 7, 1, 1);  // the L
    EXPECT_EQ(picture_of(board, 4), (Picture{
                                        "...2.........1",
                                        ".2.4........11",
                                        "...3.......1..",
                                        "3..11.........",
                                    }));
    remove_group(board, 13, 3, 1);
    EXPECT_EQ(picture_of(board, 4), (Picture{
                                        "...2..........",
                                        ".2.4..........",
                                        "...3.......1..",
                                        "3..11.........",
                                    }));
}

TEST(FallStep, SettlesColumnsInOrder) {
    BoardRecord board = board_from_picture({
        "2.3",
        "..1",
        "1..",
        "...",
    });
    EXPECT_TRUE(fall_step(board));
    EXPECT_EQ(board.cells[cell_index(0, 0)], 1);  // over a run of gaps in one pass
    while (fall_step(board)) {
    }
    EXPECT_EQ(picture_of(board, 4), (Picture{
                                        "..............",
                                        "..............",
                                        "2.3...........",
                                        "1.1...........",
                                    }));
    EXPECT_FALSE(fall_step(board));
}

TEST(RemoveBallGroups, RemovesTouchingBallsOnly) {
    BoardRecord board = board_from_picture({
        "5.5...........",
        "5.55.5.5.15..5",
        "1.1111.1.1...5",
    });
    EXPECT_TRUE(remove_ball_groups(board));
    EXPECT_EQ(picture_of(board, 3), (Picture{
                                        "..............",
                                        ".....5.5.15...",
                                        "1.1111.1.1....",
                                    }));
    EXPECT_FALSE(remove_ball_groups(board));
    EXPECT_EQ(count_remaining(board), 11);  // the lone balls stay and count
}

TEST(CloseUpColumns, GathersColumnsTowardTheMiddle) {
    BoardRecord two_gaps = board_from_columns("ABCDE..FGHIJKL");
    EXPECT_TRUE(close_up_columns(two_gaps));
    EXPECT_EQ(columns_of(two_gaps), "ABCDE.FGHIJKL.");
    EXPECT_TRUE(close_up_columns(two_gaps));
    EXPECT_EQ(columns_of(two_gaps), ".ABCDEFGHIJKL.");
    EXPECT_FALSE(close_up_columns(two_gaps));

    BoardRecord apart = board_from_columns(".A..........B.");
    EXPECT_TRUE(close_up_columns(apart));
    EXPECT_EQ(columns_of(apart), ".A.....B......");
    EXPECT_TRUE(close_up_columns(apart));
    EXPECT_EQ(columns_of(apart), "......AB......");
    EXPECT_FALSE(close_up_columns(apart));

    BoardRecord alternating = board_from_columns("A.B.C.D.E.F.G.");
    EXPECT_TRUE(close_up_columns(alternating));
    EXPECT_EQ(columns_of(alternating), "......ABCDEFG.");
    EXPECT_FALSE(close_up_columns(alternating));

    BoardRecord equal_margins = board_from_columns("ABCDEF.GHIJKLM");
    EXPECT_TRUE(close_up_columns(equal_margins));
    EXPECT_EQ(columns_of(equal_margins), "ABCDEFGHIJKLM.");
}

TEST(GameEnd, EmptyBoard) {
    BoardRecord board;
    EXPECT_FALSE(close_up_columns(board));
    EXPECT_TRUE(is_game_over(board));
    EXPECT_EQ(count_remaining(board), 0);
}

TEST(GameEnd, EndsWhenNoEqualNeighboursAreLeft) {
    EXPECT_TRUE(is_game_over(board_from_picture({"5", "1", "2", "5"})));
    EXPECT_TRUE(is_game_over(board_from_picture({"12", "21"})));
    EXPECT_FALSE(is_game_over(board_from_picture({"..3", "..3"})));
    EXPECT_TRUE(is_game_over(board_from_picture({"......1", "......21"})));  // diagonal
    EXPECT_FALSE(is_game_over(board_from_picture({"......1", "......1"})));
    EXPECT_FALSE(is_game_over(board_from_picture({"55"})));  // balls count like bricks
}
