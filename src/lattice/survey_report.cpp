// Writing surveys.
#include "lattice/survey_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "generate/lattice_text.h"
#include "report/counted.h"

namespace mirelkon {

namespace {

using Json = nlohmann::ordered_json;

std::string Padded(const std::string& text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

void AppendRanked(const std::vector<RankedLattice>& lattices, std::string& text) {
  const std::size_t rankWidth = std::to_string(lattices.size()).size();
  const std::size_t subWidth =
      lattices.empty() ? 0 : std::to_string(lattices.front().sublattices).size();
  for (std::size_t i = 0; i < lattices.size(); ++i) {
    text += Padded(std::to_string(i + 1), rankWidth) + "  " +
            Padded(std::to_string(lattices[i].sublattices), subWidth) + "  ";
    AppendCoverList(lattices[i].covers, text);
    text += '\n';
  }
}

void AppendJsonRanked(int size, const std::vector<RankedLattice>& lattices, const char* list,
                      std::string& text) {
  for (std::size_t i = 0; i < lattices.size(); ++i) {
    Json covers = Json::array();
    for (const CoverPair& pair : lattices[i].covers) covers.push_back({pair.lower, pair.upper});
    text += Json{{"n", size},
                 {"rank", i + 1},
                 {"sub", std::to_string(lattices[i].sublattices)},
                 {"covers", covers},
                 {"list", list}}
                .dump() +
            "\n";
  }
}

}  // namespace

void AppendSurveyText(const SurveyTally& tally, const SurveyPart& part, std::string& text) {
  const SurveySettings& settings = tally.Settings();
  text += "Lattices of " + Counted(settings.size, "element");
  if (part.parts > 1)
    text += " in part " + std::to_string(part.part + 1) + " of " + std::to_string(part.parts);
  text += ": " + std::to_string(tally.Lattices()) + "\n";
  if (tally.Distribution().empty()) return;
  const std::size_t subWidth =
      std::max<std::size_t>(std::to_string(tally.Distribution().begin()->first).size(), 8);
  text += Padded("|Sub(L)|", subWidth) + "  lattices\n";
  for (const auto& [sublattices, lattices] : tally.Distribution())
    text += Padded(std::to_string(sublattices), subWidth) + "  " +
            Padded(std::to_string(lattices), 8) + "\n";
  const std::vector<RankedLattice> top = tally.Top();
  if (!top.empty()) {
    text += "The " + Counted(static_cast<long long>(top.size()), "lattice") +
            " with the most sublattices (rank, |Sub(L)|, cover pairs):\n";
    AppendRanked(top, text);
  }
  if (settings.atLeast) {
    const std::vector<RankedLattice> listed = tally.Listed();
    text += "With at least " + std::to_string(*settings.atLeast) +
            " sublattices: " + std::to_string(listed.size()) + "\n";
    AppendRanked(listed, text);
  }
}

void AppendSurveyJson(const SurveyTally& tally, const SurveyPart& part, std::string& text) {
  const SurveySettings& settings = tally.Settings();
  const int n = settings.size;
  Json header{{"n", n}, {"lattices", std::to_string(tally.Lattices())}, {"top", settings.top}};
  if (settings.atLeast) header["at_least"] = std::to_string(*settings.atLeast);
  if (part.parts > 1)
    header["part"] = std::to_string(part.part + 1) + "/" + std::to_string(part.parts);
  text += header.dump() + "\n";
  for (const auto& [sublattices, lattices] : tally.Distribution())
    text +=
        Json{{"n", n}, {"sub", std::to_string(sublattices)}, {"lattices", std::to_string(lattices)}}
            .dump() +
        "\n";
  AppendJsonRanked(n, tally.Top(), "top", text);
  if (settings.atLeast) AppendJsonRanked(n, tally.Listed(), "at-least", text);
}

}  // namespace mirelkon
