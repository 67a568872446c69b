// The product never throws: the library's throwing helpers, allocation and the pure-virtual
// trap end the process at once instead. Defining them here keeps the exception and unwinding
// machinery (and its demangler) out of Diduzo.exe, which is most of its size otherwise.
#include <cstdlib>
#include <new>

namespace {
[[noreturn]] void fail() { std::abort(); }
}  // namespace

namespace std {
[[noreturn]] void __throw_bad_exception() { fail(); }
[[noreturn]] void __throw_bad_alloc() { fail(); }
[[noreturn]] void __throw_bad_array_new_length() { fail(); }
[[noreturn]] void __throw_bad_cast() { fail(); }
[[noreturn]] void __throw_bad_typeid() { fail(); }
[[noreturn]] void __throw_bad_function_call() { fail(); }
[[noreturn]] void __throw_logic_error(const char*) { fail(); }
[[noreturn]] void __throw_domain_error(const char*) { fail(); }
[[noreturn]] void __throw_invalid_argument(const char*) { fail(); }
[[noreturn]] void __throw_length_error(const char*) { fail(); }
[[noreturn]] void __throw_out_of_range(const char*) { fail(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { fail(); }
[[noreturn]] void __throw_runtime_error(const char*) { fail(); }
[[noreturn]] void __throw_range_error(const char*) { fail(); }
[[noreturn]] void __throw_overflow_error(const char*) { fail(); }
[[noreturn]] void __throw_underflow_error(const char*) { fail(); }
}  // namespace std

extern "C" [[noreturn]] void __cxa_pure_virtual() { fail(); }

void* operator new(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  fail();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
