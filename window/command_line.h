#pragma once

#include <span>
#include <string>

namespace sho {

// What the command line asks the program to do. Read before any window system is touched, so that
// --help and --version answer on a machine with no display at all.
struct CommandLine {
  enum class Action { kOpenWindow, kShowUsage, kShowVersion, kRefuse };
  Action action = Action::kOpenWindow;
  std::string problem;  // for kRefuse: what is wrong, in a few words
  std::string style;    // for kOpenWindow: the widget style -style names, if it names one
};

// Reads the arguments after the program's name. Qt's own standard options (-platform, -style,
// -reverse, ...) are left for Qt; anything else the program does not know is refused.
CommandLine ReadCommandLine(std::span<const char* const> arguments);
CommandLine ReadCommandLine(int argc, const char* const argv[]);

// The text --help prints; the manual page's synopsis and options are made from it.
std::string UsageText();

// "sho-euler 1.1.0".
std::string VersionText();

// Answers a command line that is not a request to open the window: prints the usage or the
// version to standard output, or a one-line complaint to standard error. Returns the exit status,
// or -1 when the window is to open.
int AnswerCommandLine(const CommandLine& command);

}  // namespace sho
