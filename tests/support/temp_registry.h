#pragma once
// A registry file of the test's own: for the fixture's life OSTREL_REGISTRY names
// registry.txt in a fresh temporary directory; afterwards the variable is as it was and the
// directory is gone. It counts the saves of the file, which a test of batched writes reads.
// When no directory can be made, construction throws, which fails the test:
// a test never falls back to a shared folder or to another registry, and nothing but the
// fixture's own directory is ever removed.

#include <filesystem>
#include <optional>
#include <string>

namespace ostrel::test {

class temp_registry {
public:
    // Throws std::runtime_error when $TMPDIR (else /tmp) holds no fresh directory.
    temp_registry();
    ~temp_registry();
    temp_registry(const temp_registry&) = delete;
    temp_registry& operator=(const temp_registry&) = delete;

    // The fixture's directory, where a test may leave files of its own.
    const std::filesystem::path& dir() const { return dir_; }
    // The registry file OSTREL_REGISTRY names now (it need not exist yet).
    const std::filesystem::path& file() const { return file_; }
    // Points OSTREL_REGISTRY at another file, for a test that moves or copies the registry.
    void use_file(const std::filesystem::path& file);

    // The registry file's bytes (empty when it does not exist), and a way to replace them.
    std::string text() const;
    void write(const std::string& bytes) const;

    // How many times a new registry file was saved over file() in the fixture's folder (the
    // store renames each save into place) since the last call, or since construction.
    int saves();

private:
    std::filesystem::path dir_;
    std::filesystem::path file_;
    std::optional<std::string> previous_;
    int watch_fd_ = -1;
};

} // namespace ostrel::test
