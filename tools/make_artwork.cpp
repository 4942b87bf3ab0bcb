// Build-time generator of the artwork: writes skin.bmp (the sprite sheet, bitmap resource 129) and
// telly.ico (icon 128) into the folder given as the only argument. Deterministic: same bytes every run.
#include "tools/art/bmp_codec.h"
#include "tools/art/icon.h"
#include "tools/art/sheet.h"

#include <cstdio>
#include <string>
#include <vector>

static bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const art::Image sheet = art::MakeSheet();
    if (!WriteFile(dir + "/skin.bmp", art::EncodeBmp24(sheet)) ||
        !WriteFile(dir + "/telly.ico", art::MakeIconFile(sheet))) {
        std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], dir.c_str());
        return 1;
    }
    return 0;
}
