// The sort keys of a sorted list box, built as Wine builds them for CompareStringW with NORM_IGNORECASE.
//
// A key has five levels, compared in turn; a level counts only when all before it are equal:
//   1 primary: one weight (script byte, weight byte) per letter, digit or punctuation mark; '-' and '\''
//     have none ("word sort"), an expansion such as "ß" has two;
//   2 diacritics: one byte per primary weight (2 when the letter has none), trailing 2s left out;
//   3 width: one byte per primary weight (2 plain, 3 full-width, 6 compatibility forms), trailing 2s left
//   out; 4 kana: small kana, katakana and half-width kana each sort before their plain hiragana counterpart;
//   5 the ignored punctuation: for each '-' or '\'' its position (counted from the end of the primary
//     weights) and weight.
// Levels are ended by 0x01, which is below every weight, so a text that is a prefix of another sorts first.
#include "framework/sim/collation.h"

#include <cstdint>
#include <vector>

namespace sim {
namespace detail {

namespace {

// ---- Weights
// ------------------------------------------------------------------------------------------------ Range
// tables give four hex digits per code point: the primary weight "SSWW" (script, weight), "0000" for a
// character that is ignored altogether, "FFww" (ww below 0xFF) for punctuation that only counts at level 5.

constexpr wchar_t kAsciiFirst = 0x20;
const char kAscii[] = // U+0020 .. U+007E
    "0702071C071D071F072107230725FF800727072A072D0803072FFF82073307350D030D1A0D1C0D1E0D200D220D240D26"
    "0D280D2A0737073A080E08120814073C073E0E020E090E0A0E1A0E210E230E250E2C0E320E350E360E480E510E700E7C"
    "0E7E0E890E8A0E910E990E9F0EA20EA40EA60EA70EA9073F074107420743074407480E020E090E0A0E1A0E210E230E25"
    "0E2C0E320E350E360E480E510E700E7C0E7E0E890E8A0E910E990E9F0EA20EA40EA60EA70EA9074A074C074E0750";

constexpr wchar_t kLatin1SymbolsFirst = 0xA0;
const char kLatin1Symbols[] = // U+00A0 .. U+00BF
    "07040751079707980799079A07520A0607530A070E0208180A0800000A0907540A0A08170D1C0D1E07550A0B0A0C0A0D"
    "07560D1A0E7C081A0D0D0D110D150757";

constexpr wchar_t kGeneralPunctuationFirst = 0x2000;
const char kGeneralPunctuation[] = // U+2000 .. U+206F
    "070C070D070C070D070E070F0710071107120713071407150000000000000000FF84FF85FF88FF89FF90FF9207770778"
    "0779077A077B077C077D077E077F07800B250B260B270B2807330A0F0A10FF8607170718000000000000000000000702"
    "0B2C0B2C0781078107810784078107810787078807890B2E071C078B078C078D0B2F0B300B31FF870807073F0742073C"
    "073C071C078707250724071D071E07230722072D072107880720071A071A071F071A071A071A071A0C020C030C040702"
    "0000000000000000000000000000000000000000000000000000000000000000";

constexpr wchar_t kCjkSymbolsFirst = 0x3000;
const char kCjkSymbols[] = // U+3000 .. U+303F
    "07020731073407D90A2DFFFF07DA0D030793079507970799079B079D079F07A107A307A50A280A2907A807AB07AD07AE"
    "07AF07B007B107B2FF9307B307B407B50A2A0D1A0D1C0D1E0D200D220D240D260D280D2A000000000000000000000000"
    "FF94FFFFFFFFFFFFFFFFFFFF0A2B0CAE0D2C0D360D40FFFF0000000000000A2C";

// Ideographic tone marks U+302A .. U+302F: diacritics.
const char kIdeographicMarks[] = "0708090B0708";

constexpr wchar_t kHalfwidthSymbolsFirst = 0xFF5F;
const char kHalfwidthSymbols[] = "070B070C0734079B079D07310A0E"; // U+FF5F .. U+FF65

constexpr wchar_t kFullwidthSignsFirst = 0xFFE0;
const char kFullwidthSigns[] = // U+FFE0 .. U+FFEE
    "079707980A0807540752079A07A4000009E809DF09D909DB09DD09BC09C9";

// Characters of the range tables with a diacritic or width of their own.
struct Extra {
    wchar_t c;
    uint8_t diacritic, width;
};
const Extra kExtras[] = {
    {0x00AA, 3, 6},   {0x00B2, 2, 6},   {0x00B3, 2, 6},   {0x00B9, 2, 6},   {0x00BA, 3, 6},
    {0x202F, 10, 2},  {0x2030, 12, 2},  {0x2031, 14, 2},  {0x2033, 20, 2},  {0x2034, 40, 2},
    {0x2036, 25, 2},  {0x2037, 45, 2},  {0x203C, 20, 2},  {0x2045, 28, 2},  {0x2046, 28, 2},
    {0x2047, 100, 2}, {0x2048, 200, 2}, {0x2049, 200, 2}, {0x2051, 100, 2}, {0x2055, 21, 2},
    {0x2056, 31, 2},  {0x2058, 41, 2},  {0x2059, 51, 2},  {0x205A, 61, 2},  {0x205B, 71, 2},
    {0x3000, 2, 3},   {0x3001, 2, 3},   {0x3002, 2, 3},   {0x3007, 231, 2}, {0x300C, 2, 3},
    {0x300D, 2, 3},   {0x3021, 231, 2}, {0x3022, 231, 2}, {0x3023, 231, 2}, {0x3024, 231, 2},
    {0x3025, 231, 2}, {0x3026, 231, 2}, {0x3027, 231, 2}, {0x3028, 231, 2}, {0x3029, 231, 2},
    {0x3038, 231, 2}, {0x3039, 231, 2}, {0x303A, 231, 2}, {0xFF5F, 67, 3},  {0xFF60, 67, 3},
    {0xFFE0, 2, 3},   {0xFFE1, 2, 3},   {0xFFE2, 2, 3},   {0xFFE3, 2, 3},   {0xFFE4, 2, 3},
    {0xFFE5, 2, 3},   {0xFFE6, 2, 3},   {0xFFE8, 3, 2},   {0xFFE9, 3, 2},   {0xFFEA, 3, 2},
    {0xFFEB, 3, 2},   {0xFFEC, 3, 2},   {0xFFED, 3, 2},   {0xFFEE, 3, 2},
};

// U+00C0 .. U+017F: the base letter and the diacritic weight; '*' marks the letters of kLatinSpecials.
constexpr wchar_t kLatinFirst = 0xC0;
const char kLatinBase[] = "AAAAAA*CEEEEIIIIDNOOOOO*OUUUUY**AAAAAA*CEEEEIIIIDNOOOOO*OUUUUY*Y"
                          "AAAAAACCCCCCCCDDDDEEEEEEEEEEGGGGGGGGHHHHIIIIIIIIII**JJKKKLLLLLLL"
                          "LLLNNNNNNN**OOOOOO**RRRRRRSSSSSSSSTTTT**UUUUUUUUUUUUWWYYYZZZZZZ*";
const char kLatinDiacritic[] =
    "0F0E1219131A021C0F0E12130F0E121368190F0E12191302210F0E12130E02020F0E1219131A021C0F0E12130F0E1213"
    "68190F0E12191302210F0E12130E0213171715151B1B0E0E12121010141414141E1E1717151510101B1B141412121515"
    "10101C1C12121E1E1919171715151B1B1004020212121C1C040E0E1C1C141411111F1F0E0E1C1C141448020217171515"
    "1D1D02020E0E1C1C14140E0E12121C1C14141C1C141402021919171715151A1A1D1D1B1B12121212130E0E1010141402";
struct LatinSpecial {
    wchar_t c;
    uint16_t first, second; // primary weights; second 0 for none
    uint8_t diacritic;
};
const LatinSpecial kLatinSpecials[] = {
    {0x00C6, 0x0E02, 0x0E21, 2}, {0x00D7, 0x081C, 0, 2},      {0x00DE, 0x0E99, 0x0E2C, 2},
    {0x00DF, 0x0E91, 0x0E91, 2}, {0x00E6, 0x0E02, 0x0E21, 2}, {0x00F7, 0x081D, 0, 2},
    {0x00FE, 0x0E99, 0x0E2C, 2}, {0x0132, 0x0E32, 0x0E35, 2}, {0x0133, 0x0E32, 0x0E35, 2},
    {0x014A, 0x0E74, 0, 2},      {0x014B, 0x0E74, 0, 2},      {0x0152, 0x0E7C, 0x0E21, 2},
    {0x0153, 0x0E7C, 0x0E21, 2}, {0x0166, 0x0E9E, 0, 0x1E},   {0x0167, 0x0E9E, 0, 0x1E},
    {0x017F, 0x0E96, 0, 2},
};

// Letter weights of 'a' .. 'z' (script 0x0E).
const uint8_t kLetter[26] = {0x02, 0x09, 0x0A, 0x1A, 0x21, 0x23, 0x25, 0x2C, 0x32, 0x35, 0x36, 0x48, 0x51,
                             0x70, 0x7C, 0x7E, 0x89, 0x8A, 0x91, 0x99, 0x9F, 0xA2, 0xA4, 0xA6, 0xA7, 0xA9};

// Combining marks U+0300 .. U+0362: the weight each adds to the diacritic of the letter before it.
constexpr wchar_t kCombiningFirst = 0x0300;
const char kCombining[] =
    "0D0C1017153E130E113F181B12034142434445464748494A4B4C4D4E4F505152535455565758591A195A5B5C5D5E5F60"
    "61626364651C1C1D1E6768696A6B6C6D0D0C8D461D907475765C5D5E5F6061015455565758595A5B1E1F202128141515"
    "174427";

// Hiragana U+3041 .. U+3096 (katakana U+30A1 .. U+30F6 sort with them): weight (script 0x22), voicing
// ('v' voiced, 'p' semi-voiced) and small kana ('s').
constexpr wchar_t kHiraganaFirst = 0x3041;
constexpr wchar_t kKatakanaFirst = 0x30A1;
constexpr int kKanaCount = 86;
const char kKanaWeight[] =
    "020203030404050506060A0A0B0B0C0C0D0D0E0E121213131414151516161A1A1B1B1C1C1C1D1D1E1E22232425262A2A"
    "2A2B2B2B2C2C2C2D2D2D2E2E2E32333435363A3A3C3C3E3E42434445464A4A4B4D4E80040A0D";
const char kKanaVoicing[] =
    "...........v.v.v.v.v.v.v.v.v.v.v.v..v.v.v......vp.vp.vp.vp.vp......................v..";
const char kKanaSmall[] =
    "s.s.s.s.s.........................s...............................s.s.s......s......ss";
// Half-width katakana U+FF66 .. U+FF9D as their full-width forms (U+FF70 is the prolonged sound mark).
constexpr wchar_t kHalfwidthKanaFirst = 0xFF66;
const wchar_t kHalfwidthKana[] = L"\u30F2\u30A1\u30A3\u30A5\u30A7\u30A9\u30E3\u30E5\u30E7\u30C3\u30FC"
                                 L"\u30A2\u30A4\u30A6\u30A8\u30AA\u30AB\u30AD\u30AF\u30B1\u30B3\u30B5\u30B7"
                                 L"\u30B9\u30BB\u30BD\u30BF\u30C1\u30C4\u30C6\u30C8\u30CA\u30CB\u30CC\u30CD"
                                 L"\u30CE\u30CF\u30D2\u30D5\u30D8\u30DB\u30DE\u30DF\u30E0\u30E1\u30E2\u30E4"
                                 L"\u30E6\u30E8\u30E9\u30EA\u30EB\u30EC\u30ED\u30EF\u30F3";

int Hex(const char* s, size_t at, size_t digits) {
    int v = 0;
    for (size_t i = 0; i < digits; ++i) {
        const char h = s[at + i];
        v = v * 16 + (h <= '9' ? h - '0' : h - 'A' + 10);
    }
    return v;
}

// The entry of `c` in a range table, or -1 when the table does not cover it.
int FromTable(const char* table, size_t tableLength, wchar_t first, wchar_t c) {
    if (c < first) return -1;
    const size_t at = static_cast<size_t>(c - first) * 4;
    return at + 4 <= tableLength ? Hex(table, at, 4) : -1;
}

template <size_t N> int FromTable(const char (&table)[N], wchar_t first, wchar_t c) {
    return FromTable(table, N - 1, first, c);
}

// The vowel a kana ends in: its row's first weight plus its column (ん keeps its own weight).
int Vowel(int kanaWeight) {
    return kanaWeight >= 0x80 ? kanaWeight : 2 + (kanaWeight - 2) % 8;
}

// ---- Key building
// -------------------------------------------------------------------------------------------

struct Element {
    std::string primary; // empty for a diacritic with no letter before it
    int diacritic = 2;
    int width = 2;
    int kanaWeight = -1; // the kana's weight when this element is one, for the marks that repeat it
    bool smallKana = false;
};

struct KanaFlags {
    bool small, katakana, halfWidth;
};

class KeyBuilder {
public:
    void Add(wchar_t c) {
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return; // control characters are ignored
        if (c < 0x7F) return Table(FromTable(kAscii, kAsciiFirst, c), c);
        if (c < kLatinFirst) return Table(FromTable(kLatin1Symbols, kLatin1SymbolsFirst, c), c);
        if (c < 0x180) return Latin(c);
        if (c >= kCombiningFirst && c <= 0x0362) return Mark(Hex(kCombining, (c - kCombiningFirst) * 2u, 2));
        if (c >= 0x0370 && c < 0x0530) return Other(c < 0x0400 ? 0x0F : 0x10, FoldGreekCyrillic(c));
        if (c >= kGeneralPunctuationFirst && c < 0x2070)
            return Table(FromTable(kGeneralPunctuation, kGeneralPunctuationFirst, c), c);
        if (c >= 0x302A && c <= 0x302F) return Mark(Hex(kIdeographicMarks, (c - 0x302A) * 2u, 2));
        if (c >= 0x303C && c <= 0x303E) return Mark(3);
        if (c >= kCjkSymbolsFirst && c < 0x3040) return Table(FromTable(kCjkSymbols, kCjkSymbolsFirst, c), c);
        if (c == 0x3040 || c == 0x3097 || c == 0x3098 || c == 0xFF00 || c == 0xFFEF) return; // unassigned
        if (c == 0x30A0) return Primary(0xFFFF);
        if (c >= kHiraganaFirst && c < kHiraganaFirst + kKanaCount)
            return Kana(c - kHiraganaFirst, false, false);
        if (c == 0x3099 || c == 0x309B) return Mark(3); // voiced sound marks
        if (c == 0x309A || c == 0x309C) return Mark(4); // semi-voiced sound marks
        if (c == 0x309D || c == 0x309E) return Iteration(false, c == 0x309E);
        if (c >= kKatakanaFirst && c < kKatakanaFirst + kKanaCount)
            return Kana(c - kKatakanaFirst, true, false);
        if (c >= 0x30F7 && c <= 0x30FA) return VoicedWa(c - 0x30F7);
        if (c == 0x30FB) return Primary(0x0A0E, 2, 3); // katakana middle dot
        if (c == 0x30FC) return Prolonged(false);
        if (c == 0x30FD || c == 0x30FE) return Iteration(true, c == 0x30FE);
        if (c > 0xFF00 && c < 0xFF5F) return FullWidth(c);
        if (c >= kHalfwidthSymbolsFirst && c < kHalfwidthKanaFirst)
            return Table(FromTable(kHalfwidthSymbols, kHalfwidthSymbolsFirst, c), c);
        if (c == 0xFF70) return Prolonged(true);
        if (c >= kHalfwidthKanaFirst && c <= 0xFF9D)
            return Kana(kHalfwidthKana[c - kHalfwidthKanaFirst] - kKatakanaFirst, true, true);
        if (c == 0xFF9E) return Mark(3);
        if (c == 0xFF9F) return Mark(4);
        if (c >= kFullwidthSignsFirst && c <= 0xFFEE)
            return Table(FromTable(kFullwidthSigns, kFullwidthSignsFirst, c), c);
        if (c >= 0xAC00 && c <= 0xD7A3) return Other(0xC0, c); // Hangul syllables
        if ((c >= 0x3400 && c < 0xA000) || (c >= 0xF900 && c < 0xFB00)) {
            // Ideographs: after every other script, in code point order.
            return Primary(
                std::string{'\xFD', '\xFF', static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)});
        }
        if (c >= 0x2070 && c < 0x3000) return Other(0x0A, c); // symbols: before the digits
        if (c < 0x3000) return Other(0x11, c);                // other alphabets: after Latin and Cyrillic
        Other(0xFE, c);
    }

    std::string Finish() const {
        std::string key;
        for (const Element& e : m_elements)
            key += e.primary;
        key += '\x01';
        AppendLevel(&key, [](const Element& e) { return e.diacritic; });
        key += '\x01';
        AppendLevel(&key, [](const Element& e) { return e.width; });
        key += '\x01';
        if (!m_kana.empty()) {
            AppendFlags(
                &key, [](const KanaFlags& k) { return k.small; }, 0xC6);
            if (!m_repeats.empty()) key += '\x03' + m_repeats;
            key += '\x02';
            AppendFlags(
                &key, [](const KanaFlags& k) { return k.katakana; }, 0xE4);
            AppendFlags(
                &key, [](const KanaFlags& k) { return k.halfWidth; }, 0xC5);
        }
        key += '\x01';
        key += m_special;
        key += '\0';
        return key;
    }

private:
    static std::string Weight(int w) {
        return std::string{static_cast<char>(w >> 8), static_cast<char>(w & 0xFF)};
    }

    void Primary(const std::string& primary, int diacritic = 2, int width = 2) {
        Element e;
        e.primary = primary;
        e.diacritic = diacritic;
        e.width = width;
        m_elements.push_back(e);
        ++m_weighted;
    }
    void Primary(int weight, int diacritic = 2, int width = 2) { Primary(Weight(weight), diacritic, width); }

    // Counts only at level 5, by where it stands among the weights.
    void Special(int weight, bool fullWidth) {
        const int position = 0xFFFF - m_weighted;
        m_special += Weight(position);
        m_special += static_cast<char>(weight);
        m_special += fullWidth ? '\x13' : '\x12';
    }

    // A combining mark adds its weight to the diacritic of the letter before it.
    void Mark(int weight) {
        if (weight < 2) return;
        if (m_elements.empty()) {
            Element e;
            e.diacritic = weight;
            m_elements.push_back(e);
            return;
        }
        int& d = m_elements.back().diacritic;
        d = d + weight > 0xFF ? 0xFF : d + weight;
    }

    void Table(int entry, wchar_t c, bool fullWidth = false) {
        if (entry <= 0) return; // ignored altogether
        if ((entry >> 8) == 0xFF && entry != 0xFFFF) return Special(entry & 0xFF, fullWidth);
        int diacritic = 2, width = fullWidth ? 3 : 2;
        for (const Extra& x : kExtras) {
            if (x.c == c) diacritic = x.diacritic, width = x.width;
        }
        Primary(entry, diacritic, width);
    }

    void FullWidth(wchar_t c) {
        Table(FromTable(kAscii, kAsciiFirst, static_cast<wchar_t>(c - 0xFEE0)), c, true);
    }

    void Latin(wchar_t c) {
        const size_t at = static_cast<size_t>(c - kLatinFirst);
        const char base = kLatinBase[at];
        if (base != '*') return Primary(0x0E00 | kLetter[base - 'A'], Hex(kLatinDiacritic, at * 2, 2));
        for (const LatinSpecial& s : kLatinSpecials) {
            if (s.c != c) continue;
            Primary(s.first, s.diacritic);
            if (s.second) Primary(s.second);
        }
    }

    // Greek and Cyrillic capitals sort with their small letters.
    static wchar_t FoldGreekCyrillic(wchar_t c) {
        if (c >= 0x0391 && c <= 0x03AB) return static_cast<wchar_t>(c + 0x20);
        if (c >= 0x0410 && c <= 0x042F) return static_cast<wchar_t>(c + 0x20);
        if (c >= 0x0400 && c <= 0x040F) return static_cast<wchar_t>(c + 0x50);
        return c;
    }

    void Other(int script, wchar_t c) {
        Primary(
            std::string{static_cast<char>(script), static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)});
    }

    void Kana(int index, bool katakana, bool halfWidth) {
        const int weight = Hex(kKanaWeight, static_cast<size_t>(index) * 2, 2);
        const char voicing = kKanaVoicing[index];
        const bool small = kKanaSmall[index] == 's';
        Primary(0x2200 | weight, voicing == 'v' ? 3 : voicing == 'p' ? 4 : 2);
        m_elements.back().kanaWeight = weight;
        m_elements.back().smallKana = small;
        m_kana.push_back(KanaFlags{small, katakana, halfWidth});
    }

    // ヷ ヸ ヹ ヺ: voiced わ ゐ ゑ を.
    void VoicedWa(int index) {
        static const int kWeights[] = {0x4A, 0x4B, 0x4D, 0x4E};
        Primary(0x2200 | kWeights[index], 3);
        m_elements.back().kanaWeight = kWeights[index];
        m_kana.push_back(KanaFlags{false, true, false});
    }

    // ー repeats the vowel of the kana before it; after another letter it repeats that letter.
    void Prolonged(bool halfWidth) {
        if (m_elements.empty() || m_elements.back().primary.empty()) return Primary(0xFFFF);
        const Element before = m_elements.back();
        if (before.kanaWeight < 0) return Primary(before.primary);
        Primary(0x2200 | Vowel(before.kanaWeight));
        m_elements.back().kanaWeight = Vowel(before.kanaWeight);
        m_elements.back().smallKana = before.smallKana;
        m_kana.push_back(KanaFlags{before.smallKana, true, halfWidth});
        m_repeats += '\x05';
    }

    // ゝ ヽ (and voiced ゞ ヾ) repeat the kana before them.
    void Iteration(bool katakana, bool voiced) {
        if (m_elements.empty() || m_elements.back().primary.empty()) return Primary(0xFFFF);
        const Element before = m_elements.back();
        if (before.kanaWeight < 0) return Primary(before.primary);
        Primary(before.primary, voiced ? 3 : 2);
        m_elements.back().kanaWeight = before.kanaWeight;
        m_kana.push_back(KanaFlags{false, katakana, false});
        m_repeats += '\x04';
    }

    template <class Get> void AppendLevel(std::string* key, Get get) const {
        size_t end = m_elements.size();
        while (end > 0 && get(m_elements[end - 1]) == 2)
            --end;
        for (size_t i = 0; i < end; ++i)
            *key += static_cast<char>(get(m_elements[i]));
    }

    // One byte per kana, 0xC4 when the flag is set; trailing unset ones left out; ended by 0xFF.
    template <class Get> void AppendFlags(std::string* key, Get get, int unset) const {
        size_t end = m_kana.size();
        while (end > 0 && !get(m_kana[end - 1]))
            --end;
        for (size_t i = 0; i < end; ++i)
            *key += static_cast<char>(get(m_kana[i]) ? 0xC4 : unset);
        *key += '\xFF';
    }

    std::vector<Element> m_elements;
    int m_weighted = 0; // elements with a primary weight
    std::vector<KanaFlags> m_kana;
    std::string m_repeats; // 0x05 per prolonged sound mark, 0x04 per iteration mark
    std::string m_special;
};

} // namespace

std::string SortKey(const std::wstring& text) {
    KeyBuilder builder;
    for (wchar_t c : text)
        builder.Add(c);
    return builder.Finish();
}

} // namespace detail
} // namespace sim
