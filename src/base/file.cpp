#include "base/file.hpp"

#include <fmt/format.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace lomperi {

Result<std::string> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(fmt::format("cannot read {}", path.string()));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return fail(fmt::format("cannot read {}", path.string()));
    return text.str();
}

Result<void> write_file(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (out) out.close();
    if (!out) return fail(fmt::format("cannot write {}: {}", path.string(), std::strerror(errno)));
    return {};
}

}  // namespace lomperi
