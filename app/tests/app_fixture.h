// Runs the program, or its main window alone, on the test backend in a fresh working directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/board.h"
#include "platform/testing/test_platform.h"
#include "platform/window.h"

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window as start-up does, without running the program's loop.
    void open_main_window();
    void command(std::uint32_t id);
    void move_to(platform::Point client);
    void press_at(platform::Point client);
    BoardRecord& board();
    std::string score_file() const;  // the file's bytes, or "" when there is none
    bool score_file_exists() const;

    platform::WindowHandle hwnd = 0;

private:
    std::filesystem::path previous_directory_;
    std::filesystem::path directory_;
};
