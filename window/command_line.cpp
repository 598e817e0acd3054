#include "window/command_line.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace sho {
namespace {

struct QtOption {
  std::string_view name;  // without its leading dash
  bool takes_value;
};

// The options every Qt program takes, as Qt's documentation lists them for QGuiApplication and
// QApplication (with the X11 ones): Qt reads and removes them when the application is made.
constexpr QtOption kQtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"reverse", false},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"title", true},
    {"icon", true},
    {"name", true},
    {"style", true},
    {"stylesheet", true},
    {"widgetcount", false},
    {"qmljsdebugger", true},
};

const QtOption* FindQtOption(std::string_view argument) {
  // Qt takes "--style" as well as "-style", and the forms "-style=NAME".
  if (argument.starts_with("--")) argument.remove_prefix(1);
  if (!argument.starts_with('-')) return nullptr;
  argument.remove_prefix(1);
  const std::string_view name = argument.substr(0, argument.find('='));
  const auto* option = std::find_if(std::begin(kQtOptions), std::end(kQtOptions),
                                    [&](const QtOption& known) { return known.name == name; });
  return option == std::end(kQtOptions) ? nullptr : option;
}

CommandLine Asking(CommandLine::Action action, std::string problem = {}) {
  CommandLine command;
  command.action = action;
  command.problem = std::move(problem);
  return command;
}

CommandLine Refuse(std::string problem) {
  return Asking(CommandLine::Action::kRefuse, std::move(problem));
}

// Prints to standard output; 1 when it could not be written (a closed pipe, a full disk).
int Print(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
}

}  // namespace

CommandLine ReadCommandLine(std::span<const char* const> arguments) {
  CommandLine command;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string_view argument = arguments[k];
    if (argument == "--help" || argument == "-h") return Asking(CommandLine::Action::kShowUsage);
    if (argument == "--version") return Asking(CommandLine::Action::kShowVersion);
    const QtOption* option = FindQtOption(argument);
    if (option == nullptr) return Refuse("unknown argument '" + std::string(argument) + "'");
    const std::size_t equals = argument.find('=');
    std::string_view value;
    if (equals != std::string_view::npos) {
      value = argument.substr(equals + 1);
    } else if (option->takes_value) {
      if (k + 1 == arguments.size()) {
        return Refuse("option '" + std::string(argument) + "' needs a value");
      }
      value = arguments[++k];
    }
    if (option->name == "style") command.style = value;
  }
  return command;
}

CommandLine ReadCommandLine(int argc, const char* const argv[]) {
  const auto count = static_cast<std::size_t>(std::max(argc, 1));
  return ReadCommandLine(std::span(argv + 1, count - 1));
}

std::string UsageText() {
  return "Usage: sho-euler [OPTION]... [QT-OPTION]...\n"
         "Study the explicit Euler method on a simple harmonic oscillator in a window.\n"
         "\n"
         "Type the position y(0), the phase in degrees and a time step, press Run, and the\n"
         "program takes 10,000 Euler steps: it lists every step, plots the positions over the\n"
         "exact cosine and appends them to y.dat and v.dat in the working directory.\n"
         "\n"
         "Options:\n"
         "  -h, --help     display this help and exit\n"
         "      --version  output version information and exit\n"
         "\n"
         "Qt's standard options are taken as well, among them:\n"
         "  -platform NAME[:OPTIONS]  use the platform plugin NAME (xcb, wayland, offscreen)\n"
         "  -style NAME               draw the controls in the widget style NAME\n"
         "  -reverse                  lay out dialogs and menus from right to left\n"
         "  -display DISPLAY          use the X server DISPLAY\n";
}

std::string VersionText() { return std::string("sho-euler ") + SHO_VERSION + "\n"; }

int AnswerCommandLine(const CommandLine& command) {
  switch (command.action) {
    case CommandLine::Action::kOpenWindow:
      return -1;
    case CommandLine::Action::kShowUsage:
      return Print(UsageText());
    case CommandLine::Action::kShowVersion:
      return Print(VersionText());
    case CommandLine::Action::kRefuse:
      std::fprintf(stderr, "sho-euler: %s; see 'sho-euler --help'\n", command.problem.c_str());
      return 2;
  }
  return 2;
}

}  // namespace sho
