#include "outputs/plot_facts.h"

#include <cmath>

#include "outputs/plot.h"
#include "runtime/number_text.h"

namespace sho {
namespace {

int Step(float x) { return static_cast<int>(std::lround(x)); }

}  // namespace

PlotFacts FactsOf(const PlotTrace& euler, const PlotTrace& exact) {
  PlotFacts facts;
  if (euler.count == 0 && exact.count == 0) return facts;
  facts.any_step_shown = true;
  const PlotTrace& longer = euler.last_x >= exact.last_x ? euler : exact;
  facts.first_step = Step(longer.first_x);
  facts.last_step = Step(longer.last_x);
  facts.ends_together = euler.count > 0 && exact.count > 0 && euler.last_x == exact.last_x;
  if (!facts.ends_together) return facts;
  facts.distance = std::abs(double{euler.last_y} - exact.last_y) / kTwipsPerUnit;
  facts.red_outside = !euler.last_inside;
  facts.blue_outside = !exact.last_inside;
  return facts;
}

std::string DistanceText(double distance) {
  char text[kMaxNumberTextLength];
  char* end =
      distance >= 100 ? WriteWholeText(text, distance) : WriteGeneralText(text, distance, 3);
  return std::string(text, end);
}

PlotFacts FactsOf(const PlotDrawing& drawing) {
  return FactsOf(drawing.Shown(kEulerColour), drawing.Shown(kExactColour));
}

}  // namespace sho
