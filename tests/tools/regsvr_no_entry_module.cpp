// A module without registration entry points.
extern "C" [[gnu::visibility("default")]] int regsvr_no_entry_module_marker() { return 1; }
