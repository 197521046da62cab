// Test programs that run the web engine: its own code deletes some objects through a pointer
// of another size than they were made with, which AddressSanitizer reports as a type mismatch
// when a page goes. Only that check is turned off, and only in these programs; the options a
// run gives in ASAN_OPTIONS still apply on top. Unused in builds without AddressSanitizer.

extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
