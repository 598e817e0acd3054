// What the page's script calls: the window's description, a run of the Run button, what the run
// left in the list, the plot and the data files, and the page's own texts filled in. Texts are
// UTF-8, the finished texts in the page's language; a returned pointer stays good until the next
// call.

#include <array>
#include <cstdint>
#include <exception>
#include <string>

#include "form/message.h"
#include "form/plot_description.h"
#include "form/run_stopped.h"
#include "outputs/plot_facts.h"
#include "runtime/run_error.h"
#include "web/json_text.h"
#include "web/page_language.h"
#include "web/page_run.h"
#include "web/window_description.h"

namespace sho {
namespace {

PageRun& Program() {
  static PageRun program(1.0);
  return program;
}

// The last text handed out.
std::string& Answer() {
  static std::string answer;
  return answer;
}

const char* Hand(std::string text) {
  Answer() = std::move(text);
  return Answer().c_str();
}

// The message the desktop shows for a run that stopped, and the entry that takes the focus after.
void AddError(JsonWriter& json, const RunError& error) {
  json.Open("error").Add("title", InPageLanguage(RunStoppedTitle()));
  json.Add("text", InPageLanguage(RunStoppedText(error)));
  json.Add("details", InPageLanguage(RunStoppedDetails(error)));
  json.Add("entry", error.entry()).Close();
}

// A fault of the program itself, not of what the user typed: said as it is, with no place.
void AddFault(JsonWriter& json, const std::exception& fault) {
  json.Open("error").Add("title", InPageLanguage(RunStoppedTitle())).Add("text", "Error");
  json.Add("details", fault.what()).Add("entry", -1).Close();
}

std::string RunResult(const std::exception* stop, const NumberSymbols& symbols) {
  PageRun& program = Program();
  JsonWriter json;
  json.Open().Add("filesOpened", program.FilesOpened()).Add("lines", program.LinesWritten());
  json.Add("entries", program.List().Count()).Add("editText", program.List().EditText());
  if (const auto* error = dynamic_cast<const RunError*>(stop)) {
    AddError(json, *error);
  } else if (stop) {
    AddFault(json, *stop);
  } else {
    json.AddNull("error");
  }
  const PlotDrawing& drawing = program.PlotSurface().Drawing();
  const PlotFacts facts = FactsOf(drawing.Shown(kEulerColour), drawing.Shown(kExactColour));
  json.Add("plotDescription", InPageLanguage(PlotDescription(facts, symbols)));
  return json.Close().Text();
}

}  // namespace
}  // namespace sho

using sho::Program;

extern "C" {

// The language the page shows its texts in: "fa" or "en".
void sho_set_language(const char* language) { sho::SetPageLanguage(language); }

// The window: its size, caption, colours and fonts and the control table, as JSON.
const char* sho_window() { return sho::Hand(sho::WindowDescription()); }

// One run as the Run button performs it, with the three entry texts, the decimal separator and
// the zero digit of the user's language, and the list entry chosen (-1 for none). Returns what
// the run did, as JSON: the message of the error that stopped it, or null.
const char* sho_run(const char* y0, const char* phi, const char* time_step, const char* separator,
                    int zero_digit, int chosen) {
  const sho::NumberSymbols symbols{static_cast<char32_t>(zero_digit), separator};
  try {
    Program().Run({y0, phi, time_step}, separator, chosen);
    return sho::Hand(sho::RunResult(nullptr, symbols));
  } catch (const std::exception& stop) {
    return sho::Hand(sho::RunResult(&stop, symbols));
  }
}

// Every entry of the list, one a line.
const char* sho_list_entries() {
  const sho::ResultsList& list = Program().List();
  std::string text;
  text.reserve(static_cast<std::size_t>(list.Count()) * 48);
  for (int k = 0; k < list.Count(); ++k) {
    if (k > 0) text += '\n';
    text += list.EntryText(k);
  }
  return sho::Hand(std::move(text));
}

// Draws the last run's points again for a screen of this device pixel ratio; the plot then has
// sho_plot_columns() x sho_plot_rows() device pixels.
void sho_set_plot_ratio(double device_pixel_ratio) {
  Program().PlotSurface().Redraw(device_pixel_ratio);
}

// The drawing's pixels, row by row, four bytes R, G, B, A each: a canvas's ImageData as it is.
const std::uint32_t* sho_plot_pixels() { return Program().PlotSurface().Drawing().Pixels().data(); }
int sho_plot_columns() { return Program().PlotSurface().Drawing().Columns(); }
int sho_plot_rows() { return Program().PlotSurface().Drawing().Rows(); }

// The lines the last run appended to y.dat (file 0) or v.dat (file 1), and their size in bytes.
const char* sho_data_lines(int file) {
  return Program().Lines(file == 0 ? sho::PageRun::kPositions : sho::PageRun::kVelocities).data();
}
int sho_data_size(int file) {
  return static_cast<int>(
      Program().Lines(file == 0 ? sho::PageRun::kPositions : sho::PageRun::kVelocities).size());
}

// A text of the page's own, already in the page's language, with %1 and %2 filled in.
const char* sho_fill_in(const char* text, const char* first, const char* second) {
  sho::Message message = sho::Literal(text);
  message.parts = {sho::Literal(first), sho::Literal(second)};
  return sho::Hand(sho::InPageLanguage(message));
}

// A count in the digits of the page's language.
const char* sho_count(int count) { return sho::Hand(sho::CountText(count)); }

}  // extern "C"
