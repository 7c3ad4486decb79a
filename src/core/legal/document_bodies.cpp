#include "core/legal/document_bodies.hpp"

namespace lomperi::legal {

const std::string_view kLicenseBody = R"(Lomperi License Agreement
=========================

Lomperi is free software. The program is licensed to you under the MIT
License below. The dictionary data built into the program are not covered
by that license: they keep their own licenses, summarised under "Dictionary
data" and listed in full in the Sources document.

Program license
---------------

Copyright (c) 2026 The Lomperi developers

Permission is hereby granted, free of charge, to any person obtaining a copy
of this software and associated documentation files (the "Software"), to deal
in the Software without restriction, including without limitation the rights
to use, copy, modify, merge, publish, distribute, sublicense, and/or sell
copies of the Software, and to permit persons to whom the Software is
furnished to do so, subject to the following conditions:

The above copyright notice and this permission notice shall be included in
all copies or substantial portions of the Software.

THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE
AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER
LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,
OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE
SOFTWARE.

Dictionary data
---------------

The embedded dictionary is compiled from free sources that keep their own
licenses:

  - English glosses: CC BY-SA 3.0, by the Wiktionary contributors, through
    the FreeDict/WikDict fin-eng and eng-fin dictionaries.
  - Finnish word forms: derived from the cspell Finnish word list
    (@cspell/dict-fi-fi, LGPL-3.0) and the Voikko Finnish morphology
    (voikko-fi and libvoikko, GPL-2.0 or later).
  - The Finnish analyser: voikko-fi's transducer, built in as it is
    (GPL-2.0 or later). This program therefore carries GPL data.
  - Word frequencies: the zxcvbn-ts Finnish package (@zxcvbn-ts/language-fi,
    MIT).
  - English words: the SCOWL American English word list (Debian wamerican),
    under its permissive license.
  - The order of meanings: counts from the zxcvbn-ts English package
    (@zxcvbn-ts/language-en, MIT; its word list from OpenSubtitles via
    OPUS, ODC-BY) and from the Finnish translation catalogues of Debian
    packages (GPL and LGPL).

If you pass on the dictionary data, or a program that carries them, follow
these licenses as well; the glosses in particular must be credited and
shared alike. See the Sources document for versions and details.
)";

const std::string_view kPrivacyBody = R"(Privacy Policy
==============

Lomperi runs entirely on your own computer. It has no account, talks to no
server and has no way to send anything anywhere. This policy lists
everything the program reads and writes.

What Lomperi stores
-------------------

Lomperi writes two files, and only these. The first is its layout file,
lomperi.toml. It holds
two numbers: the share of the screen width given to the left column and the
share of that column given to the matches pane, both in percent. It is
written when you finish dragging a pane border, and at no other time, to the
first of these places that can be written:

  - the directory that contains the lomperi executable;
  - ~/.config/lomperi/ in your home directory.

You may delete the file at any time; Lomperi then starts with its default
layout.

The second is words.tsv, written only when you press s in the reading pane
to save a word for review: one line with the word, its base word, its form,
its first meaning and the sentence it stood in. It is kept in lomperi/
under $XDG_DATA_HOME, or under ~/.local/share/ without it, and is only ever
added to. Delete it when you no longer want the words.

Otherwise what you type, the words you look up, the texts you read and the
entries you see stay in memory and are gone when the program exits.

What Lomperi reads
------------------

  - its layout file, from the same two places;
  - the end of words.tsv (its last megabyte), before a word is added to
    it, so that a word is saved once;
  - a text you open with --read, or paste;
  - the environment variables HOME and XDG_DATA_HOME, to find your home
    directory and where words.tsv is kept;
  - the environment variable NO_COLOR, to draw without colours when it is
    set;
  - your keyboard and mouse input and the size of your terminal.

The dictionary is built into the program, so no other files are read
(with --gloss or --read, the files you name).

Network, telemetry and logs
---------------------------

Lomperi makes no network access of its own. Only when you start it with
--serve does it listen for DICT protocol clients, on this computer's
loopback addresses unless you name others with --listen; it answers their
look-ups and keeps nothing of them. It collects no usage statistics, sends
no crash reports, does not check for updates and keeps no log files.

Changes to this policy
----------------------

If a later version of Lomperi changes any of the above, this document will
change with it.
)";

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
    read with libvoikko 4.3.1, GPL-2.0 or later: its analyser's
    transducer gives the full paradigm of every word it knows

The analyser
------------

  - voikko-fi 2.5, the Voikko Finnish morphology: its analyser's
    transducer (mor.vfst), built into the program as it is.
    GPL-2.0 or later.

Every word typed or glossed is analysed with it, by the program's own
reader of its format. The program therefore carries GPL-2.0-or-later
data: whoever passes the program on passes this data on, under the
terms of the GNU General Public License, version 2 or any later
version, with its source (the voikko-fi source package).

Entries for frequent inflected forms and for compound words are generated
from the morphological analysis: such a form points to its base word, and
such a compound ("compound of levy + tila") to its parts, and shows their
glosses. These generated texts are derived from the CC BY-SA and GPL
sources above and are distributed under their terms.

Word frequencies
----------------

  - @zxcvbn-ts/language-fi 3.0.2, Finnish word frequency lists, MIT

The frequency lists decide which inflected forms count as frequent.

English words
-------------

  - wamerican 2020.12.07, the SCOWL American English word list by Kevin
    Atkinson and others, under its permissive license (use, copy, modify,
    distribute and sell, with its copyright notice)

The list, with the English words and phrases of the glosses, tells which
words of a gloss are English, and the English-to-Finnish search finds the
headwords whose glosses hold a word.

Order of meanings
-----------------

  - @zxcvbn-ts/language-en 4.1.1, MIT (word list: OpenSubtitles, OPUS,
    ODC-BY); Finnish .mo catalogues of 23 Debian packages, GPL/LGPL

Development builds
------------------

Development builds may embed a small hand-written sample data set
instead, covered by the program's MIT license.

Changes made
------------

The sources were converted, filtered, merged and stored in Lomperi's own
compressed format; glosses may be shortened or reformatted on the way. Any
errors this introduced are ours, not the original authors'.
)";

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
