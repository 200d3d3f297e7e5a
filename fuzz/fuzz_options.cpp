// ASan keeps freed memory aside for a while to catch late uses; fuzz runs keep that quarantine
// small, so that the resident memory -rss_limit_mb watches is the decoders' own. An allocation
// that cannot be had returns null, as it would on a machine out of memory.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:quarantine_size_mb=16";
}
