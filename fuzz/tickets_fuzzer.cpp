// libFuzzer target for the tickets kivo6-check --tickets reads: any bytes give tickets
// of six different numbers from 1 to 43 in ascending order and refusals with their
// place, line by line, and every ticket is matched and written without a fault, also
// against draws holding values KIVO6's reader keeps from a hand-edited history. Built
// by fuzz/CMakeLists.txt (fuzz preset) and run by tools/fuzz.sh.
#include "check/ticket_prizes.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Broken(const char* what, int line) {
    std::fprintf(stderr, "kivo6_tickets_fuzzer: %s (line %d)\n", what, line);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TicketsRead read = ReadTickets({reinterpret_cast<const char*>(data), size});
    int lastLine = 0;
    for (const Ticket& ticket : read.tickets) {
        for (std::size_t at = 0; at < ticket.numbers.size(); ++at) {
            if (!IsLotteryNumber(ticket.numbers[at]) ||
                (at > 0 && ticket.numbers[at - 1] >= ticket.numbers[at])) {
                Broken("a ticket that is not six different numbers in order", ticket.line);
            }
        }
        if (ticket.line <= lastLine) {
            Broken("tickets out of their lines' order", ticket.line);
        }
        lastLine = ticket.line;
    }
    for (const RefusedTicketLine& refused : read.refused) {
        if (refused.line < 1 || refused.column < 1) {
            Broken("a refusal without its place", refused.line);
        }
    }
    const std::vector<FileDraw> draws = {{1, 2, 3, 4, 5, 6, 7}, {0, 255, 43, 43, 44, 9, 9}};
    for (const Ticket& ticket : read.tickets) {
        const TicketMatch match = MatchTicket(ticket, draws.back());
        if (match.matchedCount > 2 || match.prize != Prize::None) {
            Broken("a number outside 1 to 43 matched, or counted twice", ticket.line);
        }
    }
    for (Language language : {Language::English, Language::Japanese}) {
        FormatRefusedTickets("t", read, language);
        if (!read.tickets.empty()) {
            FormatTicketsAgainstDraw("t", "d", read, draws, 1, language);
            FormatTicketsOverAll("t", "d", read, draws, language);
        }
    }
    return 0;
}
