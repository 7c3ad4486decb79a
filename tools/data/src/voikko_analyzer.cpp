#include "voikko_analyzer.hpp"

#include <libvoikko/voikko.h>

#include <string_view>

namespace lomperi::data_build {

void VoikkoAnalyzer::Close::operator()(VoikkoHandle* handle) const { voikkoTerminate(handle); }

Result<VoikkoAnalyzer> VoikkoAnalyzer::open() {
    const char* error = nullptr;
    VoikkoHandle* handle = voikkoInit(&error, "fi", nullptr);
    if (handle == nullptr) return fail(std::string("voikko: ") + (error ? error : "cannot initialise"));
    return VoikkoAnalyzer(handle);
}

std::vector<Analysis> VoikkoAnalyzer::analyze(const std::string& form) const {
    std::vector<Analysis> analyses;
    voikko_mor_analysis** list = voikkoAnalyzeWordCstr(handle_.get(), form.c_str());
    if (list == nullptr) return analyses;
    for (voikko_mor_analysis** item = list; *item != nullptr; ++item) {
        Analysis analysis;
        for (const char** key = voikko_mor_analysis_keys(*item); key && *key; ++key) {
            if (std::string_view(*key) == "FSTOUTPUT") continue;
            char* value = voikko_mor_analysis_value_cstr(*item, *key);
            if (value == nullptr) continue;
            analysis.attributes.emplace(*key, value);
            voikko_free_mor_analysis_value_cstr(value);
        }
        analyses.push_back(std::move(analysis));
    }
    voikko_free_mor_analysis(list);
    return analyses;
}

}  // namespace lomperi::data_build
