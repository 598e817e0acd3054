#include "form/plot_description.h"

#include <string>
#include <utility>
#include <vector>

namespace sho {
namespace {

Message Sentence(const char* text, std::vector<Message> parts = {}) {
  return Translatable("Form1", text, std::move(parts));
}

// `first`, then the other sentences, one blank between them: "%1 %2 %3".
Message Joined(Message first, std::vector<Message> others) {
  std::vector<Message> sentences{std::move(first)};
  for (Message& sentence : others) sentences.push_back(std::move(sentence));
  std::string text;
  for (std::size_t k = 1; k <= sentences.size(); ++k) {
    if (k > 1) text += ' ';
    text += '%' + std::to_string(k);
  }
  return Message{nullptr, std::move(text), std::move(sentences)};
}

// What the plot shows after a run, in sentences: the steps shown and how far apart the curves end.
std::vector<Message> PlotFactsSentences(const PlotFacts& facts, const NumberSymbols& symbols) {
  if (!facts.any_step_shown) return {Sentence(SHO_TRANSLATE_NOOP("Form1", "No step is shown."))};
  std::vector<Message> sentences{Sentence(
      SHO_TRANSLATE_NOOP("Form1", "Shown: steps %1 to %2."),
      {Literal(std::to_string(facts.first_step)), Literal(std::to_string(facts.last_step))})};
  if (!facts.ends_together) return sentences;
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
  return sentences;
}

}  // namespace

Message PlotDescription(const PlotFacts& facts, const NumberSymbols& symbols) {
  return Joined(Sentence(SHO_TRANSLATE_NOOP(
                    "Form1", "Red points: Euler's positions. Blue points: the exact cosine.")),
                PlotFactsSentences(facts, symbols));
}

Message RunSummary(const PlotFacts& facts, const NumberSymbols& symbols) {
  return Joined(Sentence(SHO_TRANSLATE_NOOP("Form1", "The run is done.")),
                PlotFactsSentences(facts, symbols));
}

}  // namespace sho
