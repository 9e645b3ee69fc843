// The backtest of kivo6-check: replays KIVO6's start-up on each tested draw's past,
// makes Type 1 requests at fixed clock seconds, counts the hits on the actual draw,
// and writes the figures beside a fair draw's exact ones. Used by main.cpp.
#include "check/backtest.h"

#include "check/fair_draw.h"
#include "check/report_text.h"
#include "core/generate/pick.h"
#include "core/program.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int HIT_THRESHOLD = 3; // "3 or more" matches

// The clock second every request of the run reads, set before each request.
std::uint32_t requestSecond;
std::uint32_t RequestClock() {
    return requestSecond;
}

// KIVO6's start, had data.txt held only the draws before the given one: the newest
// HISTORY_CAPACITY of them, as its reader keeps.
void StartBefore(const std::vector<FileDraw>& draws, std::size_t before) {
    DrawRecord rows[HISTORY_CAPACITY];
    const std::size_t first = before > HISTORY_CAPACITY ? before - HISTORY_CAPACITY : 0;
    for (std::size_t draw = first; draw < before; ++draw) {
        std::copy(draws[draw].begin(), draws[draw].end(), rows[draw - first]);
    }
    StartFromDraws(rows, static_cast<int>(before - first));
}

// How many of a result line's six numbers ("%02d %02d ...") are in the draw.
int LineMatches(const char* line, const bool (&inDraw)[256]) {
    int matches = 0;
    for (int i = 0; i < MAIN_NUMBERS; ++i) {
        const int number = (line[3 * i] - '0') * 10 + (line[3 * i + 1] - '0');
        matches += inDraw[number] ? 1 : 0;
    }
    return matches;
}

// The mean of per-draw values and its standard error from their spread.
void Summarise(const std::vector<double>& values, double& mean, double& error) {
    mean = 0.0;
    error = 0.0;
    if (values.empty()) {
        return;
    }
    double sum = 0.0;
    for (double value : values) {
        sum += value;
    }
    mean = sum / static_cast<double>(values.size());
    if (values.size() < 2) {
        return;
    }
    double squares = 0.0;
    for (double value : values) {
        squares += (value - mean) * (value - mean);
    }
    double variance = squares / static_cast<double>(values.size() - 1);
    error = std::sqrt(variance / static_cast<double>(values.size()));
}

} // namespace

BacktestFigures RunBacktest(const BacktestSettings& settings, const std::vector<FileDraw>& draws,
                            const BacktestProgress& progress) {
    // What the caller had, put back at the end.
    std::uint32_t (*const loadedClock)() = CalendarClock;
    const int fileDraws = static_cast<int>(draws.size());

    const int tested = std::clamp(settings.draws, 0, fileDraws);
    const int seeds = std::max(settings.seeds, 0);

    BacktestFigures figures{};
    figures.draws = tested;
    figures.firstDraw = fileDraws - tested;
    figures.lines = static_cast<long long>(tested) * seeds;

    std::vector<double> meanPerDraw[RULE_COUNT];
    std::vector<double> sharePerDraw[RULE_COUNT];
    for (int rule = 0; rule < RULE_COUNT; ++rule) {
        meanPerDraw[rule].reserve(static_cast<std::size_t>(tested));
        sharePerDraw[rule].reserve(static_cast<std::size_t>(tested));
    }

    CalendarClock = RequestClock;
    for (int draw = figures.firstDraw; seeds > 0 && draw < fileDraws; ++draw) {
        const FileDraw& actual = draws[static_cast<std::size_t>(draw)];
        // A fresh start clears the options too: requests are made as the Type 1
        // button makes them with the check box clear and normal parity.
        StartBefore(draws, static_cast<std::size_t>(draw));

        // Indexed by any byte, so a hand-edited value outside 1..43 is simply never hit.
        bool inDraw[256] = {};
        for (int position = 0; position < MAIN_NUMBERS; ++position) {
            inDraw[actual[static_cast<std::size_t>(position)]] = true;
        }

        long long matches[RULE_COUNT] = {};
        long long hits[RULE_COUNT] = {};
        for (int k = 0; k < seeds; ++k) {
            requestSecond = settings.firstSeed + static_cast<std::uint32_t>(k) * SEED_STEP;
            // "Pattern 1\n\n", then one line per rule: uniform, pooled, inverse.
            const char* line = RequestType1() + sizeof "Pattern 1\n\n" - 1;
            for (int rule = 0; rule < RULE_COUNT; ++rule, line += 3 * MAIN_NUMBERS) {
                const int lineMatches = LineMatches(line, inDraw);
                matches[rule] += lineMatches;
                hits[rule] += lineMatches >= HIT_THRESHOLD ? 1 : 0;
            }
        }
        for (int rule = 0; rule < RULE_COUNT; ++rule) {
            meanPerDraw[rule].push_back(static_cast<double>(matches[rule]) / seeds);
            sharePerDraw[rule].push_back(static_cast<double>(hits[rule]) / seeds);
        }
        if (progress) {
            progress(draw - figures.firstDraw + 1, tested);
        }
    }

    for (int rule = 0; rule < RULE_COUNT; ++rule) {
        RuleFigures& out = figures.rules[rule];
        Summarise(meanPerDraw[rule], out.meanMatches, out.meanError);
        Summarise(sharePerDraw[rule], out.shareThreeOrMore, out.shareError);
    }

    StartBefore(draws, draws.size());
    CalendarClock = loadedClock;
    return figures;
}

double FairMeanMatches() {
    return static_cast<double>(MAIN_NUMBERS) * MAIN_NUMBERS / NUMBER_COUNT;
}

double FairShareThreeOrMore() {
    long long favourable = 0;
    for (int k = HIT_THRESHOLD; k <= MAIN_NUMBERS; ++k) {
        favourable += LinesMatching(k);
    }
    return static_cast<double>(favourable) / static_cast<double>(ALL_LINES);
}

namespace {

std::string Percent(double share) {
    return Fixed(share * 100.0, 2) + "%";
}

const char* RuleName(int rule, Language language) {
    switch (rule) {
    case 0:
        return InLanguage(language, "Line 1, every number alike", "1 行目: どの数字も同じ扱い");
    case 1:
        return InLanguage(language, "Line 2, often drawn first", "2 行目: よく出た数字を優先");
    default:
        return InLanguage(language, "Line 3, seldom drawn first", "3 行目: あまり出ない数字を優先");
    }
}

const char* RuleShortName(int rule, Language language) {
    switch (rule) {
    case 0:
        return InLanguage(language, "Line 1", "1 行目");
    case 1:
        return InLanguage(language, "Line 2", "2 行目");
    default:
        return InLanguage(language, "Line 3", "3 行目");
    }
}

// Beyond this many standard errors a difference is past what three rules give by
// chance more than about once in a few thousand runs.
constexpr double CHANCE_LIMIT = 4.0;
constexpr double NOTABLE = 2.0;

// "A", "A and B", "A, B and C" (Japanese: "A と B" without the first space, as
// every item starts with a figure: "1 行目と 3 行目", "2.4 倍と 3.1 倍").
std::string JoinList(const std::vector<std::string>& items, Language language) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? InLanguage(language, " and ", "と ")
                                          : InLanguage(language, ", ", "、");
        }
        text += items[i];
    }
    return text;
}

std::string Conclusion(const BacktestFigures& figures, Language language) {
    double z[RULE_COUNT] = {};
    bool measured[RULE_COUNT] = {};
    bool anyMeasured = false;
    double largest = 0.0;
    for (int rule = 0; rule < RULE_COUNT; ++rule) {
        const RuleFigures& r = figures.rules[rule];
        // Without spread between draws there is no error, and so no evidence either way.
        measured[rule] = r.meanError > 0.0 && std::isfinite(r.meanError);
        if (measured[rule]) {
            z[rule] = (r.meanMatches - FairMeanMatches()) / r.meanError;
            anyMeasured = true;
            largest = std::max(largest, std::fabs(z[rule]));
        }
    }
    if (!anyMeasured) {
        return InLanguage(language,
                          "There is no spread between tested draws to measure the error from "
                          "(test more draws), so these figures say nothing either way.",
                          "検証した回どうしのばらつきがないため誤差を求められず、この数字からは"
                          "どちらとも言えません (もっと多くの回で検証してください)。");
    }
    if (largest < NOTABLE) {
        return InLanguage(language,
                          "No rule differs from a fair draw by more than two standard errors: on "
                          "this history the picks did as well as random numbers, and no better, "
                          "as expected when every draw is fair.",
                          "どの規則も公正な抽選との差は標準誤差の 2 倍未満で、この履歴では乱数と"
                          "同じだけ当たり、それ以上ではありませんでした (どの抽選も公正なら当然の"
                          "結果です)。");
    }
    const double limit = largest >= CHANCE_LIMIT ? CHANCE_LIMIT : NOTABLE;
    std::vector<std::string> names;
    std::vector<std::string> sizes;
    for (int rule = 0; rule < RULE_COUNT; ++rule) {
        if (measured[rule] && std::fabs(z[rule]) >= limit) {
            names.emplace_back(RuleShortName(rule, language));
            sizes.push_back(Fixed(std::fabs(z[rule]), 1) + InLanguage(language, "", " 倍"));
        }
    }
    std::string text = JoinList(names, language);
    if (language == Language::Japanese) {
        text += "は公正な抽選と標準誤差の " + JoinList(sizes, language) + "の差があり";
        if (limit == CHANCE_LIMIT) {
            return text + "、偶然ではまず起きない大きさなので、この履歴の抽選は独立した公正な"
                          "抽選のようにはふるまっていません (公正な抽選なら、どの規則も乱数より"
                          "良くも悪くもなりません)。";
        }
        return text + "ますが、3 つの規則を比べればこの程度の差は偶然でもときどき現れ、"
                      "公正な抽選では過去の結果がどの数字を出やすくすることもありません。";
    }
    text += names.size() > 1 ? " differ from a fair draw by " : " differs from a fair draw by ";
    text += JoinList(sizes, language) + " standard errors";
    if (limit == CHANCE_LIMIT) {
        return text + "; chance seldom gives that much, so the draws in this history do not "
                      "behave like independent fair draws, and in a fair lottery no rule can do "
                      "better or worse than random numbers.";
    }
    return text + "; among three rules a difference this large turns up by chance now and "
                  "then, and in a fair draw the past cannot make any number likelier.";
}

} // namespace

std::string FormatBacktest(std::string_view fileName, const BacktestSettings& settings,
                           const BacktestFigures& figures, Language language) {
    const bool japanese = language == Language::Japanese;
    const std::string name(fileName);
    const std::string tested = std::to_string(figures.draws);
    const std::string first = std::to_string(figures.firstDraw + 1);
    const std::string last = std::to_string(figures.firstDraw + figures.draws);
    const std::string seeds = std::to_string(settings.seeds);
    const std::string firstSeed = std::to_string(settings.firstSeed);
    const std::string lastK = std::to_string(std::max(settings.seeds - 1, 0));
    const std::string step = std::to_string(SEED_STEP);

    std::string text;
    if (japanese) {
        text += name + " のバックテスト: 最新の " + tested + " 回 (第 " + first + " 回から第 " +
                last + " 回) を、それぞれその前の回だけを使って検証しました。\n";
        text += "各回: Type 1 の要求 (Pattern 1、通常) を " + seeds + " 回、時計の秒 " + firstSeed +
                " + k × " + step + " (mod 2^32)、k = 0 ～ " + lastK + " で行いました。\n";
        text += "同じ結果を得るには: ";
    } else {
        text += "Backtest of " + name + ": the latest " + tested + " draws (draws " + first +
                " to " + last + "), each against the draws before it.\n";
        text += "Each draw: " + seeds + " Type 1 requests (Pattern 1, normal) at clock seconds " +
                firstSeed + " + k × " + step + " (mod 2^32), k = 0 to " + lastK + ".\n";
        text += "Repeat with: ";
    }
    text += "kivo6-check --backtest " + std::to_string(settings.draws) + " --seeds " + seeds +
            " --first-seed " + firstSeed + " " + CommandWord(fileName) + "\n";
    // The history's length: the tested draws are its latest.
    const int held = figures.firstDraw + figures.draws;
    if (held == 0) {
        text += InLanguage(language, "The history holds no draws: there is nothing to test.\n",
                           "履歴に回が 1 つもないため、検証するものがありません。\n");
        return text;
    }
    if (figures.lines == 0) {
        text += InLanguage(language,
                           "Nothing was tested: that takes at least one draw and one request.\n",
                           "何も検証していません: 少なくとも 1 回分と 1 つの要求が必要です。\n");
        return text;
    }
    if (figures.draws < settings.draws) {
        text += japanese ? "履歴には " + tested + " 回しかないため、そのすべてを検証しました。\n"
                         : "The history holds " + tested + " draws: all of them are tested.\n";
    }
    text += "\n";

    std::vector<std::vector<std::string>> rows;
    rows.push_back({InLanguage(language, "Rule", "規則"),
                    InLanguage(language, "Mean matches", "平均一致数"),
                    InLanguage(language, "Fair draw", "公正な抽選"),
                    InLanguage(language, "3 or more", "3 個以上一致"),
                    InLanguage(language, "Fair draw", "公正な抽選")});
    const std::string fairMean = Fixed(FairMeanMatches(), 4);
    const std::string fairShare = Percent(FairShareThreeOrMore());
    for (int rule = 0; rule < RULE_COUNT; ++rule) {
        const RuleFigures& r = figures.rules[rule];
        rows.push_back({RuleName(rule, language),
                        Fixed(r.meanMatches, 4) + " ± " + Fixed(r.meanError, 4), fairMean,
                        Percent(r.shareThreeOrMore) + " ± " + Percent(r.shareError), fairShare});
    }
    text += Table(rows);
    text += InLanguage(language,
                       "(± is one standard error, from the spread between the tested draws.)\n",
                       "(± は標準誤差 1 つ分で、検証した回どうしのばらつきから求めました。)\n");
    text += "\n" + Conclusion(figures, language) + "\n";
    return text;
}
