#include "platform/NameMatch.h"

#include "support/ParamName.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

struct MatchCase {
    const char* name;
    std::string pattern;
    std::string file;
    bool matches;
};

std::string Repeat(const std::string& unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += unit;
    }
    return text;
}

class NameMatch : public testing::TestWithParam<MatchCase> {};

TEST_P(NameMatch, WildcardsStandForWholeCharacters) {
    EXPECT_EQ(MatchesPattern(GetParam().pattern, GetParam().file), GetParam().matches);
}

// "\x83\x5C" is ソ, whose second byte is the byte of "\".
INSTANTIATE_TEST_SUITE_P(
    Patterns, NameMatch,
    testing::Values(
        MatchCase{"Exact", "UY-A.JRA", "UY-A.JRA", true},
        MatchCase{"OtherName", "UY-A.JRA", "UY-B.JRA", false},
        MatchCase{"QuestionMarkIsOneCharacter", "UY-?.JRA", "UY-A.JRA", true},
        MatchCase{"QuestionMarkIsNotNone", "UY-?.JRA", "UY-.JRA", false},
        MatchCase{"QuestionMarkIsOneDoubleByteCharacter", "UY-?.JRA", "UY-\x83\x5C.JRA", true},
        MatchCase{"TwoQuestionMarksAreNotOneDoubleByteCharacter", "UY-??.JRA", "UY-\x83\x5C.JRA",
                  false},
        MatchCase{"StarTakesAnEmptyRun", "UY-*A.JRA", "UY-A.JRA", true},
        MatchCase{"StarTakesALongRun", "DE-*.JRA", "DE-51234.JRA", true},
        MatchCase{"StarAlone", "*", "ANYTHING", true},
        MatchCase{"StarsInARow", "D**A", "DE-A", true},
        MatchCase{"StarsWithTextBetween", "*-*2*.JRA", "DE-512.JRA", true},
        MatchCase{"StarsWithTextMissing", "*-*9*.JRA", "DE-512.JRA", false},
        MatchCase{"StarNeverEndsInsideACharacter", "*\x5C", "\x83\x5C", false},
        MatchCase{"PatternLongerThanTheName", "DE-1.JRA?", "DE-1.JRA", false},
        MatchCase{"NameLongerThanThePattern", "DE-1", "DE-1.JRA", false},
        MatchCase{"StarRetriesAfterAPartialMatch", "*AB", "AAB", true},
        MatchCase{"LastStarRetriesPastAnEarlierOne", "*A*BC", "XAYBBC", true},
        MatchCase{"StarThenQuestionMarkAtTheEnd", "*?", "", false},
        MatchCase{"StarBeforeADoubleByteCharacter", "*\x83\x5C", "A\x83\x5C", true},
        // Thirty "*" against sixty characters: a matcher that tries every split
        // of the name between them would not finish.
        MatchCase{"ManyStarsThatCannotMatch", Repeat("*A", 30) + "*B", std::string(60, 'A'), false},
        MatchCase{"ManyStarsThatMatch", Repeat("*A", 30) + "*B", std::string(60, 'A') + "B", true}),
    test::ByName{});

} // namespace
} // namespace mv
