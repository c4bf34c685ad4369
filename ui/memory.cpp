// Running out of memory ends the program through the error box, with the
// number of bytes that could not be had, instead of an exception that
// nothing catches. Replacing the global allocation functions covers every
// text and list of the program.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "ui/fatal.h"

namespace {

[[noreturn]] void out_of_memory(std::size_t size) {
    // Formatted in place: the heap is what just failed.
    char message[64];
    std::snprintf(message, sizeof message, "分配 %llu 字节内存失败!",
                  static_cast<unsigned long long>(size));
    velmora::fatal_error(message);
}

void* allocate(std::size_t size) {
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    out_of_memory(size);
}

}  // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
