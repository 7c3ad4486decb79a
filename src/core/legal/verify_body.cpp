#include "core/legal/document_bodies.hpp"

namespace lomperi::legal {

const std::string_view kVerifyBody = R"(Verifying Your Download
=======================

Every Lomperi release is published with a file named SHA256SUMS beside the
.deb package. It lists the SHA-256 checksum of each file of the release.
Checking your download against it tells you that the file arrived complete
and unchanged.

Checking the checksum
---------------------

Put SHA256SUMS in the directory that holds the downloaded package, go to
that directory and run:

    sha256sum -c SHA256SUMS --ignore-missing

For each file you have, sha256sum prints its name followed by "OK". Any
other answer, such as "FAILED", means the file is damaged or is not the file
that was released: delete it and download it again.

To see the checksum of one file, run:

    sha256sum lomperi_<version>_amd64.deb

and compare the long hexadecimal number it prints with the line for that
file in SHA256SUMS.

Where the checksum comes from
-----------------------------

Releases are not signed yet. A checksum file fetched from the same place as
the package only protects you against a damaged download, not against a
replaced one. Compare the checksum with the one shown on the project's
release page as well, and do not install the package if the two differ.

When releases start to be signed, this document will explain how to check
the signature.
)";

}  // namespace lomperi::legal
