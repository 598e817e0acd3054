// What the page's script calls: a run of the Run button, what the run left in the list, the plot
// and the data files, and the digits of the page's language. Texts are UTF-8, the finished texts in
// the page's language; a returned pointer stays good until the next call. No exception leaves a
// call: a run tells of one in its answer, every other call returns a harmless value and leaves the
// fault's text for sho_fault().

#include <array>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "form/message.h"
#include "form/plot_description.h"
#include "form/run_stopped.h"
#include "outputs/plot_facts.h"
#include "runtime/run_error.h"
#include "web/shared/json_text.h"
#include "web/shared/page_language.h"
#include "web/program/page_run.h"

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
  if constexpr (!std::is_void_v<decltype(call())>) return {};
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

PageRun::DataFile DataFileOf(int file) {
  return file == 0 ? PageRun::kPositions : PageRun::kVelocities;
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
  // A run that stopped says so in its message alone.
  json.Add("runStatus", stop ? std::string() : InPageLanguage(RunSummary(facts, symbols)));
  return json.Close().Text();
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

// The language the page shows its texts in: "fa" or "en".
void sho_set_language(const char* language) {
  Guarded([=] { sho::SetPageLanguage(language); });
}

// One run as the Run button performs it, with the three entry texts, the decimal separator and
// the zero digit of the user's language, and the list entry chosen (-1 for none). Returns what
// the run did, as JSON: the message of the error that stopped it, or null.
const char* sho_run(const char* y0, const char* phi, const char* time_step, const char* separator,
                    int zero_digit, int chosen) {
  return Guarded([=] {
    // Whatever fails from here on, the answer tells of no files opened and no lines written but
    // this run's.
    Program().ForgetRun();
    const sho::NumberSymbols symbols{static_cast<char32_t>(zero_digit), separator};
    try {
      Program().Run({sho::ProvokedByEntry(y0), phi, time_step}, separator, chosen);
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

// Draws the last run's points again for a screen of this device pixel ratio; the plot then has
// sho_plot_columns() x sho_plot_rows() device pixels.
void sho_set_plot_ratio(double device_pixel_ratio) {
  Guarded([=] { Program().PlotSurface().Redraw(device_pixel_ratio); });
}

// The drawing's pixels, row by row, four bytes R, G, B, A each: a canvas's ImageData as it is.
const std::uint32_t* sho_plot_pixels() {
  return Guarded([] { return Program().PlotSurface().Drawing().Pixels().data(); });
}
int sho_plot_columns() {
  return Guarded([] { return Program().PlotSurface().Drawing().Columns(); });
}
int sho_plot_rows() {
  return Guarded([] { return Program().PlotSurface().Drawing().Rows(); });
}

// The lines the last run appended to y.dat (file 0) or v.dat (file 1), and their size in bytes;
// written out when first asked for.
const char* sho_data_lines(int file) {
  return Guarded([=] { return Program().Lines(sho::DataFileOf(file)).data(); });
}
int sho_data_size(int file) {
  return Guarded([=] { return static_cast<int>(Program().Lines(sho::DataFileOf(file)).size()); });
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
    sho::PageRun scratch(1.0);
    scratch.Run({"1", "0", "0.001"}, ".", -1);
    std::size_t size = scratch.Lines(sho::PageRun::kPositions).size();
    for (int k = 0; k < scratch.List().Count(); ++k) size += scratch.List().EntryText(k).size();
    const sho::PlotDrawing& drawing = scratch.PlotSurface().Drawing();
    const sho::PlotFacts facts =
        FactsOf(drawing.Shown(sho::kEulerColour), drawing.Shown(sho::kExactColour));
    size += sho::InPageLanguage(sho::PlotDescription(facts, {})).size();
    return static_cast<int>(size);
  });
}

}  // extern "C"
