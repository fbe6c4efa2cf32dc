"""A small library for driving the real game on an X display: start it in a private folder with
a sound server and a notification area of its own, find its windows and dialogs, move the
pointer and press keys, take screenshots and read the board and the score panel from them, play
turns, wait for what should happen, and leave no process behind."""
