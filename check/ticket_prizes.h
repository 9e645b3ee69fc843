// kivo6-check --tickets: reads the tickets a user played (typed, or KIVO6's result
// boxes pasted with their frames) and finds each one's prize tier against a draw of
// the history, or counts its tiers over every draw. main.cpp runs it; the tests call it.
#pragma once

#include "check/history_check.h"
#include "import/language.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Six different numbers from 1 to 43, in ascending order, and the line they stood on.
struct Ticket {
    std::array<int, MAIN_NUMBERS> numbers{};
    int line = 0;
};

// Why a line that is not part of a pasted box is not a ticket.
enum class TicketFault {
    NotANumber, // a word among the numbers (`word`)
    TooFew,     // fewer than six numbers (`value`: how many)
    TooMany,    // more than six (`value`: how many), at the seventh
    OutOfRange, // `value` is outside 1 to 43
    Repeated,   // `value` stands twice, at its second place
};

struct RefusedTicketLine {
    int line = 0;
    int column = 0; // in characters, from 1
    TicketFault fault = TicketFault::NotANumber;
    int value = 0;
    std::string word;
};

struct TicketsRead {
    std::vector<Ticket> tickets;
    std::vector<RefusedTicketLine> refused;
};

// One ticket a line, its values read as --fix reads a line, in any encoding --fix
// reads. Skipped: blank lines, a result's header ("Pattern 1", "Pattern 2",
// "Type 2"), and what a copied message box brings along: frame lines, the caption
// "Dialog", the button "OK" or "[ OK ]", and in a line drawn with frame characters
// (│, |, ┌ ...), every stretch between them that holds no number.
TicketsRead ReadTickets(std::string_view bytes);

// The prize tiers, in their order: 1等 to 5等.
inline constexpr int TIER_COUNT = 5;
enum class Prize { First, Second, Third, Fourth, Fifth, None };

// One ticket against one draw. No heap: --all matches every ticket with every draw.
struct TicketMatch {
    std::array<int, MAIN_NUMBERS> matched{}; // the ticket's numbers among the draw's main
    std::size_t matchedCount = 0;            // numbers: the first matchedCount of these
    bool holdsBonus = false;                 // the draw's bonus is on the ticket
    Prize prize = Prize::None;
};
TicketMatch MatchTicket(const Ticket& ticket, const FileDraw& draw);

// How many of the draws give the ticket each tier, 1等 first.
std::array<long long, TIER_COUNT> PrizesOver(const Ticket& ticket,
                                             const std::vector<FileDraw>& draws);

// Of the 6,096,454 tickets a 6-of-43 draw tells apart, how many win each tier.
long long TierWays(Prize prize);
long long AllTickets();

// The refused lines, one a line with its place, as the file check names a fault.
std::string FormatRefusedTickets(std::string_view ticketsName, const TicketsRead& read,
                                 Language language);
// Every ticket against the draw `back` draws before the latest (0: the latest) of
// `draws`, with a summary line per tier won.
std::string FormatTicketsAgainstDraw(std::string_view ticketsName, std::string_view historyName,
                                     const TicketsRead& read, const std::vector<FileDraw>& draws,
                                     int back, Language language);
// Every ticket against every draw: its count at each tier beside a fair draw's
// expectation for one ticket over as many draws.
std::string FormatTicketsOverAll(std::string_view ticketsName, std::string_view historyName,
                                 const TicketsRead& read, const std::vector<FileDraw>& draws,
                                 Language language);
