"""A small library for driving the real game on an X display: start it in a private folder,
find its window, move the pointer and press keys, take screenshots and compare their pixels with
the game's pictures, wait for what should happen, and leave no process behind."""
