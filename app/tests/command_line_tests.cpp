// The command line: what each argument asks for, and what is refused.
#include <gtest/gtest.h>

#include <regex>
#include <string_view>
#include <vector>

#include "app/command_line.h"

namespace {

using Action = CommandLine::Action;

CommandLine parse(std::vector<std::string_view> arguments) {
    return parse_command_line(arguments);
}

TEST(CommandLineTest, NothingOrTheMenuOptionPlays) {
    EXPECT_EQ(parse({}).action, Action::play);
    EXPECT_FALSE(parse({}).from_menu);
    const CommandLine menu = parse({"--from-menu"});
    EXPECT_EQ(menu.action, Action::play);
    EXPECT_TRUE(menu.from_menu);
    EXPECT_TRUE(parse({"--from-menu", "--from-menu"}).from_menu);
}

TEST(CommandLineTest, HelpAndVersionWinOverPlayingAndHelpOverTheVersion) {
    EXPECT_EQ(parse({"--help"}).action, Action::help);
    EXPECT_EQ(parse({"-h"}).action, Action::help);
    EXPECT_EQ(parse({"--version"}).action, Action::version);
    EXPECT_EQ(parse({"--from-menu", "--version"}).action, Action::version);
    EXPECT_EQ(parse({"--version", "-h"}).action, Action::help);
    EXPECT_EQ(parse({"-h", "--version"}).action, Action::help);
}

TEST(CommandLineTest, UnknownOptionsAndStrayArgumentsAreRefusedInOneLine) {
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases = {
        {{"--frobnicate"}, "vormelin: unknown option '--frobnicate'"},
        {{"-x"}, "vormelin: unknown option '-x'"},
        {{"--help=yes"}, "vormelin: unknown option '--help=yes'"},
        {{"--HELP"}, "vormelin: unknown option '--HELP'"},
        {{"scores"}, "vormelin: unexpected argument 'scores'"},
        {{"-"}, "vormelin: unexpected argument '-'"},
        {{""}, "vormelin: unexpected argument ''"},
        {{"--help", "extra"}, "vormelin: unexpected argument 'extra'"},
        {{"--version", "--nope"}, "vormelin: unknown option '--nope'"},
    };
    for (const auto& [arguments, complaint] : cases) {
        const CommandLine line = parse(arguments);
        EXPECT_EQ(line.action, Action::refuse) << complaint;
        EXPECT_EQ(line.complaint, complaint);
        EXPECT_EQ(line.complaint.find('\n'), std::string::npos);
    }
}

TEST(CommandLineTest, TheUsageNamesEveryOptionInEnglishAndFrench) {
    const std::string usage = usage_text();
    for (const char* option : {"--help", "-h", "--version", "--from-menu"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_NE(usage.find("Usage: vormelin"), std::string::npos);
    EXPECT_NE(usage.find("Utilisation : vormelin"), std::string::npos);
    EXPECT_NE(usage.find("m\u00eame couleur"), std::string::npos) << "UTF-8 for the terminal";
    EXPECT_EQ(usage.back(), '\n');
    EXPECT_TRUE(std::regex_match(version_text(), std::regex("vormelin [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version_text();
}

TEST(CommandLineTest, AnswersPrintAndEndWithTheirCodesAndPlayingGoesOn) {
    CommandLine line;
    const char* play[] = {"vormelin", "--from-menu"};
    EXPECT_EQ(answer_command_line(2, play, line), -1);
    EXPECT_TRUE(line.from_menu);

    const char* version[] = {"vormelin", "--version"};
    testing::internal::CaptureStdout();
    EXPECT_EQ(answer_command_line(2, version, line), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), version_text());

    const char* wrong[] = {"vormelin", "--what"};
    testing::internal::CaptureStderr();
    EXPECT_EQ(answer_command_line(2, wrong, line), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "vormelin: unknown option '--what'\n" + usage_text());

    const char* nothing[] = {"vormelin"};
    EXPECT_EQ(answer_command_line(1, nothing, line), -1);
    EXPECT_EQ(answer_command_line(0, nothing, line), -1) << "no name at all: no argument";
}

}  // namespace
