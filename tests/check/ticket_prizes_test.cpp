// Tests of kivo6-check --tickets: the prize tier of a ticket against a draw, KIVO6's
// result boxes pasted as each way of copying gives them, refused lines, the counts over
// every draw, the tiers' fair chances, and the report in both languages.
#include "check/ticket_prizes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The tickets as KIVO6 shows them, one a line.
std::string Shown(const TicketsRead& read) {
    std::string text;
    for (const Ticket& ticket : read.tickets) {
        for (std::size_t at = 0; at < ticket.numbers.size(); ++at) {
            text += std::to_string(ticket.numbers[at]) + (at + 1 < MAIN_NUMBERS ? " " : "\n");
        }
    }
    return text;
}

// As a Windows editor saves text in "Unicode": UTF-16, little-endian, with its mark.
std::string Utf16(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    }
    return bytes;
}

Ticket TicketOf(std::array<int, MAIN_NUMBERS> numbers) {
    return {numbers, 1};
}

// Main numbers 1 to 6 in the order a file may give them, bonus 7.
const FileDraw DRAW = {6, 1, 5, 2, 4, 3, 7};

TEST(TicketsTest, EachTierAsTheBonusCountsOnlyWithFiveMainNumbers) {
    const struct {
        std::array<int, MAIN_NUMBERS> ticket;
        std::size_t matched;
        bool bonus;
        Prize prize;
    } cases[] = {
        {{1, 2, 3, 4, 5, 6}, 6, false, Prize::First},
        {{1, 2, 3, 4, 5, 7}, 5, true, Prize::Second}, // never 1等
        {{1, 2, 3, 4, 5, 8}, 5, false, Prize::Third},
        {{1, 2, 3, 4, 7, 8}, 4, true, Prize::Fourth}, // four and the bonus are not five
        {{1, 2, 3, 4, 8, 9}, 4, false, Prize::Fourth},
        {{1, 2, 3, 7, 8, 9}, 3, true, Prize::Fifth},
        {{1, 2, 3, 8, 9, 10}, 3, false, Prize::Fifth},
        {{1, 2, 7, 8, 9, 10}, 2, true, Prize::None},
        {{20, 21, 22, 23, 24, 25}, 0, false, Prize::None},
    };
    for (const auto& [ticket, matched, bonus, prize] : cases) {
        const TicketMatch match = MatchTicket(TicketOf(ticket), DRAW);
        EXPECT_EQ(match.matchedCount, matched) << ticket[5];
        EXPECT_EQ(match.holdsBonus, bonus) << ticket[5];
        EXPECT_EQ(match.prize, prize) << ticket[5];
    }
}

TEST(TicketsTest, PastedResultBoxesAreReadAsTheirTickets) {
    const std::string tickets = "3 11 25 30 38 42\n5 8 9 11 16 21\n";
    const std::string cases[] = {
        "Pattern 2\n\n03 11 25 30 38 42\n05 08 09 11 16 21\n",
        // Ctrl+C on a Windows message box.
        "---------------------------\r\nDialog\r\n---------------------------\r\nType 2\r\n\r\n"
        "03 11 25 30 38 42\r\n05 08 09 11 16 21\r\n---------------------------\r\nOK   \r\n"
        "---------------------------\r\n",
        // A mouse copy of the terminal program's box, with the dialog around it.
        " │  │ │ [ ] 前回の数字を排除┌─ /!\\ Dialog ─────[×]┐│                          │\n"
        " │  │ │   ( ) 偶数のみ      │  Pattern 1          ││                          │\n"
        " │  │ │   ( ) 奇数のみ      │  03 11 25 30 38 42  ││                          │\n"
        " │  │ └─────────────────────│  05 08 09 11 16 21  ││                          │\n"
        " │  │ │[ 詳細設定 ]         │       [ OK ]        ││                          │\n"
        " │  │ │                     └─────────────────────┘│          [ 終了（X） ]   │\n",
        // Its frames where the terminal cannot show line drawing; then the box's inside.
        "+- /!\\ Dialog -----[x]+\n|  Type 2            |\n| 03 11 25 30 38 42  |\n"
        "| 05 08 09 11 16 21  |\n|       [ OK ]       |\n+--------------------+\n",
        "  Type 2\n  ０３，１１，２５，３０，３８，４２\n\t5;8;9;11;16;21\n       [ OK ]\n",
        Utf16(u"３　11 25 30 38 42\r\n5 8 9 11 16 21"),
    };
    for (const std::string& text : cases) {
        const TicketsRead read = ReadTickets(text);
        EXPECT_EQ(Shown(read), tickets) << text;
        EXPECT_TRUE(read.refused.empty()) << text;
    }
}

TEST(TicketsTest, ALineThatIsNoTicketIsNamedAndTheOthersAreStillRead) {
    const TicketsRead read = ReadTickets("1 2 3 4 5\n1 2 3 4 5 6\n1 2 3 4 5 5\n1 2 44 4 5 6\n"
                                         "1 2 x 4 5 6\n1 2 3 4 5 6 7\nmy picks: 1 2 3 4 5 6\n");
    const struct {
        int line, column;
        TicketFault fault;
        int value;
    } expected[] = {{1, 1, TicketFault::TooFew, 5},      {3, 11, TicketFault::Repeated, 5},
                    {4, 5, TicketFault::OutOfRange, 44}, {5, 5, TicketFault::NotANumber, 0},
                    {6, 13, TicketFault::TooMany, 7},    {7, 1, TicketFault::NotANumber, 0}};
    ASSERT_EQ(read.refused.size(), std::size(expected));
    for (std::size_t at = 0; at < std::size(expected); ++at) {
        const RefusedTicketLine& refused = read.refused[at];
        EXPECT_EQ(refused.line, expected[at].line);
        EXPECT_EQ(refused.column, expected[at].column) << refused.line;
        EXPECT_EQ(refused.fault, expected[at].fault) << refused.line;
        EXPECT_EQ(refused.value, expected[at].value) << refused.line;
    }
    EXPECT_EQ(Shown(read), "1 2 3 4 5 6\n");
    EXPECT_EQ(read.tickets[0].line, 2);
}

// Over four draws, by hand: 1 2 3 4 5 6 is 1等 in draw 1, 2等 in draw 2 (five and the
// bonus 6), 5等 in draw 3 and nothing in draw 4; 1 2 3 40 41 42 is 5等 in draws 1 to 3
// and 4等 in draw 4 (four and the bonus 1).
TEST(TicketsTest, EveryDrawOfTheHistoryCountsTowardsTheTiers) {
    const std::vector<FileDraw> draws = {{1, 2, 3, 4, 5, 6, 7},
                                         {1, 2, 3, 4, 5, 9, 6},
                                         {1, 2, 3, 10, 11, 12, 4},
                                         {2, 3, 40, 41, 20, 21, 1}};
    using Counts = std::array<long long, TIER_COUNT>;
    EXPECT_EQ(PrizesOver(TicketOf({1, 2, 3, 4, 5, 6}), draws), (Counts{1, 1, 0, 0, 1}));
    EXPECT_EQ(PrizesOver(TicketOf({1, 2, 3, 40, 41, 42}), draws), (Counts{0, 0, 0, 1, 3}));
}

// A ticket is 6 of the 43 numbers: C(43, 6) = 6,096,454 tickets. Against a draw, k of its
// numbers are among the 6 main numbers and 6 - k among the 37 others, one of which is
// the bonus: 1等 C(6,6) = 1; 2等 C(6,5) × 1 (the sixth is the bonus) = 6; 3等 C(6,5) × 36
// = 216; 4等 C(6,4) × C(37,2) = 15 × 666 = 9,990; 5等 C(6,3) × C(37,3) = 20 × 7,770 =
// 155,400. The rest, 6,096,454 - 165,613 = 5,930,841, win nothing.
TEST(TicketsTest, TheTiersChancesAndNoPrizeMakeExactlyOne) {
    const long long ways[] = {1, 6, 216, 9990, 155400, 5930841};
    long long all = 0;
    for (int prize = 0; prize <= TIER_COUNT; ++prize) {
        EXPECT_EQ(TierWays(static_cast<Prize>(prize)), ways[prize]) << prize;
        all += TierWays(static_cast<Prize>(prize));
    }
    EXPECT_EQ(AllTickets(), 6096454);
    EXPECT_EQ(all, AllTickets());
}

TEST(TicketsTest, TheReportsLineUpInBothLanguages) {
    const TicketsRead read = ReadTickets("1 2 3 4 5 7\n\n20 21 22 23 24 25\nx\n");
    const std::vector<FileDraw> draws = {{8, 9, 10, 11, 12, 13, 14}, DRAW};
    EXPECT_EQ(FormatRefusedTickets("t.txt", read, Language::English),
              "t.txt:4:1: not a ticket: \"x\" is not a number\n");
    EXPECT_EQ(FormatTicketsAgainstDraw("t.txt", "data.txt", read, draws, 0, Language::Japanese),
              "t.txt の券を data.txt の第 2 回（最新）の抽選と照合: 01 02 03 04 05 06 + 07\n\n"
              "行   番号                一致した数字     ボーナス   等級\n"
              "1    01 02 03 04 05 07   01 02 03 04 05   あり       2等\n"
              "3    20 21 22 23 24 25   -                なし       はずれ\n\n"
              "2等: 1 枚\n2 枚を照合しました。\n");
    // 2 draws × 155,400 / 6,096,454 = 0.050980..., and so on, to four figures.
    const std::string all =
        FormatTicketsOverAll("t.txt", "data.txt", read, draws, Language::English);
    EXPECT_EQ(
        all.substr(0, all.find("\n\nThe fair")),
        "Tickets of t.txt against all 2 draws of data.txt:\n\n"
        "Line   Ticket              1等            2等           3等          4等        5等\n"
        "1      01 02 03 04 05 07   0              1             0            0          0\n"
        "3      20 21 22 23 24 25   0              0             0            0          0\n"
        "       Fair draw           0.0000003281   0.000001968   0.00007086   0.003277   0.05098");
}

} // namespace
