// Extracts a cabinet with CabFile::Extract and prints the files written and
// the time taken. Usage: cab_bench <cabinet> <empty output folder>
#include <chrono>
#include <cstdio>

#include "wizard/updates/CabFile.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cab_bench <cabinet> <output folder>\n");
        return 2;
    }
    CabFile cab;
    cab.SetCabName(argv[1]);
    long files = 0;
    cab.AfterExtract = [&files](const std::string&) { ++files; };
    const auto start = std::chrono::steady_clock::now();
    try {
        cab.Extract("", argv[2], "");
    } catch (const CabError& error) {
        std::fprintf(stderr, "%ld %s\n", error.Number(), error.Description().c_str());
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("files=%ld seconds=%.3f\n", files, took.count());
    return 0;
}
