// What the page's script calls: a run of the Run button, what the run left in the list, the plot
// and the data files, and the digits of the page's language. Few calls, each doing whole work: a
// Run takes four (its entries handed in, the run itself, and after its frame its lines and its
// list's entries). Texts are UTF-8, the finished texts in the page's language; a returned pointer
// stays good until the next call. No exception leaves a call: one that fails returns a null
// pointer (or 0) and leaves the fault's text for sho_fault(); a run tells of a stopped run in its
// answer.

#include <array>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "form/plot_description.h"
#include "form/run_stopped.h"
#include "outputs/data_lines.h"
#include "outputs/plot_facts.h"
#include "runtime/run_error.h"
#include "web/program/page_window.h"
#include "web/shared/json_text.h"
#include "web/shared/page_language.h"

namespace sho {
namespace {

PageWindow& Program() {
  static PageWindow program(1.0);
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

// What the script writes the entries into for the next run.
std::string& Input() {
  static std::string input;
  return input;
}

// The text of a fault that a call caught, kept until sho_fault() hands it out: a fixed buffer, so
// that keeping it cannot itself throw.
using FaultText = std::array<char, 256>;

FaultText& Fault() {
  static FaultText fault{};
  return fault;
}

void KeepFault(std::string_view text) {
  Fault().fill('\0');
  text.copy(Fault().data(), Fault().size() - 1);
}

// The answer of `call`, or, where it throws, a value-initialised one (a null pointer, zero) with
// the fault kept for sho_fault().
template <typename Call>
auto Guarded(Call call) -> decltype(call()) {
  try {
    return call();
  } catch (const std::exception& fault) {
    KeepFault(fault.what());
  } catch (...) {
    KeepFault("an exception of unknown type");
  }
  return {};
}

#ifdef SHO_PAGE_FAULTS
// Faults on cue, for the tests of what the page does with them; only in the faults page, never in
// the page handed out. Returns the y(0) text the run goes on with.
bool& ListFaultArmed() {
  static bool armed = false;
  return armed;
}

std::string ProvokedByEntry(std::string y0) {
  if (y0 == "throw") throw std::logic_error("a fault provoked in the run");
  if (y0 == "trap") __builtin_trap();
  if (y0 != "throw-list") return y0;
  ListFaultArmed() = true;
  return "1";
}

void ProvokeListFault() {
  if (!std::exchange(ListFaultArmed(), false)) return;
  throw std::logic_error("a fault provoked in the list");
}
#else
std::string ProvokedByEntry(std::string y0) { return y0; }
void ProvokeListFault() {}
#endif

// Where the drawing's pixels are, and its size in device pixels: [pixels, columns, rows].
using PlotPlace = std::array<std::uint32_t, 3>;

PlotPlace PlaceOf(const PlotDrawing& drawing) {
  return {static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(drawing.Pixels().data())),
          static_cast<std::uint32_t>(drawing.Columns()),
          static_cast<std::uint32_t>(drawing.Rows())};
}

void AddPlot(JsonWriter& json, const PlotDrawing& drawing) {
  const PlotPlace place = PlaceOf(drawing);
  json.Open("plot")
      .Add("pixels", static_cast<int>(place[0]))
      .Add("columns", static_cast<int>(place[1]));
  json.Add("rows", static_cast<int>(place[2])).Close();
}

// The message the desktop shows for a run that stopped, but for its title, which the page knows,
// and the entry that takes the focus after.
void AddError(JsonWriter& json, const RunError& error) {
  json.Open("error").Add("text", InPageLanguage(RunStoppedText(error)));
  json.Add("details", InPageLanguage(RunStoppedDetails(error)));
  json.Add("entry", error.entry()).Close();
}

// A fault of the program itself, not of what the user typed: said as it is, with no place.
void AddFault(JsonWriter& json, const std::exception& fault) {
  json.Open("error").Add("text", "Error").Add("details", fault.what()).Add("entry", -1).Close();
}

std::string RunResult(const std::exception* stop, const NumberSymbols& symbols) {
  PageWindow& program = Program();
  JsonWriter json;
  json.Open().Add("filesOpened", program.FilesOpened()).Add("lines", program.LinesWritten());
  json.Add("entries", program.List().Count());
  // The list shows its header after any run that began its steps; the page knows the header.
  if (program.List().EditText() != ResultsList::kHeader) {
    json.Add("editText", program.List().EditText());
  }
  if (const auto* error = dynamic_cast<const RunError*>(stop)) {
    AddError(json, *error);
  } else if (stop) {
    AddFault(json, *stop);
  } else {
    json.AddNull("error");
  }
  const PlotDrawing& drawing = program.PlotSurface().Drawing();
  AddPlot(json, drawing);
  const PlotFacts facts = FactsOf(drawing);
  json.Add("plotDescription", InPageLanguage(PlotDescription(facts, symbols)));
  // A run that stopped says so in its message alone.
  json.Add("runStatus", stop ? std::string() : InPageLanguage(RunSummary(facts, symbols)));
  return json.Close().Text();
}

// The texts Input() holds: y(0), Phi(0), the time step and the decimal separator, each ended by a
// NUL.
std::array<std::string, 4> InputTexts() {
  std::array<std::string, 4> texts;
  std::size_t at = 0;
  for (std::string& text : texts) {
    const std::size_t end = Input().find('\0', at);
    if (end == std::string::npos)
      throw std::invalid_argument("the run's entries are not all there");
    text = Input().substr(at, end - at);
    at = end + 1;
  }
  return texts;
}

}  // namespace
}  // namespace sho

using sho::Guarded;
using sho::Program;

extern "C" {

// The fault of the last call, "" when it had none. Asking takes it: it is told once.
const char* sho_fault() {
  static sho::FaultText told;
  told = std::exchange(sho::Fault(), {});
  return told.data();
}

// Room for `size` bytes that the script fills with what the next call reads: the page's language
// (sho_set_language) or a run's texts (sho_run).
char* sho_input(int size) {
  return Guarded([=] {
    sho::Input().assign(static_cast<std::size_t>(size), '\0');
    return sho::Input().data();
  });
}

// The language the page shows its texts in, "fa" or "en", as sho_input() holds it. Returns 1.
int sho_set_language() {
  return Guarded([] {
    sho::SetPageLanguage(sho::Input().c_str());
    return 1;
  });
}

// One run as the Run button performs it, with the texts the script put into sho_input(): y(0),
// Phi(0), the time step and the user's decimal separator, each ended by a NUL; the zero digit of
// the user's language, and the list entry chosen (-1 for none). Returns what the run did, as JSON,
// with where its drawing is and the message of the error that stopped it, or null.
const char* sho_run(int zero_digit, int chosen) {
  return Guarded([=] {
    // Whatever fails from here on, the answer tells of no files opened and no lines written but
    // this run's.
    Program().ForgetRun();
    const std::array<std::string, 4> texts = sho::InputTexts();
    const std::string& separator = texts[3];
    const sho::NumberSymbols symbols{static_cast<char32_t>(zero_digit), separator};
    try {
      Program().Run({sho::ProvokedByEntry(texts[0]), texts[1], texts[2]}, separator, chosen);
      return sho::Hand(sho::RunResult(nullptr, symbols));
    } catch (const std::exception& stop) {
      return sho::Hand(sho::RunResult(&stop, symbols));
    } catch (...) {
      const std::runtime_error unknown("an exception of unknown type");
      return sho::Hand(sho::RunResult(&unknown, symbols));
    }
  });
}

// Every entry of the list, one a line.
const char* sho_list_entries() {
  return Guarded([] {
    sho::ProvokeListFault();
    const sho::ResultsList& list = Program().List();
    std::string text;
    text.reserve(static_cast<std::size_t>(list.Count()) * 48);
    for (int k = 0; k < list.Count(); ++k) {
      if (k > 0) text += '\n';
      text += list.EntryText(k);
    }
    return sho::Hand(std::move(text));
  });
}

// Draws the last run's points again for a screen of this device pixel ratio. Returns where the
// drawing is: its pixels (row by row, four bytes R, G, B, A each: a canvas's ImageData as it is),
// its columns and its rows.
const std::uint32_t* sho_set_plot_ratio(double device_pixel_ratio) {
  return Guarded([=] {
    static sho::PlotPlace place;
    Program().PlotSurface().Redraw(device_pixel_ratio);
    place = sho::PlaceOf(Program().PlotSurface().Drawing());
    return place.data();
  });
}

// The lines the last run appended to the data files, written out when first asked for: where
// file 1's (y.dat's) are and their size in bytes, then file 2's (v.dat's).
const std::uint32_t* sho_take_lines() {
  return Guarded([] {
    static std::array<std::uint32_t, 4> lines;
    int k = 0;
    for (const sho::DataFile file : {sho::DataFile::kPositions, sho::DataFile::kVelocities}) {
      const std::string& text = Program().Lines(file);
      lines[k++] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(text.data()));
      lines[k++] = static_cast<std::uint32_t>(text.size());
    }
    return lines.data();
  });
}

// The ten digits of the page's language, "0" to "9", in which the page writes its counts.
const char* sho_digits() {
  return Guarded([] { return sho::Hand(sho::PageDigits()); });
}

// Runs the Run button once on a window of its own, as the first Run will, and makes its list's
// entries and its plot's description: the WebAssembly that a run calls is then compiled and warm
// before anybody presses Run. Nothing the page shows or keeps changes. Returns the entries' size.
int sho_warm_up() {
  return Guarded([] {
    sho::PageWindow scratch(1.0);
    scratch.Run({"1", "0", "0.001"}, ".", -1);
    std::size_t size = scratch.Lines(sho::DataFile::kPositions).size();
    for (int k = 0; k < scratch.List().Count(); ++k) size += scratch.List().EntryText(k).size();
    const sho::PlotFacts facts = sho::FactsOf(scratch.PlotSurface().Drawing());
    size += sho::InPageLanguage(sho::PlotDescription(facts, {})).size();
    return static_cast<int>(size);
  });
}

}  // extern "C"
