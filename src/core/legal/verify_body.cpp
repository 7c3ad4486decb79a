#include "core/legal/document_bodies.hpp"

namespace lomperi::legal {

const std::string_view kVerifyBody = R"(Verifying Your Download
=======================

A Lomperi release is two files: the Debian package, named like
lomperi_0.1.0-1_amd64.deb, and SHA256SUMS, which holds the package's SHA-256
checksum. Checking the package against it tells you that the file arrived
complete and unchanged.

Checking the checksum
---------------------

Put SHA256SUMS in the directory that holds the downloaded package, go to
that directory and run:

    sha256sum -c SHA256SUMS

It prints the package's name followed by "OK". Any other answer, such as
"FAILED" or "No such file", means the file is damaged, renamed or not the
file that was released: delete it and download it again. Do not install a
package whose checksum does not match.

Installing the package
----------------------

Once the checksum is OK, install the package with

    sudo apt install ./lomperi_0.1.0-1_amd64.deb

using the name of your file. apt also installs the few libraries the
program needs. Then run lomperi in a terminal; "man lomperi" describes it.

How a release is made
---------------------

The release script, tools/release in the source tree, exports the committed
source tree into a fresh directory, builds it there, runs the test suite,
installs the result into a temporary directory and starts it once, then
packages it and writes the package and SHA256SUMS into the directory dist/.
Nothing else goes into the package.

Where the checksum comes from
-----------------------------

Releases are not signed yet. A checksum file fetched from the same place as
the package only protects you against a damaged download, not against a
replaced one. Compare the checksum with the one shown on the project's
release page as well, and do not install the package if the two differ.
)";

}  // namespace lomperi::legal
