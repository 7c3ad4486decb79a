#pragma once
// The analyser behind the forms: libvoikko's morphological analysis.
#include <memory>
#include <string>
#include <vector>

#include "form_analysis.hpp"
#include "base/error.hpp"

struct VoikkoHandle;

namespace lomperi::data_build {

class VoikkoAnalyzer {
public:
    static Result<VoikkoAnalyzer> open();

    // Every analysis of the form, attributes as the library names them
    // (FSTOUTPUT left out); empty when the word is unknown.
    std::vector<Analysis> analyze(const std::string& form) const;

private:
    struct Close {
        void operator()(VoikkoHandle* handle) const;
    };
    explicit VoikkoAnalyzer(VoikkoHandle* handle) : handle_(handle) {}
    std::unique_ptr<VoikkoHandle, Close> handle_;
};

}  // namespace lomperi::data_build
