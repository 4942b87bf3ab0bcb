// Test fixture for host tests against the simulated platform.
//
//   class MyTest : public SimTest {};
//   TEST_F(MyTest, Something) { ... ExpectSequence(sim::Log(), {"SetTimer dlg102 5000 50", "?ShowCursor 0 ->
//   -1"}); }
//
// SetUp gives every case a fresh platform (sim::Reset) and fresh player state (ResetPlayerState), and
// makes sure an application object exists (AfxGetApp) with no main window left over from another case.
#pragma once

#include "app/globals.h"
#include "framework/afxwin.h"
#include "framework/sim/sim.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Reset();
        ResetPlayerState();
        TestApp()->m_pMainWnd = nullptr;
    }

    // The program's application object when the test links it, else a plain one standing in for it
    // (the player's classes ask AfxGetApp for the icon and the owner of their dialogs).
    static fw::CWinApp* TestApp() {
        if (!fw::AfxGetApp()) {
            static fw::CWinApp standIn;
        }
        return fw::AfxGetApp();
    }

    // The MCI commands sent so far, just the command text between the quotes.
    static std::vector<std::string> MciLog() {
        std::vector<std::string> out;
        for (const std::string& line : sim::LogLines("mci \"")) {
            const size_t begin = 5;
            const size_t end = line.size() > begin && line.back() == '"' ? line.size() - 1 : line.size();
            out.push_back(line.substr(begin, end - begin));
        }
        return out;
    }

    // Compares call-log lines with the expected ones, in order. An expected line starting with '?' is
    // optional: it matches the next actual line if equal (without the '?') and is skipped otherwise.
    // On mismatch the failure shows both sequences side by side.
    static void ExpectSequence(const std::vector<std::string>& actual,
                               const std::vector<std::string>& expected) {
        EXPECT_TRUE(SequenceMatches(actual, expected)) << DescribeSequences(actual, expected);
    }

    static bool SequenceMatches(const std::vector<std::string>& actual,
                                const std::vector<std::string>& expected) {
        return Matches(actual, 0, expected, 0);
    }

    static std::string DescribeSequences(const std::vector<std::string>& actual,
                                         const std::vector<std::string>& expected) {
        std::ostringstream s;
        s << "call sequence differs\n";
        const size_t n = actual.size() > expected.size() ? actual.size() : expected.size();
        for (size_t i = 0; i < n; ++i) {
            const std::string e = i < expected.size() ? expected[i] : std::string("<end>");
            const std::string a = i < actual.size() ? actual[i] : std::string("<end>");
            const bool same = e == a || (!e.empty() && e[0] == '?' && e.substr(1) == a);
            s << (same ? "   " : "!! ") << "expected: " << e << "\n"
              << "   "
              << "actual:   " << a << "\n";
        }
        return s.str();
    }

private:
    // Backtracking over optional lines: an optional line may match or be skipped.
    static bool Matches(const std::vector<std::string>& a, size_t ia, const std::vector<std::string>& e,
                        size_t ie) {
        if (ie == e.size()) return ia == a.size();
        const bool optional = !e[ie].empty() && e[ie][0] == '?';
        const std::string want = optional ? e[ie].substr(1) : e[ie];
        if (ia < a.size() && a[ia] == want && Matches(a, ia + 1, e, ie + 1)) return true;
        return optional && Matches(a, ia, e, ie + 1);
    }
};
