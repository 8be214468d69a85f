#include "beam/report.h"

#include "beam/catalogue.h"
#include "beam/six_decimals.h"

namespace veldra::beam {
namespace {

void appendLine(std::string& text, const ResultLine& line) {
  text += line.label;
  if (line.at) {
    appendSixDecimals(text, *line.at);
    text += ")= ";
  }
  appendSixDecimals(text, line.value);
}

}  // namespace

Report computeReport(std::int32_t Nr, const Inputs& in) {
  Report report{.Nr = Nr, .lines = {}};
  if (const LoadCase* c = findLoadCase(Nr)) {
    report.lines.reserve(8);  // the most that a case prints
    c->results(in, report);
  }
  return report;
}

std::string renderLine(const ResultLine& line) {
  std::string text;
  appendLine(text, line);
  return text;
}

std::string renderReport(const Report& report) {
  std::string text = "Ergebnisse Biegefall " + std::to_string(report.Nr) + "\n";
  // Enough for ordinary values; a huge one prints more digits, and the text grows.
  text.reserve(text.size() + report.lines.size() * 64);
  for (const ResultLine& line : report.lines) {
    appendLine(text, line);
    text += '\n';
  }
  return text;
}

std::string resultReport(std::int32_t Nr, const Inputs& in) {
  return renderReport(computeReport(Nr, in));
}

}  // namespace veldra::beam
