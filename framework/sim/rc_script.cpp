#include "framework/sim/rc_script.h"

#include "framework/sim/utf.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace sim {
namespace detail {

namespace {

struct StyleName {
    const char* name;
    unsigned long value;
};

// Every style name a dialog template of this program may use, with the Win32 values.
const StyleName kStyles[] = {
    {"WS_OVERLAPPED", 0x00000000},
    {"WS_POPUP", 0x80000000},
    {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000},
    {"WS_VISIBLE", 0x10000000},
    {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000},
    {"WS_BORDER", 0x00800000},
    {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_GROUP", 0x00020000},
    {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000},
    {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000},
    {"WS_POPUPWINDOW", 0x80880000},
    {"WS_EX_DLGMODALFRAME", 0x00000001},
    {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_TOPMOST", 0x00000008},
    {"WS_EX_ACCEPTFILES", 0x00000010},
    {"WS_EX_TRANSPARENT", 0x00000020},
    {"WS_EX_TOOLWINDOW", 0x00000080},
    {"WS_EX_WINDOWEDGE", 0x00000100},
    {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_CONTEXTHELP", 0x00000400},
    {"WS_EX_STATICEDGE", 0x00020000},
    {"WS_EX_APPWINDOW", 0x00040000},
    {"WS_EX_LAYERED", 0x00080000},
    {"DS_ABSALIGN", 0x01},
    {"DS_SYSMODAL", 0x02},
    {"DS_3DLOOK", 0x04},
    {"DS_FIXEDSYS", 0x08},
    {"DS_NOFAILCREATE", 0x10},
    {"DS_LOCALEDIT", 0x20},
    {"DS_SETFONT", 0x40},
    {"DS_MODALFRAME", 0x80},
    {"DS_NOIDLEMSG", 0x100},
    {"DS_SETFOREGROUND", 0x200},
    {"DS_CONTROL", 0x400},
    {"DS_CENTER", 0x800},
    {"DS_CENTERMOUSE", 0x1000},
    {"DS_CONTEXTHELP", 0x2000},
    {"DS_SHELLFONT", 0x48},
    {"BS_PUSHBUTTON", 0x0},
    {"BS_DEFPUSHBUTTON", 0x1},
    {"BS_CHECKBOX", 0x2},
    {"BS_AUTOCHECKBOX", 0x3},
    {"BS_RADIOBUTTON", 0x4},
    {"BS_3STATE", 0x5},
    {"BS_AUTO3STATE", 0x6},
    {"BS_GROUPBOX", 0x7},
    {"BS_USERBUTTON", 0x8},
    {"BS_AUTORADIOBUTTON", 0x9},
    {"BS_PUSHBOX", 0xA},
    {"BS_OWNERDRAW", 0xB},
    {"BS_LEFTTEXT", 0x20},
    {"BS_TEXT", 0x0},
    {"BS_ICON", 0x40},
    {"BS_BITMAP", 0x80},
    {"BS_LEFT", 0x100},
    {"BS_RIGHT", 0x200},
    {"BS_CENTER", 0x300},
    {"BS_TOP", 0x400},
    {"BS_BOTTOM", 0x800},
    {"BS_VCENTER", 0xC00},
    {"BS_PUSHLIKE", 0x1000},
    {"BS_MULTILINE", 0x2000},
    {"BS_NOTIFY", 0x4000},
    {"BS_FLAT", 0x8000},
    {"SS_LEFT", 0x0},
    {"SS_CENTER", 0x1},
    {"SS_RIGHT", 0x2},
    {"SS_ICON", 0x3},
    {"SS_BLACKRECT", 0x4},
    {"SS_GRAYRECT", 0x5},
    {"SS_WHITERECT", 0x6},
    {"SS_BLACKFRAME", 0x7},
    {"SS_GRAYFRAME", 0x8},
    {"SS_WHITEFRAME", 0x9},
    {"SS_USERITEM", 0xA},
    {"SS_SIMPLE", 0xB},
    {"SS_LEFTNOWORDWRAP", 0xC},
    {"SS_OWNERDRAW", 0xD},
    {"SS_BITMAP", 0xE},
    {"SS_ENHMETAFILE", 0xF},
    {"SS_ETCHEDHORZ", 0x10},
    {"SS_ETCHEDVERT", 0x11},
    {"SS_ETCHEDFRAME", 0x12},
    {"SS_NOPREFIX", 0x80},
    {"SS_NOTIFY", 0x100},
    {"SS_CENTERIMAGE", 0x200},
    {"SS_RIGHTJUST", 0x400},
    {"SS_SUNKEN", 0x1000},
    {"SS_ENDELLIPSIS", 0x4000},
    {"SS_PATHELLIPSIS", 0x8000},
    {"SS_WORDELLIPSIS", 0xC000},
    {"ES_LEFT", 0x0},
    {"ES_CENTER", 0x1},
    {"ES_RIGHT", 0x2},
    {"ES_MULTILINE", 0x4},
    {"ES_UPPERCASE", 0x8},
    {"ES_LOWERCASE", 0x10},
    {"ES_PASSWORD", 0x20},
    {"ES_AUTOVSCROLL", 0x40},
    {"ES_AUTOHSCROLL", 0x80},
    {"ES_NOHIDESEL", 0x100},
    {"ES_OEMCONVERT", 0x400},
    {"ES_READONLY", 0x800},
    {"ES_WANTRETURN", 0x1000},
    {"ES_NUMBER", 0x2000},
    {"LBS_NOTIFY", 0x1},
    {"LBS_SORT", 0x2},
    {"LBS_NOREDRAW", 0x4},
    {"LBS_MULTIPLESEL", 0x8},
    {"LBS_OWNERDRAWFIXED", 0x10},
    {"LBS_OWNERDRAWVARIABLE", 0x20},
    {"LBS_HASSTRINGS", 0x40},
    {"LBS_USETABSTOPS", 0x80},
    {"LBS_NOINTEGRALHEIGHT", 0x100},
    {"LBS_MULTICOLUMN", 0x200},
    {"LBS_WANTKEYBOARDINPUT", 0x400},
    {"LBS_EXTENDEDSEL", 0x800},
    {"LBS_DISABLENOSCROLL", 0x1000},
    {"LBS_NODATA", 0x2000},
    {"LBS_NOSEL", 0x4000},
    {"LBS_STANDARD", 0x00A00003},
    {"SBS_HORZ", 0x0},
    {"SBS_VERT", 0x1},
    {"SBS_TOPALIGN", 0x2},
    {"SBS_LEFTALIGN", 0x2},
    {"SBS_BOTTOMALIGN", 0x4},
    {"SBS_RIGHTALIGN", 0x4},
    {"SBS_SIZEBOXTOPLEFTALIGN", 0x2},
    {"SBS_SIZEBOXBOTTOMRIGHTALIGN", 0x4},
    {"SBS_SIZEBOX", 0x8},
    {"SBS_SIZEGRIP", 0x10},
};

enum TokKind { kEnd, kName, kNumber, kString, kPunct };
struct Token {
    TokKind kind;
    std::string text; // name, string contents (UTF-8), punctuation
    long number;
    int line;
    bool lineStart; // first token of its line
};

class Lexer {
public:
    explicit Lexer(const std::string& s) : m_s(s) {}

    std::vector<Token> Run() {
        std::vector<Token> out;
        bool lineStart = true;
        while (m_i < m_s.size()) {
            const char c = m_s[m_i];
            if (c == '\n') {
                ++m_line, ++m_i, lineStart = true;
                continue;
            }
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_i;
                continue;
            }
            if (c == '/' && Peek(1) == '/') {
                SkipLine();
                continue;
            }
            if (c == '/' && Peek(1) == '*') {
                m_i += 2;
                while (m_i < m_s.size() && !(m_s[m_i] == '*' && Peek(1) == '/')) {
                    if (m_s[m_i] == '\n') ++m_line;
                    ++m_i;
                }
                m_i += 2;
                continue;
            }
            if (c == '#' && lineStart) { // preprocessor lines carry nothing for us (#include, #pragma)
                SkipLine();
                continue;
            }
            Token t{kPunct, std::string(), 0, m_line, lineStart};
            lineStart = false;
            if (c == '"') {
                t.kind = kString;
                t.text = ReadString();
            } else if (std::isdigit(static_cast<unsigned char>(c))) {
                t.kind = kNumber;
                size_t start = m_i;
                while (m_i < m_s.size() && std::isalnum(static_cast<unsigned char>(m_s[m_i])))
                    ++m_i;
                t.text = m_s.substr(start, m_i - start);
                char* end = nullptr;
                t.number = static_cast<long>(std::strtoul(t.text.c_str(), &end, 0));
                if (*end == 'L' || *end == 'l' || *end == 'U' || *end == 'u') ++end;
                if (*end != '\0') t.kind = kPunct; // not a number: reported by the parser
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                t.kind = kName;
                size_t start = m_i;
                while (m_i < m_s.size() &&
                       (std::isalnum(static_cast<unsigned char>(m_s[m_i])) || m_s[m_i] == '_'))
                    ++m_i;
                t.text = m_s.substr(start, m_i - start);
            } else {
                t.text = std::string(1, c);
                ++m_i;
            }
            out.push_back(t);
        }
        out.push_back(Token{kEnd, std::string(), 0, m_line, true});
        return out;
    }

private:
    char Peek(size_t ahead) const { return m_i + ahead < m_s.size() ? m_s[m_i + ahead] : '\0'; }
    void SkipLine() {
        while (m_i < m_s.size() && m_s[m_i] != '\n')
            ++m_i;
    }
    // "..." with "" for a quote and the C escapes rc accepts.
    std::string ReadString() {
        std::string out;
        ++m_i;
        while (m_i < m_s.size()) {
            const char c = m_s[m_i++];
            if (c == '"') {
                if (Peek(0) == '"') {
                    out += '"';
                    ++m_i;
                    continue;
                }
                break;
            }
            if (c == '\\' && m_i < m_s.size()) {
                const char e = m_s[m_i++];
                out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                continue;
            }
            if (c == '\n') ++m_line;
            out += c;
        }
        return out;
    }

    const std::string& m_s;
    size_t m_i = 0;
    int m_line = 1;
};

// The control shorthand statements: class, implied style, whether a text comes first.
struct Shorthand {
    const char* keyword;
    const char* className;
    unsigned long style;
    bool hasText;
};
const Shorthand kShorthands[] = {
    {"LTEXT", "Static", 0x0 | 0x00020000, true},
    {"RTEXT", "Static", 0x2 | 0x00020000, true},
    {"CTEXT", "Static", 0x1 | 0x00020000, true},
    {"PUSHBUTTON", "Button", 0x0 | 0x00010000, true},
    {"DEFPUSHBUTTON", "Button", 0x1 | 0x00010000, true},
    {"GROUPBOX", "Button", 0x7, true},
    {"RADIOBUTTON", "Button", 0x4 | 0x00010000, true},
    {"AUTORADIOBUTTON", "Button", 0x9 | 0x00010000, true},
    {"CHECKBOX", "Button", 0x2 | 0x00010000, true},
    {"AUTOCHECKBOX", "Button", 0x3 | 0x00010000, true},
    {"EDITTEXT", "Edit", 0x0 | 0x00800000 | 0x00010000, false},
    {"LISTBOX", "ListBox", 0x1 | 0x00800000, false},
    {"SCROLLBAR", "ScrollBar", 0x0, false},
};

class Parser {
public:
    Parser(std::vector<Token> toks, const DefineTable& defines) : m_t(std::move(toks)), m_defines(defines) {}

    bool Run(std::map<int, DialogTemplate>* out, std::string* error) {
        try {
            while (Cur().kind != kEnd)
                TopLevel(out);
            return true;
        } catch (const std::string& e) {
            if (error) *error = e;
            return false;
        }
    }

private:
    const Token& Cur() const { return m_t[m_p]; }
    const Token& Next() const { return m_t[m_p + 1 < m_t.size() ? m_p + 1 : m_p]; }
    void Advance() {
        if (m_t[m_p].kind != kEnd) ++m_p;
    }
    [[noreturn]] void Fail(const std::string& what) const {
        std::ostringstream s;
        s << "line " << Cur().line << ": " << what << " (at '" << Cur().text << "')";
        throw s.str();
    }
    bool IsName(const char* n) const { return Cur().kind == kName && Cur().text == n; }
    bool IsPunct(const char* p) const { return Cur().kind == kPunct && Cur().text == p; }
    void ExpectComma() {
        if (!IsPunct(",")) Fail("',' expected");
        Advance();
    }
    void SkipRestOfLine() {
        const int line = Cur().line;
        while (Cur().kind != kEnd && Cur().line == line)
            Advance();
    }
    bool IsBegin() const { return IsName("BEGIN") || IsPunct("{"); }
    bool IsEndOfBlock() const { return IsName("END") || IsPunct("}"); }
    void SkipBlock() {
        int depth = 0;
        do {
            if (IsBegin()) ++depth;
            if (IsEndOfBlock()) --depth;
            if (Cur().kind == kEnd) Fail("END expected");
            Advance();
        } while (depth > 0);
    }

    void TopLevel(std::map<int, DialogTemplate>* out) {
        if ((Cur().kind == kName || Cur().kind == kNumber) && Next().kind == kName &&
            (Next().text == "DIALOGEX" || Next().text == "DIALOG")) {
            DialogTemplate d = Dialog();
            (*out)[d.id] = d;
            return;
        }
        // Any other resource statement: its line, and the block that follows it if any.
        SkipRestOfLine();
        if (IsBegin()) SkipBlock();
    }

    long Integer() {
        bool negative = false;
        while (IsPunct("-") || IsPunct("+")) {
            negative = negative != IsPunct("-");
            Advance();
        }
        long v = 0;
        if (Cur().kind == kNumber) {
            v = Cur().number;
        } else if (Cur().kind == kName) {
            v = NameValue(Cur().text);
        } else if (IsPunct("(")) {
            Advance();
            v = static_cast<long>(Expression());
            if (!IsPunct(")")) Fail("')' expected");
        } else {
            Fail("number expected");
        }
        Advance();
        return negative ? -v : v;
    }

    long NameValue(const std::string& name) const {
        if (name == "IDOK") return 1;
        if (name == "IDCANCEL") return 2;
        if (name == "IDC_STATIC") return -1;
        auto it = m_defines.find(name);
        if (it != m_defines.end()) return it->second;
        unsigned long v = 0;
        if (StyleValue(name, &v)) return static_cast<long>(v);
        Fail("unknown name " + name);
    }

    // term ('|' term)*, term = [NOT] integer, applied left to right on top of `start`: a plain term sets
    // its bits, a NOT term clears them from what is on its left.
    unsigned long ExpressionOn(unsigned long start) {
        unsigned long acc = start;
        for (;;) {
            bool clear = false;
            if (IsName("NOT")) {
                clear = true;
                Advance();
            }
            const unsigned long v = static_cast<unsigned long>(Integer()) & 0xFFFFFFFFul;
            acc = clear ? (acc & ~v) : (acc | v);
            if (!IsPunct("|")) break;
            Advance();
        }
        return acc;
    }
    unsigned long Expression() { return ExpressionOn(0); }

    std::wstring String() {
        if (Cur().kind != kString) Fail("string expected");
        std::wstring s = FromUtf8(Cur().text);
        Advance();
        return s;
    }

    DialogTemplate Dialog() {
        DialogTemplate d{};
        d.id = static_cast<int>(Integer());
        Advance(); // DIALOGEX / DIALOG
        d.x = static_cast<int>(Integer());
        ExpectComma();
        d.y = static_cast<int>(Integer());
        ExpectComma();
        d.cx = static_cast<int>(Integer());
        ExpectComma();
        d.cy = static_cast<int>(Integer());
        if (IsPunct(",")) { // help id of DIALOGEX
            Advance();
            Integer();
        }
        while (!IsBegin()) {
            if (Cur().kind == kEnd) Fail("BEGIN expected");
            if (IsName("STYLE")) {
                Advance();
                d.style = static_cast<DWORD>(Expression());
            } else if (IsName("EXSTYLE")) {
                Advance();
                d.exStyle = static_cast<DWORD>(Expression());
            } else if (IsName("CAPTION")) {
                Advance();
                d.caption = String();
            } else if (IsName("FONT")) {
                Advance();
                d.fontSize = static_cast<int>(Integer());
                ExpectComma();
                d.fontName = String();
                SkipRestOfLine(); // weight, italic, charset
            } else {
                SkipRestOfLine(); // MENU, CLASS, LANGUAGE, ... have no meaning here
            }
        }
        Advance(); // BEGIN
        while (!IsEndOfBlock()) {
            if (Cur().kind == kEnd) Fail("END expected");
            d.controls.push_back(Control());
        }
        Advance(); // END
        return d;
    }

    ControlTemplate Control() {
        ControlTemplate c{};
        const unsigned long base = 0x40000000ul | 0x10000000ul; // WS_CHILD | WS_VISIBLE
        if (Cur().kind != kName) Fail("control statement expected");
        const std::string keyword = Cur().text;
        Advance();
        if (keyword == "CONTROL") {
            c.text = Cur().kind == kString ? String() : std::to_wstring(Integer());
            ExpectComma();
            c.id = static_cast<int>(Integer());
            ExpectComma();
            if (Cur().kind == kString) {
                c.className = Cur().text;
                Advance();
            } else if (Cur().kind == kName) { // predefined class names without quotes: WC_BUTTON, ...
                c.className = Cur().text;
                Advance();
            } else {
                Fail("class expected");
            }
            ExpectComma();
            c.style = static_cast<DWORD>(ExpressionOn(base));
            ExpectComma();
            Rect(&c);
            if (IsPunct(",")) {
                Advance();
                c.exStyle = static_cast<DWORD>(Expression());
            }
            return c;
        }
        for (const Shorthand& s : kShorthands) {
            if (keyword != s.keyword) continue;
            c.className = s.className;
            if (s.hasText) {
                c.text = String();
                ExpectComma();
            }
            c.id = static_cast<int>(Integer());
            ExpectComma();
            Rect(&c);
            c.style = static_cast<DWORD>(base | s.style);
            if (IsPunct(",")) {
                Advance();
                c.style = static_cast<DWORD>(ExpressionOn(c.style));
                if (IsPunct(",")) {
                    Advance();
                    c.exStyle = static_cast<DWORD>(Expression());
                }
            }
            return c;
        }
        Fail("unsupported control statement " + keyword);
    }

    void Rect(ControlTemplate* c) {
        c->x = static_cast<int>(Integer());
        ExpectComma();
        c->y = static_cast<int>(Integer());
        ExpectComma();
        c->cx = static_cast<int>(Integer());
        ExpectComma();
        c->cy = static_cast<int>(Integer());
    }

    std::vector<Token> m_t;
    size_t m_p = 0;
    const DefineTable& m_defines;
};

} // namespace

bool StyleValue(const std::string& name, unsigned long* value) {
    for (const StyleName& s : kStyles) {
        if (name == s.name) {
            *value = s.value;
            return true;
        }
    }
    return false;
}

void ReadDefines(const std::string& headerText, DefineTable* defines) {
    std::istringstream in(headerText);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string directive, name, value;
        if (!(words >> directive >> name >> value) || directive != "#define") continue;
        while (!value.empty() && value.front() == '(')
            value.erase(0, 1);
        while (!value.empty() && value.back() == ')')
            value.pop_back();
        char* end = nullptr;
        const long v = std::strtol(value.c_str(), &end, 0);
        if (end != value.c_str() && *end == '\0') (*defines)[name] = v;
    }
}

bool ParseResourceScript(const std::string& text, const DefineTable& defines,
                         std::map<int, DialogTemplate>* out, std::string* error) {
    Parser p(Lexer(text).Run(), defines);
    return p.Run(out, error);
}

} // namespace detail
} // namespace sim
