// kivo6-check --tickets: the reading of a tickets file and the prize of a ticket; see
// ticket_prizes.h. Values are read with --fix's reading of a line, so tickets may be
// typed as freely as a history; what a copied message box adds is recognised and skipped.
#include "check/ticket_prizes.h"

#include "check/fair_draw.h"
#include "import/history_as_meant.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

// Frame characters of a copied box: box drawing, the terminal program's ASCII frames,
// and the dashes of a Windows message box copied with Ctrl+C.
bool IsFrame(char32_t c) {
    return (c >= 0x2500 && c <= 0x257F) || c == '|' || c == '+' || c == '-' || c == '=' || c == '#';
}

// A result's header, or the caption or button of its box, as its values read.
bool IsBoxText(std::vector<LineValue>::const_iterator first,
               std::vector<LineValue>::const_iterator last) {
    std::string text;
    for (; first != last; ++first) {
        text += (text.empty() ? "" : " ") + first->text;
    }
    constexpr std::string_view BOX_TEXTS[] = {"Pattern 1", "Pattern 2", "Type 2", "Dialog",
                                              "OK",        "[ OK ]",    "[OK]"};
    return std::find(std::begin(BOX_TEXTS), std::end(BOX_TEXTS), text) != std::end(BOX_TEXTS);
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        lines.push_back(text.substr(0, end));
        text.remove_prefix(
            std::min(end + (text.substr(end).starts_with("\r\n") ? 2 : 1), text.size()));
    }
    return lines;
}

// The values of a line that may stand for a ticket. In a line drawn with frame
// characters, the stretches between them are read apart, and one without a number is
// the screen around a box (a dialog's captions), not a ticket.
std::vector<LineValue> TicketValues(std::string_view line) {
    std::string plain;            // the line with frame characters made spaces: columns stay
    std::vector<int> stretchOf{}; // by column - 1
    int stretch = 0;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t start = at;
        const std::optional<char32_t> code = NextCodePoint(line, at);
        if (!code) {
            ++at;
        }
        const bool frame = code && IsFrame(*code);
        stretch += frame ? 1 : 0;
        plain += frame || !code ? std::string_view(" ") : line.substr(start, at - start);
        stretchOf.push_back(stretch);
    }
    const bool framed = stretch > 0;
    const std::vector<LineValue> values = ReadUtf8LineValues(plain);
    std::vector<LineValue> kept;
    for (auto first = values.begin(); first != values.end();) {
        const int part = stretchOf[static_cast<std::size_t>(first->column - 1)];
        auto last = std::find_if(first, values.end(), [&](const LineValue& value) {
            return stretchOf[static_cast<std::size_t>(value.column - 1)] != part;
        });
        const bool number =
            std::any_of(first, last, [](const LineValue& value) { return value.number; });
        if (!IsBoxText(first, last) && (number || !framed)) {
            kept.insert(kept.end(), first, last);
        }
        first = last;
    }
    return kept;
}

// The values as a ticket, or why they are not one.
std::optional<RefusedTicketLine> TicketFrom(const std::vector<LineValue>& values, Ticket& ticket) {
    for (const LineValue& value : values) {
        if (!value.number) {
            return RefusedTicketLine{0, value.column, TicketFault::NotANumber, 0, value.text};
        }
    }
    const int count = static_cast<int>(values.size());
    if (count != MAIN_NUMBERS) {
        const LineValue& at = values[count < MAIN_NUMBERS ? 0 : MAIN_NUMBERS];
        return RefusedTicketLine{0,
                                 at.column,
                                 count < MAIN_NUMBERS ? TicketFault::TooFew : TicketFault::TooMany,
                                 count,
                                 {}};
    }
    for (std::size_t at = 0; at < values.size(); ++at) {
        const LineValue& value = values[at];
        if (!IsLotteryNumber(value.value)) {
            return RefusedTicketLine{0, value.column, TicketFault::OutOfRange, value.value,
                                     value.text};
        }
        for (std::size_t before = 0; before < at; ++before) {
            if (values[before].value == value.value) {
                return RefusedTicketLine{0, value.column, TicketFault::Repeated, value.value,
                                         value.text};
            }
        }
        ticket.numbers[at] = value.value;
    }
    std::sort(ticket.numbers.begin(), ticket.numbers.end());
    return std::nullopt;
}

Prize PrizeFor(std::size_t matched, bool holdsBonus) {
    switch (matched) {
    case 6:
        return Prize::First;
    case 5:
        return holdsBonus ? Prize::Second : Prize::Third;
    case 4:
        return Prize::Fourth;
    case 3:
        return Prize::Fifth;
    default:
        return Prize::None;
    }
}

} // namespace

TicketsRead ReadTickets(std::string_view bytes) {
    TicketsRead read;
    const std::string text = TextAsUtf8(bytes);
    int number = 0;
    for (std::string_view line : Lines(text)) {
        ++number;
        const std::vector<LineValue> values = TicketValues(line);
        if (values.empty()) {
            continue;
        }
        Ticket ticket;
        ticket.line = number;
        if (std::optional<RefusedTicketLine> refused = TicketFrom(values, ticket)) {
            refused->line = number;
            read.refused.push_back(*refused);
        } else {
            read.tickets.push_back(ticket);
        }
    }
    return read;
}

TicketMatch MatchTicket(const Ticket& ticket, const FileDraw& draw) {
    // Indexed by any stored byte: a value outside 1..43 in a hand-edited history is
    // simply never matched.
    bool inMain[256] = {};
    for (int position = 0; position < MAIN_NUMBERS; ++position) {
        inMain[draw[static_cast<std::size_t>(position)]] = true;
    }
    TicketMatch match;
    for (int number : ticket.numbers) {
        if (inMain[number]) {
            match.matched[match.matchedCount++] = number;
        } else if (number == draw[MAIN_NUMBERS]) {
            match.holdsBonus = true;
        }
    }
    match.prize = PrizeFor(match.matchedCount, match.holdsBonus);
    return match;
}

std::array<long long, TIER_COUNT> PrizesOver(const Ticket& ticket,
                                             const std::vector<FileDraw>& draws) {
    std::array<long long, TIER_COUNT> prizes{};
    for (const FileDraw& draw : draws) {
        const Prize prize = MatchTicket(ticket, draw).prize;
        if (prize != Prize::None) {
            ++prizes[static_cast<std::size_t>(prize)];
        }
    }
    return prizes;
}

long long AllTickets() {
    return ALL_LINES;
}

long long TierWays(Prize prize) {
    // Five main numbers: the sixth is the bonus for 2等, any of the other 36 for 3等.
    constexpr long long FIVE_AND_THE_BONUS = Choose(MAIN_NUMBERS, 5);
    switch (prize) {
    case Prize::First:
        return LinesMatching(6);
    case Prize::Second:
        return FIVE_AND_THE_BONUS;
    case Prize::Third:
        return LinesMatching(5) - FIVE_AND_THE_BONUS;
    case Prize::Fourth:
        return LinesMatching(4);
    case Prize::Fifth:
        return LinesMatching(3);
    case Prize::None:
        break;
    }
    return LinesMatching(0) + LinesMatching(1) + LinesMatching(2);
}
