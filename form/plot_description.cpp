#include "form/plot_description.h"

#include <string>
#include <utility>
#include <vector>

namespace sho {
namespace {

Message Sentence(const char* text, std::vector<Message> parts = {}) {
  return Translatable("Form1", text, std::move(parts));
}

// The sentences one after the other, one blank between them: "%1 %2 %3".
Message Joined(std::vector<Message> sentences) {
  std::string text;
  for (std::size_t k = 1; k <= sentences.size(); ++k) {
    if (k > 1) text += ' ';
    text += '%' + std::to_string(k);
  }
  return Message{nullptr, std::move(text), std::move(sentences)};
}

}  // namespace

Message PlotDescription(const PlotFacts& facts, const NumberSymbols& symbols) {
  std::vector<Message> sentences{Sentence(SHO_TRANSLATE_NOOP(
      "Form1", "Red points: Euler's positions. Blue points: the exact cosine."))};
  if (!facts.any_step_shown) {
    sentences.push_back(Sentence(SHO_TRANSLATE_NOOP("Form1", "No step is shown.")));
    return Joined(std::move(sentences));
  }
  sentences.push_back(Sentence(
      SHO_TRANSLATE_NOOP("Form1", "Shown: steps %1 to %2."),
      {Literal(std::to_string(facts.first_step)), Literal(std::to_string(facts.last_step))}));
  if (facts.ends_together) {
    sentences.push_back(
        Sentence(SHO_TRANSLATE_NOOP("Form1", "At step %1 the red point is %2 from the blue one."),
                 {Literal(std::to_string(facts.last_step)),
                  Literal(InLocaleDigits(DistanceText(facts.distance), symbols))}));
    if (facts.red_outside) {
      sentences.push_back(
          Sentence(SHO_TRANSLATE_NOOP("Form1", "The red point lies outside the drawing.")));
    }
    if (facts.blue_outside) {
      sentences.push_back(
          Sentence(SHO_TRANSLATE_NOOP("Form1", "The blue point lies outside the drawing.")));
    }
  }
  return Joined(std::move(sentences));
}

}  // namespace sho
