#include "tests/support/temp_registry.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ostrel::test {

temp_registry::temp_registry()
{
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        throw std::runtime_error("no temporary directory for a test registry: " + ec.message());
    std::string pattern = (base / "ostrel-registry-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a test registry's directory in " + base.string() + ": " +
                                 std::strerror(errno));
    dir_ = pattern;
    if (const char* previous = std::getenv("OSTREL_REGISTRY"))
        previous_ = previous;
    use_file(dir_ / "registry.txt");
}

temp_registry::~temp_registry()
{
    if (previous_)
        ::setenv("OSTREL_REGISTRY", previous_->c_str(), 1);
    else
        ::unsetenv("OSTREL_REGISTRY");
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

void temp_registry::use_file(const std::filesystem::path& file)
{
    file_ = file;
    ::setenv("OSTREL_REGISTRY", file_.c_str(), 1);
}

std::string temp_registry::text() const
{
    std::ifstream in(file_, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void temp_registry::write(const std::string& bytes) const
{
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace ostrel::test
