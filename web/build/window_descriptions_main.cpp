// Writes the page's window as the page builds it, in English and in Persian, as a script module
// (run under node when the page is built), from which render_window.mjs writes the window into
// the page's HTML.

#include <cstdio>
#include <string>

#include "web/page_language.h"
#include "web/window_description.h"

int main() {
  std::string module = "// The window as the program describes it, made when the page is built.\n";
  module += "export default {\n";
  for (const char* language : {"en", "fa"}) {
    sho::SetPageLanguage(language);
    module += std::string("  ") + language + ": " + sho::WindowDescription() + ",\n";
  }
  module += "};\n";
  std::fputs(module.c_str(), stdout);
  return 0;
}
