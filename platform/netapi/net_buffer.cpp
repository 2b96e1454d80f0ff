#include "platform/netapi/net_buffer.h"

#include "platform/netapi/net_api.h"

#include <cstdlib>
#include <cstring>

namespace netapi {

net_buffer::net_buffer(std::size_t count, std::size_t record_size, std::size_t chars)
{
    std::size_t record_bytes = count * record_size;
    // Strings start on a pointer boundary after the records.
    record_bytes = (record_bytes + alignof(void*) - 1) / alignof(void*) * alignof(void*);
    std::size_t bytes = record_bytes + chars * sizeof(char16_t);
    if (bytes == 0)
        bytes = 1;
    block_ = std::calloc(1, bytes);
    if (block_) {
        next_ = reinterpret_cast<char16_t*>(static_cast<char*>(block_) + record_bytes);
        end_ = next_ + chars;
    }
}

net_buffer::~net_buffer() { std::free(block_); }

LPWSTR net_buffer::put(std::u16string_view text)
{
    if (!next_ || static_cast<std::size_t>(end_ - next_) < text.size() + 1)
        return nullptr; // sized by the caller from the same strings: cannot happen
    char16_t* start = next_;
    if (!text.empty())
        std::memcpy(start, text.data(), text.size() * sizeof(char16_t));
    start[text.size()] = u'\0';
    next_ += text.size() + 1;
    return start;
}

void* net_buffer::release()
{
    void* block = block_;
    block_ = nullptr;
    next_ = end_ = nullptr;
    return block;
}

} // namespace netapi

NET_API_STATUS NetApiBufferFree(void* Buffer)
{
    std::free(Buffer);
    return 0;
}
