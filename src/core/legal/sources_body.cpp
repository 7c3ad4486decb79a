#include "core/legal/document_bodies.hpp"

namespace lomperi::legal {

const std::string_view kSourcesBody = R"(Attribution and Data Sources
============================

Lomperi's dictionary is compiled from the free sources below, with thanks to
everyone who wrote them. Each keeps its own license; the program itself is
MIT licensed (see the License document).

English glosses
---------------

The meanings and parts of speech come from Wiktionary, written by the
Wiktionary contributors and licensed under CC BY-SA 3.0. They reach Lomperi
through the WikDict dictionaries of the FreeDict project, as packaged by
Debian:

  - dict-freedict-fin-eng, Finnish-English, edition 2022.11.18
  - dict-freedict-eng-fin, English-Finnish, edition 2022.11.18

    https://creativecommons.org/licenses/by-sa/3.0/

Finnish word forms
------------------

The inflected forms that lead back to a headword are derived from:

  - @cspell/dict-fi-fi 1.1.3, the cspell Finnish word list, LGPL-3.0
  - voikko-fi 2.5, the Voikko Finnish morphology, GPL-2.0 or later,
    read with libvoikko 4.3.1, GPL-2.0 or later

Entries for frequent inflected forms are generated from the morphological
analysis: such a form points to its base word and shows its gloss.

Word frequencies
----------------

  - @zxcvbn-ts/language-fi 3.0.2, Finnish word frequency lists, MIT

The frequency lists decide which inflected forms count as frequent.

Development builds
------------------

Development and test builds may embed a small hand-written sample data set
instead of the full dictionary. It was written for Lomperi and is covered
by the program's MIT license.

Changes made
------------

The sources were converted, filtered, merged and stored in Lomperi's own
compressed format; glosses may be shortened or reformatted on the way. Any
errors this introduced are ours, not the original authors'.
)";

}  // namespace lomperi::legal
