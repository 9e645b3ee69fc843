// Reading a history as meant; see history_fix.h.
#include "check/history_fix.h"

HistoryAsMeant ReadHistoryAsMeant(std::string_view) {
    HistoryAsMeant history;
    history.refusal = FixRefusal::NoDraws;
    return history;
}

std::string FixedHistoryText(const HistoryAsMeant&) {
    return {};
}

std::string FormatFixRefusal(std::string_view, const HistoryAsMeant&, Language) {
    return {};
}

std::string FormatFixDone(std::string_view, std::string_view, const HistoryAsMeant&, Language) {
    return {};
}
