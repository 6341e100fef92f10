// Fuzz targets that need the input as a file write it here, one file per process.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

inline std::string FuzzPath(const char* suffix)
{
    // Memory-backed when the machine has it: the targets write a file every run.
    static const std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return folder + "/huecipher-fuzz-" + std::to_string(getpid()) + suffix;
}

inline std::string WriteFuzzFile(const uint8_t* data, size_t size, const char* suffix)
{
    const std::string path = FuzzPath(suffix);
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

// Stops the run loudly: libFuzzer keeps the input that got here.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition))     \
            __builtin_trap(); \
    } while (0)
