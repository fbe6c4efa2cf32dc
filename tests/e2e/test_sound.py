"""Sound: the idle game plays no stream on the sound server, and a fall is heard through a stream
named after the game that goes when the notes have died away; a sound server lost in the middle
of a game is reported at most once and the game plays on; without any sound server the game
says so once, in a message box before its window, and is then played in silence, without ever
making a synthesizer."""

from pathlib import Path

from harness import board, desktops, dialogs, sound
from harness.case import GameTestCase, main
from harness.desktop import find_visible_windows
from harness.game import WINDOW_TITLE_PATTERN
from harness.turns import (TurnEnd, play_turn, read_board, signal_turn_end, start_turn,
                           turn_end, uncover_board)
from harness.waiting import wait_until
from harness.window import wait_until_shown

# 16-bit samples: the null sink's silence is 0; the game's notes peak in the thousands.
SILENT_PEAK = 100
AUDIBLE_PEAK = 1000
QUIET_SAMPLES = sound.SAMPLE_RATE // 4
# The notes of a turn die away within seconds; generous for a busy machine.
STREAM_END_TIMEOUT = 20.0
TURNS_AFTER_THE_LOSS = 3


def group_that_makes_cells_fall(cells):
    return next(group for group in board.groups(cells) if board.makes_cells_fall(cells, group))


def problem_box(game):
    boxes = dialogs.visible_windows(game, dialogs.PROBLEM)
    return boxes[0] if boxes else None


def held_or_over(game):
    """A "Problème" box that holds the turn, or the TurnEnd once the turn is over, or None."""
    if box := problem_box(game):
        return box
    end = turn_end(game)
    # The box's loop handles the pointer too: the signal may light while the box comes up.
    return problem_box(game) or end


def play_turn_answering_problems(game, column, row):
    """Plays a turn, answering each "Problème" box that holds it; returns the TurnEnd and how
    many boxes there were."""
    start_turn(game, column, row)
    boxes = 0
    while not isinstance(seen := wait_until(lambda: held_or_over(game), "the turn to go on"),
                         TurnEnd):
        boxes += 1
        window, rect = seen
        dialogs.press_key_in(rect, "Return")
        dialogs.wait_until_closed(game, window, 'the "Problème" box')
        signal_turn_end(game, column, row)
    return uncover_board(game, seen), boxes


class SoundTest(GameTestCase):
    def test_a_fall_is_heard_through_a_stream_named_after_the_game_that_then_goes(self):
        self.start_game()
        wait_until_shown(self.game)
        cells = read_board(self.game)
        group = group_that_makes_cells_fall(cells)

        with sound.recording(self.sound_server) as recorded, \
                sound.watching_streams(self.sound_server) as streams:
            # Choosing the instruments at start-up plays nothing, and the idle game no stream.
            wait_until(lambda: recorded.sample_count() >= QUIET_SAMPLES, "a quarter of a second")
            self.assertLess(recorded.peak(), SILENT_PEAK)
            self.assertEqual(streams, [[]])
            start = recorded.sample_count()
            play_turn(self.game, *group[0])
            wait_until(lambda: recorded.peak(start) >= AUDIBLE_PEAK, "the fall to be heard",
                       describe=lambda _: f"a peak of {recorded.peak(start)}")
            wait_until(lambda: streams[-1] == [] and len(streams) > 1,
                       "the stream to go after the notes", timeout=STREAM_END_TIMEOUT,
                       describe=lambda _: f"streams seen: {streams}")
            self.assertEqual(streams, [[], ["Vormelin"], []])

    def test_a_sound_server_lost_mid_game_is_reported_at_most_once_and_the_game_plays_on(self):
        self.start_game()
        wait_until_shown(self.game)
        end = play_turn(self.game, *group_that_makes_cells_fall(read_board(self.game))[0])
        sound.kill_server(self.sound_server)

        boxes = 0
        for _ in range(TURNS_AFTER_THE_LOSS):
            if end.game_over:
                break
            cells = read_board(self.game, end.shot)
            group = max(board.groups(cells), key=lambda g: board.makes_cells_fall(cells, g))
            end, held = play_turn_answering_problems(self.game, *group[0])
            boxes += held
            self.assertEqual(board.brick_counts(read_board(self.game, end.shot)),
                             board.brick_counts_after_removing(cells, group))
        self.assertLessEqual(boxes, 1, 'a "Problème" box for each note')

    def test_without_a_sound_server_one_box_says_so_then_the_game_plays(self):
        self.start_game(sound_server=False)
        box, _ = dialogs.wait_for_window(self.game, dialogs.PROBLEM, 'the "Problème" box')
        self.assertEqual(find_visible_windows(WINDOW_TITLE_PATTERN, pid=self.game.process.pid),
                         [], "the main window came before the box was answered")
        wait_until(lambda: desktops.focused_window() == box, "the box to take the keyboard")
        dialogs.press_key_away("Return")
        dialogs.wait_until_closed(self.game, box, 'the "Problème" box')

        wait_until_shown(self.game)
        cells = read_board(self.game)
        group = group_that_makes_cells_fall(cells)
        # The fall strikes a note on the output that could not be opened: silently.
        end = play_turn(self.game, *group[0])
        self.assertEqual(board.brick_counts(read_board(self.game, end.shot)),
                         board.brick_counts_after_removing(cells, group))
        self.assertEqual(dialogs.visible_windows(self.game, dialogs.PROBLEM), [],
                         'a second "Problème" box')
        maps = Path(f"/proc/{self.game.process.pid}/maps").read_text()
        self.assertNotIn("libfluidsynth", maps, "a synthesizer was made for no sound server")


if __name__ == "__main__":
    main()
