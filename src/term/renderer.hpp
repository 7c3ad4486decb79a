#pragma once
#include <functional>
#include <optional>
#include <string>

#include "base/error.hpp"
#include "term/buffer.hpp"
#include "term/output.hpp"

namespace lomperi::term {

// The SGR sequence that sets exactly this cell style, starting from a reset:
// "ESC [ 0 ; attributes ; colour m".
std::string sgr_sequence(const Style& style);

// Answers whether colours are switched off. The default reads NO_COLOR: set
// to a non-empty value means no colours.
using NoColorProbe = std::function<bool()>;
bool no_color_from_environment();

// Draws frames to a sink, writing only the cells that differ from the frame
// drawn before. Every draw ends with the cursor hidden (ESC "[?25l") and is
// handed to the sink in one piece. A frame of another size than the previous
// one clears the screen (ESC "[2J") first and is drawn in full.
//
// Styles become SGR sequences "ESC [ 0 ; ... m": bold 1, dim 2, underlined 4,
// reversed 7, palette colours 0 to 7 as 30 + n and 8 to 15 as 90 + n - 8
// (red 31, yellow 33, cyan 36, dark grey 90). The probe is asked once, at the
// first cell with a colour; when it says no colour, attributes are still
// written but a colour never is.
class Renderer {
public:
    explicit Renderer(Sink sink, NoColorProbe no_color = no_color_from_environment);

    // The buffer to draw the next frame into: blank, covering `area`. The
    // renderer keeps it and the frame shown before, and swaps the two.
    Buffer& next_frame(Rect area);

    // Writes the frame drawn into next_frame().
    Result<void> present();

    // Forgets the frame shown so that the next one clears and is drawn in full.
    void invalidate();

private:
    void write_frame(bool full, std::string& out);
    bool colors_off();

    Sink sink_;
    NoColorProbe probe_;
    std::optional<bool> no_color_;
    Buffer shown_;
    Buffer next_;
    bool shown_valid_ = false;  // shown_ is what the terminal shows
    std::string frame_bytes_;   // kept between frames for its capacity
};

}  // namespace lomperi::term
