#include "core/legal/document_bodies.hpp"

namespace lomperi::legal {

const std::string_view kPrivacyBody = R"(Privacy Policy
==============

Lomperi runs entirely on your own computer. It has no account, talks to no
server and has no way to send anything anywhere. This policy lists
everything the program reads and writes.

What Lomperi stores
-------------------

The only file Lomperi ever writes is its layout file, lomperi.toml. It holds
two numbers: the share of the screen width given to the left column and the
share of that column given to the matches pane, both in percent. It is
written when you finish dragging a pane border, and at no other time, to the
first of these places that can be written:

  - the directory that contains the lomperi executable;
  - ~/.config/lomperi/ in your home directory.

You may delete the file at any time; Lomperi then starts with its default
layout. What you type, the words you look up and the entries you read stay
in memory and are gone when the program exits.

What Lomperi reads
------------------

  - its layout file, from the same two places;
  - the environment variable HOME, to find your home directory;
  - the environment variable NO_COLOR, to draw without colours when it is
    set;
  - your keyboard and mouse input and the size of your terminal.

The dictionary is built into the program, so no other files are read.

Network, telemetry and logs
---------------------------

Lomperi makes no network access of any kind. It collects no usage
statistics, sends no crash reports, does not check for updates and keeps no
log files.

Changes to this policy
----------------------

If a later version of Lomperi changes any of the above, this document will
change with it.
)";

}  // namespace lomperi::legal
