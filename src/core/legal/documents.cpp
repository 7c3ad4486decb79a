#include "core/legal/documents.hpp"

#include "core/legal/document_bodies.hpp"

namespace lomperi::legal {

const std::array<Document, kDocumentCount>& documents() {
    static const std::array<Document, kDocumentCount> table{{
        {"Lomperi License Agreement", "License", kLicenseBody},
        {"Privacy Policy", "Privacy", kPrivacyBody},
        {"Attribution and Data Sources", "Sources", kSourcesBody},
        {"Verifying Your Download", "Verify", kVerifyBody},
    }};
    return table;
}

std::uint8_t next_document(std::uint8_t index) {
    if (index + 1u >= kDocumentCount) return 0;
    return static_cast<std::uint8_t>(index + 1);
}

}  // namespace lomperi::legal
