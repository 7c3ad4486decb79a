#pragma once
#include <cstdint>
#include <vector>

#include "core/morphology/builder_node.hpp"

namespace lomperi::morphology {

// Appends node to out in the most compact kind that fits it. last_address is
// the address of the node written just before (a target that needs no
// address field).
void write_node(std::vector<std::uint8_t>& out, const BuilderNode& node, std::uint64_t last_address);

}  // namespace lomperi::morphology
