#include "window/plot_description.h"

#include <QCoreApplication>
#include <QLocale>
#include <string_view>

namespace sho {
namespace {

// A number written with ASCII digits and ".", in the digits and decimal point of the user's locale.
QString InLocaleDigits(std::string_view ascii) {
  const QLocale locale;
  const char32_t zero = locale.zeroDigit().toUcs4().value(0, U'0');
  const QString point = locale.decimalPoint();
  QString text;
  for (const char c : ascii) {
    if (c >= '0' && c <= '9') {
      const char32_t digit = zero + static_cast<char32_t>(c - '0');
      text += QString::fromUcs4(&digit, 1);
    } else {
      text += c == '.' ? point : QString(QLatin1Char(c));
    }
  }
  return text;
}

}  // namespace

QString PlotDescription(const PlotFacts& facts) {
  QString text = QCoreApplication::translate(
      "Form1", "Red points: Euler's positions. Blue points: the exact cosine.");
  if (!facts.any_step_shown) {
    return text + QLatin1Char(' ') + QCoreApplication::translate("Form1", "No step is shown.");
  }
  text += QLatin1Char(' ') + QCoreApplication::translate("Form1", "Shown: steps %1 to %2.")
                                 .arg(facts.first_step)
                                 .arg(facts.last_step);
  if (!facts.ends_together) return text;
  text += QLatin1Char(' ') +
          QCoreApplication::translate("Form1", "At step %1 the red point is %2 from the blue one.")
              .arg(facts.last_step)
              .arg(InLocaleDigits(DistanceText(facts.distance)));
  if (facts.red_outside) {
    text += QLatin1Char(' ') +
            QCoreApplication::translate("Form1", "The red point lies outside the drawing.");
  }
  if (facts.blue_outside) {
    text += QLatin1Char(' ') +
            QCoreApplication::translate("Form1", "The blue point lies outside the drawing.");
  }
  return text;
}

}  // namespace sho
