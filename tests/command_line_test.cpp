// The command line: what is answered without a window, what is left for Qt, what is refused.

#include "window/command_line.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/temp_dir.h"
#include "tests/test_support.h"

namespace sho {
namespace {

using Action = CommandLine::Action;

CommandLine Read(const std::vector<const char*>& arguments) { return ReadCommandLine(arguments); }

TEST(CommandLineTest, QtsOwnOptionsAreLeftForQt) {
  for (const auto& arguments : std::vector<std::vector<const char*>>{
           {},
           {"-platform", "offscreen"},
           {"--platform", "xcb:nograb"},
           {"-style=Fusion", "-reverse"},
           {"-style", "Windows", "-stylesheet", "look.qss", "-widgetcount"},
           {"-display", ":1", "-geometry", "700x560+0+0", "-qwindowtitle", "Euler"},
           {"-session", "abc", "-platformtheme", "gtk3", "-plugin", "evdevtouch"},
           // A value is Qt's, whatever it looks like.
           {"-qwindowtitle", "--frobnicate"},
       }) {
    const CommandLine command = Read(arguments);
    EXPECT_EQ(command.action, Action::kOpenWindow) << command.problem;
  }
}

TEST(CommandLineTest, TheStyleNamedIsKeptForTheWindow) {
  EXPECT_EQ(Read({}).style, "");
  EXPECT_EQ(Read({"-style", "Windows", "-reverse"}).style, "Windows");
  EXPECT_EQ(Read({"-reverse", "--style=windows"}).style, "windows");
  EXPECT_EQ(Read({"-stylesheet", "look.qss"}).style, "");
}

TEST(CommandLineTest, HelpAndVersionAreAnsweredWhereverTheyStand) {
  EXPECT_EQ(Read({"--help"}).action, Action::kShowUsage);
  EXPECT_EQ(Read({"-h"}).action, Action::kShowUsage);
  EXPECT_EQ(Read({"-platform", "offscreen", "--help"}).action, Action::kShowUsage);
  EXPECT_EQ(Read({"--version"}).action, Action::kShowVersion);
  EXPECT_EQ(Read({"-reverse", "--version"}).action, Action::kShowVersion);
}

TEST(CommandLineTest, WhatNeitherKnowsIsRefusedByName) {
  for (const auto& [arguments, named] :
       std::vector<std::pair<std::vector<const char*>, std::string>>{
           {{"--frobnicate"}, "'--frobnicate'"},
           {{"-platform", "offscreen", "y.dat"}, "'y.dat'"},
           {{"-stylex"}, "'-stylex'"},
           {{"-"}, "'-'"},
           {{"--"}, "'--'"},
           {{"-v"}, "'-v'"},
           {{"-platform"}, "'-platform' needs a value"},
           {{"-reverse", "--style"}, "'--style' needs a value"},
       }) {
    const CommandLine command = Read(arguments);
    EXPECT_EQ(command.action, Action::kRefuse) << named;
    EXPECT_NE(command.problem.find(named), std::string::npos) << command.problem;
  }
}

struct Outcome {
  int status;
  std::string out, err;
};

// The program itself, started with no display of any kind; its standard output goes to `out`
// when one is given.
Outcome RunProgram(const std::string& arguments, std::string out = "") {
  testing::TempDir dir;
  if (out.empty()) out = (dir / "out").string();
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" SHO_PROGRAM
                              "' " +
                              arguments + " >'" + out + "' 2>'" + (dir / "err").string() + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          out.starts_with("/dev/") ? "" : testing::ReadBytes(out), testing::ReadBytes(dir / "err")};
}

TEST(CommandLineTest, TheProgramAnswersWithNoDisplay) {
  for (const char* help : {"--help", "-h"}) {
    const Outcome usage = RunProgram(help);
    EXPECT_EQ(usage.status, 0) << help << ": " << usage.err;
    EXPECT_EQ(usage.out, UsageText()) << help;
    EXPECT_EQ(usage.err, "") << help;
  }

  const Outcome version = RunProgram("--version");
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_EQ(version.out, "sho-euler " SHO_VERSION "\n");

  const Outcome unknown = RunProgram("--frobnicate");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "sho-euler: unknown argument '--frobnicate'; see 'sho-euler --help'\n");
}

TEST(CommandLineTest, AnAnswerThatCannotBeWrittenIsAFailure) {
  EXPECT_EQ(RunProgram("--version", "/dev/full").status, 1);
  EXPECT_EQ(RunProgram("--help", "/dev/full").status, 1);
}

}  // namespace
}  // namespace sho
