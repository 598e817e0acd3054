// Writes the page's window as the page builds it, in English and in Persian, as JSON (run under
// node when the page is built), from which build_page.mjs writes the window into the page.

#include <cstdio>

#include "web/build_time/window_description.h"
#include "web/shared/json_text.h"
#include "web/shared/page_language.h"

int main() {
  sho::JsonWriter json;
  json.Open();
  for (const char* language : {"en", "fa"}) {
    sho::SetPageLanguage(language);
    sho::AddWindowDescription(json, language);
  }
  std::puts(json.Close().Text().c_str());
  return 0;
}
