// The shipped module exports its four entry points and nothing else: no test hook, no helper
// of the collector or of the platform's templates. Read from the module's dynamic symbol table
// as the loader sees it.

#include <gtest/gtest.h>

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The functions and objects the file defines in its dynamic symbol table, global or weak.
std::set<std::string> exported_definitions(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    if (image.size() < sizeof(Elf64_Ehdr))
        return names;
    Elf64_Ehdr header;
    std::memcpy(&header, image.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        return names;
    auto section = [&](std::size_t index) {
        Elf64_Shdr s;
        std::memcpy(&s, image.data() + header.e_shoff + index * header.e_shentsize, sizeof s);
        return s;
    };
    for (std::size_t i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr symbols = section(i);
        if (symbols.sh_type != SHT_DYNSYM)
            continue;
        const Elf64_Shdr strings = section(symbols.sh_link);
        for (std::size_t offset = 0; offset + sizeof(Elf64_Sym) <= symbols.sh_size; offset += sizeof(Elf64_Sym)) {
            Elf64_Sym symbol;
            std::memcpy(&symbol, image.data() + symbols.sh_offset + offset, sizeof symbol);
            const unsigned type = ELF64_ST_TYPE(symbol.st_info);
            const unsigned binding = ELF64_ST_BIND(symbol.st_info);
            if (symbol.st_shndx == SHN_UNDEF || (type != STT_FUNC && type != STT_OBJECT && type != STT_GNU_IFUNC) ||
                (binding != STB_GLOBAL && binding != STB_WEAK && binding != STB_GNU_UNIQUE))
                continue;
            names.insert(image.data() + strings.sh_offset + symbol.st_name);
        }
    }
    return names;
}

TEST(CollectorModuleExports, ExactlyTheFourEntryPoints)
{
    const std::set<std::string> expected = {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                            "DllUnregisterServer"};
    EXPECT_EQ(exported_definitions(OSTREL_COLLECTOR_MODULE), expected);
}

} // namespace
