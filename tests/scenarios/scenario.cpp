// The scenario steps (see scenario.h): the user's actions on the simulated platform, and what the user
// sees read back from it -- the device, the pixels of the set, the windows on the screen and the pointer.
#include "scenarios/scenario.h"

#include "res/skin_layout.h"
#include "view/skin_bitmap.h"

#include <fstream>
#include <map>
#include <sstream>

using namespace fw;

namespace {

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, sep);) {
        const size_t b = part.find_first_not_of(' '), e = part.find_last_not_of(' ');
        if (b != std::string::npos) out.push_back(part.substr(b, e - b + 1));
    }
    return out;
}

std::wstring MoviePath(const std::string& name) {
    return L"C:\\m\\" + std::wstring(name.begin(), name.end()) + L".avi";
}

const std::map<std::string, int> kKeys = {{"Right", VK_RIGHT}, {"Left", VK_LEFT},   {"Up", VK_UP},
                                          {"Down", VK_DOWN},   {"Space", VK_SPACE}, {"PgUp", VK_PRIOR},
                                          {"PgDn", VK_NEXT},   {"Alt", VK_MENU},    {"Enter", VK_RETURN}};
const std::map<std::string, SkinRect> kControls = {
    {"REW", kRewKey},    {"PLAY", kPlayPauseKey}, {"FF", kFfKey},
    {"STOP", kStopKey},  {"FULL", kFullSwitch},   {"Rnd", kRndSwitch},
    {"Rep", kRepSwitch}, {"close", kCloseBox},    {"picture", kScreenHole}};

// The sprite sheet the set is drawn from, copied out of a load of its own (the simulated platform frees its
// bitmaps when it is reset between tests).
unsigned SheetPixel(int x, int y) {
    static const std::vector<unsigned> sheet = [] {
        std::vector<unsigned> pixels;
        const CSkinBitmap bitmap(nullptr, IDB_SKIN, AfxGetInstanceHandle(), 1);
        for (int row = 0; row < bitmap.Height(); ++row)
            for (int col = 0; col < bitmap.Width(); ++col) {
                const BYTE* p = bitmap.TopRowBits() + (col - bitmap.Width() * row) * 3;
                pixels.push_back(static_cast<unsigned>(p[2] << 16 | p[1] << 8 | p[0]));
            }
        return pixels;
    }();
    return sheet.at(static_cast<size_t>(y * g_nCanvasPitch + x));
}

// The window shows the sheet's sprite `s` at (x, y): every pixel where the sprite is opaque and differs from
// the sheet at `unlike` (the look it replaces; nothing left out when unlike.w is 0).
bool Shows(HWND wnd, int x, int y, const SkinRect& s, const SkinRect& unlike = {}) {
    for (int j = 0; j < s.h; ++j)
        for (int i = 0; i < s.w; ++i) {
            const unsigned p = SheetPixel(s.x + i, s.y + j);
            if (p == 0xFFFFFF || (unlike.w && p == SheetPixel(unlike.x + i, unlike.y + j))) continue;
            if (sim::Pixel(wnd, x + i, y + j) != p) return false;
        }
    return true;
}

// "1" when the control is drawn from the lit set, "0" from the unlit one, "?" from neither.
const char* Look(HWND wnd, const SkinRect& r) {
    const SkinRect lit = {r.x + kLitSetX, r.y, r.w, r.h};
    return Shows(wnd, r.x, r.y, lit, r) ? "1" : Shows(wnd, r.x, r.y, r, lit) ? "0" : "?";
}

// The x where the knob sprite stands on its row, or -1.
int KnobAt(HWND wnd, int y, const SkinRect& knob) {
    for (int x = 0; x + knob.w <= kSetWidth; ++x)
        if (Shows(wnd, x, y, knob)) return x;
    return -1;
}

// What a sight token is about; the sticky ones stay expected until restated.
std::string Kind(const std::string& token) {
    for (const char* word : {"a", "b", "c", "none"})
        if (token == word) return "entry";
    if (token == "runs" || token == "holds") return "motion";
    if (token == "window" || token == "full" || token == "panel") return "mode";
    if (token == "running" || token == "ended") return "life";
    for (const char* prefix : {"lit=", "sw=", "vbar", "bar", "knob", "vol", "f"})
        if (token.rfind(prefix, 0) == 0) return prefix;
    return "?";
}
bool Sticky(const std::string& kind) {
    return kind != "vbar" && kind != "bar" && kind != "knob" && kind != "vol" && kind != "f";
}

} // namespace

void ScenarioTest::Run(const Scenario& s) {
    std::vector<Setup> runs(1); // every combination of the '*' values
    for (const std::string& word : Split(s.setup, ' ')) {
        const std::string key = word.substr(0, word.find('=')), value = word.substr(word.find('=') + 1);
        std::vector<std::string> values = {value};
        if (value == "*")
            values =
                key == "lines" ? std::vector<std::string>{"0", "1", "2"} : std::vector<std::string>{"0", "1"};
        std::vector<Setup> expanded;
        for (const Setup& run : runs)
            for (const std::string& v : values) {
                expanded.push_back(run);
                expanded.back().emplace_back(key, v);
            }
        runs = expanded;
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        if (i > 0) { // a fresh player for each run
            TearDown();
            hwnd = nullptr;
            SetUp();
        }
        RunOnce(s, runs[i]);
    }
}

void ScenarioTest::RunOnce(const Scenario& s, const Setup& setup) {
    std::map<std::string, std::string> v(setup.begin(), setup.end());
    std::string trace = s.name;
    for (const auto& kv : setup)
        trace += " " + kv.first + "=" + kv.second;
    SCOPED_TRACE(trace);
    Start(v);
    // The switches as the set-up left them (Rep starts on).
    const std::string lamps = std::string(v["rnd"] == "1" ? ",Rnd" : "") + (v["rep"] != "0" ? ",Rep" : "");
    std::map<std::string, std::string> sticky = {{"mode", "window"},
                                                 {"life", "running"},
                                                 {"lit=", "lit=-"},
                                                 {"sw=", "sw=" + (lamps.empty() ? "-" : lamps.substr(1))}};
    for (size_t n = 0; n < s.steps.size(); ++n) {
        for (const std::string& action : Split(s.steps[n].does, ';'))
            Do(action);
        std::map<std::string, std::string> want = sticky;
        for (const std::string& token : Split(s.steps[n].sees, ' ')) {
            const std::string kind = Kind(token);
            EXPECT_NE(kind, "?") << "unknown sight " << token;
            want[kind] = token;
            if (Sticky(kind)) sticky[kind] = want[kind];
        }
        std::string seen = " ", missing;
        for (const std::string& token : Sees())
            seen += token + " ";
        for (const auto& kv : want)
            if (seen.find(" " + kv.second + " ") == std::string::npos) missing += kv.second + " ";
        if (!missing.empty()) {
            ADD_FAILURE() << "step " << n + 1 << " (" << s.steps[n].does << "): expected " << missing
                          << "\n  sees:" << seen;
            return;
        }
    }
}

void ScenarioTest::Start(std::map<std::string, std::string>& v) {
    auto value = [&v](const char* key) { return v.count(key) ? v[key] : std::string("0"); };
    for (const char* name : {"a", "b", "c"})
        sim::AddMovie(MoviePath(name), 165, 20);
    std::ofstream(programDir + "/RIVO.CFG", std::ios::binary)
        << "[WindowPoint]\r\nx=0\r\ny=0\r\n[MouseMode]\r\nWheel1_Play =" << value("play")
        << "\r\nWheel1_Pause=" << value("pause") << "\r\nWheel2_Mode =0\r\nBottunMode  =" << value("click")
        << "\r\nScanLineMode=" << value("lines") << "\r\nMaskTop=0\r\nMaskBottom=0\r\n";
    std::vector<int> rand;
    for (const std::string& r : Split(value("rand"), ','))
        rand.push_back(std::stoi(r));
    if (v.count("rand")) sim::ScriptRand(rand);
    Open();
    sim::Tick();
    if (value("rnd") == "1") Do("click Rnd");
    if (value("rep") == "0" && v.count("rep")) Do("click Rep");
}

HWND ScenarioTest::Live(int templateId) {
    const HWND h = sim::DialogWindow(templateId);
    return h && !sim::Info(h)->destroyed ? h : nullptr;
}

// The full-screen window under the pointer: the overlay where it has a dark row there, else the movie window.
HWND ScenarioTest::UnderPointer() {
    const HWND overlay = Live(IDD_SCANLINE_WND), movie = Live(IDD_MOVIE_WND);
    if (overlay && sim::Info(overlay)->visible) {
        const int x = sim::Cursor().x - sim::Info(overlay)->x, y = sim::Cursor().y - sim::Info(overlay)->y;
        const auto rows = sim::RegionRows(overlay);
        if (rows.count(y))
            for (const auto& span : rows.at(y))
                if (x >= span.first && x < span.second) return overlay;
    }
    return movie && sim::Info(movie)->visible ? movie : nullptr;
}

void ScenarioTest::Do(const std::string& action) {
    const std::vector<std::string> w = Split(action, ' ');
    const std::string verb = w[0], arg = w.size() > 1 ? w[1] : "";
    const HWND under = UnderPointer(), panel = Live(IDD_CONTROL_PANEL);
    const HWND target = under ? under : hwnd; // full-screen mode, or the set
    auto send = [](HWND to, UINT msg, WPARAM wp, LPARAM lp) {
        if (to && !sim::Info(to)->destroyed) sim::Send(to, msg, wp, lp);
    };
    const auto control = kControls.find(verb == "quit" ? "close" : arg);
    const LPARAM at = control == kControls.end() ? 0
                                                 : MAKELPARAM(control->second.x + control->second.w / 2,
                                                              control->second.y + control->second.h / 2);
    if (verb == "tick") {
        ASSERT_FALSE(sim::ModalEnded(hwnd)) << "no tick runs after the program ended";
        sim::Tick(arg.empty() ? 1 : std::stoi(arg));
    } else if (verb == "hold" || verb == "release") {
        if (w.size() == 1) sim::ReleaseAllKeys();
        for (size_t i = 1; i < w.size(); ++i)
            sim::SetKey(kKeys.at(w[i]), verb == "hold");
    } else if ((verb == "click" || verb == "dblclick" || verb == "quit") && arg != "screen") {
        ASSERT_NE(control, kControls.end()) << action;
        send(hwnd, verb == "dblclick" ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 0, at);
        send(hwnd, WM_LBUTTONUP, 0, at);
    } else if (verb == "click" || verb == "dblclick") {
        ASSERT_NE(under, nullptr) << "no full-screen window under the pointer";
        send(under, verb == "click" ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK, 0, 0);
        send(under, WM_LBUTTONUP, 0, 0);
    } else if (verb == "mclick" || verb == "rclick") {
        send(target, verb == "mclick" ? WM_MBUTTONDOWN : WM_RBUTTONDOWN, 0, 0);
    } else if (verb == "wheel") {
        sim::Wheel(target, 120 * std::stoi(arg));
    } else if (verb == "down" || verb == "move" || verb == "up") {
        const int x = std::stoi(arg), y = std::stoi(arg.substr(arg.find(',') + 1));
        send(hwnd,
             verb == "down"   ? WM_LBUTTONDOWN
             : verb == "move" ? WM_MOUSEMOVE
                              : WM_LBUTTONUP,
             0, MAKELPARAM(x, y));
    } else if (verb == "drop") {
        std::vector<std::wstring> paths;
        for (size_t i = 1; i < w.size(); ++i)
            paths.push_back(MoviePath(w[i]));
        send(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(sim::MakeDrop(paths)), 0);
    } else if (verb == "panel") {
        const int id = arg == "FF" ? IDC_PANEL_FF : arg == "REW" ? IDC_PANEL_REW : IDC_PANEL_PLAY_PAUSE;
        ASSERT_TRUE(panel && sim::ClickButton(panel, id)) << action;
    } else if (verb == "bar" || verb == "vbar") {
        ASSERT_NE(panel, nullptr) << action;
        const HWND bar = plat::GetDialogItem(panel, verb == "bar" ? IDC_PANEL_POSITION : IDC_PANEL_VOLUME);
        const WPARAM wp = arg == "end" ? SB_ENDSCROLL : MAKEWPARAM(SB_THUMBTRACK, std::stoi(arg));
        send(panel, WM_HSCROLL, wp, reinterpret_cast<LPARAM>(bar));
    } else if (verb == "settings") {
        // Each pair's second choice (MODE2, ON) follows its first.
        const int ids[] = {IDC_WHEEL_PLAY_MODE1, IDC_WHEEL_PAUSE_MODE1, IDC_BOTTUN_OFF};
        sim::SetModalDriver(IDD_MOUSE_SETTINGS, [ids, w](HWND d) {
            for (size_t i = 1; i < w.size() && i < 4; ++i)
                sim::ClickButton(d, ids[i - 1] + (w[i].back() == '1' ? 1 : 0));
            sim::ClickButton(d, IDOK);
        });
        send(hwnd, WM_RBUTTONDOWN, 0, 0);
    } else {
        ADD_FAILURE() << "unknown action " << action;
    }
}

std::vector<std::string> ScenarioTest::Sees() {
    const sim::MciState& mci = sim::Mci();
    const std::wstring stem = mci.path.substr(mci.path.rfind(L'\\') + 1, 1);
    std::vector<std::string> seen = {mci.open ? std::string(stem.begin(), stem.end()) : "none",
                                     "f" + std::to_string(mci.fps ? mci.positionMs * mci.fps / 1000 : 0),
                                     mci.playing ? "runs" : "holds"};

    const bool grey = Shows(hwnd, kPlayPauseKey.x, kPlayPauseKey.y, kGreyPlayPauseSprite);
    const std::pair<std::string, std::string> lamps[] = {
        {"lit=REW", Look(hwnd, kRewKey)},   {"lit=PAUSE", grey ? "0" : Look(hwnd, kPlayPauseKey)},
        {"lit=GREY", grey ? "1" : "0"},     {"lit=FF", Look(hwnd, kFfKey)},
        {"lit=STOP", Look(hwnd, kStopKey)}, {"sw=Rnd", Look(hwnd, kRndSwitch)},
        {"sw=Rep", Look(hwnd, kRepSwitch)}};
    std::string lit = "lit=", sw = "sw=";
    for (const auto& lamp : lamps) {
        std::string& list = lamp.first[0] == 'l' ? lit : sw;
        if (lamp.second != std::string("0"))
            list += (list.back() == '=' ? "" : ",") + lamp.first.substr(lamp.first.find('=') + 1) +
                    (lamp.second == std::string("?") ? "?" : "");
    }
    seen.push_back(lit.back() == '=' ? "lit=-" : lit);
    seen.push_back(sw.back() == '=' ? "sw=-" : sw);
    seen.push_back("knob" + std::to_string(KnobAt(hwnd, kPosBarY + kPosKnobDrawDy, kPosKnobSprite)));
    seen.push_back("vol" + std::to_string(KnobAt(hwnd, kVolBarY + kVolKnobDrawDy, kVolKnobSprite)));

    // A full-screen window is seen when shown, the panel only once it has been raised above the movie.
    auto shown = [this](int id) {
        const HWND h = Live(id);
        return h && sim::Info(h)->visible && (id != IDD_CONTROL_PANEL || sim::Info(h)->zOrderTopmost == 1);
    };
    const std::string screen =
        std::string(shown(IDD_MOVIE_WND) ? "M" : "-") + (shown(IDD_SCANLINE_WND) ? "O" : "-") +
        (shown(IDD_CONTROL_PANEL) ? "P" : "-") + (sim::Cursor().showCount < 0 ? "H" : "-") +
        (sim::Cursor().clipped ? "C" : "-");
    // Movie window, overlay, panel, pointer hidden, pointer clipped.
    const std::map<std::string, std::string> modes = {
        {"-----", "window"}, {"MO-HC", "full"}, {"M-P--", "panel"}};
    seen.push_back(modes.count(screen) ? modes.at(screen) : "mode?" + screen);
    if (const HWND panel = Live(IDD_CONTROL_PANEL)) {
        seen.push_back("bar" +
                       std::to_string(sim::ScrollBar(plat::GetDialogItem(panel, IDC_PANEL_POSITION)).pos));
        seen.push_back("vbar" +
                       std::to_string(sim::ScrollBar(plat::GetDialogItem(panel, IDC_PANEL_VOLUME)).pos));
    }
    seen.push_back(sim::ModalEnded(hwnd) ? "ended" : "running");
    return seen;
}
