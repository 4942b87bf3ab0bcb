// Runs the fuzz target once over every file of the folders (or files) named on the command line, so the seed
// corpus is exercised by ordinary builds that have no libFuzzer. Exit status 0 when every input passed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void RunFile(const std::filesystem::path& path, int* count) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    ++*count;
}

} // namespace

int main(int argc, char** argv) {
    int count = 0;
    for (int a = 1; a < argc; ++a) {
        const std::filesystem::path arg(argv[a]);
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file()) RunFile(entry.path(), &count);
        } else {
            RunFile(arg, &count);
        }
    }
    std::printf("%d inputs\n", count);
    return count > 0 ? 0 : 1;
}
