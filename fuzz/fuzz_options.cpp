// Fuzz runs cap single allocations at 32 MB: a larger one fails as it would on a machine out of
// memory. That keeps each run quick where a few run-length bytes describe a huge blank image, and
// it exercises the decoders' out-of-memory paths.
extern "C" const char* __asan_default_options() {
    return "max_allocation_size_mb=32:allocator_may_return_null=1";
}
