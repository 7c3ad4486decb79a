#pragma once
// Readable events in test failure messages.
#include <ostream>

#include "term/event.hpp"

namespace lomperi::term {

inline void PrintTo(const KeyEvent& k, std::ostream* os) {
    *os << "Key{code=" << int(k.code) << " ch=U+" << std::hex << std::uint32_t(k.ch) << std::dec
        << " f=" << int(k.function) << " mods=" << int(k.modifiers) << "}";
}
inline void PrintTo(const MouseEvent& m, std::ostream* os) {
    *os << "Mouse{kind=" << int(m.kind) << " button=" << int(m.button) << " col=" << m.column << " row=" << m.row
        << " mods=" << int(m.modifiers) << "}";
}
inline void PrintTo(const Resize& r, std::ostream* os) { *os << "Resize{" << r.cols << "x" << r.rows << "}"; }
inline void PrintTo(const FocusGained&, std::ostream* os) { *os << "FocusGained"; }
inline void PrintTo(const FocusLost&, std::ostream* os) { *os << "FocusLost"; }
inline void PrintTo(const Paste& p, std::ostream* os) { *os << "Paste{" << p.text.size() << " bytes}"; }
inline void PrintTo(const Terminate& t, std::ostream* os) { *os << "Terminate{" << t.signo << "}"; }

}  // namespace lomperi::term
