#pragma once
#include <string_view>

namespace lomperi::legal {

extern const std::string_view kLicenseBody;
extern const std::string_view kPrivacyBody;
extern const std::string_view kSourcesBody;
extern const std::string_view kVerifyBody;

}  // namespace lomperi::legal
