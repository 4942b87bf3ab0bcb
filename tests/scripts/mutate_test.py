#!/usr/bin/env python3
"""Tests of scripts/mutate that need no build: the candidates it finds in a C++ snippet (and the ones its
filters must not produce), the equivalent list, the sample, and that a mutated file comes back byte for
byte, also from the backup a killed run leaves behind."""

import importlib.machinery
import importlib.util
import os
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
_loader = importlib.machinery.SourceFileLoader("mutate_tool", str(ROOT / "scripts" / "mutate"))
_spec = importlib.util.spec_from_loader("mutate_tool", _loader)
mutate = importlib.util.module_from_spec(_spec)
_loader.exec_module(mutate)

# Lines 1-10 and the declarations must give nothing: a directive, comments, an array size, a
# static_assert, template brackets, a pointer and a reference, `->`, `<<`, string and character literals,
# a string concatenation, and a declaration (never deleted).
SNIPPET = r"""#include <vector>
#define LIMIT(a, b) ((a) < (b) ? 1 : 0)
// a < b + 1 in a comment
/* x == 1 */
namespace {
constexpr int kTable[2] = {7, 0x1F};
static_assert(sizeof(int) == 4, "int");
} // namespace

std::wstring Name(int n);

int Sum(const std::vector<std::vector<int>>& v, BYTE* p, int n) {
    int total = static_cast<int>(v.size()) << 2;
    const char* s = "a < b + 1";
    if (n < total && p->x != 0) total += n * 2;
    std::wstring name = Name(n) + L"!";
    while (!Done(s, '+')) Step();
    Log(s);
    Flush();
    if (n == 3) Flush();
    switch (n) {
    case 1:
        ++total;
        break;
    case 2:
        return TRUE;
    default:
        break;
    }
    return total;
}
"""

EXPECTED = [
    (6, "constant", "constexpr int kTable[2] = {8, 0x1F};"),
    (6, "constant", "constexpr int kTable[2] = {6, 0x1F};"),
    (6, "constant", "constexpr int kTable[2] = {7, 0x20};"),
    (6, "constant", "constexpr int kTable[2] = {7, 0x1E};"),
    (13, "constant", "int total = static_cast<int>(v.size()) << 3;"),
    (13, "constant", "int total = static_cast<int>(v.size()) << 1;"),
    (15, "relational", "if (n <= total && p->x != 0) total += n * 2;"),
    (15, "equality", "if (n < total && p->x == 0) total += n * 2;"),
    (15, "constant", "if (n < total && p->x != 1) total += n * 2;"),
    (15, "constant", "if (n < total && p->x != -1) total += n * 2;"),
    (15, "arithmetic", "if (n < total && p->x != 0) total -= n * 2;"),
    (15, "arithmetic", "if (n < total && p->x != 0) total += n / 2;"),
    (15, "constant", "if (n < total && p->x != 0) total += n * 3;"),
    (15, "constant", "if (n < total && p->x != 0) total += n * 1;"),
    (15, "negate", "if (!(n < total && p->x != 0)) total += n * 2;"),
    (15, "delete", "if (n < total && p->x != 0) {}"),
    # `while (!Done())` is negated only by dropping its `!`.
    (17, "boolean", "while (Done(s, '+')) Step();"),
    (17, "delete", "while (!Done(s, '+')) {}"),
    (18, "delete", ""),
    (18, "swap", "Flush(); Log(s);"),
    (19, "delete", ""),
    # `if (n == 3)` is negated only by the equality flip.
    (20, "equality", "if (n != 3) Flush();"),
    (20, "constant", "if (n == 4) Flush();"),
    (20, "constant", "if (n == 2) Flush();"),
    (20, "delete", "if (n == 3) {}"),
    # `case 1` -> 2 and `case 2` -> 1 would duplicate a label; the last `break` jumps nowhere new.
    (22, "constant", "case 0:"),
    (23, "delete", ""),
    (24, "delete", ""),
    (25, "constant", "case 3:"),
    (26, "boolean", "return FALSE;"),
]


def candidates(text, path="playback/sample.cpp"):
    return sorted(mutate.FileAnalysis(path, text).mutants, key=mutate.Mutant.sort_key)


class CandidateTest(unittest.TestCase):
    def test_snippet_gives_exactly_the_expected_mutants(self):
        found = sorted((m.line, m.op, m.after) for m in candidates(SNIPPET))
        self.assertEqual(found, sorted(EXPECTED))

    def test_integer_literals_keep_their_base_and_suffix(self):
        self.assertEqual(mutate.format_int("0xFFFFFFFFu", 1), "0x100000000u")
        self.assertEqual(mutate.format_int("0xffu", -1), "0xfeu")
        self.assertEqual(mutate.format_int("0", -1), "-1")
        self.assertEqual(mutate.format_int("1'000", 1), "1001")
        self.assertIsNone(mutate.format_int("0.5f", 1))


class ListAndSampleTest(unittest.TestCase):
    def test_equivalent_entry_matches_by_content_after_lines_move(self):
        moved = "// a new first line\n" + SNIPPET
        mutants = candidates(moved)
        target = next(m for m in mutants if m.op == "swap")
        entries = [(1, f"{target.path}:18: {target.before} -> {target.after} ## order does not matter")]
        kept, warnings = mutate.drop_equivalents(mutants, entries)
        self.assertEqual(len(kept), len(mutants) - 1)
        self.assertNotIn(target, kept)
        self.assertEqual(warnings, [])

    def test_entry_without_reason_is_refused_and_stale_entry_reported(self):
        mutants = candidates(SNIPPET)
        with self.assertRaises(SystemExit):
            mutate.drop_equivalents(mutants, [(3, "playback/sample.cpp: Log(s); -> ")])
        kept, warnings = mutate.drop_equivalents(mutants, [(4, "playback/sample.cpp: gone(); ->  ## moved")])
        self.assertEqual(len(kept), len(mutants))
        self.assertEqual(len(warnings), 1)

    def test_sample_depends_only_on_the_seed(self):
        mutants = candidates(SNIPPET)
        first = mutate.take_sample(mutants, 5, 3)
        self.assertEqual(first, mutate.take_sample(list(reversed(mutants)), 5, 3))
        self.assertEqual(first, sorted(first, key=mutate.Mutant.sort_key))
        self.assertNotEqual(first, mutate.take_sample(mutants, 5, 4))
        self.assertEqual(len(mutate.take_sample(mutants, 1000, 1)), len(mutants))


class BuildOutcomeTest(unittest.TestCase):
    def test_only_a_refused_mutant_counts_as_not_built(self):
        compiler = "[1/37] Building\nFAILED: tools/make_artwork\nview/window_shape.h:25:1: error: too many initializers\n"
        discovery = ("FAILED: tests/view_tests\nCMake Error at GoogleTestAddTests.cmake:112 (message):\n"
                     "  Error running test executable.\nview/skin.cpp:12:5: runtime error: signed integer overflow\n")
        self.assertTrue(mutate.compile_failed(compiler))
        self.assertFalse(mutate.compile_failed(discovery))


class RestoreTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.root = Path(self.dir.name)
        (self.root / "app").mkdir()
        self.file = self.root / "app" / "a.cpp"
        self.original = b"int a = 1;\r\nint b = 2;\n\xff"  # bytes as they are, CR and all
        self.file.write_bytes(self.original)
        os.chmod(self.file, 0o640)
        self.state = self.root / "build" / "mutate" / "backup"

    def tearDown(self):
        self.dir.cleanup()

    def test_restore_puts_back_the_bytes_newer_than_the_mutant(self):
        ws = mutate.Workspace(self.root, self.state)
        ws.put("app/a.cpp", b"int a = 2;\n")
        self.assertEqual(self.file.read_bytes(), b"int a = 2;\n")
        mutant_time = self.file.stat().st_mtime_ns
        self.assertIsNone(ws.restore())
        self.assertEqual(self.file.read_bytes(), self.original)
        self.assertEqual(self.file.stat().st_mode & 0o777, 0o640)
        # Newer than anything built from the mutant, so the next build compiles the original again.
        self.assertGreater(self.file.stat().st_mtime_ns, mutant_time)
        self.assertEqual(list(self.state.iterdir()), [])

    def test_next_run_repairs_what_a_killed_run_left(self):
        mutate.Workspace(self.root, self.state).put("app/a.cpp", b"mutant")
        note = mutate.Workspace(self.root, self.state).recover()
        self.assertIn("app/a.cpp", note)
        self.assertEqual(self.file.read_bytes(), self.original)
        self.assertIsNone(mutate.Workspace(self.root, self.state).recover())

    def test_a_file_edited_since_is_left_alone(self):
        mutate.Workspace(self.root, self.state).put("app/a.cpp", b"mutant")
        self.file.write_bytes(b"someone's edit")
        with self.assertRaises(SystemExit):
            mutate.Workspace(self.root, self.state).recover()
        self.assertEqual(self.file.read_bytes(), b"someone's edit")
        self.assertEqual((self.state / "original").read_bytes(), self.original)


if __name__ == "__main__":
    unittest.main()
