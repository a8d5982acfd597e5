// A stand-in for the update library: records the arguments it is called with into the file
// named by KADRELA_TEST_SPRVER_LOG and returns the number in KADRELA_TEST_SPRVER_RESULT.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) std::int32_t _SprVer(const char* programId,
                                                                       const char* programVersion,
                                                                       const char* displayName,
                                                                       std::int32_t languageFlag) {
    if (const char* logPath = std::getenv("KADRELA_TEST_SPRVER_LOG")) {
        if (std::FILE* log = std::fopen(logPath, "w")) {
            std::fprintf(log, "%s|%s|%s|%d", programId, programVersion, displayName,
                         static_cast<int>(languageFlag));
            std::fclose(log);
        }
    }
    const char* result = std::getenv("KADRELA_TEST_SPRVER_RESULT");
    return result ? static_cast<std::int32_t>(std::strtol(result, nullptr, 0)) : 0;
}
