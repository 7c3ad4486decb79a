#pragma once
// Reading the fixture files: excerpts of the real dictd databases and real
// analyser output ("form<TAB>NAME=VALUE ...").
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "form_analysis.hpp"

namespace lomperi::data_build::testing {

inline std::string fixture_text(const std::string& name) {
    std::ifstream in(std::string(LOMPERI_DATA_TOOL_FIXTURES) + "/" + name, std::ios::binary);
    if (!in) throw std::runtime_error("missing fixture " + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every analysis of the fixture, by form, in file order.
inline std::map<std::string, std::vector<Analysis>> fixture_analyses() {
    std::map<std::string, std::vector<Analysis>> analyses;
    std::istringstream lines(fixture_text("analyses.txt"));
    for (std::string line; std::getline(lines, line);) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos) continue;
        auto analysis = parse_analysis(std::string_view(line).substr(tab + 1));
        if (!analysis) throw std::runtime_error(analysis.error().message());
        analyses[line.substr(0, tab)].push_back(*analysis);
    }
    return analyses;
}

}  // namespace lomperi::data_build::testing
