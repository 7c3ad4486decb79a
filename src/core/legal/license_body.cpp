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
  - Word frequencies: the zxcvbn-ts Finnish package (@zxcvbn-ts/language-fi,
    MIT).

If you pass on the dictionary data, or a program that carries them, follow
these licenses as well; the glosses in particular must be credited and
shared alike. See the Sources document for versions and details.
)";

}  // namespace lomperi::legal
