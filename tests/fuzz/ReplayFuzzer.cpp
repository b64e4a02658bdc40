// libFuzzer entry, and without the fuzzer a program that feeds it every file
// of the folders given: arbitrary bytes as a replay file. The reader must
// refuse them with a message or load them whole, and what it loads must
// write and read back to the same events. A crash, a sanitizer report, a
// hang or a load that does not round-trip ends the run.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/replay/ReplayFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReplayData loaded;
    std::string error;
    if (!readReplay(data, size, loaded, error)) {
        if (error.empty()) {
            std::fprintf(stderr, "replay fuzzer: refused without a message\n");
            std::abort();
        }
        return 0;
    }
    const std::vector<std::uint8_t> written = writeReplay(loaded.header, loaded.events);
    ReplayData again;
    if (!readReplay(written.data(), written.size(), again, error) ||
        again.events != loaded.events || again.header.score != loaded.header.score ||
        again.header.fingerprint != loaded.header.fingerprint) {
        std::fprintf(stderr, "replay fuzzer: a loaded replay does not write back the same\n");
        std::abort();
    }
    return 0;
}

#ifndef ZORBANIX_LIBFUZZER
#include <dirent.h>

int main(int argc, char** argv) {
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        DIR* folder = opendir(argv[i]);
        if (!folder) continue;
        while (const dirent* entry = readdir(folder)) {
            if (entry->d_name[0] == '.') continue;
            const std::string path = std::string(argv[i]) + "/" + entry->d_name;
            std::FILE* file = std::fopen(path.c_str(), "rb");
            if (!file) continue;
            std::vector<std::uint8_t> bytes(kMaxReplayFileBytes + 1);
            bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
            std::fclose(file);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++files;
        }
        closedir(folder);
    }
    std::printf("%d replay files read\n", files);
    return files > 0 ? 0 : 2;
}
#endif
