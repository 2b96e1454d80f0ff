// The fuzz target as a plain regression test: every file of the directories given on the
// command line goes once through LLVMFuzzerTestOneInput. A file that breaks the target
// aborts the process after its name was printed. A directory that does not exist counts as
// empty (a target may have no reproducers yet); finding no file at all is a failure, so a
// wrong path cannot pass.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        for (fs::directory_iterator it(argv[i], ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file())
                files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "replay: no input files found\n");
        return 1;
    }
    for (const fs::path& file : files) {
        std::fprintf(stderr, "replay: %s\n", file.c_str());
        std::ifstream in(file, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
            return 1;
        }
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::fprintf(stderr, "replay: %zu inputs, all passed\n", files.size());
    return 0;
}
