// Dialog templates of the simulated platform: read once from the product's own resource script.
#include "framework/sim/rc_script.h"
#include "framework/sim/sim_state.h"

#include <fstream>
#include <sstream>

namespace sim {

namespace {

struct TemplateCache {
    bool loaded = false;
    std::map<int, DialogTemplate> templates;
    std::string error;
};

bool ReadText(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    *text = s.str();
    return true;
}

const TemplateCache& Cache() {
    static TemplateCache cache;
    if (cache.loaded) return cache;
    cache.loaded = true;
#ifdef TELLY_RC_PATH
    const std::string rcPath = TELLY_RC_PATH;
    std::string rc, header;
    if (!ReadText(rcPath, &rc)) {
        cache.error = "cannot read " + rcPath;
        return cache;
    }
    // The script includes resource.h from its own folder for the identifiers.
    const std::string folder = rcPath.substr(0, rcPath.find_last_of('/') + 1);
    detail::DefineTable defines;
    if (ReadText(folder + "resource.h", &header)) detail::ReadDefines(header, &defines);
    detail::ParseResourceScript(rc, defines, &cache.templates, &cache.error);
#else
    cache.error = "TELLY_RC_PATH is not defined";
#endif
    return cache;
}

} // namespace

const DialogTemplate* Template(int id) {
    const auto& t = Cache().templates;
    auto it = t.find(id);
    return it == t.end() ? nullptr : &it->second;
}

std::string TemplateError() {
    return Cache().error;
}

int DluToPixelsX(int du) {
    return du * 3 / 2;
}
int DluToPixelsY(int du) {
    return du * 13 / 8;
}

} // namespace sim
