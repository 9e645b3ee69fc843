// What kivo6-check --tickets writes, in English or Japanese: the lines that are not
// tickets, each ticket's prize against one draw, or its prizes over every draw beside
// a fair draw's expectation. See ticket_prizes.h.
#include "check/ticket_prizes.h"

#include "check/report_text.h"

#include <algorithm>
#include <cmath>

namespace {

std::string Number(long long number) {
    return std::to_string(number);
}

// The main numbers in ascending order, like a ticket's, then the bonus.
std::string DrawText(const FileDraw& draw) {
    std::array<int, DRAW_SIZE> shown{};
    std::copy(draw.begin(), draw.end(), shown.begin());
    std::sort(shown.begin(), shown.begin() + MAIN_NUMBERS);
    return DrawShown(shown);
}

std::string PrizeName(Prize prize, Language l) {
    if (prize == Prize::None) {
        return InLanguage(l, "none", "はずれ");
    }
    return Number(static_cast<int>(prize) + 1) + "等";
}

std::string TicketCount(long long count, Language l) {
    return Fill(count == 1 ? InLanguage(l, "{0} ticket", "{0} 枚")
                           : InLanguage(l, "{0} tickets", "{0} 枚"),
                {GroupedNumber(count)});
}

std::string FaultText(const RefusedTicketLine& refused, Language l) {
    switch (refused.fault) {
    case TicketFault::NotANumber:
        return Fill(InLanguage(l, "\"{0}\" is not a number", "「{0}」は数ではありません"),
                    {refused.word});
    case TicketFault::TooFew:
    case TicketFault::TooMany:
        return Fill(InLanguage(l,
                               "this line holds {0} numbers; a ticket is six different numbers "
                               "from 1 to 43",
                               "この行には数字が {0} 個あります。券は 1～43 の異なる 6 個の"
                               "数字です"),
                    {Number(refused.value)});
    case TicketFault::OutOfRange:
        return Fill(InLanguage(l, "{0} is outside 1 to 43", "{0} は 1～43 の範囲外です"),
                    {refused.word});
    case TicketFault::Repeated:
        break;
    }
    return Fill(InLanguage(l, "{0} stands twice on the ticket", "{0} が券に 2 回あります"),
                {refused.word});
}

// The expectation with four significant digits, so that 1等's small one is not 0.
std::string Expectation(double value) {
    if (value <= 0.0) {
        return "0";
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(value)));
    return Fixed(value, std::max(0, 3 - magnitude));
}

} // namespace

std::string FormatRefusedTickets(std::string_view ticketsName, const TicketsRead& read,
                                 Language l) {
    std::string text;
    for (const RefusedTicketLine& refused : read.refused) {
        text += Fill(
            InLanguage(l, "{0}:{1}:{2}: not a ticket: {3}\n",
                       "{0}:{1}:{2}: 券ではありません: {3}\n"),
            {ticketsName, Number(refused.line), Number(refused.column), FaultText(refused, l)});
    }
    return text;
}

std::string FormatTicketsAgainstDraw(std::string_view ticketsName, std::string_view historyName,
                                     const TicketsRead& read, const std::vector<FileDraw>& draws,
                                     int back, Language l) {
    const int position = static_cast<int>(draws.size()) - back;
    const FileDraw& draw = draws[static_cast<std::size_t>(position - 1)];
    const std::string which =
        back == 0 ? InLanguage(l, "the latest", "最新")
        : back == 1
            ? InLanguage(l, "the one before the latest", "最新の 1 回前")
            : Fill(InLanguage(l, "{0} draws before the latest", "最新の {0} 回前"), {Number(back)});
    std::string text =
        Fill(InLanguage(l, "Tickets of {0} against draw {1} of {2}, {3}: {4}\n\n",
                        "{0} の券を {2} の第 {1} 回（{3}）の抽選と照合: {4}\n\n"),
             {ticketsName, GroupedNumber(position), historyName, which, DrawText(draw)});
    std::vector<std::vector<std::string>> rows;
    rows.push_back({InLanguage(l, "Line", "行"), InLanguage(l, "Ticket", "番号"),
                    InLanguage(l, "Matched", "一致した数字"), InLanguage(l, "Bonus", "ボーナス"),
                    InLanguage(l, "Prize", "等級")});
    std::array<long long, TIER_COUNT> won{};
    for (const Ticket& ticket : read.tickets) {
        const TicketMatch match = MatchTicket(ticket, draw);
        rows.push_back(
            {Number(ticket.line), TwoDigitNumbers(ticket.numbers),
             match.matchedCount == 0
                 ? "-"
                 : TwoDigitNumbers(std::span(match.matched).first(match.matchedCount)),
             match.holdsBonus ? InLanguage(l, "yes", "あり") : InLanguage(l, "no", "なし"),
             PrizeName(match.prize, l)});
        if (match.prize != Prize::None) {
            ++won[static_cast<std::size_t>(match.prize)];
        }
    }
    text += Table(rows) + "\n";
    for (int tier = 0; tier < TIER_COUNT; ++tier) {
        if (won[static_cast<std::size_t>(tier)] > 0) {
            text += PrizeName(static_cast<Prize>(tier), l) + ": " +
                    TicketCount(won[static_cast<std::size_t>(tier)], l) + "\n";
        }
    }
    const std::string checked = TicketCount(static_cast<long long>(read.tickets.size()), l);
    const bool none = std::all_of(won.begin(), won.end(), [](long long n) { return n == 0; });
    return text + Fill(none ? InLanguage(l, "{0} checked; none won a prize.\n",
                                         "{0}を照合しました。当せんはありません。\n")
                            : InLanguage(l, "{0} checked.\n", "{0}を照合しました。\n"),
                       {checked});
}

std::string FormatTicketsOverAll(std::string_view ticketsName, std::string_view historyName,
                                 const TicketsRead& read, const std::vector<FileDraw>& draws,
                                 Language l) {
    const std::string count = GroupedNumber(static_cast<long long>(draws.size()));
    std::string text = Fill(InLanguage(l, "Tickets of {0} against all {1} draws of {2}:\n\n",
                                       "{0} の券を {2} の全 {1} 回の抽選と照合:\n\n"),
                            {ticketsName, count, historyName});
    std::vector<std::vector<std::string>> rows;
    rows.push_back({InLanguage(l, "Line", "行"), InLanguage(l, "Ticket", "番号")});
    std::vector<std::string> fair = {"", InLanguage(l, "Fair draw", "公正な抽選")};
    std::string ways;
    for (int tier = 0; tier < TIER_COUNT; ++tier) {
        const Prize prize = static_cast<Prize>(tier);
        rows.front().push_back(PrizeName(prize, l));
        fair.push_back(
            Expectation(static_cast<double>(draws.size()) * static_cast<double>(TierWays(prize)) /
                        static_cast<double>(AllTickets())));
        ways += (tier == 0               ? ""
                 : tier + 1 < TIER_COUNT ? InLanguage(l, ", ", "、")
                                         : InLanguage(l, " and ", "、")) +
                GroupedNumber(TierWays(prize));
    }
    for (const Ticket& ticket : read.tickets) {
        rows.push_back({Number(ticket.line), TwoDigitNumbers(ticket.numbers)});
        for (long long prizes : PrizesOver(ticket, draws)) {
            rows.back().push_back(GroupedNumber(prizes));
        }
    }
    rows.push_back(fair);
    text += Table(rows) + "\n";
    return text + Fill(InLanguage(l,
                                  "The fair draw's row: what one ticket wins on average in {0} "
                                  "fair draws, {0} × the tier's winning tickets ÷ the {1} "
                                  "possible tickets ({2} of them win 1等 to 5等). Past draws "
                                  "make no ticket likelier to win.\n",
                                  "「公正な抽選」の行は、公正な抽選 {0} 回で 1 枚の券が各等級に"
                                  "当たる回数の平均です（{0} × その等級に当たる券の数 ÷ ありうる"
                                  "券 {1} 通り。1等から5等まで {2} 通り）。過去の抽選がどの券を"
                                  "当たりやすくすることもありません。\n"),
                       {count, GroupedNumber(AllTickets()), ways});
}
