// The version check that the program runs at start-up when the user has it switched on.
//
// This build knows of no newer release and contacts nothing: it always lets the program
// start. The entry point keeps its fixed signature so that a library built later can check
// for real without any change to the program.

#include <cstdint>

extern "C" __attribute__((visibility("default"))) std::int32_t _SprVer(const char* programId,
                                                                       const char* programVersion,
                                                                       const char* displayName,
                                                                       std::int32_t languageFlag) {
    (void)programId;
    (void)programVersion;
    (void)displayName;
    (void)languageFlag;
    return 0; // 0 in the low byte: start-up goes on.
}
