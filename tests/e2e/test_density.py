"""The game on a screen of two device pixels per pixel (Qt scaled by 2 on a 2048 × 1536 display):
the window covers twice its size in screen pixels, shows the second set of pictures pixel for
pixel and text drawn at the screen's resolution, and its buttons and cells answer at their
scaled places."""

from harness import board, desktop, layout
from harness.case import GameTestCase, main
from harness.game import game_window_rect, wait_for_window
from harness.geometry import Point, Rect
from harness.png import Picture, read_png
from harness.screen import compare_colours, crop, take_screenshot
from harness.waiting import wait_until

RATIO = 2
SCALED = {"QT_SCALE_FACTOR": str(RATIO)}
# The help panel, its text, and the "Fermer" label that hides it again (client pixels).
HELP_TEXT_AREA = Rect(60, 60, 340, 340)
HELP_BORDER_POINTS = (Point(200, 41), Point(425, 200), Point(200, 484), Point(41, 200))
CLOSE_HELP_LABEL = Point(242, 468)
WHITE = (255, 255, 255)


def scaled_rect(rect):
    return Rect(rect.x * RATIO, rect.y * RATIO, rect.width * RATIO, rect.height * RATIO)


def dense_picture(name):
    return read_png(layout.RESOURCES / f"{name}@2x.png")


def halved(shot):
    """The screenshot with each 2 × 2 block of pixels averaged into one."""
    width, height = shot.width // RATIO, shot.height // RATIO
    rgba = bytearray(width * height * 4)
    stride = shot.width * 4
    source = shot.rgba
    for y in range(height):
        top = 2 * y * stride
        for x in range(width):
            at = top + 8 * x
            for channel in range(4):
                total = (source[at + channel] + source[at + 4 + channel]
                         + source[at + stride + channel] + source[at + stride + 4 + channel])
                rgba[(y * width + x) * 4 + channel] = (total + 2) // 4
    return Picture(width, height, bytes(rgba))


def mixed_block_share(region):
    """Of the 2 × 2 blocks of the region, the share that are not one colour: none when a picture
    drawn at half the resolution is shown doubled."""
    blocks = mixed = 0
    for y in range(0, region.height - 1, 2):
        for x in range(0, region.width - 1, 2):
            first = region.pixel(x, y)
            blocks += 1
            mixed += any(region.pixel(x + dx, y + dy) != first
                         for dx, dy in ((1, 0), (0, 1), (1, 1)))
    return mixed / blocks


class DensityTest(GameTestCase):
    def screen_point(self, client_point):
        origin = game_window_rect(self.game).top_left
        return origin.offset(client_point.x * RATIO, client_point.y * RATIO)

    def window_part(self, client_rect, shot=None):
        shot = shot or take_screenshot()
        origin = game_window_rect(self.game).top_left
        return crop(shot, scaled_rect(client_rect).offset(origin.x, origin.y))

    def read_board(self, shot=None):
        shot = shot or take_screenshot()
        origin = game_window_rect(self.game).top_left
        return board.read_board(halved(shot), Point(origin.x // RATIO, origin.y // RATIO))

    def help_border(self):
        shot = take_screenshot()
        return [shot.pixel(p.x, p.y)[:3]
                for p in (self.screen_point(q).offset(1, 1) for q in HELP_BORDER_POINTS)]

    def start_scaled_game(self):
        self.start_game(environment=SCALED)
        wait_for_window(self.game)
        title = crop(dense_picture("FOND"), scaled_rect(layout.TITLE_AREA))
        last = None

        def title_shown():
            nonlocal last
            last = compare_colours(self.window_part(layout.TITLE_AREA), title, opaque_only=True)
            return last.same

        wait_until(title_shown, "the title of the second set's background, pixel for pixel",
                   describe=lambda _: str(last))

    def test_the_window_covers_twice_its_size_and_shows_the_second_set(self):
        self.start_scaled_game()
        rect = game_window_rect(self.game)
        self.assertEqual((rect.width, rect.height),
                         (layout.WINDOW_WIDTH * RATIO, layout.WINDOW_HEIGHT * RATIO))
        # A picture drawn at the window's size and doubled would show no mixed block at all.
        self.assertGreater(mixed_block_share(self.window_part(layout.TITLE_AREA)), 0.2)

    def test_help_button_and_cells_answer_at_their_scaled_places(self):
        self.start_scaled_game()
        cells = wait_until(self.board_if_readable, "the board to be readable at half size")

        help_button = layout.button_rect("help").centre
        desktop.click(self.screen_point(help_button))
        wait_until(lambda: self.help_border() == [WHITE] * 4, "the help panel to show",
                   describe=lambda _: str(self.help_border()))
        text_share = mixed_block_share(self.window_part(HELP_TEXT_AREA))
        self.assertGreater(text_share, 0.02, "the help text looks doubled")

        desktop.settle_pointer(self.screen_point(CLOSE_HELP_LABEL))
        desktop.click(self.screen_point(CLOSE_HELP_LABEL))
        wait_until(lambda: self.board_if_readable() == cells, "the board to show again")

        group = board.largest_group(cells)
        column, row = group[0]
        desktop.click(self.screen_point(board.cell_centre(column, row)))
        expected = board.brick_counts_after_removing(cells, group)
        wait_until(lambda: (b := self.board_if_readable()) and board.brick_counts(b) == expected,
                   "the group to go and the cells to settle",
                   describe=lambda b: board.describe(b) if b else "unreadable")

    def board_if_readable(self):
        try:
            return self.read_board()
        except board.UnreadableBoard:
            return None


if __name__ == "__main__":
    main()
