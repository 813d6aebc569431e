// The published Chess960 perft table (tests/data/chess960.perft) against the rules' own
// legal-move list. A sample by default; the knobs run all of it:
//   TAVLON_PERFT960_DEPTH  depth, 1..6 (default 4)
//   TAVLON_PERFT960_EVERY  every how many positions one is taken (default 48; 1 for all 960)
#include "Perft.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

long EnvOr(const char *sName, long nDefault) {
    const char *s = std::getenv(sName);
    return s && *s ? std::strtol(s, nullptr, 10) : nDefault;
}

TEST(Perft960, PublishedCountsOfTheSample) {
    const long nDepth = EnvOr("TAVLON_PERFT960_DEPTH", 4);
    const long nEvery = EnvOr("TAVLON_PERFT960_EVERY", 48);
    ASSERT_TRUE(nDepth >= 1 && nDepth <= 6 && nEvery >= 1) << "knobs out of range";
    std::ifstream oFile(TAVLON_TEST_DATA "/chess960.perft");
    ASSERT_TRUE(oFile) << "cannot read " TAVLON_TEST_DATA "/chess960.perft";
    std::string sLine;
    long nIndex = 0, nChecked = 0;
    while (std::getline(oFile, sLine)) {
        if (sLine.empty() || sLine[0] == '#')
            continue;
        if (nIndex++ % nEvery != 0)
            continue;
        std::vector<std::string> oFields;
        std::istringstream oLine(sLine);
        for (std::string s; std::getline(oLine, s, ';');)
            oFields.push_back(s);
        ASSERT_EQ(oFields.size(), 7u) << sLine;
        clsRules o;
        o.SetFen(oFields[0], true);
        EXPECT_EQ(Perft(o, static_cast<int>(nDepth)),
                  std::stoull(oFields[static_cast<std::size_t>(nDepth)]))
            << "position " << nIndex - 1 << ": " << oFields[0];
        ++nChecked;
    }
    EXPECT_EQ(nIndex, 960);
    std::printf("checked %ld positions at depth %ld\n", nChecked, nDepth);
}

} // namespace
