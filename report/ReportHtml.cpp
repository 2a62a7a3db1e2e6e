#include "report/ReportHtml.hpp"

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>

#include "figures/horizontalScatter.hpp"
#include "platform/numeric/Format.hpp"
#include "platform/render/Print.hpp"
#include "plotsupport/setColourCodes.hpp"
#include "report/FigureCaptions.hpp"
#include "report/HtmlText.hpp"
#include "report/ReportNumbers.hpp"
#include "report/Verdict.hpp"

namespace ambiscan::report {

namespace {

using evidence::DataSetEvidence;

constexpr const char* kStyle = R"(
body{font-family:"DejaVu Sans","Liberation Sans",Arial,sans-serif;color:#1d1d1d;line-height:1.45;
max-width:1240px;margin:0 auto;padding:16px 20px}
h1{font-size:1.7em;margin:.2em 0 .3em}h2{font-size:1.3em;margin:1.4em 0 .5em;
border-bottom:1px solid #ccc}h3{font-size:1.1em;margin:1.1em 0 .4em}
.run{color:#3a3a3a;margin:0 0 1em}.sha{font-family:"DejaVu Sans Mono",monospace;
font-size:.85em;word-break:break-all}
.note{color:#555;font-size:.9em}.gate{padding:.4em .8em;border-radius:.3em}
.gate.pass{background:#e3f4e1;border:1px solid #5a9e52}.gate.fail{background:#fbe3e1;border:1px solid #c0392b}
.gate p{margin:.2em 0}.verdict li{margin:.2em 0}
.warning{background:#fff4d6;border:1px solid #c89b1e;padding:.4em .8em;border-radius:.3em}
.scroll{overflow-x:auto}table{border-collapse:collapse;font-variant-numeric:tabular-nums}
th,td{border:1px solid #c8c8c8;padding:.25em .6em;text-align:right;white-space:nowrap}
th:first-child,td:first-child{text-align:left}thead th{background:#f2f2f2}
tbody th{white-space:normal;min-width:11em;max-width:16em}
.swatch{display:inline-block;width:.8em;height:.8em;margin-right:.35em;border:1px solid #666;
vertical-align:-.05em}
figure{margin:1em 0 1.4em;break-inside:avoid;page-break-inside:avoid}
figure img{display:block;max-width:100%;height:auto;border:1px solid #ddd}
figcaption{font-size:.92em;margin-top:.3em}
.receiver h3{border-left:.5em solid var(--colour);padding-left:.4em}
@media (max-width:640px){body{padding:8px 10px;font-size:15px}
th,td{padding:.2em .35em;white-space:normal;font-size:.85em}}
@media print{body{max-width:none;padding:0;font-size:11pt}
.receiver{break-before:page;page-break-before:always}
h2,h3{break-after:avoid;page-break-after:avoid}
figure{margin:.4em 0 .8em}figure img{max-height:10.2cm;width:auto;max-width:100%}.scroll{overflow:visible}}
)";

std::string colourHex(const Matrix& table, std::size_t i) {
    const std::size_t row = i % table.rows();
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x",
                  static_cast<unsigned>(std::lround(table(row, 0) * 255)),
                  static_cast<unsigned>(std::lround(table(row, 1) * 255)),
                  static_cast<unsigned>(std::lround(table(row, 2) * 255)));
    return hex;
}

std::string swatch(const std::string& colour) {
    return "<span class=\"swatch\" style=\"background:" + colour + "\"></span>";
}

std::string runLine(const ReportContent& c) {
    const Matrix& starts = c.results.startTimes;
    const std::size_t records = starts.numel();
    const std::size_t receivers = c.results.dataSets.size();
    std::string line = std::to_string(records) + (records == 1 ? " record" : " records") + " · " +
                       std::to_string(receivers) + (receivers == 1 ? " receiver" : " receivers") +
                       " · run length " + fixed(c.results.hours, 1, "hours");
    if (records > 0) {
        line += " · first start " + gpsDayAndTime(starts[0]) + " · last start " +
                gpsDayAndTime(starts[records - 1]) + " (GPS)";
    }
    line += " · input " + escapeHtml(c.input.fileName) + ", SHA-256 <span class=\"sha\">" +
            escapeHtml(c.input.sha256) + "</span> · ambiscan " + escapeHtml(c.input.version);
    return line;
}

// PASS when every receiver passed every gate set, FAIL with what failed otherwise.
void gates(std::string& out, const ReportContent& c) {
    if (c.gates.empty()) {
        return;
    }
    const std::vector<std::string> failures = analysis::gateFailureLines(c.gates);
    if (failures.empty()) {
        out += "<p class=\"gate pass\"><strong>PASS</strong>: every receiver passed ";
        for (std::size_t k = 0; k < c.gates.size(); ++k) {
            out += (k == 0 ? "" : " and ") +
                   escapeHtml("--" + c.gates[k].gate + " " + num2str(c.gates[k].threshold));
        }
        out += ".</p>\n";
        return;
    }
    out += "<div class=\"gate fail\"><p><strong>FAIL</strong></p><ul>\n";
    for (const std::string& line : failures) {
        out += "<li>" + escapeHtml(line) + "</li>\n";
    }
    out += "</ul></div>\n";
}

void verdict(std::string& out, const ReportContent& c) {
    out += "<h2>Verdict</h2>\n";
    const auto& comparisons = c.evidence.comparisons;
    if (comparisons.empty()) {
        out += "<p>One receiver: there is no pair to compare.</p>\n";
        return;
    }
    out += "<ul class=\"verdict\">\n";
    for (const auto& comparison : comparisons) {
        out += "<li>" + escapeHtml(verdictSentence(comparison, c.evidence)) + "</li>\n";
    }
    out += "</ul>\n";
    out +=
        "<p class=\"note\">Every attempt restarts all receivers at the same moment, so the "
        "receivers are compared attempt by attempt. An attempt counts for the time comparison "
        "only with a correct fix (a good fix within 500 s). A difference is called significant "
        "when its p-value, adjusted by Holm's method over all " +
        std::to_string(c.evidence.comparedPValues) +
        " comparisons of this run, is below 0.05; a difference that is not significant is not "
        "shown to be absent: read its interval.</p>\n";
}

// A time to fix: "not within 500 s" for the curve's NaN, "> 500 s" for a correct fix never
// reached; a time of -Inf is "fixed at once".
std::string within500s(double seconds) {
    return std::isnan(seconds) ? "not within 500 s" : fixed(seconds, 0, "s");
}

std::string timeValue(double seconds, int decimals) {
    if (seconds == std::numeric_limits<double>::infinity()) {
        return "> 500 s";
    }
    return fixed(seconds, decimals, "s");
}

// A bound of a time interval: +Inf never reached, -Inf (a time of -Inf) fixed at once.
std::string timeBound(double seconds, int decimals) {
    if (std::isinf(seconds)) {
        return seconds > 0 ? "> 500 s" : "at once";
    }
    return fixed(seconds, decimals, "s");
}

// A time interval whose bounds may be never reached (+Inf, "> 500 s") or not given by the
// attempts (NaN, "cannot be bounded"): the two are said apart.
std::string timeInterval(const evidence::Interval& range, int decimals) {
    const double lower = range.lower, upper = range.upper;
    if (std::isfinite(lower) && std::isfinite(upper)) {
        return interval(range, decimals, "s");
    }
    if (std::isnan(lower) && std::isnan(upper)) {
        return "cannot be bounded";
    }
    if (std::isnan(upper)) {
        return "≥ " + timeBound(lower, decimals) + " (upper cannot be bounded)";
    }
    if (std::isnan(lower)) {
        return "≤ " + timeBound(upper, decimals) + " (lower cannot be bounded)";
    }
    if (lower == upper) {
        return timeBound(lower, decimals);  // both never reached, or both at once
    }
    return timeBound(lower, decimals) + " to " + timeBound(upper, decimals);
}

// Clustered bad fixes break the independence every interval and test of the report assumes.
void independenceWarnings(std::string& out, const ReportContent& c) {
    for (const DataSetEvidence& d : c.evidence.dataSets) {
        const evidence::Independence& i = d.independence;
        if (!(i.runsTestP < 0.01 && i.good >= 10 && i.bad >= 10)) {
            continue;
        }
        const std::string counts = " (" + std::to_string(i.runs) +
                                   " runs of good and bad fixes where " + fixed(i.expectedRuns, 0) +
                                   " would be expected, runs test " + pValue(i.runsTestP) + ")";
        std::string text;
        if (static_cast<double>(i.runs) < i.expectedRuns) {
            text = "bad fixes come in clusters" + counts +
                   ": the attempts are not independent and every interval above is too narrow.";
        } else {
            text = "good and bad fixes alternate more often than chance would have them" + counts +
                   ": the attempts are not independent and the intervals above may not hold.";
        }
        out +=
            "<p class=\"warning\"><strong>" + escapeHtml(d.name) + "</strong>: " + escapeHtml(text);
        out += "</p>\n";
    }
}

using Cell = std::function<std::string(const DataSetEvidence&)>;

void statisticsTable(std::string& out, const ReportContent& c, const Matrix& colours) {
    const std::vector<std::pair<const char*, Cell>> rows = {
        {"Reliability", [](auto& d) { return fixed(d.reliabilityPercent, 1, "%"); }},
        {"Reliability, 95 % interval",
         [](auto& d) { return interval(d.reliabilityCi95Percent, 1, "%"); }},
        {"Good / bad fixes",
         [](auto& d) { return std::to_string(d.good) + " / " + std::to_string(d.bad); }},
        {"90 % time to fix", [](auto& d) { return within500s(d.p90); }},
        {"90 % time, 95 % interval", [](auto& d) { return timeInterval(d.p90Ci95, 0); }},
        {"Correct fixes (good, within 500 s)",
         [](auto& d) { return fixed(d.correctFixPercent, 1, "%"); }},
        {"Correct fixes, 95 % interval",
         [](auto& d) { return interval(d.correctFixCi95Percent, 1, "%"); }},
        {"Median time to a correct fix",
         [](auto& d) { return timeValue(d.timeToCorrectFixP50, 1); }},
        {"Median time to a correct fix, 95 % interval",
         [](auto& d) { return timeInterval(d.timeToCorrectFixP50Ci95, 1); }},
        {"90 % time to a correct fix", [](auto& d) { return timeValue(d.timeToCorrectFixP90, 1); }},
        {"90 % time to a correct fix, 95 % interval",
         [](auto& d) { return timeInterval(d.timeToCorrectFixP90Ci95, 1); }},
        {"Median time to fix", [](auto& d) { return fixed(d.median, 1, "s"); }},
        {"Median, 95 % interval", [](auto& d) { return timeInterval(d.medianCi95, 1); }},
        {"Mean time to fix", [](auto& d) { return fixed(d.mean, 1, "s"); }},
        {"Longest time to fix", [](auto& d) { return fixed(d.max, 0, "s"); }},
        {"East error mean / sigma",
         [](auto& d) { return fixed(d.eastMean, 4) + " / " + fixed(d.eastSigma, 4, "m"); }},
        {"North error mean / sigma",
         [](auto& d) { return fixed(d.northMean, 4) + " / " + fixed(d.northSigma, 4, "m"); }},
        {"Height error mean / sigma",
         [](auto& d) { return fixed(d.heightMean, 4) + " / " + fixed(d.heightSigma, 4, "m"); }},
        {"Horizontal error, 50 %", [](auto& d) { return fixed(d.horizontalP50, 4, "m"); }},
        {"Horizontal error, 95 %", [](auto& d) { return fixed(d.horizontalP95, 4, "m"); }},
        {"Vertical error, 95 %", [](auto& d) { return fixed(d.verticalAbsP95, 4, "m"); }},
        {"Horizontal error, 50 %, all fixes",
         [](auto& d) { return fixed(d.allHorizontalP50, 4, "m"); }},
        {"Horizontal error, 95 %, all fixes",
         [](auto& d) { return fixed(d.allHorizontalP95, 4, "m"); }},
        {"Horizontal error, 95 %, all fixes, 95 % interval",
         [](auto& d) { return interval(d.allHorizontalP95Ci95, 4, "m"); }},
        {"Vertical error, 95 %, all fixes",
         [](auto& d) { return fixed(d.allVerticalAbsP95, 4, "m"); }},
        {"Vertical error, 95 %, all fixes, 95 % interval",
         [](auto& d) { return interval(d.allVerticalAbsP95Ci95, 4, "m"); }},
        {"Good/bad order: runs test",
         [](auto& d) {
             return std::to_string(d.independence.runs) + " runs, " +
                    pValue(d.independence.runsTestP);
         }},
        {"Bad fixes: lag-1 autocorrelation",
         [](auto& d) { return fixed(d.independence.lag1Autocorrelation, 3); }},
    };
    out += "<h2>Statistics</h2>\n<div class=\"scroll\"><table>\n<thead><tr><th></th>";
    for (std::size_t k = 0; k < c.evidence.dataSets.size(); ++k) {
        out += "<th>" + swatch(colourHex(colours, k)) + escapeHtml(c.evidence.dataSets[k].name) +
               "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    for (const auto& [label, cell] : rows) {
        out += std::string("<tr><th scope=\"row\">") + label + "</th>";
        for (const DataSetEvidence& d : c.evidence.dataSets) {
            out += "<td>" + escapeHtml(cell(d)) + "</td>";
        }
        out += "</tr>\n";
    }
    out += "</tbody></table></div>\n";
    independenceWarnings(out, c);
}

// The page as it is made: text gathers here, and each figure's base64 goes out as it stands
// after the text before it, so that megabytes of figures are not copied into one string.
struct Page {
    std::string text;
    const PagePieces& write;
    void embed(std::string_view figureBase64) {
        write(text);
        text.clear();
        write(figureBase64);
    }
};

void figure(Page& page, const std::string& embedded, int width, int height,
            const std::string& caption, const std::string& altText) {
    page.text += "<figure><img src=\"data:image/png;base64,";
    page.embed(embedded);
    page.text += "\" alt=\"" + escapeHtml(altText) + "\" width=\"" + std::to_string(width) +
                 "\" height=\"" + std::to_string(height) + "\">";
    page.text += "<figcaption>" + escapeHtml(caption) + "</figcaption></figure>\n";
}

void figures(Page& page, const ReportContent& c, const Matrix& colours) {
    std::vector<std::string> names;
    for (const auto& d : c.results.dataSets) {
        names.push_back(d.name);
    }
    std::vector<FigurePlace> places;
    for (const auto& f : c.figures) {
        places.push_back(placeFigure(f.fileName, names));
    }
    const auto runFigure = [&](std::size_t i, const std::string& caption) {
        figure(page, c.figures[i].content, render::kFigureWidth, render::kFigureHeight, caption,
               places[i].altText);
    };
    page.text += "<h2>Figures</h2>\n";
    for (std::size_t i = 0; i < c.figures.size(); ++i) {
        if (!places[i].dataSet) {
            runFigure(i, places[i].caption);
        }
    }
    for (std::size_t k = 0; k < names.size(); ++k) {
        page.text += "<section class=\"receiver\" style=\"--colour:" + colourHex(colours, k) +
                     "\">\n<h3>" + escapeHtml(names[k]) + "</h3>\n";
        for (std::size_t i = 0; i < c.figures.size(); ++i) {
            if (places[i].dataSet == k) {
                runFigure(i, names[k] + ": " + places[i].caption);
            }
        }
        if (k < c.scatters.size()) {
            figure(page, c.scatters[k], figures::kScatterSide, figures::kScatterSide,
                   names[k] +
                       ": East against North error of every fix, with circles at the "
                       "horizontal 50 % and 95 % errors and at the 0.12 m limit.",
                   names[k] +
                       ": scatter chart of north against east position error in metres "
                       "on equal axes.");
        }
        page.text += "</section>\n";
    }
}

void badFixes(std::string& out, const ReportContent& c) {
    out += "<h2>Bad fixes</h2>\n";
    for (const DataSetEvidence& d : c.evidence.dataSets) {
        out += "<h3>" + escapeHtml(d.name) + "</h3>\n";
        if (d.badFixes.empty()) {
            out += "<p>none</p>\n";
            continue;
        }
        out +=
            "<div class=\"scroll\"><table>\n<thead><tr><th>Row</th><th>Start time (GPS)</th>"
            "<th>East [m]</th><th>North [m]</th><th>Height [m]</th></tr></thead>\n<tbody>\n";
        for (const auto& b : d.badFixes) {
            out += "<tr><td>" + std::to_string(b.row) + "</td><td>" + gpsDayAndTime(b.startTime) +
                   "</td><td>" + fixed(b.east, 4) + "</td><td>" + fixed(b.north, 4) + "</td><td>" +
                   fixed(b.height, 4) + "</td></tr>\n";
        }
        out += "</tbody></table></div>\n";
    }
}

void definitions(std::string& out) {
    static const char* const kLines[] = {
        "<b>Good fix</b>: horizontal error at most 0.12 m and height error at most 0.22 m; "
        "every other fix is bad.",
        "<b>Reliability</b>: good fixes as a percentage of all attempts; its 95 % interval is "
        "the exact (Clopper–Pearson) binomial interval.",
        "<b>90 % time to fix</b>: the smallest whole second by which 90 % of all attempts had "
        "fixed, good or bad (the cumulative curve), or “not within 500 s”.",
        "<b>95 % intervals of the 90 % time and the median</b>: distribution-free, from the "
        "order statistics of all attempts' times, an attempt without a time ranking as never "
        "fixed; the 90 % time's bounds on the curve's whole seconds; “> 500 s” for a bound "
        "never reached, “cannot be bounded” where the attempts are too few.",
        "<b>Correct fix</b>: a good fix within 500 s (time at most 500.5 s, the curve's last "
        "second); <b>correct fixes</b> are a percentage of all attempts with the "
        "Clopper–Pearson interval.",
        "<b>Median and 90 % time to a correct fix</b>: the ⌈p·n⌉-th smallest time to a correct "
        "fix of all n attempts, an attempt without one counting as “> 500 s”, with the "
        "distribution-free interval above.",
        "<b>Median, mean, longest time to fix</b>: over all attempts, in seconds.",
        "<b>Error mean / sigma</b>: mean and sample standard deviation of the east, north and "
        "height errors, over the good fixes when there are bad ones, else over all.",
        "<b>Horizontal error 50 % / 95 %</b>: of the good fixes, the nearest-rank percentile of "
        "√(E² + N²); <b>vertical error 95 %</b>: the same of |height|.",
        "<b>… all fixes</b>: the same over every attempt with finite errors, good or bad, the "
        "95 % values with a distribution-free interval.",
        "<b>Runs test</b>: Wald–Wolfowitz test of the order of good and bad fixes (two-sided, "
        "normal); <b>lag-1 autocorrelation</b>: of the bad-fix indicator from one attempt to "
        "the next; a warning when the runs test gives p &lt; 0.01 with at least 10 good and 10 "
        "bad fixes.",
        "<b>Reliability compared</b>: exact McNemar test on the attempts good with one receiver "
        "and bad with the other; the difference in points with Newcombe's interval for paired "
        "proportions (method 10).",
        "<b>Time to a correct fix compared</b>: Wilcoxon signed-rank test of the per-attempt "
        "differences, an attempt without a correct fix ranking above every time and two without "
        "one tying (exact up to 200 non-zero differences, else normal with tie and continuity "
        "corrections); the difference where both fixed correctly is the Hodges–Lehmann "
        "estimate with its distribution-free 95 % interval.",
        "<b>Significant</b>: p &lt; 0.05 after Holm's adjustment over every p-value of the "
        "run's comparisons (two per pair).",
    };
    out += "<h2>How these numbers are defined</h2>\n<ul class=\"definitions\">\n";
    for (const char* line : kLines) {
        out += std::string("<li>") + line + "</li>\n";
    }
    out += "</ul>\n";
}

}  // namespace

void writeReportHtml(const ReportContent& c, const PagePieces& write) {
    const Matrix colours = plotsupport::setColourCodes();
    const std::string title = escapeHtml(c.results.title);

    Page page{{}, write};
    std::string& out = page.text;
    out +=
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
        title + " · ambiscan report</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
    out += "<h1>" + title + "</h1>\n<p class=\"run\">" + runLine(c) + "</p>\n";
    if (c.decision) {
        decisionSection(out, *c.decision);
    }
    gates(out, c);
    verdict(out, c);
    statisticsTable(out, c, colours);
    figures(page, c, colours);
    badFixes(out, c);
    definitions(out);
    out += "</body>\n</html>\n";
    write(out);
}

std::string reportHtml(const ReportContent& c) {
    std::string html;
    writeReportHtml(c, [&html](std::string_view piece) { html += piece; });
    return html;
}

}  // namespace ambiscan::report
