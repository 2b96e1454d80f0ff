#pragma once
// The blocks the management calls hand out: the records first, then the UTF-16 strings they
// point to, all in one allocation that NetApiBufferFree releases.

#include "platform/win32/win_types.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace netapi {

class net_buffer {
public:
    // Room for count records of record_size bytes and chars UTF-16 units of strings
    // (terminating zeros included). Never empty, so that a success with no record still
    // comes with a buffer.
    net_buffer(std::size_t count, std::size_t record_size, std::size_t chars);
    ~net_buffer();
    net_buffer(const net_buffer&) = delete;
    net_buffer& operator=(const net_buffer&) = delete;

    bool ok() const { return block_ != nullptr; }
    void* records() const { return block_; }

    // Copies a string into the block, within the room given at construction.
    LPWSTR put(std::u16string_view text);

    // Hands the block to the caller, who frees it with NetApiBufferFree.
    void* release();

private:
    void* block_ = nullptr;
    char16_t* next_ = nullptr;
    char16_t* end_ = nullptr;
};

// Characters a string takes in a block, terminating zero included.
inline std::size_t block_chars(std::u16string_view text) { return text.size() + 1; }

} // namespace netapi
